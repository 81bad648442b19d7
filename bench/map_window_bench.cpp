// The map window on a loaded zone of 99,999 rooms laid out over the grid: opening, a level
// change, one scroll step and one Select, each with the board's repaint, at every zoom
// (the argument; 1 is the first drawing); a zoom change, a hover tooltip, a whole repaint
// at 4x with labels, sector colours and long exits; a drag that moves a room and one that
// links two, with ReCalc Exits on; Draw over all 100 x 100 cells of a level with ReCalc
// Exits on, placing, taking off and deleting.
// Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QToolButton>
#include <chrono>

#include "map/cell_drawing.h"
#include "map/tfrmmap.h"
#include "uibase/edit_history.h"
#include "world/prompts.h"
#include "zone_files.h"

namespace {

class NoPrompts : public Prompts {
public:
    void message(const std::string&) override {}
    bool confirm(const std::string&) override { return yes; }
    bool yes = false;
};

struct MapBench {
    std::unique_ptr<BenchWorld> world = loadZone(zoneFile(99999));
    NoPrompts prompts;
    QWidget opener;
    TfrmMap map{world->store, world->map, prompts};

    MapBench() {
        world->store.setCurrent(world->store.first());
        copyRoom(world->store.defaultRoom, *world->store.first()->room);
        world->store.defaultRoom.vnum = 1;
    }
    // What the event loop would paint next: only the cells asked for.
    void paint() { QCoreApplication::processEvents(); }
    // Opened and exposed, so that repaints really paint.
    void open(int zoom = 1) {
        map.setZoom(zoom);
        map.openMap(&opener);
        QCoreApplication::processEvents();
    }
    // The whole level, as a mouse drag from corner to corner would give it.
    void drawLevel(TfrmMap::DrawMode mode) {
        map.sb_Draw->click();
        QToolButton* buttons[] = {map.sb_Toggle, map.sb_ON, map.sb_OFF, map.sb_DELETE};
        buttons[static_cast<int>(mode)]->click();
        map.MapGridMouseUp({1, 1}, {100, 100});
        paint();
    }
};

MapBench& bench() {
    static MapBench* b = new MapBench;  // one load for every benchmark of the run
    return *b;
}

void BM_MapOpen(benchmark::State& state) {
    MapBench& b = bench();
    for (auto _ : state) {
        b.open(static_cast<int>(state.range(0)));  // shows, lays out and paints the window
        state.PauseTiming();
        b.map.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MapOpen)->Unit(benchmark::kMillisecond)->DenseRange(1, 4);

void BM_LevelChange(benchmark::State& state) {
    MapBench& b = bench();
    b.open(static_cast<int>(state.range(0)));
    const long paintedBefore = b.map.MapGrid->paintedCells();
    bool up = true;
    for (auto _ : state) {
        if (up)
            b.map.btnPlusZClick();
        else
            b.map.btnMinusZClick();
        up = !up;
        b.paint();
    }
    state.counters["cells_painted_per_step"] =
        static_cast<double>(b.map.MapGrid->paintedCells() - paintedBefore) /
        static_cast<double>(state.iterations());
    b.map.close();
}
BENCHMARK(BM_LevelChange)->Unit(benchmark::kMillisecond)->DenseRange(1, 4);

void BM_ScrollStep(benchmark::State& state) {
    MapBench& b = bench();
    b.open(static_cast<int>(state.range(0)));
    const long paintedBefore = b.map.MapGrid->paintedCells();
    QScrollBar* bar = b.map.MapGrid->horizontalScrollBar();
    int step = 1;
    for (auto _ : state) {
        if (bar->value() == bar->maximum() || bar->value() == 0) step = -step;
        bar->setValue(bar->value() + step);
        b.paint();
    }
    state.counters["cells_painted_per_step"] =
        static_cast<double>(b.map.MapGrid->paintedCells() - paintedBefore) /
        static_cast<double>(state.iterations());
    b.map.close();
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMillisecond)->DenseRange(1, 4);

void BM_Select(benchmark::State& state) {
    MapBench& b = bench();
    b.open(static_cast<int>(state.range(0)));
    const long paintedBefore = b.map.MapGrid->paintedCells();
    b.map.sb_Select->click();
    const int x = b.map.leftCol() + 1, y = b.map.topRow() + 1;
    int i = 0;
    for (auto _ : state) {
        const QPoint cell(x + i % 16, y + (i / 16) % 16);
        b.map.MapGridMouseUp(cell, cell);
        b.paint();
        ++i;
    }
    state.counters["cells_painted_per_step"] =
        static_cast<double>(b.map.MapGrid->paintedCells() - paintedBefore) /
        static_cast<double>(state.iterations());
    b.map.close();
}
BENCHMARK(BM_Select)->Unit(benchmark::kMillisecond)->DenseRange(1, 4);

void BM_ZoomChange(benchmark::State& state) {
    MapBench& b = bench();
    b.open();
    int zoom = 1, step = 1;
    for (auto _ : state) {
        if (zoom + step < kMinZoom || zoom + step > kMaxZoom) step = -step;
        zoom += step;
        b.map.setZoom(zoom);
        b.paint();
    }
    b.map.setZoom(1);
    b.map.close();
}
BENCHMARK(BM_ZoomChange)->Unit(benchmark::kMillisecond);

// The tooltip's text for the rooms in view, one a step, at every zoom.
void BM_HoverTooltip(benchmark::State& state) {
    MapBench& b = bench();
    b.open(static_cast<int>(state.range(0)));
    const int x = b.map.leftCol() + 1, y = b.map.topRow() + 1;
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(b.map.roomTooltip(x + i % 4, y + (i / 4) % 4));
        ++i;
    }
    b.map.close();
}
BENCHMARK(BM_HoverTooltip)->Unit(benchmark::kMillisecond)->DenseRange(1, 4);

// The whole board painted at 4x with labels, sector colours and long exits, in a window
// of 1280 x 1024.
void BM_WholeRepaintAt4x(benchmark::State& state) {
    MapBench& b = bench();
    b.open(4);
    b.map.resize(1280, 1024);
    b.map.setSectorColours(true);
    b.map.setLongExitsShown(true);
    b.paint();
    const long paintedBefore = b.map.MapGrid->paintedCells();
    for (auto _ : state) b.map.MapGrid->viewport()->repaint();
    state.counters["cells_painted_per_step"] =
        static_cast<double>(b.map.MapGrid->paintedCells() - paintedBefore) / static_cast<double>(state.iterations());
    b.map.setSectorColours(false);
    b.map.setZoom(1);
    b.map.close();
}
BENCHMARK(BM_WholeRepaintAt4x)->Unit(benchmark::kMillisecond);

// A drag that moves a room to an empty cell and back (two moves a step), and a Shift drag
// that links two rooms and one that unlinks them, each with ReCalc Exits on and its step
// of the history.
void BM_DragMoveAndLink(benchmark::State& state) {
    MapBench& b = bench();
    EditHistory history(b.world->store, b.world->map);
    b.map.setHistory(&history);
    b.open();
    // An empty cell beside a room: the first room's cell, after it is taken off.
    const int x = b.map.leftCol() + 8, y = b.map.topRow() + 8, z = b.map.currentLevel();
    b.map.sb_Draw->click();
    b.map.sb_OFF->click();
    b.map.MapGridMouseUp({x, y}, {x, y});
    b.map.sb_Select->click();
    const bool link = state.range(0) == 1;
    b.prompts.yes = true;  // "Replace the exit to N?"
    for (auto _ : state) {
        if (link) {
            b.map.MapGridMouseUp({x + 1, y}, {x + 5, y}, Qt::ShiftModifier | Qt::ControlModifier);
            b.map.MapGridMouseUp({x + 1, y}, {x + 5, y}, Qt::ShiftModifier);
        } else {
            b.map.MapGridMouseUp({x + 1, y}, {x, y});
            b.map.MapGridMouseUp({x, y}, {x + 1, y});
        }
        b.paint();
    }
    state.SetLabel(link ? "unlink + link" : "two moves");
    b.prompts.yes = false;
    (void)z;
    b.map.setHistory(nullptr);
    b.map.close();
}
BENCHMARK(BM_DragMoveAndLink)->Unit(benchmark::kMillisecond)->Arg(0)->Arg(1);

// Taking every room of a full level off the map: 10,000 removals, recalculations and
// selector lines.
void BM_Draw100x100Off(benchmark::State& state) {
    MapBench& b = bench();
    b.open();
    const long paintedBefore = b.map.MapGrid->paintedCells();
    for (auto _ : state) {
        state.PauseTiming();
        b.drawLevel(TfrmMap::DrawMode::On);  // fills the level again (new default rooms)
        state.ResumeTiming();
        b.drawLevel(TfrmMap::DrawMode::Off);
    }
    state.counters["cells_painted_per_step"] =
        static_cast<double>(b.map.MapGrid->paintedCells() - paintedBefore) /
        static_cast<double>(state.iterations());
    b.map.close();
}
BENCHMARK(BM_Draw100x100Off)->Unit(benchmark::kMillisecond)->Iterations(5);

// Filling an empty level with 10,000 new default rooms, each linked to its neighbours.
void BM_Draw100x100On(benchmark::State& state) {
    MapBench& b = bench();
    b.open();
    const long paintedBefore = b.map.MapGrid->paintedCells();
    for (auto _ : state) {
        state.PauseTiming();
        b.drawLevel(TfrmMap::DrawMode::Delete);
        state.ResumeTiming();
        b.drawLevel(TfrmMap::DrawMode::On);
    }
    state.counters["cells_painted_per_step"] =
        static_cast<double>(b.map.MapGrid->paintedCells() - paintedBefore) /
        static_cast<double>(state.iterations());
    b.map.close();
}
BENCHMARK(BM_Draw100x100On)->Unit(benchmark::kMillisecond)->Iterations(5);

// Deleting every room of a full level from the zone.
void BM_Draw100x100Delete(benchmark::State& state) {
    MapBench& b = bench();
    b.open();
    const long paintedBefore = b.map.MapGrid->paintedCells();
    for (auto _ : state) {
        state.PauseTiming();
        b.drawLevel(TfrmMap::DrawMode::On);
        state.ResumeTiming();
        b.drawLevel(TfrmMap::DrawMode::Delete);
    }
    state.counters["cells_painted_per_step"] =
        static_cast<double>(b.map.MapGrid->paintedCells() - paintedBefore) /
        static_cast<double>(state.iterations());
    b.map.close();
}
BENCHMARK(BM_Draw100x100Delete)->Unit(benchmark::kMillisecond)->Iterations(5);

// Edit | Undo and Redo of a DELETE over a whole level (10,000 rooms of the zone), each
// with the map window showing the zone again: board, selector and exit panel.
void BM_UndoRedoDraw100x100Delete(benchmark::State& state) {
    MapBench& b = bench();
    EditHistory history(b.world->store, b.world->map);
    QObject::connect(&history, &EditHistory::zoneRestored, &b.map, &TfrmMap::showRestoredZone);
    b.map.setHistory(&history);
    b.open();
    b.drawLevel(TfrmMap::DrawMode::On);
    b.drawLevel(TfrmMap::DrawMode::Delete);
    using Clock = std::chrono::steady_clock;
    double undoSeconds = 0, redoSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        history.stack().undo();
        b.paint();
        const auto t1 = Clock::now();
        history.stack().redo();
        b.paint();
        const auto t2 = Clock::now();
        undoSeconds += std::chrono::duration<double>(t1 - t0).count();
        redoSeconds += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["undo_ms"] = undoSeconds * 1000 / n;
    state.counters["redo_ms"] = redoSeconds * 1000 / n;
    b.map.setHistory(nullptr);
    b.map.close();
}
BENCHMARK(BM_UndoRedoDraw100x100Delete)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
