// The Problems window, shown, on a zone of 99,999 rooms that fills the map: what it adds
// to an UPDATE, an exit edit and a DELETE over a whole level, from the change's report
// to the rows listed and painted. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "editor/tfrmproblems.h"
#include "map/map_commands.h"
#include "map/room_operations.h"
#include "zone_files.h"

namespace {

struct WindowBench {
    WorldStore store;
    MapModel map{store};
    YesPrompts prompts;
    RoomOperations rooms{store, map, prompts};
    MapRoomCommands commands{store, map, prompts};
    ZoneHistoryRecorder recorder{store, map};
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("problems.ini")), QSettings::IniFormat};
    std::unique_ptr<TfrmProblems> window;

    WindowBench() {
        fillMapWithRooms(store, map.grid);
        window = std::make_unique<TfrmProblems>(store, map.grid, prompts, settings);
        window->show();
        QCoreApplication::processEvents();
    }
};

WindowBench& bench() {
    static WindowBench* b = new WindowBench;  // built once for every benchmark of the run
    return *b;
}

// Times the window's catching up with a recorded command and its repaint; the undo after
// it is not timed.
template <typename Command>
void windowAfter(benchmark::State& state, Command command) {
    WindowBench& b = bench();
    for (auto _ : state) {
        state.PauseTiming();
        b.recorder.begin();
        command(b);
        std::unique_ptr<ZoneChange> change = b.recorder.finish();
        const TouchedRooms touched = change->touchedRooms();
        state.ResumeTiming();
        b.window->zoneChanged(touched);
        QCoreApplication::processEvents();
        state.PauseTiming();
        state.counters["rows"] = b.window->listed().rowCount();
        change->undo();
        b.window->zoneChanged(change->touchedRooms());
        QCoreApplication::processEvents();
        change.reset();
        state.ResumeTiming();
    }
}

void BM_ProblemsWindowAfterUpdate(benchmark::State& state) {
    windowAfter(state, [](WindowBench& b) {
        b.store.setCurrent(b.store.findByVnum(vnumAt(50, 50, 5)));
        b.rooms.update(RoomEntry{std::to_string(vnumAt(50, 50, 5)), "Renamed", "New text.\r\nSecond.", 3, 2});
    });
}
BENCHMARK(BM_ProblemsWindowAfterUpdate)->Unit(benchmark::kMillisecond)->Iterations(20);

// The first room's exit east removed: nearly every room's way in ran through it.
void BM_ProblemsWindowAfterTreeExitRemoved(benchmark::State& state) {
    windowAfter(state, [](WindowBench& b) {
        b.commands.editExit(*b.store.first()->room, ExitEdit{ExitEdit::Part::Destination, East, 0, {}});
    });
}
BENCHMARK(BM_ProblemsWindowAfterTreeExitRemoved)->Unit(benchmark::kMillisecond)->Iterations(20);

// DELETE over the 10,000 cells of level 5: levels 6 to 9 are reached no more, 40,000 rows.
void BM_ProblemsWindowAfterLevelDelete(benchmark::State& state) {
    windowAfter(state, [](WindowBench& b) {
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= kMapColumns; ++x) b.commands.deleteRoom(x, y, 5);
    });
}
BENCHMARK(BM_ProblemsWindowAfterLevelDelete)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
