// Building the world-file text of a loaded zone, in DOS and in UNIX form.
#include <benchmark/benchmark.h>

#include "wldfile/world_writer.h"
#include "zone_files.h"

namespace {

void BM_WriteDos(benchmark::State& state) {
    const auto world = loadZone(zoneFile(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(buildWorldText(world->store, true));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteDos)->Arg(1000)->Arg(10000)->Arg(99999)->ArgName("rooms")->Unit(benchmark::kMillisecond);

void BM_WriteUnix(benchmark::State& state) {
    const auto world = loadZone(zoneFile(static_cast<int>(state.range(0))));
    for (auto _ : state) benchmark::DoNotOptimize(stripCarriageReturns(buildWorldText(world->store, false)));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteUnix)->Arg(1000)->Arg(10000)->Arg(99999)->ArgName("rooms")->Unit(benchmark::kMillisecond);

}  // namespace
