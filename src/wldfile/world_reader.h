#pragma once
// The load road of a world file: read it into the (empty) store, adopt the world that
// was read, lay it out on the map and list the rooms left off the map.
#include <functional>
#include <string>
#include <string_view>

#include "map/auto_placement.h"
#include "map/map_model.h"
#include "wldfile/room_lines.h"
#include "wldfile/world_into_store.h"
#include "world/prompts.h"
#include "world/world_store.h"

struct LoadRoad {
    WorldStore& store;
    MapModel& map;
    Prompts& prompts;
    LoadProgress& progress;
    bool checkOrder = true;                            // "Check room &order while loading"
    std::function<void(const std::string&)> helpText;  // the main window's help panel; may be empty
    int readerLine = 0;  // 1-based line where the reader stood, kept current when a message is shown
    RoomLineLog* roomLines = nullptr;       // when set, gets every room read with its lines
    MapSource mapSource = MapSource::None;  // where the positions came from; None when nothing was placed
    WorldFormReport forms{};                // the forms the file's rooms were written in
};

// The whole load road on an empty store: read, then (when rooms were read) the
// partial-world message if the read failed, store.adoptLoadedWorld(), mapLoadedWorld,
// then every room still off the map goes into the placement list in index order, then
// the help panel is emptied. A file that cannot be read reports the system's error text
// and leaves the store alone.
void readWorldFile(const std::string& path, LoadRoad& road);

// The same from bytes already in memory; path only names the map position file.
void readWorldData(std::string_view data, const std::string& path, LoadRoad& road);
