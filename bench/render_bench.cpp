// Map drawing over a zone of 99,999 rooms: a whole level as the render command draws it,
// one board view of 16 x 16 cells, and the minimap's full redraw and frame move.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "map/cell_drawing.h"
#include "map/minimap_image.h"
#include "zone_files.h"

namespace {

constexpr int kRooms = 99999;

BenchWorld& bigZone() {
    static const auto world = loadZone(zoneFile(kRooms));
    return *world;
}

// The level holding the most rooms.
int fullestLevel(const MapGrid& grid) {
    int best = 0;
    size_t bestCount = 0;
    for (int z = 0; z < kMapLevels; ++z) {
        size_t count = 0;
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= kMapColumns; ++x) count += grid.cellAt(x, y, z) != nullptr;
        if (count > bestCount) best = z, bestCount = count;
    }
    return best;
}

void BM_RenderWholeLevel(benchmark::State& state) {
    const MapGrid& grid = bigZone().map.grid;
    const int z = fullestLevel(grid);
    for (auto _ : state) {
        QImage image = renderLevel(grid, z, QRect(1, 1, kMapColumns, kMapRows));
        benchmark::DoNotOptimize(image.constBits());
    }
    int rooms = 0;
    for (int y = 1; y <= kMapRows; ++y)
        for (int x = 1; x <= kMapColumns; ++x) rooms += grid.cellAt(x, y, z) != nullptr;
    state.counters["roomsOnLevel"] = rooms;
}
BENCHMARK(BM_RenderWholeLevel)->Unit(benchmark::kMillisecond);

void BM_RenderWholeLevelToPng(benchmark::State& state) {
    const MapGrid& grid = bigZone().map.grid;
    const int z = fullestLevel(grid);
    for (auto _ : state) {
        QImage image = renderLevel(grid, z, QRect(1, 1, kMapColumns, kMapRows));
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        benchmark::DoNotOptimize(png.size());
    }
}
BENCHMARK(BM_RenderWholeLevelToPng)->Unit(benchmark::kMillisecond);

// What the map window's redrawView paints: the 256 cells in view.
void BM_DrawBoardView(benchmark::State& state) {
    const MapGrid& grid = bigZone().map.grid;
    const int z = fullestLevel(grid);
    BoardView view;
    QImage board(view.pixelSize(), QImage::Format_RGB32);
    QPainter painter(&board);
    for (auto _ : state) {
        for (int x = view.leftCol + 1; x <= view.leftCol + kViewCells; ++x)
            for (int y = view.topRow + 1; y <= view.topRow + kViewCells; ++y) drawCell(painter, grid, view, x, y, z);
        benchmark::DoNotOptimize(board.constBits());
    }
}
BENCHMARK(BM_DrawBoardView)->Unit(benchmark::kMicrosecond);

void BM_MinimapRedraw(benchmark::State& state) {
    const MapGrid& grid = bigZone().map.grid;
    const int z = fullestLevel(grid);
    MinimapImage minimap(QColor(0xF0, 0xF0, 0xF0));
    for (auto _ : state) {
        minimap.redraw(grid, z);
        benchmark::DoNotOptimize(minimap.image().constBits());
    }
}
BENCHMARK(BM_MinimapRedraw)->Unit(benchmark::kMicrosecond);

void BM_MinimapFrameMove(benchmark::State& state) {
    const MapGrid& grid = bigZone().map.grid;
    const int z = fullestLevel(grid);
    MinimapImage minimap(QColor(0xF0, 0xF0, 0xF0));
    minimap.redraw(grid, z);
    int left = 0;
    for (auto _ : state) {
        left = (left + 1) % 85;
        benchmark::DoNotOptimize(minimap.moveViewFrame(grid, z, left, 42));
    }
}
BENCHMARK(BM_MinimapFrameMove)->Unit(benchmark::kMicrosecond);

}  // namespace
