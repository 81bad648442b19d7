// The map window's View menu (zoom, sector colours, long exits), the legend of the sector
// colours, the layout that gives a larger window a larger board, the tooltip of a room,
// and remembering the view between runs.
#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSettings>

#include "map/tfrmmap.h"
#include "uibase/byte_text.h"

namespace {
constexpr int kLegendWidth = 150;
const char* const kZoomKey = "map/zoom";
const char* const kSectorsKey = "map/sectorColours";
const char* const kLongExitsKeys[2] = {"map/longExits1x", "map/longExitsZoomed"};
}  // namespace

void TfrmMap::buildViewMenu() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setNativeMenuBar(false);
    QMenu* view = menuBar->addMenu(QStringLiteral("V&iew"));  // Alt+V belongs to "&Virtual Key"
    auto* zooms = new QActionGroup(this);
    for (int z = kMinZoom; z <= kMaxZoom; ++z) {
        QAction* a = view->addAction(QStringLiteral("Zoom &%1x").arg(z));
        a->setObjectName(QStringLiteral("itemZoom%1").arg(z));
        a->setCheckable(true);
        zooms->addAction(a);
        connect(a, &QAction::triggered, this, [this, z] { setZoom(z); });
        itemZoom[z - 1] = a;
    }
    itemZoom[0]->setChecked(true);
    view->addSeparator();
    itemZoomIn = view->addAction(QStringLiteral("Zoom &In"));
    itemZoomIn->setObjectName(QStringLiteral("itemZoomIn"));
    itemZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    itemZoomOut = view->addAction(QStringLiteral("Zoom &Out"));
    itemZoomOut->setObjectName(QStringLiteral("itemZoomOut"));
    itemZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    itemZoomReset = view->addAction(QStringLiteral("&Actual Size"));
    itemZoomReset->setObjectName(QStringLiteral("itemZoomReset"));
    itemZoomReset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    connect(itemZoomIn, &QAction::triggered, this, [this] { setZoom(zoom() + 1); });
    connect(itemZoomOut, &QAction::triggered, this, [this] { setZoom(zoom() - 1); });
    connect(itemZoomReset, &QAction::triggered, this, [this] { setZoom(1); });
    for (QAction* a : {itemZoomIn, itemZoomOut, itemZoomReset}) a->setShortcutContext(Qt::WindowShortcut);
    view->addSeparator();
    itemSectorColours = view->addAction(QStringLiteral("Colour Rooms by Sector"));
    itemSectorColours->setObjectName(QStringLiteral("itemSectorColours"));
    itemSectorColours->setCheckable(true);
    connect(itemSectorColours, &QAction::toggled, this, &TfrmMap::setSectorColours);
    itemLongExits = view->addAction(QStringLiteral("Show Long Exits"));
    itemLongExits->setObjectName(QStringLiteral("itemLongExits"));
    itemLongExits->setCheckable(true);
    connect(itemLongExits, &QAction::toggled, this, &TfrmMap::setLongExitsShown);

    pnlLegend = new QLabel(this);
    pnlLegend->setObjectName(QStringLiteral("pnlLegend"));
    pnlLegend->setTextFormat(Qt::RichText);
    pnlLegend->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pnlLegend->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlLegend->hide();

    // Everything was placed for a window of 551 x 474 under no menu: the menu goes on top.
    const int menuHeight = menuBar->sizeHint().height();
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w == menuBar || w == pnlLegend || w->isWindow()) continue;
        w->move(w->pos() + QPoint(0, menuHeight));
        firstPlaces_.emplace_back(w, w->geometry());
    }
    firstSize_ = QSize(551, 474 + menuHeight);
    setMinimumSize(firstSize_);
    resize(firstSize_);
    layOut();
}

void TfrmMap::resizeEvent(QResizeEvent* event) {
    SecondaryWindow::resizeEvent(event);
    layOut();
}

// The board takes what the window has beyond its first size; the controls under it move
// down, the exit panel right, and the switches and buttons at its foot both ways.
void TfrmMap::layOut() {
    if (firstPlaces_.empty()) return;
    const int legend = sectorColours_ ? kLegendWidth + 6 : 0;
    const int dx = std::max(0, width() - firstSize_.width() - legend);
    const int dy = std::max(0, height() - firstSize_.height());
    const int boardRight = 300;  // the exit panel starts here
    const int footTop = 290 + menuBar->height();
    for (const auto& [w, first] : firstPlaces_) {
        if (w == MapGrid) {
            w->resize(first.size() + QSize(dx, dy));
            continue;
        }
        const bool right = first.left() >= boardRight - 4, foot = right && first.left() >= 460 && first.top() >= footTop;
        w->move(first.topLeft() + QPoint(right ? dx : 0, right ? (foot ? dy : 0) : dy));
    }
    menuBar->setGeometry(0, 0, width(), menuBar->sizeHint().height());
    pnlLegend->setGeometry(width() - kLegendWidth - 6, menuBar->height() + 6, kLegendWidth,
                           std::min(height() - menuBar->height() - 12, pnlLegend->sizeHint().height()));
}

