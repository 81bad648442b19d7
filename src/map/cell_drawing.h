#pragma once
// Drawing of the map board's cells: the raised room tile, the exit marks on its edges
// with their purple door patches, empty cells, grid lines and the selection frame.
//
// Everything here paints with a QPainter on any paint device (a QImage, a QPixmap, a
// widget inside its paintEvent); nothing here knows about widgets. The map window, the
// command-line renderer and the tests draw through these same functions, so a cell looks
// the same everywhere.
//
// Board geometry. Cells are 16 x 16 pixels with a 1-pixel grid line between them (a
// pitch of 17 pixels). A board shows a window of the 100 x 100 cells of one level: the
// first visible column and row (0-based, leftCol and topRow) sit at the board's origin
// pixel. Cell (X, Y) (1-based, as everywhere in the map) therefore has its top-left
// pixel at origin + ((X - 1 - leftCol) * 17, (Y - 1 - topRow) * 17). Grid lines lie at
// pixel 16 of every pitch, right of and below each cell.
//
// The room tile ("ROOM_BMP2") and the exit pictures ("DOOR_N" ... "DOOR_D_P") are loaded
// once from the program's resources (see MapBitmaps). Exit marks, relative to the cell's
// top-left pixel, ranges inclusive:
//
//   North  "DOOR_N" at (5, 0),  door patch x 6..9,   y 0..2
//   East   "DOOR_E" at (12, 5), door patch x 13..15, y 6..9
//   South  "DOOR_S" at (5, 12), door patch x 6..9,   y 13..15
//   West   "DOOR_W" at (0, 5),  door patch x 0..2,   y 6..9
//   Up     "DOOR_U" at (5, 5),  "DOOR_U_P" (purple arrow) through a door
//   Down   "DOOR_D" at (5, 9),  "DOOR_D_P" (purple arrow) through a door
//
// The pictures are exact pixels: draw on a device at a device pixel ratio of 1 (a QImage,
// say) and show that enlarged without smoothing, rather than painting through a scaled
// painter.
//
// Zoom. At zoom N (1..4) every cell is N times larger: the 1x cell is drawn as above and
// shown enlarged without smoothing, so marks and door patches keep their proportions,
// and the grid lines are N pixels wide (a pitch of 17 N). From 2x a tile carries its
// room number, from 3x also the start of its name, in the fixed font. At 1x nothing of
// this changes a pixel.
//
// Sector colours. With them on, the silver of a room's tile and of its marks takes the
// colour of the room's sector from a fixed palette that stays apart for the common
// kinds of colour blindness (Paul Tol's "light" scheme).
//
// An exit with a destination room (> 0) shows its mark; "through a door" means a door
// flag of 1 or 2. An exit without one (0 or below) shows the plain tile in the mark's
// area, so redrawing a single exit after its destination changed never leaves an old
// notch behind.
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

class MapGrid;
struct LongExit;
class QPainter;
struct RoomDataType;

// ---------------------------------------------------------------------------------
// The nine pictures

enum class MapPicture { Room, DoorN, DoorE, DoorS, DoorW, DoorU, DoorD, DoorUDoor, DoorDDoor };
constexpr int kMapPictureCount = 9;

class MapBitmaps {
public:
    // The pictures, loaded from the resources on the first call and kept for the run.
    // Call it once at start-up so that a missing resource shows at once (see complete()).
    static const MapBitmaps& instance();

    const QImage& picture(MapPicture which) const { return images_[static_cast<int>(which)]; }
    // By resource name: "ROOM_BMP2", "DOOR_N", "DOOR_E", "DOOR_S", "DOOR_W", "DOOR_U",
    // "DOOR_D", "DOOR_U_P", "DOOR_D_P". A null image for any other name.
    const QImage& byName(std::string_view name) const;
    static std::string_view name(MapPicture which);
    // The pictures with their silver (C0C0C0) turned into `fill`; made once per colour.
    const std::array<QImage, kMapPictureCount>& tinted(QRgb fill) const;
    // Whether all nine pictures were found (false only in a broken build).
    bool complete() const;

private:
    MapBitmaps();
    std::array<QImage, kMapPictureCount> images_;
    QImage none_;
    // A deque, so that a colour made later leaves the references handed out before valid.
    mutable std::deque<std::pair<QRgb, std::array<QImage, kMapPictureCount>>> tinted_;
};

// ---------------------------------------------------------------------------------
// Geometry and colours

constexpr int kCellSize = 16;   // pixels of a cell, each way
constexpr int kCellPitch = 17;  // a cell and the grid line after it
constexpr int kViewCells = 16;  // cells the map window shows, each way

inline QColor boardBackgroundColour() { return QColor(0xFF, 0xFF, 0xFF); }  // empty cells
inline QColor gridLineColour() { return QColor(0xC0, 0xC0, 0xC0); }
inline QColor doorColour() { return QColor(0x80, 0x00, 0x80); }  // door patches
inline QColor tileColour() { return QColor(0xC0, 0xC0, 0xC0); }  // a tile's fill without sector colours
inline QColor longExitColour() { return QColor(0x00, 0x44, 0x88); }  // lines and stubs of long exits
inline QColor warningColour() { return QColor(0xDD, 0x22, 0x00); }   // an exit to no room of the zone

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 4;
constexpr int kFirstLabelZoom = 2;  // the room number from here on
constexpr int kFirstNameZoom = 3;   // the start of the name from here on

