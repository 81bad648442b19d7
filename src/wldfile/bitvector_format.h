#pragma once
// The two written forms of a room bitvector: a decimal number, or letters, one per set
// bit in ascending order (bits 0..25 as a..z, bits 26..31 as A..F); "0" when no bit is set.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::string bitvectorToLetters(int32_t bitvector);

// Reads a bitvector token by its content: digits only is a decimal number (nullopt when
// it does not fit 32 bits: the caller reports the conversion failure); anything else is
// letters, where a..z and A..F set their bits and every other character sets nothing.
// An empty token is 0.
std::optional<int32_t> parseBitvector(std::string_view token);
