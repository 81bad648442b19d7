#include "map/cell_drawing.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "map/exit_reach.h"
#include "map/map_model.h"
#include "uibase/byte_text.h"
#include "world/room.h"

// A static library's resources must be registered by name before the first use.
static void registerMapResources() { Q_INIT_RESOURCE(map_bitmaps); }

namespace {

constexpr std::array<std::string_view, kMapPictureCount> kNames = {
    "ROOM_BMP2", "DOOR_N", "DOOR_E", "DOOR_S", "DOOR_W", "DOOR_U", "DOOR_D", "DOOR_U_P", "DOOR_D_P"};

const QColor kWhite(0xFF, 0xFF, 0xFF);
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

// Paul Tol's "light" scheme, told apart with every common colour blindness and light
// enough for black labels, with a tenth colour so that the built-in sectors 0 to 9 differ.
// Sector 0 (INSIDE in the built-in table) takes the pale grey.
constexpr std::array<QRgb, kSectorPaletteSize> kSectorPalette = {
    0xDDDDDD,  // pale grey
    0xFFAABB,  // pink
    0xBBCC33,  // pear
    0x44BB99,  // mint
    0xEEDD88,  // light yellow
    0xEE8866,  // orange
    0x99DDFF,  // light cyan
    0x77AADD,  // light blue
    0xAAAA00,  // olive
    0xAA4499,  // purple, from his "muted" scheme
};

// The fixed font of the labels: about a third of a tile high.
QFont labelFont(int zoom) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(zoom <= 2 ? 9 : zoom == 3 ? 11 : 13);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// Where an exit leaves its tile: the middle of the edge on its side, the corner of a
// diagonal, the centre for Up and Down.
QPointF exitPoint(QRectF tile, int direction) {
    const QPointF c = tile.center();
    switch (direction) {
    case North: return {c.x(), tile.top()};
    case East: return {tile.right(), c.y()};
    case South: return {c.x(), tile.bottom()};
    case West: return {tile.left(), c.y()};
    case NorthWest: return tile.topLeft();
    case NorthEast: return tile.topRight();
    case SouthEast: return tile.bottomRight();
    case SouthWest: return tile.bottomLeft();
    default: return c;
    }
}

// Where a line from `from` towards the tile's centre meets the tile's border.
QPointF borderPoint(QRectF tile, QPointF from) {
    const QPointF c = tile.center();
    const double dx = from.x() - c.x(), dy = from.y() - c.y();
    if (dx == 0 && dy == 0) return c;
    const double hx = tile.width() / 2, hy = tile.height() / 2;
    const double t = std::min(dx != 0 ? hx / std::abs(dx) : 1e9, dy != 0 ? hy / std::abs(dy) : 1e9);
    return {c.x() + dx * std::min(t, 1.0), c.y() + dy * std::min(t, 1.0)};
}

void drawArrowHead(QPainter& painter, QPointF tip, QPointF from, double size) {
    const double angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - QPointF(std::cos(angle - 0.5) * size, std::sin(angle - 0.5) * size));
    head.lineTo(tip - QPointF(std::cos(angle + 0.5) * size, std::sin(angle + 0.5) * size));
    head.closeSubpath();
    painter.fillPath(head, painter.pen().color());
}

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

const std::array<QImage, kMapPictureCount>& MapBitmaps::tinted(QRgb fill) const {
    fill |= 0xFF000000;
    for (const auto& [colour, pictures] : tinted_)
        if (colour == fill) return pictures;
    std::array<QImage, kMapPictureCount> pictures = images_;
    for (QImage& picture : pictures)
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                if ((line[x] & 0xFFFFFF) == 0xC0C0C0) line[x] = fill;
        }
    tinted_.emplace_back(fill, std::move(pictures));
    return tinted_.back().second;
}

QColor sectorColour(int32_t sector) {
    const int index = static_cast<int>(((sector % kSectorPaletteSize) + kSectorPaletteSize) % kSectorPaletteSize);
    return QColor::fromRgb(kSectorPalette[index]);
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
    return origin + QPoint((x - 1 - leftCol) * pitch(), (y - 1 - topRow) * pitch());
}

QRect BoardView::cellRect(int x, int y) const { return QRect(cellTopLeft(x, y), QSize(cellSide(), cellSide())); }

std::optional<QPoint> BoardView::cellAtPixel(QPoint pixel) const {
    const QPoint offset = pixel - origin;
    if (offset.x() < 0 || offset.y() < 0) return std::nullopt;
    const int col = offset.x() / pitch();
    const int row = offset.y() / pitch();
    if (col >= columns || row >= rows) return std::nullopt;
    const int x = leftCol + col + 1;
    const int y = topRow + row + 1;
    if (x < 1 || x > kMapColumns || y < 1 || y > kMapRows) return std::nullopt;
    return QPoint(x, y);
}

QSize BoardView::pixelSize() const { return QSize(columns * pitch() - zoom, rows * pitch() - zoom); }

// ---------------------------------------------------------------------------------

