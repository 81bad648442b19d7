#pragma once
// The automatic layout of a zone that has no usable map position file: the first room
// of the index goes to column 50, row 50, level 5, and every room reached from a placed
// room through an exit goes one cell away in the exit's direction, or further along
// that line when the cell is taken. Rooms are visited depth first, exits in the order
// North, East, South, West, Up, Down; the order decides which room gets a contested cell.
// Only positions change: no exit is touched.
#include <cstddef>

#include "map/map_model.h"
#include "world/world_store.h"

constexpr int kLayoutStartX = 50;
constexpr int kLayoutStartY = 50;
constexpr int kLayoutStartZ = 5;
constexpr int kLayoutStepLimit = 99999;  // steps of one search for a free cell

// Returns the number of rooms placed (0 for an empty store).
size_t layOutFromFirstRoom(const WorldStore& store, MapGrid& grid);
