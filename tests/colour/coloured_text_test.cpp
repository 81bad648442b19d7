#include "colour/coloured_text.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

const ColourLists kBuiltIn = ColourLists::builtIn();

// "L1C11 2/1 red" for an opaque label with text, "L1C14 1/1 -" for a transparent empty one.
std::string describe(const ColourLabel& l) {
    std::ostringstream out;
    out << 'L' << l.line << 'C' << l.column << ' ' << l.fg << '/' << l.bg << ' ' << (l.opaque ? l.text : "-");
    if (!l.opaque && !l.text.empty()) out << " (transparent text!)";
    return out.str();
}

std::vector<std::string> describe(const ColourLabelList& labels) {
    std::vector<std::string> out;
    for (const ColourLabel& l : labels) out.push_back(describe(l));
    return out;
}

struct Cell {
    char c;
    ColourValue fg, bg;
    bool operator==(const Cell&) const = default;
};

// What each cell shows (ASCII texts): the character and its colours; a cell drawn by
// two labels fails the test.
std::map<std::pair<int, int>, Cell> cells(const ColourLabelList& labels) {
    std::map<std::pair<int, int>, Cell> out;
    for (const ColourLabel& l : labels) {
        EXPECT_EQ(l.foreground, kBuiltIn.foreground(l.fg));
        EXPECT_EQ(l.background, kBuiltIn.background(l.bg));
        for (size_t i = 0; i < l.text.size(); ++i) {
            const auto at = std::make_pair(l.line, l.column + static_cast<int>(i));
            EXPECT_EQ(out.count(at), 0u) << "cell drawn twice: line " << at.first << " column " << at.second;
            out[at] = Cell{l.text[i], l.foreground, l.background};
        }
    }
    return out;
}

// The cells of one line as "ch:fg/bg" entries, fg and bg as entry numbers of the
// built-in scheme found by colour.
std::string line(const ColourLabelList& labels, int lineNumber) {
    std::string out;
    for (const ColourLabel& l : labels) {
        if (l.line != lineNumber || l.text.empty()) continue;
        if (!out.empty()) out += ' ';
        out += '[' + std::to_string(l.column) + ' ' + std::to_string(l.fg) + '/' + std::to_string(l.bg) +
               ' ' + l.text + ']';
    }
    return out;
}

}  // namespace

