#include "defs/definition_tables.h"

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

void setBuiltinBitvectors(BitvectorTable& table) {
    int slot = 1;
    for (const BuiltinEntry& entry : kBuiltinFlags) {
        table.names[slot] = entry.name;
        table.descriptions[slot] = entry.description;
        table.values[slot] = int32_t{1} << (slot - 1);
        table.letters[slot] = positionLetter(slot);
        ++slot;
    }
    table.count = slot - 1;
}

void setBuiltinSectors(SectorTable& table) {
    int slot = 1;
    for (const BuiltinEntry& entry : kBuiltinSectors) {
        table.names[slot] = entry.name;
        table.descriptions[slot] = entry.description;
        table.values[slot] = slot - 1;
        ++slot;
    }
    table.count = slot - 1;
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
