#pragma once
// Checks of everything the store and the map promise about their own state, for the
// model-based test and the fuzz targets. Each returns "" when all holds, otherwise a
// description of the first broken promise.
#include <string>

#include "map/map_model.h"
#include "world/world_store.h"

// Links both ways, first/last/size, node numbers equal to their rooms', current in the
// index, findByVnum giving the first node of each number, sorted() telling the truth.
std::string storeProblem(const WorldStore& store);

// A cell holds a room exactly when the room names that cell, every room of the grid
// belongs to the store, rooms off the map carry -1 three times. fullScan also walks all
// 100,000 cells (slower) instead of trusting the grid's own count of occupied cells.
std::string gridProblem(const WorldStore& store, const MapGrid& grid, bool fullScan);

// Links both ways, positions, one entry per room at most, every entry naming a live room
// of the store that is not on the map.
std::string placementProblem(const WorldStore& store, const PlacementList& list);

// All three.
std::string worldProblem(const WorldStore& store, const MapModel& map, bool fullScan);
