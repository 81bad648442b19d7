#pragma once
// colors.txt: the colour scheme in the start-up directory. Plain 8-bit text with CR LF
// line ends, two lines for every entry that has a code, foregrounds 1..20 first, then
// backgrounds 1..20:
//   f2 0000FF        kind letter (f or b), entry number, one blank, six hex digits
//   /cr              the code, alone on its line, exactly as typed (blanks included)
// Entries without a code are not written.
#include <iosfwd>
#include <string>

#include "colour/colour_scheme.h"

class Prompts;

inline constexpr const char* kColourFileName = "colors.txt";

// The start-up directory joined with colors.txt.
std::string colourFilePath(const std::string& directory);

// The file text of the lists' entries that have a code.
std::string colourFileText(const ColourLists& lists);

// What reading a colors.txt gave: the lists as the file describes them (an entry the
// file does not mention has no code and colour 000000), or the error that stopped the
// reading ("" when it read to the end).
struct ColourFileRead {
    ColourLists lists;
    std::string error;
};

// Reads record after record up to the end of the input. A record is a kind character,
// an entry number (blanks and line ends before it are skipped; it ends at the next
// blank or line end) and, for the kinds f and b, the rest of that line after one
// skipped character as the colour field and the whole next line as the code. Any other
// kind stores nothing and the next record starts right after the number. A record for
// an entry outside 1..20 is read and ignored. An entry number that is not an integer
// (a blank line before a record shifts the reading onto the next line's text) stops the
// reading with the error "Invalid numeric format".
ColourFileRead readColourText(std::istream& in);

// The start-up reading. The scheme starts over as the built-in one; when colors.txt
// exists in the directory, its saved and working copies become what the file gives and
// the file mark is set. A file that cannot be opened or read, or that stops with an
// error, is reported through prompts (the file's path, ": " and the error) and leaves
// the scheme the built-in one with the mark off.
void loadColourFile(ColourScheme& scheme, const std::string& directory, Prompts& prompts);

// Writes the working copy to colors.txt in the directory through the safe file
// replacement (the scheme's writeFile). On success the saved copy becomes the working
// one and the file mark is set; on failure the system's message is reported, the old
// file stays as it was, and the copies and the mark are unchanged. Returns whether the
// file was written.
bool saveColourFile(ColourScheme& scheme, const std::string& directory, Prompts& prompts);
