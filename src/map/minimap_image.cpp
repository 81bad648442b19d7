#include "map/minimap_image.h"

#include <algorithm>

#include "map/map_model.h"

MinimapImage::MinimapImage(QColor background)
    : background_(background), image_(kSize, kSize, QImage::Format_RGB32) {
    image_.fill(background_);
}

void MinimapImage::setPixel(int px, int py, QColor colour) {
    if (px < 0 || py < 0 || px >= kSize || py >= kSize) return;
    image_.setPixel(px, py, colour.rgb());
}

void MinimapImage::redraw(const MapGrid& grid, int z) {
    image_.fill(background_);
    if (z < 0 || z >= kMapLevels) return;
    const QRgb room = roomColour().rgb();
    for (int y = 1; y <= kMapRows; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y - 1));
        for (int x = 1; x <= kMapColumns; ++x)
            if (grid.cellAt(x, y, z)) line[x - 1] = room;
    }
}

void MinimapImage::plotCell(int x, int y, bool occupied) {
    setPixel(x - 1, y - 1, occupied ? roomColour() : background_);
}

QRect MinimapImage::moveViewFrame(const MapGrid& grid, int z, int leftCol, int topRow, int columns, int rows) {
    QRect changed;
    if (hasFrame()) {
        const QRect old = lastFrame_;
        auto restore = [&](int px, int py) {
            const bool occupied = z >= 0 && z < kMapLevels && grid.cellAt(px + 1, py + 1, z);
            setPixel(px, py, occupied ? roomColour() : background_);
        };
        for (int px = old.left(); px <= old.right(); ++px) {
            restore(px, old.top());
            restore(px, old.bottom());
        }
        for (int py = old.top(); py <= old.bottom(); ++py) {
            restore(old.left(), py);
            restore(old.right(), py);
        }
        changed = old;
    }
    // A pixel fewer each way than cells in view (the first board's 16 cells: 15 pixels).
    const QRect frame(QPoint(leftCol, topRow),
                      QPoint(leftCol + std::max(0, columns - 2), topRow + std::max(0, rows - 2)));
    const QColor blue = frameColour();
    for (int px = frame.left(); px <= frame.right(); ++px) {
        setPixel(px, frame.top(), blue);
        setPixel(px, frame.bottom(), blue);
    }
    for (int py = frame.top(); py <= frame.bottom(); ++py) {
        setPixel(frame.left(), py, blue);
        setPixel(frame.right(), py, blue);
    }
    lastFrame_ = frame;
    return changed.united(frame);
}
