#pragma once
// The minimap's picture: level Z of the map at one pixel per cell (pixel (px, py) is cell
// (px + 1, py + 1)), black where a room is, the background colour elsewhere, and a blue
// frame marking the part of the level that the map window's board shows.
#include <QColor>
#include <QImage>
#include <QRect>

class MapGrid;

class MinimapImage {
public:
    static constexpr int kSize = 100;  // pixels each way, one per column and row

    explicit MinimapImage(QColor background);

    const QImage& image() const { return image_; }
    QColor background() const { return background_; }
    static QColor roomColour() { return QColor(0x00, 0x00, 0x00); }
    static QColor frameColour() { return QColor(0x00, 0x00, 0xFF); }

    // Fills the picture with the background and blackens every occupied cell of level Z.
    // Tests the 10,000 cells once. The frame, if any, is gone afterwards, but lastFrame()
    // stays, as the next moveViewFrame only repaints pixels from the grid.
    void redraw(const MapGrid& grid, int z);
    // Cell (X, Y), 1-based, black when occupied, background otherwise; nothing outside 1..100.
    void plotCell(int x, int y, bool occupied);
    // Repaints the pixels under the last frame from level Z of the grid, then draws a
    // one-pixel blue frame along the border of the square of pixels (leftCol, topRow) to
    // (leftCol + 14, topRow + 14), both included, where leftCol and topRow are the
    // board's first visible column and row (0-based); a board showing another number of
    // cells than 16 each way gets a frame one pixel shorter than that number. Gives the
    // pixels that changed.
    QRect moveViewFrame(const MapGrid& grid, int z, int leftCol, int topRow, int columns = 16, int rows = 16);
    // Left, top, right, bottom of the frame drawn last; all 0 before the first one.
    QRect lastFrame() const { return lastFrame_; }
    bool hasFrame() const { return lastFrame_.right() > 0; }

private:
    void setPixel(int px, int py, QColor colour);

    QColor background_;
    QImage image_;
    QRect lastFrame_{QPoint(0, 0), QPoint(0, 0)};
};
