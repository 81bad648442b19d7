#pragma once
// Generated zones written once per run to the temporary directory, and loading them
// the way the editor does, for the benchmarks.
#include <memory>
#include <string>

#include "map/map_model.h"
#include "world/prompts.h"
#include "world/world_store.h"

// Prompts for commands run without anyone to ask: every question is answered Yes.
class YesPrompts : public Prompts {
public:
    void message(const std::string&) override {}
    bool confirm(const std::string&) override { return true; }
};

// The number of the room at a cell of a zone that fills the map in cell order.
inline int32_t vnumAt(int x, int y, int z) { return 1 + (x - 1) + 100 * (y - 1) + 10000 * z; }

// Fills an empty store with rooms over the whole map, cell by cell from level 0, each
// linked to its neighbours; the first room current. Up to room 99,999 (every cell but the
// last) or 100,000 (every cell); each with an extra description when asked.
void fillMapWithRooms(WorldStore& store, MapGrid& grid, int32_t lastRoom = 99999, bool extraDescriptions = false);

// The path of a generated zone of that many rooms (seed 1, zone 1), written on first use.
const std::string& zoneFile(int rooms);
// The same rooms in the newer form, written on first use: every room's flag line has six
// fields, one room in three sets a bit of flag word 2 and one in seven of word 3, one in
// two has a trigger and one in five a second one (as bench/newer_form.py makes them).
const std::string& newerZoneFile(int rooms);

struct BenchWorld {
    WorldStore store;
    MapModel map{store};
};

// The editor's whole load road: read, adopt, place, register the rooms off the map.
// Aborts the benchmark run when the load shows a message: the figures would be meaningless.
std::unique_ptr<BenchWorld> loadZone(const std::string& path, bool checkOrder = true);
