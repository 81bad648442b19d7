// Emptying a loaded, placed zone the way Load and New Area do.
#include <benchmark/benchmark.h>

#include "zone_files.h"

namespace {

void BM_DeleteAllRooms(benchmark::State& state) {
    const std::string& path = zoneFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto world = loadZone(path);
        state.ResumeTiming();
        world->store.deleteAllRooms();
        benchmark::DoNotOptimize(world->store.first());
        state.PauseTiming();
        world.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DeleteAllRooms)->Arg(1000)->Arg(10000)->Arg(99999)->ArgName("rooms")->Unit(benchmark::kMillisecond);

}  // namespace
