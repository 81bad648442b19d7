#pragma once
// The coloured preview of a description, without a screen: the user's colour codes
// become fixed tokens, and a tokenised text becomes the list of labels (runs of text in
// one pair of colours) that a preview panel draws. The render layer paints the list.
//
// A token is four characters: a backslash, `c` (foreground) or `b` (background) and two
// digits giving the entry, "\c02" selects foreground 2. Tokens typed into a text work
// like translated ones.
#include <string>
#include <string_view>
#include <vector>

#include "colour/colour_scheme.h"

// Replaces every code of the scheme by its token: foreground entries 1..20 first, then
// background entries 1..20, each over the text the previous entries left (so of two
// codes where one contains the other the lower entry wins, and a later code may match
// inside tokens already put in). Matches are exact and case-sensitive and do not
// overlap. An entry without a code is passed over.
std::string translateCodes(std::string_view text, const ColourLists& scheme);

// Line n (from 0) of a text as the preview splits it: lines end at a CR, which is kept
// at the end of its line; the LF after a CR belongs to the line break. A byte 0 or 26
// (Ctrl-Z) ends the text. Beyond the last line the result is empty. A lone LF does not
// end a line.
std::string nthLine(std::string_view text, int n);

// One label of the preview: text placed at a character cell, drawn in the foreground
// colour, and over a filled background when opaque.
struct ColourLabel {
    std::string text;  // the bytes drawn; a valid UTF-8 sequence takes one cell
    int column = 1;    // cell of its first character, from 1
    int line = 1;      // from 1
    int fg = 1;        // entry numbers in force; may lie outside 1..20 (a typed \c99)
    int bg = 1;
    ColourValue foreground = 0;  // the entries' colours (entry 1's for entries outside 1..20)
    ColourValue background = 0;
    bool opaque = false;  // only a label with text is drawn over its background colour

    bool operator==(const ColourLabel&) const = default;
};
using ColourLabelList = std::vector<ColourLabel>;

// The labels that draw the first `lines` lines of a tokenised text. Every line starts a
// label at its first cell; a token that changes the colours in force starts a new label
// at the next cell when the label at hand already has text (a background token always
// does), otherwise it recolours that label. The colours carry over from line to line;
// text before any token is in entries 1 and 1, and foreground token 01 also returns
// the background to entry 1. A token's entry below 1 counts as 1. A backslash that does
// not start a token (fewer than three characters after it in its line, the line's CR
// included, or a letter other than c or b) is drawn like any other character. Line
// ends are not drawn, and a lone LF takes no cell either.
ColourLabelList renderColoured(std::string_view tokenised, int lines, const ColourLists& scheme);

// translateCodes and renderColoured in one: what every preview draws for a text.
ColourLabelList colouredPreview(std::string_view text, int lines, const ColourLists& scheme);
