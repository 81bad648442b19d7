// The map window's board: painting the cells in view, scrolling, the pointer, and the
// window's drawing operations (drawCell, redrawView, scrollToCell).
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QWheelEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "map/cell_drawing.h"
#include "map/tfrmmap.h"
#include "map/tminimap.h"
#include "uibase/byte_text.h"

namespace {
const QColor kBandColour(0x00, 0x00, 0xC0);  // the rectangle a Draw drag covers
}  // namespace

MapBoard::MapBoard(TfrmMap& map, QWidget* parent) : QAbstractScrollArea(parent), map_(map) {
    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setRange(0, 100 - kCellsInView);
        bar->setSingleStep(1);
        bar->setPageStep(kCellsInView);
        bar->setValue(42);
    }
    const int side = kCellsInView * kPitch;
    resize(side + verticalScrollBar()->sizeHint().width(), side + horizontalScrollBar()->sizeHint().height());
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

int MapBoard::leftCol() const {
    return horizontalScrollBar()->value();
}
int MapBoard::topRow() const {
    return verticalScrollBar()->value();
}

// What the viewport will be once laid out (the board may not have been shown yet).
QSize MapBoard::viewSize() const {
    return QSize(std::max(1, width() - verticalScrollBar()->sizeHint().width()),
                 std::max(1, height() - horizontalScrollBar()->sizeHint().height()));
}

int MapBoard::columnsInView() const {
    return std::clamp(viewSize().width() / pitch(), 1, kMapColumns);
}
int MapBoard::rowsInView() const {
    return std::clamp(viewSize().height() / pitch(), 1, kMapRows);
}

void MapBoard::updateScrollRanges() {
    const int columns = columnsInView(), rows = rowsInView();
    horizontalScrollBar()->setRange(0, kMapColumns - columns);
    horizontalScrollBar()->setPageStep(columns);
    verticalScrollBar()->setRange(0, kMapRows - rows);
    verticalScrollBar()->setPageStep(rows);
}

void MapBoard::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
    map_.viewScrolled();
}

void MapBoard::setZoom(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (zoom == zoom_) return;
    // The cell in the middle of the view stays in the middle.
    const int midX = leftCol() + columnsInView() / 2, midY = topRow() + rowsInView() / 2;
    zoom_ = zoom;
    updateScrollRanges();
    setView(midX - columnsInView() / 2, midY - rowsInView() / 2);
    lookChanged();
}

void MapBoard::setView(int leftCol, int topRow) {
    horizontalScrollBar()->setValue(std::clamp(leftCol, 0, horizontalScrollBar()->maximum()));
    verticalScrollBar()->setValue(std::clamp(topRow, 0, verticalScrollBar()->maximum()));
}

bool MapBoard::inView(int x, int y) const {
    return view().inView(x, y);
}

QPoint MapBoard::cellAt(QPoint pos) const {
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= viewSize().width() || pos.y() >= viewSize().height()) return {};
    return view().cellAtPixel(pos).value_or(QPoint());
}

// While a drag is beyond the board its rectangle stops at the board's edge.
QPoint MapBoard::clampedCell(QPoint pos) const {
    const BoardView shown = view();
    const QSize size = shown.pixelSize().boundedTo(viewSize());
    return cellAt({std::clamp(pos.x(), 0, size.width() - 1), std::clamp(pos.y(), 0, size.height() - 1)});
}

QRect MapBoard::cellRect(int x, int y) const {
    const BoardView shown = view();
    if (!shown.inView(x, y)) return {};
    return shown.cellRect(x, y);
}

void MapBoard::updateCell(int x, int y) {
    if (map_.longExitsShown()) {
        viewport()->update();  // lines from and to the cell may cross any other
        return;
    }
    const QRect r = cellRect(x, y);
    if (!r.isEmpty()) viewport()->update(r);
}

void MapBoard::cellChanged(int x, int y, int z) {
    longExitsStale_ = true;
    if (z == map_.currentLevel()) updateCell(x, y);
}

void MapBoard::roomChanged(const RoomDataType&) {
    // Exits of a room off the level may lead onto it, and a number may now be found.
    longExitsStale_ = true;
    if (map_.longExitsShown()) viewport()->update();
}

