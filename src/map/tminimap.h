#pragma once
// The "MINIMAP" tool window: the whole level shown on the map window's board at one pixel
// per cell (black where a room is), a blue frame over the part the board shows, and a
// click that asks the map window to bring that place into view.
//
// Created once at start-up (after the map window) and then only shown and hidden; it
// never disables the map window. It is a view of the map model: every cell the model
// reports changed on its level is plotted at once. How the map window uses it:
//
//   showView(level, l, t)  while the map is shown and "&minimap" is down: shown, on that
//                          level (redrawn when the level changed), framing the board's view
//   hide()                 when "&minimap" goes up and when the map window closes
//   scrollRequested(x, y)  connect to the map's scrollToCell(x, y, currentLevel)
//   closed()               (from SecondaryWindow) the close box or Escape hid the minimap:
//                          put "&minimap" up
#include <QPoint>

#include "map/map_model.h"
#include "map/minimap_image.h"
#include "uibase/secondary_window.h"

class QWidget;
class MinimapPicture;

class Tminimap : public SecondaryWindow, public MapObserver {
    Q_OBJECT
public:
    explicit Tminimap(MapModel& map, QWidget* parent = nullptr);
    ~Tminimap() override;

    // The window the minimap first appears beside, and gives the focus back to.
    void setMapWindow(QWidget* mapWindow) { mapWindow_ = mapWindow; }

    // Redraws the whole picture for level Z (0..9), places the window the first time
    // (its left edge at the map window's right edge, its top 100 pixels below the map
    // window's top), shows it and forgets the pointer position.
    void showMinimap(int level);
    // Shown on level Z (redrawn when that is not its level), with the frame on the board's
    // view; shown already, only the level and the frame follow.
    void showView(int level, int leftCol, int topRow, int columns = 16, int rows = 16);
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
    void drawViewFrame(int leftCol, int topRow, int columns = 16, int rows = 16);

    const MinimapImage& picture() const { return image_; }
    // The picture pixel last seen under the pointer; (0, 0) after showMinimap.
    QPoint pointerPixel() const { return pointerPixel_; }

    // MapObserver: cells of its level are plotted as they change.
    void cellChanged(int x, int y, int z) override;
    void mapReset() override;

signals:
    // A click on the picture: the map window should show cell (X, Y), 1-based, of the
    // current level about eight cells from its left and top edges.
    void scrollRequested(int x, int y);

private:
    friend class MinimapPicture;
    void pointerAt(QPoint pixel);
    void clickedAt(QPoint pixel);

    MapModel& map_;
    const MapGrid& grid_;
    QWidget* mapWindow_ = nullptr;
    MinimapPicture* immap_ = nullptr;
    MinimapImage image_;
    int level_ = 5;
    QPoint pointerPixel_{0, 0};
    bool placed_ = false;
};