void paintExitMark(QPainter& painter, QPoint topLeft, int direction, int32_t destination, int32_t doorFlag,
                   QColor fill) {
    if (direction < 0 || direction >= kDirectionCount) return;
    const ExitMarkPlace& place = kPlaces[direction];
    if (destination > 0) {
        const bool door = hasDoor(doorFlag);
        const MapBitmaps& bitmaps = MapBitmaps::instance();
        const MapPicture which = door ? place.doorPicture : place.picture;
        painter.drawImage(topLeft + place.at, fill == tileColour() ? bitmaps.picture(which)
                                                                   : bitmaps.tinted(fill.rgb())[static_cast<int>(which)]);
        if (door && !place.doorPatch.isEmpty()) painter.fillRect(place.doorPatch.translated(topLeft), doorColour());
        return;
    }
    // No exit that way: the tile as it is without a mark.
    if (!place.edgeLine.isEmpty()) painter.fillRect(place.edgeLine.translated(topLeft), place.edgeIsLight ? kWhite : kGrey);
    painter.fillRect(place.fill.translated(topLeft), fill);
}

void paintRoomCell(QPainter& painter, QPoint topLeft, const RoomDataType& room, QColor fill) {
    const MapBitmaps& bitmaps = MapBitmaps::instance();
    painter.drawImage(topLeft, fill == tileColour() ? bitmaps.picture(MapPicture::Room)
                                                    : bitmaps.tinted(fill.rgb())[static_cast<int>(MapPicture::Room)]);
    for (int d = 0; d < kDirectionCount; ++d) {
        // The tile already is the plain look of an exit without a destination.
        if (room.exitTo[d] > 0) paintExitMark(painter, topLeft, d, room.exitTo[d], room.exits[d].doorFlag, fill);
    }
}

void drawRoomLabels(QPainter& painter, QRect tile, int zoom, const RoomDataType& room) {
    if (zoom < kFirstLabelZoom) return;
    const QFont font = labelFont(zoom);
    const QFontMetrics metrics(font);
    // Inside the tile's raised edges, and never over a door patch or an up or down mark:
    // what the exits say matters more than a label's last pixels.
    const QRect inner = tile.adjusted(zoom + 1, zoom, -(zoom + 1), -zoom);
    QRegion clip(inner);
    for (int d = 0; d < kDirectionCount; ++d) {
        if (room.exitTo[d] <= 0) continue;
        const ExitMarkPlace& place = kPlaces[d];
        const QRect mark = place.doorPatch.isEmpty() ? place.fill : hasDoor(room.exits[d].doorFlag) ? place.doorPatch : QRect();
        if (!mark.isEmpty())
            clip -= QRect(tile.left() + mark.x() * zoom, tile.top() + mark.y() * zoom, mark.width() * zoom,
                          mark.height() * zoom);
    }
    painter.save();
    painter.setClipRegion(clip);
    painter.setFont(font);
    painter.setPen(QColor(0x00, 0x00, 0x00));
    const int line = metrics.height();
    painter.drawText(QRect(inner.left(), inner.top(), inner.width(), line), Qt::AlignHCenter | Qt::AlignTop,
                     QString::number(room.vnum));
    if (zoom >= kFirstNameZoom && !room.name.empty()) {
        // The start of the name, as many characters as the tile holds; at 4x two lines.
        const QString name = bytesToQString(room.name);
        const int perLine = std::max(1, inner.width() / std::max(1, metrics.horizontalAdvance(QLatin1Char('M'))));
        const int lines = zoom >= 4 ? 2 : 1;
        const int firstTop = inner.bottom() + 1 - lines * line;
        for (int i = 0; i < lines && i * perLine < name.size(); ++i)
            painter.drawText(QRect(inner.left(), firstTop + i * line, inner.width(), line),
                             Qt::AlignLeft | Qt::AlignTop, name.mid(i * perLine, perLine));
    }
    painter.restore();
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
    const RoomDataType* room = grid.cellAt(x, y, z);
    if (view.zoom <= 1) {
        if (!room) {
            paintEmptyCell(painter, topLeft);
            return CellDrawn::Empty;
        }
        paintRoomCell(painter, topLeft, *room, view.sectorColours ? sectorColour(room->sectorType) : tileColour());
        return CellDrawn::Room;
    }
    if (!room) {
        painter.fillRect(view.cellRect(x, y), boardBackgroundColour());
        return CellDrawn::Empty;
    }
    // The 1x tile, shown enlarged pixel for pixel.
    static QImage tile(kCellSize, kCellSize, QImage::Format_RGB32);
    {
        QPainter tilePainter(&tile);
        paintRoomCell(tilePainter, QPoint(0, 0), *room,
                      view.sectorColours ? sectorColour(room->sectorType) : tileColour());
    }
    const QRect target = view.cellRect(x, y);
    const bool smooth = painter.testRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, tile);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    drawRoomLabels(painter, target, view.zoom, *room);
    return CellDrawn::Room;
}

