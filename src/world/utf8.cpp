#include "world/utf8.h"

int decodeUtf8(std::string_view bytes, size_t i, char32_t& codePoint) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
        codePoint = b0;
        return 1;
    }
    int length;
    char32_t minimum;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2, minimum = 0x80, codePoint = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3, minimum = 0x800, codePoint = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4, minimum = 0x10000, codePoint = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    for (int k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (b & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int utf8CharacterLength(std::string_view bytes, size_t i) {
    char32_t ignored;
    const int length = decodeUtf8(bytes, i, ignored);
    return length == 0 ? 1 : length;
}

size_t utf8Characters(std::string_view bytes) {
    size_t characters = 0;
    for (size_t i = 0; i < bytes.size(); i += static_cast<size_t>(utf8CharacterLength(bytes, i))) ++characters;
    return characters;
}

size_t utf8PrefixBytes(std::string_view bytes, size_t maxCharacters) {
    size_t i = 0;
    for (size_t taken = 0; taken < maxCharacters && i < bytes.size(); ++taken)
        i += static_cast<size_t>(utf8CharacterLength(bytes, i));
    return i;
}
