#pragma once
// The one mapping between room flag bits and their letters: bits 0..25 are 'a'..'z',
// bits 26..31 are 'A'..'F'. Used by the world files' letter bitvectors and by the flag
// definition files and tables.

// The letter of a bit 0..31; '\0' for any other number.
constexpr char flagBitLetter(int bit) {
    if (bit >= 0 && bit < 26) return static_cast<char>('a' + bit);
    if (bit >= 26 && bit < 32) return static_cast<char>('A' + bit - 26);
    return '\0';
}

// The bit a letter names, 0..31; -1 for every other character.
constexpr int flagLetterBit(char letter) {
    if (letter >= 'a' && letter <= 'z') return letter - 'a';
    if (letter >= 'A' && letter <= 'F') return letter - 'A' + 26;
    return -1;
}
