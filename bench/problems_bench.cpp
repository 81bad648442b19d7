// The Problems window's list kept up to date on a zone of 99,999 rooms that fills the
// map (every cell but the last linked to its neighbours): what an UPDATE of one room,
// an exit edit and a DELETE over a whole level add to the command. Each measures the
// list's work after the recorded command (the rooms the change touched, the findings of
// those rooms and their neighbours linted again, the reach kept up to date) and the rows
// a shown window lists afterwards; undo is not timed.
#include <benchmark/benchmark.h>

#include "editor/problem_list.h"
#include "problems_zone.h"

namespace {

struct ListedZone : ProblemsZone {
    ProblemList list{store, map.grid};

    ListedZone() {
        list.setMapFile(false, true);
        list.recomputeAll();
    }
};

ListedZone& zone() {
    static ListedZone* z = new ListedZone;  // built once for every benchmark of the run
    return *z;
}

// Times the list's catching up with a recorded command and the rows listed after it.
template <typename Command>
void listAfter(benchmark::State& state, Command command) {
    ListedZone& z = zone();
    size_t linted = 0, walked = 0, rows = 0, listed = 0;
    z.timeCatchingUp(
        state, [&] { command(z); },
        [&](const TouchedRooms& touched) {
            z.list.roomsTouched(touched);
            listed = z.list.rows().size();
        },
        [&] {
            linted = z.list.lastLinted();
            walked = z.list.lastWalked();
            rows = listed;
        });
    state.counters["rooms"] = static_cast<double>(z.store.size());
    state.counters["linted"] = static_cast<double>(linted);
    state.counters["walked"] = static_cast<double>(walked);
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_ProblemsAfterUpdate(benchmark::State& state) {
    listAfter(state, [](ListedZone& z) { z.updateMiddleRoom(); });
}
BENCHMARK(BM_ProblemsAfterUpdate)->Unit(benchmark::kMillisecond)->Iterations(20);

// The exit east of a room in the middle led elsewhere: one-way exits on both sides; the
// exit lost is no edge of the tree of first reaches.
void BM_ProblemsAfterExitEdit(benchmark::State& state) {
    listAfter(state, [](ListedZone& z) {
        RoomDataType& room = *z.store.findByVnum(vnumAt(50, 50, 5))->room;
        z.commands.editExit(room, ExitEdit{ExitEdit::Part::Destination, East, vnumAt(60, 60, 5), {}});
    });
}
BENCHMARK(BM_ProblemsAfterExitEdit)->Unit(benchmark::kMillisecond)->Iterations(20);

// A new exit east from a room at the east edge of the map, where it had none.
void BM_ProblemsAfterExitAdded(benchmark::State& state) {
    listAfter(state, [](ListedZone& z) {
        RoomDataType& room = *z.store.findByVnum(vnumAt(kMapColumns, 50, 5))->room;
        z.commands.editExit(room, ExitEdit{ExitEdit::Part::Destination, East, vnumAt(1, 50, 5), {}});
    });
}
BENCHMARK(BM_ProblemsAfterExitAdded)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ProblemsAfterTreeExitRemoved(benchmark::State& state) {
    listAfter(state, [](ListedZone& z) { z.removeFirstRoomsExitEast(); });
}
BENCHMARK(BM_ProblemsAfterTreeExitRemoved)->Unit(benchmark::kMillisecond)->Iterations(20);

// DELETE over the 10,000 cells of level 5: levels 6 to 9 are reached no more.
void BM_ProblemsAfterLevelDelete(benchmark::State& state) {
    listAfter(state, [](ListedZone& z) { z.deleteOnLevel(5); });
}
BENCHMARK(BM_ProblemsAfterLevelDelete)->Unit(benchmark::kMillisecond)->Iterations(5);

// DELETE over the west half of level 5 (5,000 cells), below a quarter of the zone: the
// reach follows it without the whole walk; every room stays reached.
void BM_ProblemsAfterHalfLevelDelete(benchmark::State& state) {
    listAfter(state, [](ListedZone& z) { z.deleteOnLevel(5, kMapColumns / 2); });
}
BENCHMARK(BM_ProblemsAfterHalfLevelDelete)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

namespace {

// The whole walk alone, which a change of more than a quarter of the zone makes.
void BM_ProblemsWalkAlone(benchmark::State& state) {
    ListedZone& z = zone();
    const LintOptions options;
    for (auto _ : state) benchmark::DoNotOptimize(lintUnreachable(ZoneInMemory{z.store, z.map.grid, false, true}, options));
}
BENCHMARK(BM_ProblemsWalkAlone)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
