#include "defs/definition_tables.h"

#include <utility>

#include "world/flag_letters.h"

namespace {
struct BuiltinEntry {
    const char* name;
    const char* description;
};

constexpr BuiltinEntry kBuiltinFlags[] = {
    {"DARK", "Room is dark."},
    {"DEATH", "Room is a DEATH TRAP; Character \"dies\" (no experience points lost)"},
    {"NOMOB", "MOBs (monsters) cannot enter room."},
    {"INDOORS", "Room is indoors."},
    {"PEACEFUL", "Room is peaceful (violence not allowed)."},
    {"SOUNDPROOF", "Shouts, gossips, etc. will not be heard in this room."},
    {"NOTRACK", "\"Track\" will never find a path through this room."},
    {"NOMAGIC", "All magic attempted in this room will fail."},
    {"TUNNEL", "Only one person allowed in this room at a time."},
    {"PRIVATE", "Cannot teleport in or GOTO if two people are here."},
    {"GODROOM", "Only characters of level LVL_GOD and above may enter."},
};

constexpr BuiltinEntry kBuiltinSectors[] = {
    {"INSIDE", "Indoors - typically a small number of move points needed."},
    {"CITY", "The streets of a city."},
    {"FIELD", "An open field."},
    {"FOREST", "A dense forest."},
    {"HILLS", "Low foothills."},
    {"MOUNTAIN", "Steep mountain regions."},
    {"WATER_SWIM", "Water (swimmable)"},
    {"WATER_NOSWIM", "Unswimmable water - boat required for passage"},
    {"UNDERWATER", "Underwater."},
    {"FLYING", "Wheee!"},
};

}  // namespace

void BitvectorTable::clear() {
    count = 0;
    for (int slot = 0; slot <= kTableSlots; ++slot) {
        names[slot].clear();
        descriptions[slot].clear();
        values[slot] = 0;
        letters[slot] = kFreeLetter;
    }
}

void SectorTable::clear() {
    count = 0;
    for (int slot = 0; slot <= kTableSlots; ++slot) {
        names[slot].clear();
        descriptions[slot].clear();
        values[slot] = -1;
    }
}

void DefinitionTable::setEntry(int slot, std::string name, int32_t value, std::string description) {
    names[slot] = std::move(name);
    descriptions[slot] = std::move(description);
    values[slot] = value;
}

void BitvectorTable::setEntry(int slot, std::string name, int32_t value, std::string description) {
    DefinitionTable::setEntry(slot, std::move(name), value, std::move(description));
    letters[slot] = bitLetter(value);
}

namespace {
// Slots 1.. take the built-in entries, each with the value valueOf(slot).
template <typename Table, size_t N, typename ValueOf>
void setBuiltin(Table& table, const BuiltinEntry (&entries)[N], ValueOf valueOf) {
    int slot = 1;
    for (const BuiltinEntry& entry : entries) {
        table.setEntry(slot, entry.name, valueOf(slot), entry.description);
        ++slot;
    }
    table.count = slot - 1;
}
}  // namespace

void setBuiltinBitvectors(BitvectorTable& table) {
    setBuiltin(table, kBuiltinFlags, [](int slot) { return int32_t{1} << (slot - 1); });
}

void setBuiltinSectors(SectorTable& table) {
    setBuiltin(table, kBuiltinSectors, [](int slot) { return slot - 1; });
}

int bitPosition(int32_t value) {
    if (value <= 0) return -1;  // 0, negative values and 2^31 (the sign bit)
    const auto bits = static_cast<uint32_t>(value);
    if ((bits & (bits - 1)) != 0) return -1;  // several bits set
    int n = 0;
    while ((bits >> n) != 1u) ++n;
    return n + 1;
}

char positionLetter(int position) {
    if (position < 1 || position > kHighestFlagBit + 1) return kFreeLetter;
    return flagBitLetter(position - 1);
}

char bitLetter(int32_t value) { return positionLetter(bitPosition(value)); }
