#pragma once
// Where a room's exit leads, seen from the map: to the room in the next cell that way, to
// a room elsewhere on the same level, to a room on another level or off the map, or to a
// number no room of the zone has. The board draws the exits that do not lead to the
// neighbour (long exits), its tooltip names them, and quendry-wld render draws them too.
#include <cstdint>
#include <vector>

#include "map/map_model.h"
#include "world/world_store.h"

enum class ExitReach {
    None,       // no exit (destination 0 or below)
    Neighbour,  // the room in the next cell in the exit's direction
    SameLevel,  // a room on the map on the same level, not the neighbour
    Elsewhere,  // a room of the zone on another level or not on the map
    Missing,    // a number no room of the zone has
};

struct ExitTarget {
    ExitReach reach = ExitReach::None;
    const RoomDataType* room = nullptr;  // the destination, when the zone has it
};

// Exit `direction` (0..9; the diagonal ones of the newer form included) of a room on
// the map or not (a room off the map has no neighbours).
ExitTarget exitTarget(const MapGrid& grid, const WorldStore& store, const RoomDataType& room, int direction);

// One exit of a room on a level that does not lead to its neighbour.
struct LongExit {
    int x = 0, y = 0;  // the room's cell
    int direction = 0;
    ExitReach reach = ExitReach::SameLevel;  // SameLevel, Elsewhere or Missing
    int toX = 0, toY = 0;  // the destination's cell, for SameLevel
};

// Every such exit of the rooms of level Z, row by row from the top, each row from the
// left, each room's exits in direction order. Visits the level's 10,000 cells once and
// looks a number up only for an exit that does not lead to its neighbour.
std::vector<LongExit> longExitsOfLevel(const MapGrid& grid, const WorldStore& store, int z);
