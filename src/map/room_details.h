#pragma once
// What the map's tooltip tells about a room: its number and name, its sector and flags by
// the names of the definition tables, and each exit with its destination, door flag and
// key, marking an exit that does not lead to the neighbour that way and one that leads to
// no room of the zone.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "map/map_model.h"
#include "world/world_store.h"

// The names the definition tables give; the map cannot read the tables itself, so the
// program hands it one of these (the editor's reads its bitvector and sector tables).
class DefinitionNames {
public:
    virtual ~DefinitionNames() = default;
    // The sector type's name; empty when the table has none for the value.
    virtual std::string sectorName(int32_t sector) const = 0;
    // The flag of one bit (value 2^n); empty when the table has none.
    virtual std::string flagName(int32_t bitValue) const = 0;
    // Every sector type of the table, value and name, in table order (the legend).
    virtual std::vector<std::pair<int32_t, std::string>> sectors() const = 0;
};

extern const char* const kDirectionNames[kAllDirectionCount];  // "North" .. "SouthWest"

// The tooltip's lines, as bytes. `names` may be none: numbers stand for the names then.
std::vector<std::string> roomDetails(const MapGrid& grid, const WorldStore& store, const RoomDataType& room,
                                     const DefinitionNames* names);
