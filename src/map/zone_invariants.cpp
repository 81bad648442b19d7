#include "map/zone_invariants.h"

#include <climits>
#include <map>
#include <sstream>
#include <unordered_set>

namespace {

template <typename... Parts>
std::string describe(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

}  // namespace

std::string indexFault(const WorldStore& store) {
    if ((store.first() == nullptr) != (store.last() == nullptr)) return "first and last disagree about emptiness";
    if (store.first() && store.first()->prev) return "first has a predecessor";
    if (store.last() && store.last()->next) return "last has a successor";
    size_t count = 0;
    bool currentSeen = store.current() == nullptr;
    bool nonDecreasing = true;
    std::map<int32_t, const RoomIndexNode*> firstOf;
    std::unordered_set<const RoomDataType*> rooms;
    const RoomIndexNode* previous = nullptr;
    for (const RoomIndexNode* n = store.first(); n; previous = n, n = n->next) {
        if (++count > store.size()) return describe("walk from first passes size ", store.size());
        if (n->prev != previous) return describe("node ", n->vnum, " at ", count - 1, " has a wrong prev");
        if (!n->room) return describe("node ", n->vnum, " has no room");
        if (n->vnum != n->room->vnum) return describe("node ", n->vnum, " holds room ", n->room->vnum);
        if (!rooms.insert(n->room.get()).second) return describe("room ", n->vnum, " is in the index twice");
        if (previous && previous->vnum > n->vnum) nonDecreasing = false;
        if (n == store.current()) currentSeen = true;
        firstOf.try_emplace(n->vnum, n);
    }
    if (previous != store.last()) return "the walk from first does not end at last";
    if (count != store.size()) return describe("size ", store.size(), " but ", count, " nodes");
    if (store.empty() != (count == 0)) return "empty() disagrees with the walk";
    if (!currentSeen) return "current is not in the index";
    if (store.sorted() && !nonDecreasing) return "sorted() claims order the index does not have";
    for (const auto& [vnum, node] : firstOf)
        if (store.findByVnum(vnum) != node) return describe("findByVnum(", vnum, ") is not the first node with it");
    for (int32_t probe : {-1, 0, 99999, INT32_MIN, INT32_MAX})
        if (!firstOf.count(probe) && store.findByVnum(probe))
            return describe("findByVnum(", probe, ") finds a number not in the index");
    return {};
}

std::string extraDescFault(const WorldStore& store) {
    for (const RoomIndexNode* n = store.first(); n; n = n->next) {
        const RoomDataType& r = *n->room;
        const ExtraDescType* previous = nullptr;
        std::unordered_set<const ExtraDescType*> seen;
        for (const ExtraDescType* e = r.extraDescs; e; previous = e, e = e->next) {
            if (!seen.insert(e).second) return describe("room ", r.vnum, ": its extra descriptions form a loop");
            if (e->prev != previous)
                return describe("room ", r.vnum, ": extra description ", seen.size() - 1, " has a wrong prev");
        }
        if (r.lastExtraDesc() != previous)
            return describe("room ", r.vnum, ": the extra description chain does not end at its tail");
    }
    return {};
}

std::string gridFault(const WorldStore& store, const MapGrid& grid, bool fullScan) {
    std::unordered_set<const RoomDataType*> rooms;
    size_t onMap = 0;
    for (const RoomIndexNode* n = store.first(); n; n = n->next) {
        const RoomDataType& r = *n->room;
        rooms.insert(&r);
        if (r.onMap()) {
            ++onMap;
            if (!insideMap(r.mapX, r.mapY, r.mapZ))
                return describe("room ", r.vnum, " names cell (", r.mapX, ",", r.mapY, ",", r.mapZ, ") outside the grid");
            if (grid.cellAt(r.mapX, r.mapY, r.mapZ) != &r)
                return describe("room ", r.vnum, " names cell (", r.mapX, ",", r.mapY, ",", r.mapZ,
                                ") that does not hold it");
        } else if (r.mapX != -1 || r.mapY != -1 || r.mapZ != -1) {
            return describe("room ", r.vnum, " is off the map with position (", r.mapX, ",", r.mapY, ",", r.mapZ, ")");
        }
    }
    if (grid.roomCount() != onMap)
        return describe("the grid counts ", grid.roomCount(), " rooms but ", onMap, " rooms are on the map");
    if (!fullScan) return {};
    size_t occupied = 0;
    for (int z = 0; z < kMapLevels; ++z)
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= kMapColumns; ++x) {
                const RoomDataType* r = grid.cellAt(x, y, z);
                if (!r) continue;
                ++occupied;
                if (!rooms.count(r)) return describe("cell (", x, ",", y, ",", z, ") holds a room not in the store");
                if (r->mapX != x || r->mapY != y || r->mapZ != z)
                    return describe("cell (", x, ",", y, ",", z, ") holds room ", r->vnum, " that names (", r->mapX,
                                    ",", r->mapY, ",", r->mapZ, ")");
            }
    if (occupied != onMap) return describe(occupied, " cells occupied but ", onMap, " rooms on the map");
    return {};
}

std::string placementFault(const WorldStore& store, const PlacementList& list, bool offMapRoomsListed) {
    std::unordered_set<const RoomDataType*> rooms;
    for (const RoomIndexNode* n = store.first(); n; n = n->next) rooms.insert(n->room.get());
    std::unordered_set<const RoomDataType*> listed;
    size_t position = 0;
    const PlacementEntry* previous = nullptr;
    for (const PlacementEntry* e = list.first(); e; previous = e, e = e->next, ++position) {
        if (position >= list.size()) return "the placement list is longer than its size";
        if (e->prev != previous) return describe("placement entry ", position, " has a wrong prev");
        if (!rooms.count(e->room)) return describe("placement entry ", position, " names a room not in the store");
        if (e->room->onMap()) return describe("room ", e->room->vnum, " is on the map and listed");
        if (!listed.insert(e->room).second) return describe("room ", e->room->vnum, " is listed twice");
        if (list.findByRoom(e->room) != e) return describe("findByRoom misses room ", e->room->vnum);
        if (list.positionOf(e) != position || list.placementEntryAt(position) != e)
            return describe("placement position ", position, " is not found both ways");
    }
    if (previous != list.last()) return "the placement list does not end at last";
    if (position != list.size()) return describe("placement size ", list.size(), " but ", position, " entries");
    if (list.placementEntryAt(position)) return "placementEntryAt finds an entry past the end";
    if (offMapRoomsListed)
        for (const RoomIndexNode* n = store.first(); n; n = n->next)
            if (!n->room->onMap() && !listed.count(n->room.get()))
                return describe("room ", n->vnum, " is off the map but not in the placement list");
    return {};
}

std::vector<std::string> zoneInvariantFaults(const WorldStore& store, const MapModel& map, ZoneCheck check) {
    std::vector<std::string> faults;
    const bool indexSound = [&] {
        std::string fault = indexFault(store);
        if (fault.empty()) return true;
        faults.push_back(std::move(fault));
        return false;
    }();
    // The other parts walk the index: with broken links they could loop or stray.
    if (!indexSound) return faults;
    for (std::string fault : {extraDescFault(store), gridFault(store, map.grid, check.fullScan),
                              placementFault(store, map.placement, check.offMapRoomsListed)})
        if (!fault.empty()) faults.push_back(std::move(fault));
    return faults;
}
