// The input is an rmbitvec.txt. Whatever it holds, the table keeps its limits (at most
// 31 entries, each a single bit 2^0..2^30 with that bit's letter, names up to 20
// characters, descriptions up to 80, free slots empty), and the file text of the table
// reads back into the same table without a message.
#include <cstdint>
#include <sstream>

#include "defs/definition_files.h"
#include "fuzz_support.h"
#include "world/utf8.h"

namespace {

void checkLimits(const BitvectorTable& t) {
    if (t.count < 0 || t.count > kMaxBitvectorEntries) fuzz::fail("bitvector count out of range");
    for (int slot = 1; slot <= kTableSlots; ++slot) {
        if (slot <= t.count) {
            if (bitPosition(t.values[slot]) == -1) fuzz::fail("an entry whose value is not one bit 0..30");
            if (t.letters[slot] != bitLetter(t.values[slot])) fuzz::fail("an entry whose letter is not its bit's");
            if (utf8Characters(t.names[slot]) > kMaxDefinitionNameLength || t.names[slot].empty())
                fuzz::fail("an entry name empty or longer than 20");
            if (utf8Characters(t.descriptions[slot]) > kMaxDefinitionDescriptionLength)
                fuzz::fail("a description longer than 80");
        } else if (!t.names[slot].empty() || !t.descriptions[slot].empty() || t.values[slot] > 0) {
            fuzz::fail("a slot after count is not free");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    fuzz::CountingPrompts prompts;
    BitvectorTable table;
    readBitvectorDefinitions(in, table, prompts);
    checkLimits(table);

    std::istringstream saved(definitionFileText(table));
    fuzz::CountingPrompts again;
    BitvectorTable reread;
    readBitvectorDefinitions(saved, reread, again);
    if (again.messages != 0) fuzz::fail("the saved text reads back with a message: " + again.lastMessage);
    if (reread.count != table.count) fuzz::fail("the saved text reads back with another count");
    for (int slot = 1; slot <= table.count; ++slot)
        if (reread.values[slot] != table.values[slot] || reread.names[slot] != table.names[slot] ||
            reread.descriptions[slot] != table.descriptions[slot] || reread.letters[slot] != table.letters[slot])
            fuzz::fail("entry " + std::to_string(slot) + " changes through a save");
    return 0;
}