// The sector palette: sector value v takes colour v mod kSectorPaletteSize (negative
// values counted from the end).
constexpr int kSectorPaletteSize = 10;
QColor sectorColour(int32_t sector);

// Which part of the board is shown and where it sits on the paint device.
struct BoardView {
    int leftCol = 42;       // first visible column, 0-based (so column leftCol + 1 is at the left)
    int topRow = 42;        // first visible row, 0-based
    int columns = kViewCells;
    int rows = kViewCells;
    QPoint origin{0, 0};    // device pixel of the first visible cell's top-left
    int zoom = 1;           // kMinZoom..kMaxZoom: cells and grid lines this many times larger
    bool sectorColours = false;

    int pitch() const { return kCellPitch * zoom; }
    int cellSide() const { return kCellSize * zoom; }

    // Whether cell (X, Y), 1-based, is shown: X - 1 in leftCol..leftCol + columns - 1,
    // Y - 1 in topRow..topRow + rows - 1.
    bool inView(int x, int y) const;
    // Device pixel of cell (X, Y)'s top-left (also for cells out of view).
    QPoint cellTopLeft(int x, int y) const;
    QRect cellRect(int x, int y) const;
    // The cell (X, Y), 1-based, whose 17 x 17 pitch holds the device pixel (its grid
    // lines count with it); none outside the view or outside the 100 x 100 cells.
    std::optional<QPoint> cellAtPixel(QPoint pixel) const;
    // Size in device pixels of the shown cells with the grid lines between them.
    QSize pixelSize() const;
};

// ---------------------------------------------------------------------------------
// Drawing on a board

enum class CellDrawn { NotDrawn, Empty, Room };

// Draws cell (X, Y, Z) when it is inside the grid and in view: the room tile with its
// six exit marks (destinations from the room's exitTo) and, from 2x, its labels, or white
// when the cell is empty.
// Says what it drew, so the caller can plot the cell on the minimap; NotDrawn for a cell
// outside the grid or out of view. Draws only inside the cell's 16 x 16 pixels, so it
// also wipes a selection frame.
CellDrawn drawCell(QPainter& painter, const MapGrid& grid, const BoardView& view, int x, int y, int z);

// Draws one exit mark of the room in cell (X, Y, Z) for the given destination (the
// caller's, e.g. a value just typed) with the room's own door flag of that exit. Nothing
// for an empty cell, a cell out of view or outside the grid, or a direction outside 0..5.
void drawExitMark(QPainter& painter, const MapGrid& grid, const BoardView& view, int x, int y, int direction,
                  int32_t destination, int z);

// The dotted selection frame on the outer pixels of cell (X, Y) when it is in view.
// Redrawing the cell with drawCell removes it.
void drawSelectionFrame(QPainter& painter, const BoardView& view, int x, int y);

// The labels of a room's tile at zoom (nothing below 2x): the number, from 3x the start of
// the name, cut to the tile.
void drawRoomLabels(QPainter& painter, QRect tile, int zoom, const RoomDataType& room);

// The long exits of the level (exit_reach.h) over the cells in view: a thin line from
// the tile's edge on the exit's side to the destination's tile for a room on the same
// level, a short stub with an arrow head for a room on another level or off the map, and
// a stub in the warning colour for a number no room of the zone has.
void drawLongExits(QPainter& painter, const BoardView& view, const std::vector<LongExit>& exits);

// White cells and the grid lines of the whole view (what an empty board shows).
void drawBoardBackground(QPainter& painter, const BoardView& view);

// drawCell for every cell in view on level Z that lies on the grid, column by column
// from the left and within a column from the top; `drawn`, when given, hears of each
// cell as it is drawn (the map window plots it on the minimap).
void drawView(QPainter& painter, const MapGrid& grid, const BoardView& view, int z,
              const std::function<void(int x, int y, CellDrawn what)>& drawn = {});

// ---------------------------------------------------------------------------------
// The same pictures at a given pixel, without a grid or a view

// At 1x; `fill` takes the place of the tile's silver.
void paintRoomCell(QPainter& painter, QPoint topLeft, const RoomDataType& room, QColor fill = tileColour());
void paintExitMark(QPainter& painter, QPoint topLeft, int direction, int32_t destination, int32_t doorFlag,
                   QColor fill = tileColour());
void paintEmptyCell(QPainter& painter, QPoint topLeft);
void paintSelectionFrame(QPainter& painter, QPoint topLeft);

// ---------------------------------------------------------------------------------
// A whole level as a picture

// How a picture of a level looks beyond the plain cells.
struct LevelLook {
    int zoom = 1;
    bool sectorColours = false;
    const std::vector<LongExit>* longExits = nullptr;  // of the level; none: not drawn
};

// The columns and rows (1-based, inclusive, as a QRect of cells) of level Z that hold
// rooms; an empty QRect when the level has none.
QRect occupiedCells(const MapGrid& grid, int z);

// Level Z drawn as the board draws it, for the cells of `cells` (1-based columns and rows,
// clipped to the 100 x 100 grid): white background, silver grid lines between the cells,
// every cell by drawCell. The image is cells.width() * 17 - 1 by cells.height() * 17 - 1
// pixels (RGB32) at 1x, zoom times that less the last grid line otherwise; a null image
// when nothing of `cells` lies on the grid.
QImage renderLevel(const MapGrid& grid, int z, QRect cells, const LevelLook& look = {});
