// Reading generated zones into the store, and the editor's whole load road (read,
// adopt, place, register), each with and without the order check, and in the newer form.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "wldfile/world_into_store.h"
#include "world/prompts.h"
#include "zone_files.h"

namespace {

class NoPrompts : public Prompts {
public:
    void message(const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
};

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The reader alone, from bytes in memory: no file, no adoption, no layout.
void BM_Read(benchmark::State& state) {
    const std::string data = fileBytes(zoneFile(static_cast<int>(state.range(0))));
    const bool checkOrder = state.range(1) != 0;
    NoPrompts prompts;
    NoProgress progress;
    for (auto _ : state) {
        auto store = std::make_unique<WorldStore>();
        if (readWorldIntoStore(data, *store, prompts, progress, checkOrder) != WorldReadResult::Success)
            state.SkipWithError("the generated zone did not read");
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Read)
    ->ArgsProduct({{1000, 10000, 99999}, {1, 0}})
    ->ArgNames({"rooms", "orderCheck"})
    ->Unit(benchmark::kMillisecond);

void timeLoadRoad(benchmark::State& state, const std::string& path) {
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
void BM_LoadRoad(benchmark::State& state) { timeLoadRoad(state, zoneFile(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_LoadRoad)
    ->ArgsProduct({{1000, 10000, 99999}, {1, 0}})
    ->ArgNames({"rooms", "orderCheck"})
    ->Unit(benchmark::kMillisecond);

// The same rooms in the newer form, with flag words and triggers.
void BM_LoadRoadNewer(benchmark::State& state) {
    timeLoadRoad(state, newerZoneFile(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_LoadRoadNewer)
    ->ArgsProduct({{10000, 99999}, {1}})
    ->ArgNames({"rooms", "orderCheck"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
