// The map window's board: painting the cells in view, scrolling, the pointer, and the
// window's drawing operations (drawCell, redrawView, scrollToCell).
#include <QLabel>
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
        bar->setRange(0, kLastFirstCell);
        bar->setSingleStep(1);
        bar->setPageStep(kCellsInView);
        bar->setValue(42);
    }
    const int side = kCellsInView * kPitch;
    setFixedSize(side + verticalScrollBar()->sizeHint().width(),
                 side + horizontalScrollBar()->sizeHint().height());
    viewport()->setFixedSize(side, side);
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

void MapBoard::setView(int leftCol, int topRow) {
    horizontalScrollBar()->setValue(std::clamp(leftCol, 0, kLastFirstCell));
    verticalScrollBar()->setValue(std::clamp(topRow, 0, kLastFirstCell));
}

bool MapBoard::inView(int x, int y) const {
    return x - 1 >= leftCol() && x - 1 < leftCol() + kCellsInView && y - 1 >= topRow() &&
           y - 1 < topRow() + kCellsInView;
}

QPoint MapBoard::cellAt(QPoint pos) const {
    if (pos.x() < 0 || pos.y() < 0) return {};
    const int col = pos.x() / kPitch, row = pos.y() / kPitch;
    if (col >= kCellsInView || row >= kCellsInView) return {};
    return {leftCol() + col + 1, topRow() + row + 1};
}

// While a drag is beyond the board its rectangle stops at the board's edge.
QPoint MapBoard::clampedCell(QPoint pos) const {
    const int last = kCellsInView * kPitch - 1;
    return cellAt({std::clamp(pos.x(), 0, last), std::clamp(pos.y(), 0, last)});
}

QRect MapBoard::cellRect(int x, int y) const {
    if (!inView(x, y)) return {};
    return {(x - 1 - leftCol()) * kPitch, (y - 1 - topRow()) * kPitch, kCellSize, kCellSize};
}

void MapBoard::updateCell(int x, int y) {
    const QRect r = cellRect(x, y);
    if (!r.isEmpty()) viewport()->update(r);
}

void MapBoard::cellChanged(int x, int y, int z) {
    if (z == map_.currentLevel()) updateCell(x, y);
}

void MapBoard::mapReset() { viewport()->update(); }

void MapBoard::scrollContentsBy(int dx, int dy) {
    // Only the cells that came into view are painted; the rest is moved on screen.
    viewport()->scroll(dx * kPitch, dy * kPitch);
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
    return v;
}

void MapBoard::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    const QRect dirty = event->rect();
    p.fillRect(dirty, gridLineColour());  // what the cells leave uncovered is grid line
    const int c0 = std::max(0, dirty.left() / kPitch),
              c1 = std::min(kCellsInView - 1, dirty.right() / kPitch);
    const int r0 = std::max(0, dirty.top() / kPitch),
              r1 = std::min(kCellsInView - 1, dirty.bottom() / kPitch);
    const int z = map_.currentLevel();
    const MapGrid& grid = map_.model().grid;
    const BoardView shown = view();
    for (int c = c0; c <= c1; ++c) {
        for (int r = r0; r <= r1; ++r) {
            ++paintedCells_;
            ::drawCell(p, grid, shown, leftCol() + c + 1, topRow() + r + 1, z);
        }
    }
    if (const RoomDataType* framed = map_.framedRoom(); framed && framed->mapZ == z)
        drawSelectionFrame(p, shown, framed->mapX, framed->mapY);
    // The rectangle a Draw drag covers so far.
    if (pressed_ && map_.clickMode() == TfrmMap::ClickMode::Draw && !bandEnd_.isNull()) {
        const int x0 = std::min(pressCell_.x(), bandEnd_.x()), x1 = std::max(pressCell_.x(), bandEnd_.x());
        const int y0 = std::min(pressCell_.y(), bandEnd_.y()), y1 = std::max(pressCell_.y(), bandEnd_.y());
        const QRect band((x0 - 1 - leftCol()) * kPitch - 1, (y0 - 1 - topRow()) * kPitch - 1,
                         (x1 - x0 + 1) * kPitch, (y1 - y0 + 1) * kPitch);
        p.setPen(QPen(kBandColour, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(band);
    }
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
    if (pressed_ && map_.clickMode() == TfrmMap::ClickMode::Draw) {
        const QPoint end = clampedCell(pos);
        if (end != bandEnd_) {
            bandEnd_ = end;
            updateBand();
        }
    }
}

void MapBoard::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    // A command needs the release over the board: letting go beyond it cancels a drag.
    const QPoint release = cellAt(event->position().toPoint());
    if (map_.clickMode() == TfrmMap::ClickMode::Draw) updateBand();
    bandEnd_ = {};
    if (!release.isNull()) map_.MapGridMouseUp(pressCell_, release);
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
    MapGrid->setView(x - 8, y - 8);
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
