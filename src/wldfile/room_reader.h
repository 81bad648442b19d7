#pragma once
// Reading one room of a world file into the store, after its "#" header line.
#include <cstdint>

#include "wldfile/wld_read_context.h"
#include "world/world_store.h"

enum class ReadStep {
    Ok,
    Failed,            // a format error was reported; the read stops
    ConversionFailed,  // a number that is not a valid integer: the read stops at once
};

// Reads the room numbered vnum and puts it into the index (in number order when
// checkOrder is on, else at the end) as soon as its name and description are read;
// current is the new node. A room whose reading fails afterwards is deleted again,
// except after a conversion failure, which leaves it as far as it was read.
ReadStep readRoom(WldReadContext& ctx, WorldStore& store, int32_t vnum, bool checkOrder);

// Reads one exit block, after its "D" line: directions 0..5 in a room of the classic
// form, 0..9 in one of the newer form. Values stored before a failure stay.
ReadStep readExit(WldReadContext& ctx, RoomDataType& room, int32_t direction, WorldForm form);
