#include "colour/colour_scheme.h"

#include "colour/colour_file.h"
#include "world/utf8.h"

namespace {

struct BuiltInEntry {
    int entry;
    const char* code;
    ColourValue colour;
};

// Entries 9 to 11, 19 and 20 of the foregrounds and 9 to 20 of the backgrounds have
// no code and stay black.
constexpr BuiltInEntry kBuiltInForegrounds[] = {
    {1, "/c0", 0xC0C0C0},  {2, "/cr", 0x0000FF},  {3, "/cg", 0x008000},  {4, "/cy", 0x008080},
    {5, "/cb", 0x800000},  {6, "/cp", 0x800080},  {7, "/cc", 0x808000},  {8, "/cw", 0xC0C0C0},
    {12, "/cR", 0x5555FF}, {13, "/cG", 0x44EE00}, {14, "/cY", 0x00FFFF}, {15, "/cB", 0xFF7777},
    {16, "/cP", 0xDD00DD}, {17, "/cC", 0xFFFF00}, {18, "/cW", 0xFFFFFF},
};

constexpr BuiltInEntry kBuiltInBackgrounds[] = {
    {1, "/b0", 0x000000}, {2, "/br", 0x0000FF}, {3, "/bg", 0x008000}, {4, "/by", 0x008080},
    {5, "/bb", 0x800000}, {6, "/bp", 0x800080}, {7, "/bc", 0x808000}, {8, "/bw", 0xC0C0C0},
};

bool isEntry(int entry) {
    return entry >= 1 && entry <= kColourEntries;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

}  // namespace

ColourLists ColourLists::builtIn() {
    ColourLists lists;
    for (const BuiltInEntry& e : kBuiltInForegrounds) {
        lists.fgCodes[e.entry] = e.code;
        lists.fgColours[e.entry] = e.colour;
    }
    for (const BuiltInEntry& e : kBuiltInBackgrounds) {
        lists.bgCodes[e.entry] = e.code;
        lists.bgColours[e.entry] = e.colour;
    }
    return lists;
}

ColourValue ColourLists::foreground(int entry) const {
    return fgColours[isEntry(entry) ? entry : 1];
}

ColourValue ColourLists::background(int entry) const {
    return bgColours[isEntry(entry) ? entry : 1];
}

ColourScheme::ColourScheme() : Copies([](const ColourLists& lists) { return colourFileText(lists); }) {
    setAll(ColourLists::builtIn());
}

std::string hexText(ColourValue colour) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(6, '0');
    for (int i = 5; i >= 0; --i) {
        text[static_cast<size_t>(i)] = kDigits[colour & 0xF];
        colour >>= 4;
    }
    return text;
}

ColourValue parseHex(std::string_view field) {
    ColourValue value = 0;
    size_t i = 0;
    for (int digits = 0; digits < 6 && i < field.size(); ++digits) {
        // A character of several bytes is one digit, and counts 0 like every non-digit.
        const int length = utf8CharacterLength(field, i);
        value = value * 16 + static_cast<ColourValue>(length == 1 ? hexDigit(field[i]) : 0);
        i += static_cast<size_t>(length);
    }
    return value;
}
