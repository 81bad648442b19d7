#pragma once
// Reading world-file data into an empty store, with the progress window and every
// format message, up to (not including) the adoption of the world that was read.
#include <string_view>

#include "wldfile/room_lines.h"
#include "world/prompts.h"
#include "world/world_store.h"

enum class WorldReadResult {
    Success,           // a "$" line or a header number of 99999 or more ended the read
    Failed,            // a format error or a cancellation ended it; the rooms read so far stay
    ConversionFailed,  // a number that is not a valid integer ended it at once
};

// The forms the rooms of a file were written in. A file may mix them: each room is read
// in its own form, and the zone takes the form of the file's first room.
struct WorldFormReport {
    WorldForm form = WorldForm::Classic;  // the first room's
    size_t otherFormRooms = 0;            // rooms in the other form
    int32_t firstOtherVnum = 0;           // the first of them in the file
    int firstOtherLine = 0;               // its header line
    // Where a header numbered 99999 or more ended the read, as it ends the server's: its
    // line and number; 0 when none did.
    int endMarkerLine = 0;
    int32_t endMarkerNumber = 0;
};

// checkOrder: duplicate numbers are refused and rooms enter in number order; off, rooms
// are appended in file order. readerLine (may be none) holds the 1-based line the reader
// stood on whenever a message is shown. roomLines (may be none) gets every room read with
// the lines of its header and exit blocks. forms (may be none) gets the forms of the
// rooms; the store's zoneForm becomes the first room's.
WorldReadResult readWorldIntoStore(std::string_view data, WorldStore& store, Prompts& prompts,
                                   LoadProgress& progress, bool checkOrder, int* readerLine = nullptr,
                                   RoomLineLog* roomLines = nullptr, WorldFormReport* forms = nullptr);
