#include <gtest/gtest.h>

#include <random>

#include "uibase/byte_text.h"

TEST(ByteText, EveryByteAndRandomStringsSurviveTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(qStringToBytes(bytesToQString(all)), all);

    std::mt19937 rng(12345);
    for (int n = 0; n < 2000; ++n) {
        std::string s(rng() % 40, '\0');
        for (char& c : s) c = static_cast<char>(rng() % 256);
        ASSERT_EQ(qStringToBytes(bytesToQString(s)), s) << "case " << n;
    }
}

TEST(ByteText, ValidUtf8ShowsItsCharactersAndOtherBytesDoNot) {
    EXPECT_EQ(bytesToQString("Caf\xC3\xA9 \xF0\x9F\x90\x89"), QString::fromUtf8("Caf\xC3\xA9 \xF0\x9F\x90\x89"));
    const QString latin1 = bytesToQString("Caf\xE9");
    ASSERT_EQ(latin1.size(), 4);
    EXPECT_EQ(latin1[3].unicode(), 0xDC00 + 0xE9);
    // An overlong encoding and an encoded surrogate are not valid UTF-8: kept as bytes.
    EXPECT_EQ(bytesToQString("\xC0\xAF").size(), 2);
    EXPECT_EQ(bytesToQString("\xED\xA0\x80").size(), 3);
    EXPECT_EQ(qStringToBytes(QString::fromUtf8("\xC3\xA9")), "\xC3\xA9");
}
