#pragma once
// The world files named on a command line: files as given, and for a directory every
// *.wld in it (by name), or, when it holds a file "index", the files that index lists in
// its order, a line a name, up to a line "$". What the index says wrong is reported
// against its lines: a name that is no file (a missing-file finding), the index itself,
// a file named twice (here or by another argument: read once).
#include <string>
#include <vector>

struct IndexNote {
    std::string file;  // the index
    int line = 0;
    std::string text;
    bool missingFile = false;  // a missing-file finding; otherwise a message of the index
};

struct WorldFiles {
    // Each file once, in the order named; the notes of an index come before its files.
    struct Item {
        std::string path;
        std::vector<IndexNote> notes;  // told before this file (empty for most)
    };
    std::vector<Item> files;
    std::vector<IndexNote> trailingNotes;  // of an index that listed no readable file at its end
    bool unreadable = false;               // an argument that could not be read (told on stderr)
};

// Expands the arguments; an argument that cannot be read is told on stderr as
// "quendry-wld: NAME: reason" and left out.
WorldFiles worldFiles(const std::vector<std::string>& operands);