void MapBoard::mapReset() {
    longExitsStale_ = true;
    viewport()->update();
}

void MapBoard::lookChanged() {
    longExitsStale_ = true;
    viewport()->update();
}

const std::vector<LongExit>& MapBoard::longExits() {
    if (longExitsStale_ || longExitsLevel_ != map_.currentLevel()) {
        longExits_ = longExitsOfLevel(map_.model().grid, map_.store(), map_.currentLevel());
        longExitsLevel_ = map_.currentLevel();
        longExitsStale_ = false;
    }
    return longExits_;
}

void MapBoard::scrollContentsBy(int dx, int dy) {
    // Only the cells that came into view are painted; the rest is moved on screen.
    if (map_.longExitsShown())
        viewport()->update();
    else
        viewport()->scroll(dx * pitch(), dy * pitch());
    map_.viewScrolled();
}

void MapBoard::updateBand() {
    if (pressCell_.isNull() || bandEnd_.isNull()) return;
    viewport()->update();
}

BoardView MapBoard::view() const {
    BoardView v;
    v.leftCol = leftCol();
    v.topRow = topRow();
    v.zoom = zoom_;
    v.sectorColours = map_.sectorColours();
    // The partly shown cells at the right and bottom edges count.
    v.columns = std::min(kMapColumns - v.leftCol, (viewSize().width() + v.pitch() - 1) / v.pitch());
    v.rows = std::min(kMapRows - v.topRow, (viewSize().height() + v.pitch() - 1) / v.pitch());
    return v;
}

void MapBoard::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRect dirty = event->rect();
    const BoardView shown = view();
    p.fillRect(dirty, gridLineColour());  // what the cells leave uncovered is grid line
    const int c0 = std::max(0, dirty.left() / pitch()), c1 = std::min(shown.columns - 1, dirty.right() / pitch());
    const int r0 = std::max(0, dirty.top() / pitch()), r1 = std::min(shown.rows - 1, dirty.bottom() / pitch());
    const int z = map_.currentLevel();
    const MapGrid& grid = map_.model().grid;
    for (int c = c0; c <= c1; ++c) {
        for (int r = r0; r <= r1; ++r) {
            ++paintedCells_;
            ::drawCell(p, grid, shown, leftCol() + c + 1, topRow() + r + 1, z);
        }
    }
    // Beyond the last column or row of the grid the board is blank.
    const int usedWidth = shown.columns * pitch(), usedHeight = shown.rows * pitch();
    if (dirty.right() >= usedWidth) p.fillRect(QRect(usedWidth, 0, viewport()->width(), viewport()->height()), palette().window());
    if (dirty.bottom() >= usedHeight) p.fillRect(QRect(0, usedHeight, viewport()->width(), viewport()->height()), palette().window());
    if (map_.longExitsShown()) drawLongExits(p, shown, longExits());
    if (const RoomDataType* framed = map_.framedRoom(); framed && framed->mapZ == z)
        drawSelectionFrame(p, shown, framed->mapX, framed->mapY);
    // The rectangle a Draw drag covers so far.
    if (pressed_ && map_.clickMode() == TfrmMap::ClickMode::Draw && !bandEnd_.isNull()) {
        const int x0 = std::min(pressCell_.x(), bandEnd_.x()), x1 = std::max(pressCell_.x(), bandEnd_.x());
        const int y0 = std::min(pressCell_.y(), bandEnd_.y()), y1 = std::max(pressCell_.y(), bandEnd_.y());
        const QRect band((x0 - 1 - leftCol()) * pitch() - 1, (y0 - 1 - topRow()) * pitch() - 1,
                         (x1 - x0 + 1) * pitch(), (y1 - y0 + 1) * pitch());
        p.setPen(QPen(kBandColour, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(band);
    }
    paintDrag(p);
}

// A Select drag from a room: a frame on the cell it would land on (green where a move or
// a link can go, red where not), and for a link a line from the room.
void MapBoard::paintDrag(QPainter& p) {
    if (!pressed_ || map_.clickMode() != TfrmMap::ClickMode::Select || bandEnd_.isNull() || bandEnd_ == pressCell_)
        return;
    const int z = map_.currentLevel();
    const MapGrid& grid = map_.model().grid;
    if (!grid.cellAt(pressCell_.x(), pressCell_.y(), z)) return;
    const bool link = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
    const bool taken = grid.cellAt(bandEnd_.x(), bandEnd_.y(), z) != nullptr;
    const bool fits = link ? taken : !taken;
    const BoardView shown = view();
    p.save();
    p.setPen(QPen(fits ? QColor(0x00, 0x99, 0x33) : QColor(0xDD, 0x22, 0x00), 2));
    p.setBrush(Qt::NoBrush);
    if (link) p.drawLine(shown.cellRect(pressCell_.x(), pressCell_.y()).center(), shown.cellRect(bandEnd_.x(), bandEnd_.y()).center());
    p.drawRect(shown.cellRect(bandEnd_.x(), bandEnd_.y()).adjusted(1, 1, -1, -1));
    p.restore();
}

void MapBoard::mousePressEvent(QMouseEvent* event) {
    // The left button alone works the board.
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.isNull()) return;
    pressed_ = true;
    pressCell_ = bandEnd_ = cell;
    if (map_.clickMode() == TfrmMap::ClickMode::Draw) updateBand();
}

