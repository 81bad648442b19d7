#pragma once
// The colour scheme of the coloured preview: 20 foreground and 20 background colour
// codes, each with the colour it stands for.
//
// One ColourScheme lives for the whole run (QuendryApp owns it, the colour scheme
// dialog edits it, every preview reads its `working` lists). It keeps the four copies
// of the lists that every set-up dialog keeps (Copies, uibase/settings_copies.h):
//   working   the current lists: what the previews draw with and the dialog's fields show
//   defaults  the built-in table; never changed
//   saved     the last colors.txt read or written (the built-in table when there was none)
//   onOpen    taken when the dialog opens; its Cancel goes back to it
// and `loaded`, set when colors.txt was read at start-up or written since (only then
// can the dialog revert to the saved copy). Reading and writing colors.txt is in
// colour/colour_file.h.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "uibase/settings_copies.h"

inline constexpr int kColourEntries = 20;

// A colour: red in the low byte, green in the middle byte, blue in the high byte, so
// 0x0000FF is pure red and 0xFF0000 pure blue.
using ColourValue = uint32_t;

// Twenty values addressed by entry 1..20. Element 0 exists only so that entry n is
// element n; an entry outside 0..20 throws instead of reaching past the end.
template <typename T>
struct ColourEntries {
    std::array<T, kColourEntries + 1> entries{};
    T& operator[](int entry) { return entries.at(static_cast<size_t>(entry)); }
    const T& operator[](int entry) const { return entries.at(static_cast<size_t>(entry)); }
    bool operator==(const ColourEntries&) const = default;
};

// One copy of the four lists. Default-constructed: no codes, every colour 000000.
// An empty code means that the entry has no code.
struct ColourLists {
    ColourEntries<std::string> fgCodes;
    ColourEntries<ColourValue> fgColours;
    ColourEntries<std::string> bgCodes;
    ColourEntries<ColourValue> bgColours;

    bool operator==(const ColourLists&) const = default;

    // The program's own scheme: /c0 /cr /cg ... /cW and /b0 /br ... /bw.
    static ColourLists builtIn();

    // The colour an entry draws with. Entry 1 is the colour-off entry; an entry
    // outside 1..20 (a token such as \c99 typed into a text) draws with entry 1.
    ColourValue foreground(int entry) const;
    ColourValue background(int entry) const;
};

// The scheme with its four copies, kept as every set-up dialog keeps its data; `working`
// is the current copy, which the previews draw with. The copies start as the built-in
// table, and Save writes colors.txt (its text: colourFileText of the working copy).
class ColourScheme : public Copies<ColourLists> {
public:
    ColourScheme();
};

// The colour as colors.txt and the dialog show it: exactly six upper-case hexadecimal
// digits of the value ("0000FF" is pure red).
std::string hexText(ColourValue colour);

// A colour field as typed: its first six characters at most (a UTF-8 sequence is one
// character), each a hexadecimal digit of either case; any other character counts as
// digit 0. An empty field gives 0.
ColourValue parseHex(std::string_view field);
