// The input is a colors.txt. Whatever it holds, reading ends with no error or with the
// invalid number error, codes are single lines, colours have 24 bits, and the file
// text of what was read reads back into the same entries. The input is then drawn as a
// description with the scheme it gave: every label lies on one of the lines drawn and
// holds no line end.
#include <cstdint>
#include <sstream>
#include <string>

#include "colour/colour_file.h"
#include "colour/coloured_text.h"
#include "fuzz_support.h"

namespace {

// What the file text keeps: an entry without a code is not written.
ColourLists written(ColourLists lists) {
    for (int i = 1; i <= kColourEntries; ++i) {
        if (lists.fgCodes[i].empty()) lists.fgColours[i] = 0;
        if (lists.bgCodes[i].empty()) lists.bgColours[i] = 0;
    }
    return lists;
}

void checkEntries(const ColourLists& lists) {
    for (int i = 1; i <= kColourEntries; ++i) {
        for (const std::string* code : {&lists.fgCodes[i], &lists.bgCodes[i]})
            if (code->find_first_of("\r\n") != std::string::npos) fuzz::fail("a code holds a line end");
        if (lists.fgColours[i] > 0xFFFFFF || lists.bgColours[i] > 0xFFFFFF)
            fuzz::fail("a colour beyond 24 bits");
    }
    if (!lists.fgCodes[0].empty() || !lists.bgCodes[0].empty() || lists.fgColours[0] != 0 ||
        lists.bgColours[0] != 0)
        fuzz::fail("entry 0 was written");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    const ColourFileRead read = readColourText(in);
    if (!read.error.empty() && read.error != "Invalid numeric format")
        fuzz::fail("unexpected error: " + read.error);
    checkEntries(read.lists);

    if (read.error.empty()) {
        std::istringstream saved(colourFileText(read.lists));
        const ColourFileRead again = readColourText(saved);
        if (!again.error.empty()) fuzz::fail("the saved text reads back with an error");
        if (again.lists != written(read.lists)) fuzz::fail("entries change through a save");
    }

    const int lines = 14;
    for (const ColourLabel& label : colouredPreview(bytes, lines, read.lists)) {
        if (label.line < 1 || label.line > lines) fuzz::fail("a label outside the lines drawn");
        if (label.column < 1) fuzz::fail("a label left of the first column");
        if (label.text.find_first_of("\r\n") != std::string::npos) fuzz::fail("a label holds a line end");
        if (label.opaque == label.text.empty()) fuzz::fail("opaque is not the same as having text");
        if (label.foreground != read.lists.foreground(label.fg) ||
            label.background != read.lists.background(label.bg))
            fuzz::fail("a label's colours are not its entries' colours");
    }
    return 0;
}
