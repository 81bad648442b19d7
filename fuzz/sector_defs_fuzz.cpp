// The input is an rsectype.txt. Whatever it holds, the table keeps its limits (at most
// 30 entries, names up to 20 characters, descriptions up to 80, free slots empty), and
// the file text of the table reads back into the same entries without a message;
// entries with a negative number are free slots to the writer and are left out.
#include <cstdint>
#include <sstream>
#include <vector>

#include "defs/definition_files.h"
#include "fuzz_support.h"
#include "world/utf8.h"

namespace {

struct Entry {
    int32_t value;
    std::string name, description;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> keptEntries(const SectorTable& t) {
    std::vector<Entry> entries;
    for (int slot = 1; slot <= t.count; ++slot)
        if (t.values[slot] >= 0) entries.push_back({t.values[slot], t.names[slot], t.descriptions[slot]});
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    fuzz::CountingPrompts prompts;
    SectorTable table;
    readSectorDefinitions(in, table, prompts);
    if (table.count < 0 || table.count > kMaxSectorEntries) fuzz::fail("sector count out of range");
    for (int slot = 1; slot <= kTableSlots; ++slot) {
        if (slot <= table.count) {
            if (table.names[slot].empty() || utf8Characters(table.names[slot]) > kMaxDefinitionNameLength)
                fuzz::fail("a sector name empty or longer than 20");
            if (utf8Characters(table.descriptions[slot]) > kMaxDefinitionDescriptionLength)
                fuzz::fail("a sector description longer than 80");
        } else if (!table.names[slot].empty() || !table.descriptions[slot].empty() || table.values[slot] != -1) {
            fuzz::fail("a sector slot after count is not free");
        }
    }

    std::istringstream saved(definitionFileText(table));
    fuzz::CountingPrompts again;
    SectorTable reread;
    readSectorDefinitions(saved, reread, again);
    if (again.messages != 0) fuzz::fail("the saved text reads back with a message: " + again.lastMessage);
    if (keptEntries(reread) != keptEntries(table)) fuzz::fail("sector entries change through a save");
    return 0;
}
