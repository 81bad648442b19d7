#pragma once
// A zone that fills the map, with the commands the benchmarks run on it and the recorder
// that makes their changes undoable.
#include "map/map_commands.h"
#include "map/room_operations.h"
#include "world/zone_history.h"
#include "zone_files.h"

struct CommandZone {
    WorldStore store;
    MapModel map{store};
    YesPrompts prompts;
    RoomOperations rooms{store, map, prompts};
    MapRoomCommands commands{store, map, prompts};
    ZoneHistoryRecorder recorder{store, map};

    explicit CommandZone(int32_t lastRoom = 99999, bool extraDescriptions = false) {
        fillMapWithRooms(store, map.grid, lastRoom, extraDescriptions);
    }

    // DELETE over the cells of level z in columns 1..columns.
    void deleteOnLevel(int z, int columns = kMapColumns) {
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= columns; ++x) commands.deleteRoom(x, y, z);
    }
};