void drawExitMark(QPainter& painter, const MapGrid& grid, const BoardView& view, int x, int y, int direction,
                  int32_t destination, int z) {
    if (!insideMap(x, y, z) || !view.inView(x, y) || direction < 0 || direction >= kDirectionCount) return;
    const RoomDataType* room = grid.cellAt(x, y, z);
    if (!room) return;
    const QColor fill = view.sectorColours ? sectorColour(room->sectorType) : tileColour();
    if (view.zoom <= 1) {
        paintExitMark(painter, view.cellTopLeft(x, y), direction, destination, room->exits[direction].doorFlag, fill);
        return;
    }
    // The mark is part of the enlarged tile: the tile is drawn again with it.
    QImage tile(kCellSize, kCellSize, QImage::Format_RGB32);
    {
        QPainter tilePainter(&tile);
        paintRoomCell(tilePainter, QPoint(0, 0), *room, fill);
        paintExitMark(tilePainter, QPoint(0, 0), direction, destination, room->exits[direction].doorFlag, fill);
    }
    painter.drawImage(view.cellRect(x, y), tile);
    drawRoomLabels(painter, view.cellRect(x, y), view.zoom, *room);
}

void drawSelectionFrame(QPainter& painter, const BoardView& view, int x, int y) {
    if (x < 1 || x > kMapColumns || y < 1 || y > kMapRows || !view.inView(x, y)) return;
    if (view.zoom <= 1) {
        paintSelectionFrame(painter, view.cellTopLeft(x, y));
        return;
    }
    // The 1x frame's dots, each zoom x zoom pixels.
    painter.save();
    painter.translate(view.cellTopLeft(x, y));
    painter.scale(view.zoom, view.zoom);
    paintSelectionFrame(painter, QPoint(0, 0));
    painter.restore();
}

void drawBoardBackground(QPainter& painter, const BoardView& view) {
    const QSize size = view.pixelSize();
    painter.fillRect(QRect(view.origin, size), gridLineColour());
    for (int col = 0; col < view.columns; ++col)
        for (int row = 0; row < view.rows; ++row)
            painter.fillRect(QRect(view.origin + QPoint(col * view.pitch(), row * view.pitch()),
                                   QSize(view.cellSide(), view.cellSide())),
                             boardBackgroundColour());
}

void drawLongExits(QPainter& painter, const BoardView& view, const std::vector<LongExit>& exits) {
    if (exits.empty()) return;
    const QRectF shown(view.origin, view.pixelSize());
    const double width = view.zoom >= 3 ? 2 : 1;
    const double stub = view.pitch() * 0.6;
    const double head = 3 + view.zoom;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const LongExit& exit : exits) {
        const QRectF tile = QRectF(view.cellRect(exit.x, exit.y));
        const QPointF from = exitPoint(tile, exit.direction);
        if (exit.reach == ExitReach::SameLevel) {
            const QRectF to = QRectF(view.cellRect(exit.toX, exit.toY));
            const QPointF end = borderPoint(to, from);
            if (!shown.intersects(QRectF(from, end).normalized().adjusted(-1, -1, 1, 1))) continue;
            painter.setPen(QPen(longExitColour(), width));
            painter.drawLine(from, end);
            continue;
        }
        if (exit.direction == Up || exit.direction == Down) {
            // Their arrows already say "another level"; only a dangling one is marked.
            if (exit.reach != ExitReach::Missing || !view.inView(exit.x, exit.y)) continue;
            painter.setPen(QPen(warningColour(), width));
            const QRectF arrow = exit.direction == Up ? QRectF(5, 5, 6, 3) : QRectF(5, 9, 6, 3);
            painter.drawRect(QRectF(tile.topLeft() + arrow.topLeft() * view.zoom, arrow.size() * view.zoom)
                                 .adjusted(-1, -1, 1, 1));
            continue;
        }
        const MapStep step = directionStep(exit.direction);
        const QPointF end = from + QPointF(step.dx, step.dy) * (stub / std::hypot(step.dx, step.dy));
        if (!shown.intersects(QRectF(from, end).normalized().adjusted(-head, -head, head, head))) continue;
        const QColor colour = exit.reach == ExitReach::Missing ? warningColour() : longExitColour();
        painter.setPen(QPen(colour, width));
        painter.drawLine(from, end);
        drawArrowHead(painter, end, from, head);
    }
    painter.restore();
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

QImage renderLevel(const MapGrid& grid, int z, QRect cells, const LevelLook& look) {
    const QRect shown = cells.intersected(QRect(1, 1, kMapColumns, kMapRows));
    if (shown.isEmpty() || z < 0 || z >= kMapLevels) return QImage();
    BoardView view;
    view.leftCol = shown.left() - 1;
    view.topRow = shown.top() - 1;
    view.columns = shown.width();
    view.rows = shown.height();
    view.zoom = std::clamp(look.zoom, kMinZoom, kMaxZoom);
    view.sectorColours = look.sectorColours;
    QImage image(view.pixelSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    drawBoardBackground(painter, view);
    for (int x = shown.left(); x <= shown.right(); ++x)
        for (int y = shown.top(); y <= shown.bottom(); ++y)
            if (grid.cellAt(x, y, z)) drawCell(painter, grid, view, x, y, z);
    if (look.longExits) drawLongExits(painter, view, *look.longExits);
    return image;
}
