#pragma once
// The slots the two definition dialogs edit: a name, a value and a description per slot,
// slots 1..31 for the room flags and 1..30 for the sector types. Unlike the tables, the
// slots may have free places between entries; taking them into use closes the gaps.
#include <cstdint>
#include <string>
#include <vector>

#include "defs/definition_tables.h"

struct DefinitionSlot {
    std::string name;
    int32_t value = 0;  // flags: 2^n, <= 0 is free; sectors: the number, < 0 is free
    std::string description;
    bool operator==(const DefinitionSlot&) const = default;
};

// Element 0 is unused, so slot n is element n.
using DefinitionSlots = std::vector<DefinitionSlot>;

constexpr int kFlagSlots = BitvectorTable::kEntries;  // 31
constexpr int kSectorSlots = SectorTable::kEntries;   // 30

// Each of these is one template over the table type, for BitvectorTable and SectorTable.

// Slots 1..Table::kEntries of a table, as they stand.
template <typename Table>
DefinitionSlots slotsOf(const Table& table);

// Use: the table is rebuilt from the slots in use, in slot order and without gaps, each
// flag with the letter of its bit. Returns the new count.
template <typename Table>
int useSlots(const DefinitionSlots& slots, Table& table);

// Save: every slot in use is first given what reading the file back will give (in the
// slots too, so the dialog shows what the file holds): an empty name becomes "?", blanks
// inside a name '_', a name is cut to 20 characters and a description to 80 without
// leading blanks. Then the file's bytes, one CR LF line per slot in use.
template <typename Table>
std::string slotsFileText(DefinitionSlots& slots);

// A flag value button's left click: a free slot takes bit 0, 2^30 frees the slot, any
// other value doubles. The right click runs the same cycle backwards.
int32_t increasedFlagValue(int32_t value);
int32_t decreasedFlagValue(int32_t value);

// The caption of a flag value button: the value padded with blanks to 11 characters and
// then the bit's letter; a free slot shows "-" and 11 blanks.
std::string flagValueCaption(int32_t value);
