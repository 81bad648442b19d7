#pragma once
// The zone's invariants as one answer for the model-based test and the fuzz targets:
// "" when all holds, otherwise the first broken promise. The store is driven there
// without the map's registration of unplaced rooms, so that promise is not asked for.
#include <string>

#include "map/zone_invariants.h"

inline std::string worldProblem(const WorldStore& store, const MapModel& map, bool fullScan) {
    const std::vector<std::string> faults =
        zoneInvariantFaults(store, map, ZoneCheck{.fullScan = fullScan, .offMapRoomsListed = false});
    return faults.empty() ? std::string() : faults.front();
}
