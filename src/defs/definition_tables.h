#pragma once
// The two definition tables that give the room bitvector flags and the sector types their
// names, help texts and values. Slots count from 1 to 50; entries 1..count are in use.
#include <array>
#include <cstdint>
#include <string>

constexpr int kTableSlots = 50;          // capacity of every table; never reached
constexpr int kMaxBitvectorEntries = 31;  // one per usable bit, 2^0 .. 2^30
constexpr int kMaxSectorEntries = 30;     // what the sector banks can show (3 banks of 10)
constexpr int kHighestFlagBit = 30;       // bit 31 is the sign bit and never a flag
constexpr char kFreeLetter = '-';

// Fifty strings addressed by slot 1..50. Element 0 exists only so slot n is element n;
// a slot outside 0..50 throws instead of reading past the end.
struct namelisttype {
    std::array<std::string, kTableSlots + 1> entries;
    std::string& operator[](int slot) { return entries.at(static_cast<size_t>(slot)); }
    const std::string& operator[](int slot) const { return entries.at(static_cast<size_t>(slot)); }
    bool operator==(const namelisttype&) const = default;
};

// What both tables hold. The two differ in how many entries they take, which values
// are free, and the flags' letters; the code that fills, writes and edits them is one
// template over the table type, which reads these from the table's static members.
struct DefinitionTable {
    int32_t count = 0;
    namelisttype names;
    namelisttype descriptions;
    std::array<int32_t, kTableSlots + 1> values{};
    bool operator==(const DefinitionTable&) const = default;
    // Slot takes an entry; count is left alone.
    void setEntry(int slot, std::string name, int32_t value, std::string description);
};

struct BitvectorTable : DefinitionTable {
    // The entries a file or Use gives at most, and the slots of the dialog: one a bit.
    static constexpr int kEntries = kMaxBitvectorEntries;
    // A bit mask 2^n, 0 <= n <= 30; a value <= 0 is a free slot.
    static bool inUse(int32_t value) { return value > 0; }

    std::array<char, kTableSlots + 1> letters{};  // letter of the value's bit; '-' in a free slot

    BitvectorTable() { clear(); }
    bool operator==(const BitvectorTable&) const = default;
    // Every slot empty: no name or description, value 0, letter '-', count 0.
    void clear();
    // Slot takes an entry, with the letter of its value's bit; count is left alone.
    void setEntry(int slot, std::string name, int32_t value, std::string description);
};

struct SectorTable : DefinitionTable {
    // What the sector banks can show (3 banks of 10), and the slots of the dialog.
    static constexpr int kEntries = kMaxSectorEntries;
    // The sector number of a room; a negative number (-1) is a free slot.
    static bool inUse(int32_t value) { return value >= 0; }

    SectorTable() { clear(); }
    bool operator==(const SectorTable&) const = default;
    // Every slot empty: no name or description, value -1, count 0.
    void clear();
};

// Slots 1..11 and count 11: DARK (1, a) .. GODROOM (1024, k). Other slots are left alone.
void setBuiltinBitvectors(BitvectorTable& table);
// Slots 1..10 and count 10: INSIDE (0) .. FLYING (9). Other slots are left alone.
void setBuiltinSectors(SectorTable& table);

// n + 1 when value is 2^n with 0 <= n <= 30; -1 for every other value.
int bitPosition(int32_t value);
// The letter of a flag position 1..31 ("abcdefghijklmnopqrstuvwxyzABCDE"); '-' otherwise.
char positionLetter(int position);
// The letter of the single bit of value; '-' when value is not a flag value.
char bitLetter(int32_t value);
