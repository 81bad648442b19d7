#pragma once
// A world file loaded as the editor loads it (read, adopt, place, register the rooms
// left off the map), with every message the load showed kept together with the line
// of the world file the reader had reached.
#include <string>
#include <vector>

#include "map/auto_placement.h"
#include "map/map_model.h"
#include "wldfile/room_lines.h"
#include "wldfile/world_into_store.h"
#include "world/world_store.h"

struct LoadMessage {
    int line = 0;
    std::string text;
};

struct LoadedWorld {
    WorldStore store;
    MapModel map{store};
    std::vector<LoadMessage> messages;
    RoomLineLog roomLines;                  // filled only when the load was asked to log lines
    MapSource mapSource = MapSource::None;  // where the rooms' positions came from
    WorldFormReport forms;                  // the forms the rooms were written in

    std::vector<std::string> messageTexts() const;
};

// Whether the file can be opened for reading; otherwise prints
// "quendry-wld: FILE: <reason>" on stderr and gives false.
bool readableFile(const std::string& path);

// The whole load road of the editor for one file; the store starts empty. logLines:
// note where every room and exit block stands in the file (world.roomLines). A file that
// mixes the two forms gets a warning among the messages, at the first room whose form
// differs from the first room's.
void loadWorld(const std::string& path, bool checkOrder, LoadedWorld& world, bool logLines = false);

// Prints each message as "FILE:LINE: message" on stderr, one per line.
void printMessages(const std::string& path, const LoadedWorld& world);
