#include "wldfile/bitvector_format.h"

#include <algorithm>

#include "world/flag_letters.h"
#include "world/strict_int.h"

std::string bitvectorToLetters(int32_t bitvector) {
    const auto bits = static_cast<uint32_t>(bitvector);
    if (bits == 0) return "0";
    std::string letters;
    for (int bit = 0; bit < 32; ++bit) {
        if (!(bits & (1u << bit))) continue;
        letters += flagBitLetter(bit);
    }
    return letters;
}

std::optional<int32_t> parseBitvector(std::string_view token) {
    if (token.empty()) return 0;
    // "0", by far the most common word of a newer-form flag line, needs no conversion.
    if (token.size() == 1 && token[0] >= '0' && token[0] <= '9') return token[0] - '0';
    const bool allDigits = std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (allDigits) return strictToInt(token);
    uint32_t bits = 0;
    for (char c : token) {
        const int bit = flagLetterBit(c);
        if (bit >= 0) bits |= 1u << bit;
        // G..Z name no bit of a 32-bit value and, like digits among letters, set nothing.
    }
    return static_cast<int32_t>(bits);
}