void TfrmMap::setViewSettings(QSettings* settings) {
    settings_ = settings;
    if (!settings_) return;
    // Read all before taking any: each one taken is remembered at once.
    const std::array<bool, 2> longExits = {settings_->value(kLongExitsKeys[0], longExits_[0]).toBool(),
                                           settings_->value(kLongExitsKeys[1], longExits_[1]).toBool()};
    const bool sectors = settings_->value(kSectorsKey, false).toBool();
    const int zoom = settings_->value(kZoomKey, 1).toInt();
    longExits_ = longExits;
    setSectorColours(sectors);
    setZoom(zoom);
}

void TfrmMap::rememberView() const {
    if (!settings_) return;
    settings_->setValue(kZoomKey, zoom());
    settings_->setValue(kSectorsKey, sectorColours_);
    settings_->setValue(kLongExitsKeys[0], longExits_[0]);
    settings_->setValue(kLongExitsKeys[1], longExits_[1]);
}

void TfrmMap::setZoom(int zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    const bool framedInView = framedRoom_ && framedRoom_->mapZ == currentLevel_ &&
                              MapGrid->inView(framedRoom_->mapX, framedRoom_->mapY);
    MapGrid->setZoom(zoom);
    // The selected room stays in view, in the middle.
    if (framedInView)
        MapGrid->setView(framedRoom_->mapX - 1 - MapGrid->columnsInView() / 2,
                         framedRoom_->mapY - 1 - MapGrid->rowsInView() / 2);
    itemZoom[zoom - 1]->setChecked(true);
    itemZoomIn->setEnabled(zoom < kMaxZoom);
    itemZoomOut->setEnabled(zoom > kMinZoom);
    {
        const QSignalBlocker block(itemLongExits);
        itemLongExits->setChecked(longExitsShown());
    }
    MapGrid->lookChanged();
    minimapFollowsView();
    rememberView();
}

void TfrmMap::setSectorColours(bool on) {
    if (itemSectorColours->isChecked() != on) {
        itemSectorColours->setChecked(on);  // comes back here through toggled
        return;
    }
    sectorColours_ = on;
    if (on) fillLegend();
    pnlLegend->setVisible(on);
    setMinimumSize(firstSize_ + QSize(on ? kLegendWidth + 6 : 0, 0));
    if (on && width() < minimumWidth()) resize(minimumWidth(), height());
    layOut();
    MapGrid->lookChanged();
    rememberView();
}

bool TfrmMap::longExitsShown() const { return longExits_[MapGrid && zoom() > 1 ? 1 : 0]; }

void TfrmMap::setLongExitsShown(bool on) {
    longExits_[zoom() > 1 ? 1 : 0] = on;
    if (itemLongExits->isChecked() != on) {
        const QSignalBlocker block(itemLongExits);
        itemLongExits->setChecked(on);
    }
    MapGrid->lookChanged();
    rememberView();
}

// A swatch and the sector's value and name for every sector type of the table.
void TfrmMap::fillLegend() {
    QString html = QStringLiteral("<b>Sectors</b><table cellspacing='1'>");
    std::vector<std::pair<int32_t, std::string>> sectors;
    if (names_) sectors = names_->sectors();
    if (sectors.empty())
        for (int32_t v = 0; v < kSectorPaletteSize; ++v) sectors.emplace_back(v, std::string());
    for (const auto& [value, name] : sectors)
        html += QStringLiteral("<tr><td bgcolor='%1'>&nbsp;&nbsp;&nbsp;&nbsp;</td><td>%2 %3</td></tr>")
                    .arg(sectorColour(value).name(), QString::number(value), bytesToQString(name).toHtmlEscaped());
    html += QStringLiteral("</table>");
    pnlLegend->setText(html);
}

QString TfrmMap::roomTooltip(int x, int y) const {
    const RoomDataType* room = map_.grid.cellAt(x, y, currentLevel_);
    if (!room) return {};
    QString html = QStringLiteral("<p style='white-space:pre'>");
    bool first = true;
    for (const std::string& line : roomDetails(map_.grid, store_, *room, names_)) {
        if (!first) html += QStringLiteral("<br>");
        html += bytesToQString(line).toHtmlEscaped();
        first = false;
    }
    return html + QStringLiteral("</p>");
}

void TfrmMap::selectAndShowRoom(RoomDataType& room) {
    if (!commits().commitPending()) return;
    if (!room.onMap()) return;
    scrollToCell(room.mapX, room.mapY, room.mapZ);
    pnlZ->setText(QString::number(currentLevel_));
    selectedCell_ = {room.mapX, room.mapY};
    enableExitPanel();
    showMapRoom(&room);
}
