#include <gtest/gtest.h>

#include "world/strict_int.h"

TEST(StrictToInt, AcceptsDecimalHexSignsAndLeadingBlanks) {
    EXPECT_EQ(strictToInt("32001"), 32001);
    EXPECT_EQ(strictToInt("  -5"), -5);
    EXPECT_EQ(strictToInt("+7"), 7);
    EXPECT_EQ(strictToInt("$1F"), 31);
    EXPECT_EQ(strictToInt("-$10"), -16);
    EXPECT_EQ(strictToInt("2147483647"), 2147483647);
    EXPECT_EQ(strictToInt("-2147483648"), INT32_MIN);
}

TEST(StrictToInt, RefusesAnythingElse) {
    for (const char* bad : {"", " ", "32001 ", "12a", "-", "$", "2147483648", "-2147483649", "$80000000",
                            "99999999999999999999", "1 2", "\t5", "0x10", "5\r"})
        EXPECT_FALSE(strictToInt(bad).has_value()) << "'" << bad << "'";
    EXPECT_EQ(notValidIntegerMessage("32001 "), "'32001 ' is not a valid integer value");
}
