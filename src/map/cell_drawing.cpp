#include "map/cell_drawing.h"

#include <QPainter>
#include <algorithm>

#include "map/map_model.h"
#include "world/room.h"

// A static library's resources must be registered by name before the first use.
static void registerMapResources() { Q_INIT_RESOURCE(map_bitmaps); }

namespace {

constexpr std::array<std::string_view, kMapPictureCount> kNames = {
    "ROOM_BMP2", "DOOR_N", "DOOR_E", "DOOR_S", "DOOR_W", "DOOR_U", "DOOR_D", "DOOR_U_P", "DOOR_D_P"};

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kBlack(0x00, 0x00, 0x00);

// Where each direction's mark goes on the tile, and what the tile has there without it.
struct ExitMarkPlace {
    MapPicture picture;
    MapPicture doorPicture;  // Up and Down change picture for a door; the others get a patch
    QPoint at;
    QRect doorPatch;         // empty for Up and Down
    QRect edgeLine;          // the tile's edge under the mark (empty for Up and Down)
    bool edgeIsLight;        // white (top and left edges) or grey (bottom and right)
    QRect fill;              // silver under the mark
};

// QRect(left, top, width, height); the comments give the inclusive pixel ranges.
const std::array<ExitMarkPlace, kDirectionCount> kPlaces = {{
    // North: patch x 6..9, y 0..2; white x 0..14 at y 0; silver x 5..10, y 1..4
    {MapPicture::DoorN, MapPicture::DoorN, {5, 0}, QRect(6, 0, 4, 3), QRect(0, 0, 15, 1), true, QRect(5, 1, 6, 4)},
    // East: patch x 13..15, y 6..9; grey x 15, y 1..14; silver x 12..14, y 5..10
    {MapPicture::DoorE, MapPicture::DoorE, {12, 5}, QRect(13, 6, 3, 4), QRect(15, 1, 1, 14), false,
     QRect(12, 5, 3, 6)},
    // South: patch x 6..9, y 13..15; grey x 1..15 at y 15; silver x 5..10, y 12..14
    {MapPicture::DoorS, MapPicture::DoorS, {5, 12}, QRect(6, 13, 4, 3), QRect(1, 15, 15, 1), false,
     QRect(5, 12, 6, 3)},
    // West: patch x 0..2, y 6..9; white x 0, y 0..15; silver x 1..4, y 5..10
    {MapPicture::DoorW, MapPicture::DoorW, {0, 5}, QRect(0, 6, 3, 4), QRect(0, 0, 1, 16), true, QRect(1, 5, 4, 6)},
    // Up: silver x 5..10, y 5..7
    {MapPicture::DoorU, MapPicture::DoorUDoor, {5, 5}, QRect(), QRect(), false, QRect(5, 5, 6, 3)},
    // Down: silver x 5..10, y 9..11
    {MapPicture::DoorD, MapPicture::DoorDDoor, {5, 9}, QRect(), QRect(), false, QRect(5, 9, 6, 3)},
}};

bool hasDoor(int32_t doorFlag) { return doorFlag == 1 || doorFlag == 2; }

}  // namespace

// ---------------------------------------------------------------------------------

MapBitmaps::MapBitmaps() {
    registerMapResources();
    for (int i = 0; i < kMapPictureCount; ++i) {
        QImage image(QStringLiteral(":/map/") + QString::fromLatin1(kNames[i].data(), kNames[i].size()));
        images_[i] = image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
    }
}

const MapBitmaps& MapBitmaps::instance() {
    static const MapBitmaps bitmaps;
    return bitmaps;
}

const QImage& MapBitmaps::byName(std::string_view name) const {
    for (int i = 0; i < kMapPictureCount; ++i)
        if (kNames[i] == name) return images_[i];
    return none_;
}

std::string_view MapBitmaps::name(MapPicture which) { return kNames[static_cast<int>(which)]; }

bool MapBitmaps::complete() const {
    return std::none_of(images_.begin(), images_.end(), [](const QImage& image) { return image.isNull(); });
}

// ---------------------------------------------------------------------------------

bool BoardView::inView(int x, int y) const {
    return x - 1 >= leftCol && x - 1 < leftCol + columns && y - 1 >= topRow && y - 1 < topRow + rows;
}

QPoint BoardView::cellTopLeft(int x, int y) const {
    return origin + QPoint((x - 1 - leftCol) * kCellPitch, (y - 1 - topRow) * kCellPitch);
}

QRect BoardView::cellRect(int x, int y) const { return QRect(cellTopLeft(x, y), QSize(kCellSize, kCellSize)); }

std::optional<QPoint> BoardView::cellAtPixel(QPoint pixel) const {
    const QPoint offset = pixel - origin;
    if (offset.x() < 0 || offset.y() < 0) return std::nullopt;
    const int col = offset.x() / kCellPitch;
    const int row = offset.y() / kCellPitch;
    if (col >= columns || row >= rows) return std::nullopt;
    const int x = leftCol + col + 1;
    const int y = topRow + row + 1;
    if (x < 1 || x > kMapColumns || y < 1 || y > kMapRows) return std::nullopt;
    return QPoint(x, y);
}

QSize BoardView::pixelSize() const { return QSize(columns * kCellPitch - 1, rows * kCellPitch - 1); }

// ---------------------------------------------------------------------------------