void MapBoard::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QPoint cell = cellAt(pos);
    if (!cell.isNull()) map_.MapGridMouseMove(cell);
    if (pressed_) {
        const QPoint end = map_.clickMode() == TfrmMap::ClickMode::Draw ? clampedCell(pos) : cell;
        if (end != bandEnd_) {
            bandEnd_ = end;
            updateBand();
            if (map_.clickMode() == TfrmMap::ClickMode::Select) viewport()->update();
        }
    }
}

void MapBoard::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    // A command needs the release over the board: letting go beyond it cancels a drag.
    const QPoint release = cellAt(event->position().toPoint());
    const bool dragged = bandEnd_ != pressCell_;
    if (map_.clickMode() == TfrmMap::ClickMode::Draw || dragged) viewport()->update();
    bandEnd_ = {};
    if (!release.isNull()) map_.MapGridMouseUp(pressCell_, release, event->modifiers());
}

void MapBoard::wheelEvent(QWheelEvent* event) {
    // Ctrl with the wheel zooms; the wheel alone scrolls.
    if (event->modifiers() & Qt::ControlModifier) {
        const int steps = event->angleDelta().y() / 120;
        if (steps != 0) map_.setZoom(zoom_ + (steps > 0 ? 1 : -1));
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

bool MapBoard::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint cell = cellAt(help->pos());
        const QString text = cell.isNull() ? QString() : map_.roomTooltip(cell.x(), cell.y());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport(), cellRect(cell.x(), cell.y()));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

// ---------------------------------------------------------------------------------------
// The window's drawing operations. The board paints from the grid, so "drawing" a cell
// asks for its repaint; a cell of another level than the one shown is never painted.
// What the map model changes is redrawn by the board and the minimap themselves.

void TfrmMap::drawCell(int x, int y, int z) {
    if (!insideMap(x, y, z) || z != currentLevel_) return;
    MapGrid->updateCell(x, y);
}

void TfrmMap::viewScrolled() { minimapFollowsView(); }

void TfrmMap::redrawView() {
    MapGrid->viewport()->update();
    minimapFollowsView();
}

void TfrmMap::scrollToCell(int x, int y, int z) {
    if (!insideMap(x, y, z)) return;
    // About half the view from the left and top edges (8 cells at the first size).
    MapGrid->setView(x - MapGrid->columnsInView() / 2, y - MapGrid->rowsInView() / 2);
    setLevel(z);
    redrawView();
}

void TfrmMap::MapGridMouseMove(QPoint cell) {
    pnlXY->setText(QString::number(cell.x()) + QLatin1Char(',') + QString::number(cell.y()));
    if (const RoomDataType* room = map_.grid.cellAt(cell.x(), cell.y(), currentLevel_)) {
        pnlRoomName->setText(bytesToQString(room->name));
        pnlVnum->setText(QString::number(room->vnum));
    } else {
        pnlRoomName->clear();
        pnlVnum->clear();
    }
}
