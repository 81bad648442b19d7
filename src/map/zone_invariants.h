#pragma once
// Everything the store and the map promise about their own state, checked from the
// outside: for the model-based tests, the fuzz targets and the monkey, which run it
// after every step. Each fault is one line of text naming the broken promise; an
// empty list means all holds.
#include <string>
#include <vector>

#include "map/map_model.h"
#include "world/world_store.h"

struct ZoneCheck {
    // Also walk all 100,000 cells instead of trusting the grid's own count of occupied cells.
    bool fullScan = true;
    // Every room off the map must have its entry in the placement list. Code that drives
    // the store without the map (the store's own tests) turns this off.
    bool offMapRoomsListed = true;
};

// Index: links both ways, first/last/size, node numbers equal to their rooms', no room
// twice, current none or in the index, findByVnum giving the first node of each number,
// sorted() true only when the index is in order. Extra descriptions: each chain's links
// agree both ways and end at the room's tail. Grid: a cell holds a room exactly when the
// room names that cell, rooms off the map carry -1 three times. Placement list: links,
// positions, one entry per room, each naming a live room off the map.
// At most one fault per part (index, extra descriptions, grid, placement list).
std::vector<std::string> zoneInvariantFaults(const WorldStore& store, const MapModel& map, ZoneCheck check = {});

// The parts on their own; "" when all holds, otherwise the first broken promise.
std::string indexFault(const WorldStore& store);
std::string extraDescFault(const WorldStore& store);
std::string gridFault(const WorldStore& store, const MapGrid& grid, bool fullScan);
std::string placementFault(const WorldStore& store, const PlacementList& list, bool offMapRoomsListed);
