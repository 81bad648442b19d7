// Building the world-file text of a loaded zone, in DOS and in UNIX form, and the
// whole save: text, world file and map position file on disk.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "map/auto_placement.h"
#include "wldfile/world_save.h"
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

void BM_SaveUnixWithMap(benchmark::State& state) {
    const auto world = loadZone(zoneFile(static_cast<int>(state.range(0))));
    const auto path = std::filesystem::temp_directory_path() / ("quendry-bench-save-" + std::to_string(::getpid()) + ".wld");
    for (auto _ : state) {
        const std::string error = saveWorld(path.string(), buildWorldText(world->store, true), true, true, world->store);
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
    std::filesystem::remove(mapFilePath(path.string()));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveUnixWithMap)->Arg(1000)->Arg(10000)->Arg(99999)->ArgName("rooms")->Unit(benchmark::kMillisecond);

}  // namespace
