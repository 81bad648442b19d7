#include "defs/definition_slots.h"

#include "defs/definition_files.h"
#include "world/utf8.h"

namespace {
constexpr int32_t kHighestFlag = int32_t{1} << kHighestFlagBit;  // 1073741824
constexpr size_t kCaptionValueWidth = 11;

// Gives every slot in use the name and description the file will give back when it is
// read: a name is one word of at most 20 characters ("?" when empty, blanks and tabs
// inside it become '_'), a description at most 80 characters without leading blanks.
// Otherwise "BIG ROOM" would come back as the flag "BIG" with the description "ROOM ...".
template <typename Table>
void prepareForFile(DefinitionSlots& slots) {
    for (size_t n = 1; n < slots.size(); ++n) {
        DefinitionSlot& slot = slots[n];
        if (!Table::inUse(slot.value)) continue;
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

template <typename Table>
DefinitionSlots slotsOf(const Table& table) {
    DefinitionSlots out(static_cast<size_t>(Table::kEntries) + 1);
    for (int n = 1; n <= Table::kEntries; ++n) out[n] = {table.names[n], table.values[n], table.descriptions[n]};
    return out;
}

template <typename Table>
int useSlots(const DefinitionSlots& slots, Table& table) {
    table.clear();
    int entry = 0;
    for (size_t n = 1; n < slots.size() && entry < Table::kEntries; ++n) {
        if (!Table::inUse(slots[n].value)) continue;
        ++entry;
        table.setEntry(entry, slots[n].name, slots[n].value, slots[n].description);
    }
    table.count = entry;
    return entry;
}

template <typename Table>
std::string slotsFileText(DefinitionSlots& slots) {
    prepareForFile<Table>(slots);
    Table table;  // slot for slot, gaps kept: the writer leaves free slots out
    for (size_t n = 1; n < slots.size() && n <= static_cast<size_t>(Table::kEntries); ++n)
        table.setEntry(static_cast<int>(n), slots[n].name, slots[n].value, slots[n].description);
    return definitionFileText(table);
}

template DefinitionSlots slotsOf(const BitvectorTable&);
template DefinitionSlots slotsOf(const SectorTable&);
template int useSlots(const DefinitionSlots&, BitvectorTable&);
template int useSlots(const DefinitionSlots&, SectorTable&);
template std::string slotsFileText<BitvectorTable>(DefinitionSlots&);
template std::string slotsFileText<SectorTable>(DefinitionSlots&);

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
