#include <gtest/gtest.h>

#include "wldfile/bitvector_format.h"

TEST(BitvectorFormat, LettersAndNumbersBothWays) {
    EXPECT_EQ(bitvectorToLetters(0), "0");
    EXPECT_EQ(bitvectorToLetters(2056), "dl");
    EXPECT_EQ(bitvectorToLetters((1 << 26) | (1 << 27)), "AB");
    EXPECT_EQ(bitvectorToLetters(1 | 8 | (1 << 27)), "adB");
    EXPECT_EQ(bitvectorToLetters(-1), "abcdefghijklmnopqrstuvwxyzABCDEF");
    for (int32_t v : {0, 1, 2056, 134217737, INT32_MIN, -1, 0x7fffffff})
        EXPECT_EQ(parseBitvector(bitvectorToLetters(v)), v) << v;

    EXPECT_EQ(parseBitvector("dl"), 2056);
    EXPECT_EQ(parseBitvector("2056"), 2056);
    EXPECT_EQ(parseBitvector("A"), 1 << 26);
    EXPECT_EQ(parseBitvector("F"), INT32_MIN);
    EXPECT_EQ(parseBitvector("a1"), 1) << "digits among letters set nothing";
    EXPECT_EQ(parseBitvector("-5"), 0);
    EXPECT_EQ(parseBitvector("GZ"), 0);
    EXPECT_EQ(parseBitvector(""), 0);
    EXPECT_FALSE(parseBitvector("99999999999").has_value()) << "all digits beyond 32 bits";
}
