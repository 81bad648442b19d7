#include "defs/definition_slots.h"

#include "defs/definition_files.h"
#include "world/utf8.h"

namespace {
constexpr int32_t kHighestFlag = int32_t{1} << kHighestFlagBit;  // 1073741824
constexpr size_t kCaptionValueWidth = 11;

bool flagInUse(const DefinitionSlot& slot) { return slot.value > 0; }
bool sectorInUse(const DefinitionSlot& slot) { return slot.value >= 0; }

template <typename Table>
DefinitionSlots slotsOf(const Table& table, int slots) {
    DefinitionSlots out(static_cast<size_t>(slots) + 1);
    for (int n = 1; n <= slots; ++n) out[n] = {table.names[n], table.values[n], table.descriptions[n]};
    return out;
}

// Gives every slot in use the name and description the file will give back when it is
// read: a name is one word of at most 20 characters ("?" when empty, blanks and tabs
// inside it become '_'), a description at most 80 characters without leading blanks.
// Otherwise "BIG ROOM" would come back as the flag "BIG" with the description "ROOM ...".
template <typename InUse>
void prepareForFile(DefinitionSlots& slots, InUse inUse) {
    for (size_t n = 1; n < slots.size(); ++n) {
        DefinitionSlot& slot = slots[n];
        if (!inUse(slot)) continue;
        slot.name.resize(utf8PrefixBytes(slot.name, kMaxDefinitionNameLength));
        for (char& c : slot.name)
            if (c == ' ' || c == '\t') c = '_';
        if (slot.name.empty()) slot.name = "?";
        // The reader skips the blanks before a description.
        const size_t text = slot.description.find_first_not_of(" \t");
        slot.description.erase(0, text == std::string::npos ? slot.description.size() : text);
        slot.description.resize(utf8PrefixBytes(slot.description, kMaxDefinitionDescriptionLength));
    }
}
}  // namespace

DefinitionSlots bitvectorSlots(const BitvectorTable& table) { return slotsOf(table, kFlagSlots); }
DefinitionSlots sectorSlots(const SectorTable& table) { return slotsOf(table, kSectorSlots); }

int useBitvectorSlots(const DefinitionSlots& slots, BitvectorTable& table) {
    table.clear();
    int entry = 0;
    for (size_t n = 1; n < slots.size() && entry < kMaxBitvectorEntries; ++n) {
        if (!flagInUse(slots[n])) continue;
        ++entry;
        table.names[entry] = slots[n].name;
        table.descriptions[entry] = slots[n].description;
        table.values[entry] = slots[n].value;
        table.letters[entry] = bitLetter(slots[n].value);
    }
    table.count = entry;
    return entry;
}

int useSectorSlots(const DefinitionSlots& slots, SectorTable& table) {
    table.clear();
    int entry = 0;
    for (size_t n = 1; n < slots.size() && entry < kMaxSectorEntries; ++n) {
        if (!sectorInUse(slots[n])) continue;
        ++entry;
        table.names[entry] = slots[n].name;
        table.descriptions[entry] = slots[n].description;
        table.values[entry] = slots[n].value;
    }
    table.count = entry;
    return entry;
}

std::string bitvectorSlotsFileText(DefinitionSlots& slots) {
    prepareForFile(slots, flagInUse);
    BitvectorTable table;  // slot for slot, gaps kept: the writer leaves free slots out
    for (size_t n = 1; n < slots.size() && n <= static_cast<size_t>(kMaxBitvectorEntries); ++n) {
        table.names[static_cast<int>(n)] = slots[n].name;
        table.descriptions[static_cast<int>(n)] = slots[n].description;
        table.values[n] = slots[n].value;
    }
    return bitvectorFileText(table);
}

std::string sectorSlotsFileText(DefinitionSlots& slots) {
    prepareForFile(slots, sectorInUse);
    SectorTable table;
    for (size_t n = 1; n < slots.size() && n <= static_cast<size_t>(kMaxSectorEntries); ++n) {
        table.names[static_cast<int>(n)] = slots[n].name;
        table.descriptions[static_cast<int>(n)] = slots[n].description;
        table.values[n] = slots[n].value;
    }
    return sectorFileText(table);
}

int32_t increasedFlagValue(int32_t value) {
    if (value <= 0) return 1;
    if (value >= kHighestFlag) return 0;
    // A value that is not a single bit (never made here) starts again from its highest bit.
    const int position = bitPosition(value);
    if (position == -1) return 1;
    return value * 2;
}

int32_t decreasedFlagValue(int32_t value) {
    if (value <= 0) return kHighestFlag;
    if (bitPosition(value) == -1) return kHighestFlag;
    return value / 2;  // 1 halves to 0: free
}

std::string flagValueCaption(int32_t value) {
    if (bitPosition(value) == -1) return "-" + std::string(kCaptionValueWidth, ' ');
    std::string caption = std::to_string(value);
    caption.resize(kCaptionValueWidth, ' ');
    return caption + bitLetter(value);
}
