// What quendry-wld lint costs beside quendry-wld check on a generated zone: check is the
// editor's whole load road; lint is the same road with the lines of rooms and exits
// noted, followed by every check. The zone is copied with a map position file beside it
// (the positions of its own layout), so that the map checks run over every room.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include "cli/zone_lint.h"
#include "map/auto_placement.h"
#include "wldfile/world_reader.h"
#include "world/prompts.h"
#include "zone_files.h"

namespace {

class CountPrompts : public Prompts {
public:
    int shown = 0;
    void message(const std::string&) override { ++shown; }
    bool confirm(const std::string&) override { return false; }
};

// The generated zone of that many rooms, plain (no map position file) or with one.
const std::string& lintZoneFile(int rooms, bool withMap) {
    if (!withMap) return zoneFile(rooms);
    static std::map<int, std::string> paths;
    auto [it, added] = paths.try_emplace(rooms);
    if (added) {
        const auto path =
            std::filesystem::temp_directory_path() /
            ("quendry-bench-lint-" + std::to_string(rooms) + "-" + std::to_string(::getpid()) + ".wld");
        std::filesystem::copy_file(zoneFile(rooms), path, std::filesystem::copy_options::overwrite_existing);
        const auto world = loadZone(zoneFile(rooms));
        std::ofstream map(mapFilePath(path.string()), std::ios::binary);
        for (RoomIndexNode* node = world->store.first(); node; node = node->next) {
            const RoomDataType& room = *node->room;
            map << room.vnum << ' ' << room.mapX << ' ' << room.mapY << ' ' << room.mapZ << "\r\n";
        }
        it->second = path.string();
        static struct Cleanup {
            std::map<int, std::string>& files;
            ~Cleanup() {
                for (const auto& [n, p] : files) {
                    std::filesystem::remove(p);
                    std::filesystem::remove(mapFilePath(p));
                }
            }
        } cleanup{paths};
    }
    return it->second;
}

// A zone loaded as lint loads it: the world, the room lines the reader logged, and what
// the checks read. A load that shows a message counts in `prompts.shown`.
struct LintLoad {
    std::unique_ptr<BenchWorld> world = std::make_unique<BenchWorld>();
    RoomLineLog lines;
    CountPrompts prompts;
    bool fromMapFile = false;

    explicit LintLoad(const std::string& path) {
        NoProgress progress;
        LoadRoad road{world->store, world->map, prompts, progress, true, {}};
        road.roomLines = &lines;
        readWorldFile(path, road);
        fromMapFile = road.mapSource == MapSource::File;
    }
    LintInput input() const { return {world->store, world->map.grid, lines, fromMapFile, fromMapFile, 0, 0, {}}; }
};

void BM_CheckRoad(benchmark::State& state) {
    const std::string& path = lintZoneFile(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) {
        auto world = std::make_unique<BenchWorld>();
        CountPrompts prompts;
        NoProgress progress;
        LoadRoad road{world->store, world->map, prompts, progress, true, {}};
        readWorldFile(path, road);
        if (prompts.shown) state.SkipWithError("the zone gave messages");
        state.PauseTiming();  // freeing the zone is not part of checking it
        world.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LintRoad(benchmark::State& state) {
    const std::string& path = lintZoneFile(static_cast<int>(state.range(0)), state.range(1) != 0);
    size_t findings = 0;
    for (auto _ : state) {
        auto load = std::make_unique<LintLoad>(path);
        findings = lintZone(load->input(), LintOptions{}).size();
        if (load->prompts.shown) state.SkipWithError("the zone gave messages");
        state.PauseTiming();
        load.reset();
        state.ResumeTiming();
    }
    state.counters["findings"] = static_cast<double>(findings);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The checks alone over a zone already loaded.
void BM_LintChecksOnly(benchmark::State& state) {
    const std::string& path = lintZoneFile(static_cast<int>(state.range(0)), state.range(1) != 0);
    const LintLoad load(path);
    const LintInput input = load.input();
    for (auto _ : state) benchmark::DoNotOptimize(lintZone(input, LintOptions{}));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The zone in memory, as an editor's list of problems lints it: the whole zone after a
// load, a room and its neighbours after a change, the walk alone.
void BM_LintInMemory(benchmark::State& state) {
    const LintLoad load(lintZoneFile(99999, true));
    const ZoneInMemory zone{load.world->store, load.world->map.grid, true, load.fromMapFile};
    // A room in the middle and the rooms its exits lead to.
    const RoomIndexNode* middle = load.world->store.nodeAt(50000);
    std::vector<int32_t> rooms{middle->vnum};
    for (int32_t to : middle->room->exitTo)
        if (to) rooms.push_back(to);
    size_t findings = 0;
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0: findings = lintZone(zone, LintOptions{}).size(); break;
            case 1: findings = lintRooms(zone, LintOptions{}, rooms).size(); break;
            default: findings = lintUnreachable(zone, LintOptions{}).size(); break;
        }
        benchmark::ClobberMemory();
    }
    if (findings) state.SkipWithError("the generated zone has findings");
    state.counters["rooms"] = static_cast<double>(state.range(0) == 1 ? rooms.size() : 99999);
}

BENCHMARK(BM_LintInMemory)->ArgName("zone0_rooms1_reach2")->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckRoad)
    ->ArgsProduct({{1000, 99999}, {0, 1}})
    ->ArgNames({"rooms", "mapFile"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LintRoad)
    ->ArgsProduct({{1000, 99999}, {0, 1}})
    ->ArgNames({"rooms", "mapFile"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LintChecksOnly)
    ->ArgsProduct({{1000, 99999}, {0, 1}})
    ->ArgNames({"rooms", "mapFile"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