TEST(TranslateCodes, CodesBecomeTokensEntryByEntry) {
    ColourLists contained = kBuiltIn;
    contained.fgCodes[2] = "/c";
    contained.fgCodes[3] = "/cx";
    ColourLists insideTokens = kBuiltIn;
    insideTokens.bgCodes[9] = "c0";
    ColourLists repeated;
    repeated.fgCodes[4] = "aa";
    ColourLists blanks;
    blanks.fgCodes[20] = "/r ";

    struct Case {
        const ColourLists* scheme;
        const char* text;
        const char* tokenised;
    };
    const Case cases[] = {
        {&kBuiltIn, "/cRRoses are /crred/c0", "\\c12Roses are \\c02red\\c01"},
        {&kBuiltIn, "/bbback/b0", "\\b05back\\b01"},
        {&kBuiltIn, "/CR /cX /c", "/CR /cX /c"},  // case counts; unknown codes stay text
        {&kBuiltIn, "/cW/bw/cw", "\\c18\\b08\\c08"},
        {&kBuiltIn, "\\c05 typed", "\\c05 typed"},  // tokens typed by hand stay as they are
        {&contained, "/cx", "\\c02x"},              // the lower entry wins
        {&insideTokens, "/c0!", "\\\\b091!"},       // a later code matches inside a token
        {&repeated, "aaaaa", "\\c04\\c04a"},        // occurrences do not overlap
        {&blanks, "/r x/rx", "\\c20x/rx"},          // a code with a blank needs the blank
        {&kBuiltIn, "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(translateCodes(c.text, *c.scheme), c.tokenised) << c.text;

    ColourLists none;
    EXPECT_EQ(translateCodes("/cr/b0", none), "/cr/b0") << "entries without a code are passed over";
}

TEST(NthLine, LinesEndAtCarriageReturns) {
    using namespace std::string_literals;
    struct Case {
        std::string text;
        int n;
        std::string line;
    };
    const Case cases[] = {
        {"", 0, ""},
        {"", 3, ""},
        {"one\r\ntwo\r\nthree", 0, "one\r"},
        {"one\r\ntwo\r\nthree", 1, "two\r"},
        {"one\r\ntwo\r\nthree", 2, "three"},
        {"one\r\ntwo\r\nthree", 3, ""},
        {"one\r\n", 1, ""},
        {"\r\n\r\nx", 2, "x"},
        {"a\nb\nc", 0, "a\nb\nc"},  // a lone LF is no line break
        {"a\nb\nc", 1, ""},
        {"a\rb", 1, "b"},  // a lone CR ends its line; nothing after it is lost
        {"ab\x1a"
         "cd\r\nef",
         0, "ab"},  // Ctrl-Z ends the text
        {"ab\x1a"
         "cd\r\nef",
         1, ""},
        {"ab\0cd\r\nef"s, 0, "ab"},  // so does a byte 0
        {"ab\0cd\r\nef"s, 1, ""},
        {"ab\r\n\0ef"s, 1, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(nthLine(c.text, c.n), c.line) << testing::PrintToString(c.text) << " line " << c.n;
}

TEST(RenderColoured, LabelsFollowTheTokens) {
    struct Case {
        const char* text;  // before translateCodes (built-in scheme)
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        // A foreground token on a label without text recolours it; with text it starts one.
        {"/cRRoses are /crred/c0", {"L1C1 12/1 Roses are ", "L1C11 2/1 red", "L1C14 1/1 -"}},
        // A background token always starts a label.
        {"/bbback/b0", {"L1C1 1/1 -", "L1C1 1/5 back", "L1C5 1/1 -"}},
        // Foreground 01 returns the background to 1 as well.
        {"/bbx/c0y", {"L1C1 1/1 -", "L1C1 1/5 x", "L1C2 1/1 y"}},
        // A token that changes nothing goes on in the same label.
        {"/crab/crcd/b0ef", {"L1C1 2/1 abcdef"}},
        // A recoloured label without text takes the background too: "ab" stays on
        // background 1 and the next background token starts a new label.
        {"/bb/c0ab/bbcd", {"L1C1 1/1 -", "L1C1 1/1 ab", "L1C3 1/5 cd"}},
        // Text that is no token.
        {"\\x12a\\", {"L1C1 1/1 \\x12a\\"}},
        {"\\c9", {"L1C1 1/1 \\c9"}},
        // Entries outside the lists: 00 counts as 1 (and resets the background), 99 is kept.
        {"/bb\\c00x", {"L1C1 1/1 -", "L1C1 1/1 x"}},
        {"\\c99x\\b42y", {"L1C1 99/1 x", "L1C2 99/42 y"}},
        {"\\cABz", {"L1C1 188/1 z"}},
    };
    for (const Case& c : cases) EXPECT_EQ(describe(colouredPreview(c.text, 1, kBuiltIn)), c.labels) << c.text;
}

TEST(RenderColoured, VisibleColoursOfEdgeCases) {
    struct Case {
        const char* text;
        int lines;
        std::vector<std::string> shown;  // line() of lines 1, 2, ...
    };
    const Case cases[] = {
        {"/cRRoses are /crred/c0", 1, {"[1 12/1 Roses are ] [11 2/1 red]"}},
        // Colours set at the end of a line carry on into the next.
        {"/cgleaf/bw\r\ntree\r\n/c0root", 3, {"[1 3/1 leaf]", "[1 3/8 tree]", "[1 1/1 root]"}},
        // A backslash with fewer than three characters after it in its line is text: the
        // CR counts as one of them, so "\c0" before a CR is a token (entry 1).
        {"a\\c\r\nb/cr\\c0\r\nc", 3, {"[1 1/1 a\\c]", "[1 1/1 b]", "[1 1/1 c]"}},
        // A lone LF is no line break and takes no cell.
        {"abc\ndef\r\nxyz", 2, {"[1 1/1 abcdef]", "[1 1/1 xyz]"}},
        // Ctrl-Z ends the text.
        {"ab\x1a"
         "cd\r\nef",
         2,
         {"[1 1/1 ab]", ""}},
        // Tabs and blanks take a cell each.
        {"\t/cr x", 1, {"[1 1/1 \t] [2 2/1  x]"}},
    };
    for (const Case& c : cases) {
        const ColourLabelList labels = colouredPreview(c.text, c.lines, kBuiltIn);
        for (int n = 0; n < c.lines; ++n)
            EXPECT_EQ(line(labels, n + 1), c.shown[static_cast<size_t>(n)]) << c.text;
        cells(labels);  // no cell drawn twice
    }
}

TEST(RenderColoured, OnlyTheFirstLinesAreDrawnAndEveryLineStartsALabel) {
    std::string text;
    for (int i = 1; i <= 20; ++i) text += "/cr line " + std::to_string(i) + (i < 20 ? "\r\n" : "");
    const ColourLabelList labels = colouredPreview(text, 14, kBuiltIn);
    std::map<int, std::string> byLine;
    for (const ColourLabel& l : labels) byLine[l.line] += l.text;
    ASSERT_EQ(byLine.size(), 14u);
    EXPECT_EQ(byLine.begin()->first, 1);
    EXPECT_EQ(byLine.rbegin()->first, 14);
    EXPECT_EQ(byLine[14], " line 14");
    for (const ColourLabel& l : labels) EXPECT_EQ(l.column, 1);

    // A text shorter than the panel still gives one (empty) label per line.
    const ColourLabelList shortText = colouredPreview("one", 11, kBuiltIn);
    ASSERT_EQ(shortText.size(), 11u);
    EXPECT_EQ(shortText[0].text, "one");
    EXPECT_EQ(shortText[10].line, 11);
    EXPECT_FALSE(shortText[10].opaque);

    // A long line is not wrapped: it is one label running on past column 80.
    const ColourLabelList wide = colouredPreview(std::string(120, 'w'), 1, kBuiltIn);
    ASSERT_EQ(wide.size(), 1u);
    EXPECT_EQ(wide[0].text.size(), 120u);
}

TEST(RenderColoured, SchemeColoursAndMultiByteCharacters) {
    ColourLists scheme;
    scheme.fgCodes[2] = "/cr";
    scheme.fgColours[2] = 0x00FF00;
    const ColourLabelList labels = colouredPreview("/cg/crred", 1, scheme);
    // Only /cr is a code of this scheme; /cg is drawn as text in entry 1's colour (000000).
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, "/cg");
    EXPECT_EQ(labels[0].foreground, 0u);
    EXPECT_EQ(labels[1].text, "red");
    EXPECT_EQ(labels[1].foreground, 0x00FF00u);
    EXPECT_EQ(labels[1].column, 4);

    // A UTF-8 character takes one cell; a byte that is not UTF-8 takes one too.
    const ColourLabelList utf8 = colouredPreview("\xC3\xA9t\xE9/cRx", 1, kBuiltIn);
    ASSERT_EQ(utf8.size(), 2u);
    EXPECT_EQ(utf8[0].text, "\xC3\xA9t\xE9");
    EXPECT_EQ(utf8[1].column, 4);
}
