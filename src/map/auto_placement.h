#pragma once
// Puts the rooms of a world that has just been read on the map: from the map position
// file beside the world file when it places at least one room, otherwise by walking the
// exits out from the first room.
#include <functional>
#include <string>

#include "map/map_model.h"
#include "world/prompts.h"
#include "world/world_store.h"

// The map position file of a world file: its last three characters replaced by "map".
std::string mapFilePath(const std::string& worldPath);

// Where the positions of a loaded world came from.
enum class MapSource {
    None,    // nothing was placed: the store was empty
    File,    // the map position file (also when an invalid number ended its reading)
    Layout,  // the automatic layout, for want of a map position file that places a room
};

// Returns false when "Invalid numeric input" ended the reading of the map position file.
// helpText shows "Mapping..." in the main window's help panel (may be empty); source
// (may be none) is told where the positions came from.
bool mapLoadedWorld(WorldStore& store, MapModel& map, const std::string& worldPath, Prompts& prompts,
                    const std::function<void(const std::string&)>& helpText = {},
                    MapSource* source = nullptr);
