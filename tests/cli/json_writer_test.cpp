#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "world/utf8.h"

namespace {

int hexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// Reads a JSON string back into bytes: \udcXX becomes the byte XX, other escapes their
// characters in UTF-8. Fails the test on anything a JSON reader would refuse.
std::string decodeJsonString(const std::string& json) {
    EXPECT_GE(json.size(), 2u);
    EXPECT_EQ(json.front(), '"');
    EXPECT_EQ(json.back(), '"');
    std::string bytes;
    for (size_t i = 1; i + 1 < json.size(); ++i) {
        const auto c = static_cast<unsigned char>(json[i]);
        EXPECT_GE(c, 0x20u) << "raw control character at " << i;
        EXPECT_NE(c, '"') << "unescaped quote at " << i;
        if (c != '\\') {
            bytes += static_cast<char>(c);
            continue;
        }
        const char kind = json[++i];
        switch (kind) {
            case 'r': bytes += '\r'; break;
            case 'n': bytes += '\n'; break;
            case '"': bytes += '"'; break;
            case '\\': bytes += '\\'; break;
            case 'u': {
                unsigned unit = 0;
                for (int k = 0; k < 4; ++k) unit = unit * 16 + hexValue(json[++i]);
                if (unit >= 0xDC80 && unit <= 0xDCFF)
                    bytes += static_cast<char>(unit - 0xDC00);
                else
                    appendUtf8(bytes, unit);
                break;
            }
            default: ADD_FAILURE() << "unexpected escape \\" << kind;
        }
    }
    return bytes;
}

bool validUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        char32_t c;
        const int length = decodeUtf8(text, i, c);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

TEST(JsonString, EveryByteComesBackAndTheTextIsValidUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string json = jsonString(one);
        EXPECT_EQ(decodeJsonString(json), one) << "byte " << b;
        EXPECT_TRUE(validUtf8(json)) << "byte " << b;
        all += one;
    }
    EXPECT_EQ(decodeJsonString(jsonString(all)), all);

    // Random byte strings, where stray bytes meet valid sequences and broken ones.
    uint32_t state = 12345;
    for (int round = 0; round < 500; ++round) {
        std::string bytes;
        const int length = round % 40;
        for (int k = 0; k < length; ++k) {
            state = state * 1664525u + 1013904223u;
            const int pick = state >> 24;
            bytes += static_cast<char>(pick % 3 == 0 ? 0x80 | (pick & 0x3F) : pick);
        }
        const std::string json = jsonString(bytes);
        ASSERT_EQ(decodeJsonString(json), bytes) << "round " << round;
        ASSERT_TRUE(validUtf8(json)) << "round " << round;
    }
}

TEST(JsonString, ShowsCharactersAndEscapesOnlyWhatItMust) {
    EXPECT_EQ(jsonString(""), "\"\"");
    EXPECT_EQ(jsonString("Old trees\r\nlean~"), "\"Old trees\\r\\nlean~\"");
    EXPECT_EQ(jsonString("say \"hi\" \\o/"), "\"say \\\"hi\\\" \\\\o/\"");
    EXPECT_EQ(jsonString("\t\x1b\x7f"), "\"\\u0009\\u001b\\u007f\"");
    // Valid UTF-8 stays as its characters, up to four bytes long.
    EXPECT_EQ(jsonString("Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\xB2"), "\"Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x8C\xB2\"");
    // Stray bytes, overlong forms, encoded surrogates and cut sequences are bytes, in lower-case hex.
    EXPECT_EQ(jsonString("\xE9t\xE9"), "\"\\udce9t\\udce9\"");
    EXPECT_EQ(jsonString("\xC0\x80"), "\"\\udcc0\\udc80\"");
    EXPECT_EQ(jsonString("\xED\xA0\x80"), "\"\\udced\\udca0\\udc80\"");
    EXPECT_EQ(jsonString("\xE2\x82"), "\"\\udce2\\udc82\"");
    EXPECT_EQ(jsonString("\xF4\x90\x80\x80"), "\"\\udcf4\\udc90\\udc80\\udc80\"");
}

}  // namespace
