#include "map/tminimap.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "map/map_model.h"

// The picture "immap": 100 x 100 pixels, one per cell.
class MinimapPicture : public QWidget {
public:
    MinimapPicture(Tminimap& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setObjectName("immap");
        setFixedSize(MinimapImage::kSize, MinimapImage::kSize);
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, owner_.image_.image());
    }
    void mouseMoveEvent(QMouseEvent* event) override { owner_.pointerAt(event->position().toPoint()); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) owner_.clickedAt(event->position().toPoint());
    }

private:
    Tminimap& owner_;
};

Tminimap::Tminimap(MapModel& map, QWidget* parent)
    : SecondaryWindow(parent, Qt::Tool), map_(map), grid_(map.grid), image_(palette().color(QPalette::Button)) {
    setObjectName("minimap");
    setWindowTitle(QStringLiteral("MINIMAP"));
    setCentring(Centring::None);
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* frame = new QFrame(this);
    frame->setObjectName("pnlMinimap");
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(1, 1, 1, 1);
    immap_ = new MinimapPicture(*this, frame);
    inner->addWidget(immap_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->addWidget(frame);
    setFixedSize(sizeHint());
    map_.addObserver(this);
}

Tminimap::~Tminimap() { map_.removeObserver(this); }

void Tminimap::cellChanged(int x, int y, int z) {
    if (z != level_) return;
    image_.plotCell(x, y, grid_.cellAt(x, y, z) != nullptr);
    // One repaint of the whole picture, however many cells a command changes.
    immap_->update();
}

void Tminimap::mapReset() { setLevel(level_); }

void Tminimap::showView(int level, int leftCol, int topRow, int columns, int rows) {
    if (isHidden())
        showMinimap(level);
    else if (level != level_)
        setLevel(level);
    drawViewFrame(leftCol, topRow, columns, rows);
}

void Tminimap::setLevel(int level) {
    level_ = level;
    image_.redraw(grid_, level_);
    immap_->update();
}

void Tminimap::showMinimap(int level) {
    setLevel(level);
    if (!placed_ && mapWindow_) {
        const QRect map = mapWindow_->frameGeometry();
        move(map.left() + map.width(), map.top() + 100);
    }
    placed_ = true;
    show();
    raise();
    pointerPixel_ = QPoint(0, 0);
}

void Tminimap::plotCell(int x, int y, bool occupied) {
    image_.plotCell(x, y, occupied);
    immap_->update(x - 1, y - 1, 1, 1);
}

void Tminimap::refreshCell(int x, int y) {
    plotCell(x, y, insideMap(x, y, level_) && grid_.cellAt(x, y, level_) != nullptr);
}

void Tminimap::drawViewFrame(int leftCol, int topRow, int columns, int rows) {
    immap_->update(image_.moveViewFrame(grid_, level_, leftCol, topRow, columns, rows));
}

void Tminimap::pointerAt(QPoint pixel) {
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= MinimapImage::kSize || pixel.y() >= MinimapImage::kSize)
        return;
    pointerPixel_ = pixel;
}

void Tminimap::clickedAt(QPoint pixel) {
    // The click's own position counts: a click right after the window appeared, before
    // the pointer moved over the picture, must not jump to the corner of the level.
    pointerAt(pixel);
    emit scrollRequested(pointerPixel_.x() + 1, pointerPixel_.y() + 1);
    // The keyboard stays with the map, so its arrow keys keep scrolling the board.
    if (mapWindow_ && mapWindow_->isVisible()) mapWindow_->activateWindow();
}
