// The editor's whole load road over generated zones, with and without the order check.
#include <benchmark/benchmark.h>

#include "zone_files.h"

namespace {

void BM_LoadRoad(benchmark::State& state) {
    const std::string& path = zoneFile(static_cast<int>(state.range(0)));
    const bool checkOrder = state.range(1) != 0;
    for (auto _ : state) {
        auto world = loadZone(path, checkOrder);
        benchmark::DoNotOptimize(world->store.last());
        state.PauseTiming();  // freeing the zone is not part of loading it
        world.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["ns_per_room"] = benchmark::Counter(
        static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadRoad)
    ->ArgsProduct({{1000, 10000, 99999}, {1, 0}})
    ->ArgNames({"rooms", "orderCheck"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
