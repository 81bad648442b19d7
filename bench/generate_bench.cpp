// The zone generator itself, so its share of a benchmark's set-up is known.
#include <benchmark/benchmark.h>

#include "cli/zone_generator.h"

namespace {

void BM_GenerateZone(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(generateZone(static_cast<int>(state.range(0)), 1, 1));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_GenerateZone)->Arg(1000)->Arg(99999)->ArgName("rooms")->Unit(benchmark::kMillisecond);

}  // namespace
