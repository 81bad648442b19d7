// The automatic layout of a loaded zone and the registration of every room as off the map.
#include <benchmark/benchmark.h>

#include "map/auto_placement.h"
#include "world/prompts.h"
#include "zone_files.h"

namespace {

class NoPrompts : public Prompts {
public:
    void message(const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
};

void takeEveryRoomOffTheMap(BenchWorld& world) {
    for (RoomIndexNode* node = world.store.first(); node; node = node->next) {
        const RoomDataType& room = *node->room;
        if (room.onMap()) world.map.grid.takeRoom(room.mapX, room.mapY, room.mapZ);
    }
}

void BM_AutoLayout(benchmark::State& state) {
    const auto world = loadZone(zoneFile(static_cast<int>(state.range(0))));
    NoPrompts prompts;
    for (auto _ : state) {
        state.PauseTiming();
        takeEveryRoomOffTheMap(*world);
        state.ResumeTiming();
        // A world path without a map position file beside it: the layout walks the exits.
        mapLoadedWorld(world->store, world->map, "no-such-dir/none.wld", prompts);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AutoLayout)->Arg(1000)->Arg(10000)->Arg(99999)->ArgName("rooms")->Unit(benchmark::kMillisecond);

void BM_RegisterEveryRoomUnplaced(benchmark::State& state) {
    const auto world = loadZone(zoneFile(static_cast<int>(state.range(0))));
    takeEveryRoomOffTheMap(*world);
    PlacementList& list = world->map.placement;
    for (auto _ : state) {
        state.PauseTiming();
        while (list.first()) list.unlinkPlacementEntry(list.first());
        state.ResumeTiming();
        for (RoomIndexNode* node = world->store.first(); node; node = node->next)
            list.registerUnplacedRoom(*node->room);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_RegisterEveryRoomUnplaced)
    ->Arg(1000)->Arg(10000)->Arg(99999)->ArgName("rooms")->Unit(benchmark::kMillisecond);

}  // namespace
