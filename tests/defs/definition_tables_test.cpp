#include <gtest/gtest.h>

#include "defs/definition_tables.h"

TEST(DefinitionTables, BuiltinFlagsFillOnlyTheirSlots) {
    BitvectorTable table;
    table.names[12] = "KEPT";
    setBuiltinBitvectors(table);
    ASSERT_EQ(table.count, 11);
    EXPECT_EQ(table.names[1], "DARK");
    EXPECT_EQ(table.names[11], "GODROOM");
    for (int slot = 1; slot <= 11; ++slot) {
        EXPECT_EQ(table.values[slot], 1 << (slot - 1));
        EXPECT_EQ(table.letters[slot], 'a' + slot - 1);
    }
    EXPECT_EQ(table.names[12], "KEPT");
    EXPECT_EQ(table.letters[12], '-');
}

TEST(DefinitionTables, BuiltinSectorsAndClearedSlots) {
    SectorTable sectors;
    EXPECT_EQ(sectors.count, 0);
    EXPECT_EQ(sectors.values[1], -1);
    setBuiltinSectors(sectors);
    ASSERT_EQ(sectors.count, 10);
    for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(sectors.values[slot], slot - 1);
    EXPECT_EQ(sectors.values[11], -1);

    sectors.clear();
    EXPECT_EQ(sectors.count, 0);
    EXPECT_TRUE(sectors.names[1].empty());
    EXPECT_EQ(sectors.values[50], -1);
    EXPECT_THROW(sectors.names[51], std::out_of_range);
}

TEST(DefinitionTables, BitPositionAndLetterCoverBitsZeroToThirty) {
    EXPECT_EQ(bitPosition(1), 1);
    EXPECT_EQ(bitLetter(1), 'a');
    EXPECT_EQ(bitPosition(1024), 11);
    EXPECT_EQ(bitLetter(1 << 25), 'z');
    EXPECT_EQ(bitPosition(1 << 26), 27);
    EXPECT_EQ(bitLetter(1 << 26), 'A');
    EXPECT_EQ(bitPosition(1073741824), 31);
    EXPECT_EQ(bitLetter(1073741824), 'E');
    for (int32_t notAFlag : {0, -1, 3, 6, 1025, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(bitPosition(notAFlag), -1) << notAFlag;
        EXPECT_EQ(bitLetter(notAFlag), '-') << notAFlag;
    }
    EXPECT_EQ(positionLetter(0), '-');
    EXPECT_EQ(positionLetter(32), '-');
}
