// The Problems window, shown, on a zone of 99,999 rooms that fills the map: what it adds
// to an UPDATE, an exit edit and a DELETE over a whole level, from the change's report
// to the rows listed and painted. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "editor/tfrmproblems.h"
#include "problems_zone.h"

namespace {

struct WindowBench : ProblemsZone {
    QTemporaryDir dir;
    QSettings settings{dir.filePath(QStringLiteral("problems.ini")), QSettings::IniFormat};
    TfrmProblems window{store, map.grid, prompts, settings};

    WindowBench() {
        window.show();
        QCoreApplication::processEvents();
    }
};

WindowBench& bench() {
    static WindowBench* b = new WindowBench;  // built once for every benchmark of the run
    return *b;
}

// Times the window's catching up with a recorded command and its repaint.
template <typename Command>
void windowAfter(benchmark::State& state, Command command) {
    WindowBench& b = bench();
    b.timeCatchingUp(
        state, [&] { command(b); },
        [&](const TouchedRooms& touched) {
            b.window.zoneChanged(touched);
            QCoreApplication::processEvents();
        },
        [&] { state.counters["rows"] = b.window.listed().rowCount(); });
}

void BM_ProblemsWindowAfterUpdate(benchmark::State& state) {
    windowAfter(state, [](WindowBench& b) { b.updateMiddleRoom(); });
}
BENCHMARK(BM_ProblemsWindowAfterUpdate)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ProblemsWindowAfterTreeExitRemoved(benchmark::State& state) {
    windowAfter(state, [](WindowBench& b) { b.removeFirstRoomsExitEast(); });
}
BENCHMARK(BM_ProblemsWindowAfterTreeExitRemoved)->Unit(benchmark::kMillisecond)->Iterations(20);

// DELETE over the 10,000 cells of level 5: levels 6 to 9 are reached no more, 40,000 rows.
void BM_ProblemsWindowAfterLevelDelete(benchmark::State& state) {
    windowAfter(state, [](WindowBench& b) { b.deleteOnLevel(5); });
}
BENCHMARK(BM_ProblemsWindowAfterLevelDelete)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
