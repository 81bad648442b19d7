#pragma once
// The whole state of a loaded world as one JSON document, for `quendry-wld dump`:
// the messages shown while loading, the zone header and form, every room in index order
// with its exits, extra descriptions and map position (and, in the newer form, its four
// flag words, triggers and diagonal exits), and the placement list.
#include <string>
#include <vector>

#include "map/map_model.h"
#include "world/world_store.h"

std::string worldToJson(const WorldStore& store, const PlacementList& placement,
                        const std::vector<std::string>& messages);