void paintExitMark(QPainter& painter, QPoint topLeft, int direction, int32_t destination, int32_t doorFlag) {
    if (direction < 0 || direction >= kDirectionCount) return;
    const ExitMarkPlace& place = kPlaces[direction];
    if (destination > 0) {
        const bool door = hasDoor(doorFlag);
        const MapBitmaps& bitmaps = MapBitmaps::instance();
        painter.drawImage(topLeft + place.at, bitmaps.picture(door ? place.doorPicture : place.picture));
        if (door && !place.doorPatch.isEmpty()) painter.fillRect(place.doorPatch.translated(topLeft), doorColour());
        return;
    }
    // No exit that way: the tile as it is without a mark.
    if (!place.edgeLine.isEmpty()) painter.fillRect(place.edgeLine.translated(topLeft), place.edgeIsLight ? kWhite : kGrey);
    painter.fillRect(place.fill.translated(topLeft), kSilver);
}

void paintRoomCell(QPainter& painter, QPoint topLeft, const RoomDataType& room) {
    painter.drawImage(topLeft, MapBitmaps::instance().picture(MapPicture::Room));
    for (int d = 0; d < kDirectionCount; ++d) {
        // The tile already is the plain look of an exit without a destination.
        if (room.exitTo[d] > 0) paintExitMark(painter, topLeft, d, room.exitTo[d], room.exits[d].doorFlag);
    }
}

void paintEmptyCell(QPainter& painter, QPoint topLeft) {
    painter.fillRect(QRect(topLeft, QSize(kCellSize, kCellSize)), boardBackgroundColour());
}

void paintSelectionFrame(QPainter& painter, QPoint topLeft) {
    // Every other pixel of the cell's outer ring, counted round from the top-left corner,
    // like the dotted focus rectangle of the desktop.
    const int last = kCellSize - 1;
    for (int i = 0; i < last; i += 2) {
        painter.fillRect(QRect(topLeft + QPoint(i, 0), QSize(1, 1)), kBlack);          // top, left to right
        painter.fillRect(QRect(topLeft + QPoint(last, i), QSize(1, 1)), kBlack);       // right, downwards
        painter.fillRect(QRect(topLeft + QPoint(last - i, last), QSize(1, 1)), kBlack);  // bottom, leftwards
        painter.fillRect(QRect(topLeft + QPoint(0, last - i), QSize(1, 1)), kBlack);   // left, upwards
    }
}

// ---------------------------------------------------------------------------------

CellDrawn drawCell(QPainter& painter, const MapGrid& grid, const BoardView& view, int x, int y, int z) {
    if (!insideMap(x, y, z) || !view.inView(x, y)) return CellDrawn::NotDrawn;
    const QPoint topLeft = view.cellTopLeft(x, y);
    if (const RoomDataType* room = grid.cellAt(x, y, z)) {
        paintRoomCell(painter, topLeft, *room);
        return CellDrawn::Room;
    }
    paintEmptyCell(painter, topLeft);
    return CellDrawn::Empty;
}

void drawExitMark(QPainter& painter, const MapGrid& grid, const BoardView& view, int x, int y, int direction,
                  int32_t destination, int z) {
    if (!insideMap(x, y, z) || !view.inView(x, y) || direction < 0 || direction >= kDirectionCount) return;
    const RoomDataType* room = grid.cellAt(x, y, z);
    if (!room) return;
    paintExitMark(painter, view.cellTopLeft(x, y), direction, destination, room->exits[direction].doorFlag);
}

void drawSelectionFrame(QPainter& painter, const BoardView& view, int x, int y) {
    if (x < 1 || x > kMapColumns || y < 1 || y > kMapRows || !view.inView(x, y)) return;
    paintSelectionFrame(painter, view.cellTopLeft(x, y));
}

void drawBoardBackground(QPainter& painter, const BoardView& view) {
    const QSize size = view.pixelSize();
    painter.fillRect(QRect(view.origin, size), gridLineColour());
    for (int col = 0; col < view.columns; ++col)
        for (int row = 0; row < view.rows; ++row)
            paintEmptyCell(painter, view.origin + QPoint(col * kCellPitch, row * kCellPitch));
}

void drawView(QPainter& painter, const MapGrid& grid, const BoardView& view, int z,
              const std::function<void(int x, int y, CellDrawn what)>& drawn) {
    for (int x = view.leftCol + 1; x <= view.leftCol + view.columns; ++x)
        for (int y = view.topRow + 1; y <= view.topRow + view.rows; ++y) {
            const CellDrawn what = drawCell(painter, grid, view, x, y, z);
            if (what != CellDrawn::NotDrawn && drawn) drawn(x, y, what);
        }
}

// ---------------------------------------------------------------------------------

QRect occupiedCells(const MapGrid& grid, int z) {
    if (z < 0 || z >= kMapLevels) return QRect();
    int left = kMapColumns + 1, top = kMapRows + 1, right = 0, bottom = 0;
    for (int y = 1; y <= kMapRows; ++y)
        for (int x = 1; x <= kMapColumns; ++x) {
            if (!grid.cellAt(x, y, z)) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    if (right == 0) return QRect();
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage renderLevel(const MapGrid& grid, int z, QRect cells) {
    const QRect shown = cells.intersected(QRect(1, 1, kMapColumns, kMapRows));
    if (shown.isEmpty() || z < 0 || z >= kMapLevels) return QImage();
    BoardView view;
    view.leftCol = shown.left() - 1;
    view.topRow = shown.top() - 1;
    view.columns = shown.width();
    view.rows = shown.height();
    QImage image(view.pixelSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    drawBoardBackground(painter, view);
    for (int x = shown.left(); x <= shown.right(); ++x)
        for (int y = shown.top(); y <= shown.bottom(); ++y)
            if (grid.cellAt(x, y, z)) drawCell(painter, grid, view, x, y, z);
    return image;
}
