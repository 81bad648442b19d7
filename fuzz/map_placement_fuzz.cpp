// The input is a map position file beside a small fixed world. Whatever it holds, after
// the placement (from the file, or the layout when the file places nothing) and the
// listing of the rooms left off the map, the grid, the rooms' positions and the
// placement list agree; deleting every room then leaves grid and list empty.
#include <cstdint>
#include <memory>

#include "fuzz_support.h"
#include "map/auto_placement.h"
#include "store_invariants.h"

namespace {

// Rooms in file order, two of them sharing a number, with exits that cross, loop, lead
// out of the zone and stack rooms on the levels.
void addWorld(WorldStore& store) {
    struct RoomSeed {
        int32_t vnum;
        std::array<int32_t, kDirectionCount> exits;
    };
    const RoomSeed rooms[] = {
        {3001, {3002, 3003, 0, 0, 3010, 0}},  {3002, {3004, 0, 3001, 3005, 0, 0}},
        {3003, {0, 3006, 0, 3001, 0, -4}},    {3004, {3004, 3001, 3002, 9999, 0, 0}},
        {3002, {0, 0, 0, 3003, 0, 0}},        {3005, {0, 3002, 0, 0, 0, 3006}},
        {3006, {3007, 0, 0, 3003, 3005, 0}},  {3007, {0, 0, 3006, 0, 0, 0}},
        {3010, {0, 0, 0, 0, 3011, 3001}},     {3011, {0, 0, 0, 0, 3012, 3010}},
        {3012, {0, 0, 0, 0, 3001, 3011}},     {2999, {0, 0, 0, 0, 0, 0}},
    };
    for (const RoomSeed& s : rooms) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = s.vnum;
        room->exitTo = s.exits;
        store.appendNode(WorldStore::makeNode(std::move(room)));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string worldPath = fuzz::scratchPath("world.wld");
    fuzz::writeFile(mapFilePath(worldPath), data, size);

    // One store and map for the whole run: deleting every room at the end of each input
    // must leave them as good as new, which the checks below make sure of.
    static WorldStore store;
    static MapModel map(store);
    addWorld(store);
    fuzz::CountingPrompts prompts;
    mapLoadedWorld(store, map, worldPath, prompts);
    for (RoomIndexNode* n = store.first(); n; n = n->next)
        if (!n->room->onMap()) map.placement.registerUnplacedRoom(*n->room);
    // Walking all 100,000 cells costs more than the rest of a run: every 64th run.
    static unsigned runs = 0;
    fuzz::check(worldProblem(store, map, runs++ % 64 == 0));

    store.deleteAllRooms();
    fuzz::check(worldProblem(store, map, false));
    if (map.grid.roomCount() != 0 || map.placement.size() != 0) fuzz::fail("rooms left on the map or in the list");
    return 0;
}
