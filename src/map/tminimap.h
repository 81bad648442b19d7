#pragma once
// The "MINIMAP" tool window: the whole level shown on the map window's board at one pixel
// per cell (black where a room is), a blue frame over the part the board shows, and a
// click that asks the map window to bring that place into view.
//
// Created once at start-up (after the map window) and then only shown and hidden; it
// never disables the map window. How the map window uses it:
//
//   showMinimap(level)     when "&minimap" goes down and on every full redraw of the board
//                          while it is down (opening, level change, REFRESH, end of a Draw)
//   plotCell(x, y, occ)    for every cell the board draws while the minimap is shown
//   drawViewFrame(l, t)    after the board's first visible column/row changed
//   hide()                 when "&minimap" goes up and when the map window closes
//   scrollRequested(x, y)  connect to the map's scrollToCell(x, y, currentLevel)
//   closed()               (from SecondaryWindow) the close box or Escape hid the minimap:
//                          put "&minimap" up
#include <QPoint>

#include "map/minimap_image.h"
#include "uibase/secondary_window.h"

class MapGrid;
class QWidget;
class MinimapPicture;

class Tminimap : public SecondaryWindow {
    Q_OBJECT
public:
    explicit Tminimap(const MapGrid& grid, QWidget* parent = nullptr);
    ~Tminimap() override;

    // The window the minimap first appears beside, and gives the focus back to.
    void setMapWindow(QWidget* mapWindow) { mapWindow_ = mapWindow; }

    // Redraws the whole picture for level Z (0..9), places the window the first time
    // (its left edge at the map window's right edge, its top 100 pixels below the map
    // window's top), shows it and forgets the pointer position.
    void showMinimap(int level);
    // Redraws the whole picture for level Z without showing the window.
    void setLevel(int level);
    int level() const { return level_; }

    // Cell (X, Y), 1-based, of the current level: black when occupied, else background.
    void plotCell(int x, int y, bool occupied);
    // The same, reading the grid.
    void refreshCell(int x, int y);

    // Moves the blue frame to the board's view: leftCol and topRow are the board's first
    // visible column and row (0-based). The pixels under the old frame are repainted
    // from the grid first.
    void drawViewFrame(int leftCol, int topRow);

    // The minimap is ready from its creation on; the map window's scrolling moves the
    // frame only when it is.
    bool minimapReady() const { return true; }

    const MinimapImage& picture() const { return image_; }
    // The picture pixel last seen under the pointer; (0, 0) after showMinimap.
    QPoint pointerPixel() const { return pointerPixel_; }

signals:
    // A click on the picture: the map window should show cell (X, Y), 1-based, of the
    // current level about eight cells from its left and top edges.
    void scrollRequested(int x, int y);

private:
    friend class MinimapPicture;
    void pointerAt(QPoint pixel);
    void clickedAt(QPoint pixel);

    const MapGrid& grid_;
    QWidget* mapWindow_ = nullptr;
    MinimapPicture* immap_ = nullptr;
    MinimapImage image_;
    int level_ = 5;
    QPoint pointerPixel_{0, 0};
    bool placed_ = false;
};
