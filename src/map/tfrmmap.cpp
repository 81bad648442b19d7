// The map window: construction and layout, opening and closing, levels and the buttons.
#include "map/tfrmmap.h"

#include <QAbstractListModel>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "map/tminimap.h"
#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"
#include "world/default_room.h"

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect at) {
    QPushButton* b = makeButton(parent, QString::fromLatin1(name), caption, at);
    b->setAutoDefault(false);  // Enter belongs to the fields
    return b;
}

QLabel* label(QWidget* parent, const QString& caption, QRect at) {
    return makeLabel(parent, QString(), caption, at);
}

QLabel* panel(QWidget* parent, const char* name, QRect at) {
    QLabel* p = makeSunkenLabel(parent, QString::fromLatin1(name), QString(), at);
    p->setIndent(3);
    return p;
}

}  // namespace

TfrmMap::TfrmMap(WorldStore& store, MapModel& map, Prompts& prompts, QWidget* parent)
    : SecondaryWindow(parent, Qt::Dialog),
      store_(store),
      map_(map),
      prompts_(prompts),
      commands_(store, map, prompts) {
    setObjectName(QStringLiteral("frmMap"));
    setWindowTitle(QStringLiteral("Map"));
    setCentring(Centring::FirstOpen);
    buildControls();
    buildExitPanel();
    buildViewMenu();
    watchPanelFields();
    mirrorPlacementList();
    map_.addObserver(MapGrid);
    store_.addObserver(this);
    disableExitPanel();
    showMapRoom(nullptr);
    pnlZ->setText(QString::number(currentLevel_));
}


void TfrmMap::buildControls() {
    MapGrid = new MapBoard(*this, this);
    MapGrid->setObjectName(QStringLiteral("MapGrid"));
    MapGrid->move(6, 6);

    const int underBoard = MapGrid->geometry().bottom() + 6;
    label(this, QStringLiteral("Room"), QRect(6, underBoard + 2, 36, 20));
    pnlRoomName = panel(this, "pnlRoomName", QRect(42, underBoard, 170, 22));
    pnlVnum = panel(this, "pnlVnum", QRect(216, underBoard, 74, 22));

    const int row2 = underBoard + 28;
    label(this, QStringLiteral("X,Y"), QRect(6, row2 + 2, 24, 20));
    pnlXY = panel(this, "pnlXY", QRect(32, row2, 64, 22));
    label(this, QStringLiteral("Z"), QRect(104, row2 + 2, 12, 20));
    pnlZ = panel(this, "pnlZ", QRect(118, row2, 30, 22));
    label(this, QStringLiteral("Z +/-"), QRect(160, row2 + 2, 40, 20));
    btnPlusZ = button(this, "btnPlusZ", QStringLiteral("+"), QRect(200, row2, 40, 22));
    btnMinusZ = button(this, "btnMinusZ", QStringLiteral("-"), QRect(244, row2, 40, 22));
    connect(btnPlusZ, &QPushButton::clicked, this, &TfrmMap::btnPlusZClick);
    connect(btnMinusZ, &QPushButton::clicked, this, &TfrmMap::btnMinusZClick);

    const int row3 = row2 + 30;
    label(this, QStringLiteral("Click To"), QRect(6, row3 + 2, 56, 20));
    sb_Select =
        makeToggle(this, QStringLiteral("sb_Select"), QStringLiteral("Select"), QRect(64, row3, 70, 24));
    sb_Draw = makeToggle(this, QStringLiteral("sb_Draw"), QStringLiteral("Draw"), QRect(136, row3, 70, 24));
    clickGroup_ = new QButtonGroup(this);
    clickGroup_->setExclusive(true);
    clickGroup_->addButton(sb_Select, static_cast<int>(ClickMode::Select));
    clickGroup_->addButton(sb_Draw, static_cast<int>(ClickMode::Draw));
    sb_Select->setChecked(true);
    connect(clickGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { clickMode_ = static_cast<ClickMode>(id); });

    auto* drawBox = named(new QGroupBox(QStringLiteral("Draw Mode"), this), QStringLiteral("gbDrawMode"));
    drawBox->setGeometry(6, row3 + 30, 284, 48);
    drawGroup_ = new QButtonGroup(this);
    drawGroup_->setExclusive(true);
    const char* modes[] = {"Toggle", "ON", "OFF", "DELETE"};
    for (int i = 0; i < 4; ++i) {
        QToolButton* b = makeToggle(drawBox, QStringLiteral("sb_") + QLatin1String(modes[i]),
                                    QLatin1String(modes[i]), QRect(8 + i * 68, 18, 66, 24));
        drawGroup_->addButton(b, i);
    }
    sb_Toggle = static_cast<QToolButton*>(drawGroup_->button(0));
    sb_ON = static_cast<QToolButton*>(drawGroup_->button(1));
    sb_OFF = static_cast<QToolButton*>(drawGroup_->button(2));
    sb_DELETE = static_cast<QToolButton*>(drawGroup_->button(3));
    sb_Toggle->setChecked(true);
    connect(drawGroup_, &QButtonGroup::idClicked, this,
            [this](int id) { drawMode_ = static_cast<DrawMode>(id); });

    const int row4 = row3 + 84;
    label(this, QStringLiteral("Place Room On Map"), QRect(6, row4 + 2, 120, 20));
    selboxPlaceRoom = named(new QComboBox(this), QStringLiteral("selboxPlaceRoom"));
    selboxPlaceRoom->setGeometry(126, row4, 164, 24);
    selboxPlaceRoom->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* list = qobject_cast<QListView*>(selboxPlaceRoom->view())) list->setUniformItemSizes(true);
    // The lines pad room numbers with blanks, so names line up in a fixed-pitch font.
    selboxPlaceRoom->setFont(terminalFont());

    // The right-hand column's foot: the switches and the window's own buttons.
    cb_Recalc = named(new QCheckBox(this), QStringLiteral("cb_Recalc"));
    cb_Recalc->setGeometry(462, 300, 20, 20);
    cb_Recalc->setChecked(true);
    connect(cb_Recalc, &QCheckBox::toggled, this, [this](bool on) { map_.recalcOnChange = on; });
    map_.recalcOnChange = true;
    LabelReCalc =
        named(label(this, QStringLiteral("ReCalc"), QRect(484, 294, 60, 16)), QStringLiteral("LabelReCalc"));
    LabelExits =
        named(label(this, QStringLiteral("Exits"), QRect(484, 310, 60, 16)), QStringLiteral("LabelExits"));
    LabelReCalc->installEventFilter(this);
    LabelExits->installEventFilter(this);

    sb_minimap =
        makeToggle(this, QStringLiteral("sb_minimap"), QStringLiteral("&minimap"), QRect(462, 334, 82, 24));
    sb_minimap->setChecked(true);
    connect(sb_minimap, &QToolButton::toggled, this, &TfrmMap::minimapFollowsView);
    btnRefresh = button(this, "btnRefresh", QStringLiteral("&REFRESH"), QRect(462, 364, 82, 26));
    connect(btnRefresh, &QPushButton::clicked, this, &TfrmMap::btnRefreshClick);
    btnDone = button(this, "btnDone", QStringLiteral("Done"), QRect(462, 440, 82, 28));
    connect(btnDone, &QPushButton::clicked, this, &TfrmMap::btnDoneClick);
}

void TfrmMap::setMinimap(Tminimap* minimap) {
    minimap_ = minimap;
    if (!minimap_) return;
    connect(minimap_, &Tminimap::scrollRequested, this,
            [this](int x, int y) { scrollToCell(x, y, currentLevel_); });
    // Its close box puts "&minimap" up.
    connect(minimap_, &Tminimap::closed, this, [this] { sb_minimap->setChecked(false); });
}

bool TfrmMap::minimapShown() const {
    return sb_minimap->isChecked();
}

bool TfrmMap::recalcOn() const {
    return cb_Recalc->isChecked();
}

int TfrmMap::placeChoice() const {
    return std::max(0, selboxPlaceRoom->currentIndex());
}

// The selector's lines, read from the placement list when the selector asks: line 0 is
// the default room, line k the entry at position k - 1. A change tells the selector about
// its one line only, so that loading or emptying a large zone costs no more than the list.
class PlacementLines : public QAbstractListModel, public MapObserver {
public:
    PlacementLines(const PlacementList& list, QObject* parent) : QAbstractListModel(parent), list_(list) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(list_.size()) + 1;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
        if (index.row() == 0) return defaultLine_;
        const PlacementEntry* entry = list_.placementEntryAt(static_cast<size_t>(index.row() - 1));
        return entry ? QVariant(bytesToQString(PlacementList::lineText(*entry))) : QVariant();
    }
    // The list was put back as a whole (undo, redo): every line may differ.
    void mapReset() override {
        beginResetModel();
        endResetModel();
    }
    void setDefaultLine(const QString& text) {
        defaultLine_ = text;
        emit dataChanged(index(0), index(0));
    }
    void placementChanged(PlacementChange change, size_t position, const PlacementEntry&) override {
        const int line = static_cast<int>(position) + 1;
        switch (change) {
            case PlacementChange::Added:
                beginInsertRows({}, line, line);
                endInsertRows();
                break;
            case PlacementChange::Refreshed:
                emit dataChanged(index(line), index(line));
                break;
            case PlacementChange::Removed:
                beginRemoveRows({}, line, line);
                endRemoveRows();
                break;
        }
    }

private:
    const PlacementList& list_;
    QString defaultLine_ = QStringLiteral("ERROR: You should not see this");
};

TfrmMap::~TfrmMap() {
    store_.removeObserver(this);
    map_.removeObserver(MapGrid);
    map_.removeObserver(lines_);
}

void TfrmMap::mirrorPlacementList() {
    lines_ = new PlacementLines(map_.placement, this);
    selboxPlaceRoom->setModel(lines_);
    selboxPlaceRoom->setCurrentIndex(0);
    map_.addObserver(lines_);
}

void TfrmMap::setDefaultLine() {
    lines_->setDefaultLine(hasDefaultRoom(store_) ? QStringLiteral("Default")
                                                  : QStringLiteral("Default (undefined)"));
}

void TfrmMap::setCaption(const RoomDataType* room) {
    if (!room) {
        setWindowTitle(QStringLiteral("Map"));
        return;
    }
    setWindowTitle(QStringLiteral("Map: ") + QString::number(room->vnum) + QStringLiteral("   ") +
                   bytesToQString(room->name));
}

void TfrmMap::showNoRoomSelected() {
    pnlCurrentRoom->setText(QStringLiteral("none"));
    setCaption(nullptr);
}

void TfrmMap::openMap(QWidget* opener) {
    // No frame yet; an empty panel.
    framedRoom_ = nullptr;
    for (QLineEdit* e : editExit) e->clear();
    clearDetailFields();

    // The store's current room is the selected room, on the map or not.
    RoomDataType* room = store_.current() ? store_.current()->room.get() : nullptr;
    if (room) {
        selectedRoom_ = room;
        fillAtOpening(*room);
        setCaption(room);
        if (!room->onMap()) {
            showNoRoomSelected();
            disableExitPanel();
        } else {
            pnlCurrentRoom->setText(QString::number(room->vnum));
            enableExitPanel();
            framedRoom_ = room;
        }
    } else {
        selectedRoom_ = nullptr;
        showMapRoom(nullptr);
        showNoRoomSelected();
        disableExitPanel();
    }

    // The legend names the sectors as the table now does.
    if (sectorColours()) fillLegend();

    // The default line, chosen.
    setDefaultLine();
    selboxPlaceRoom->setCurrentIndex(0);

    // Show and draw.
    pnlZ->setText(QString::number(currentLevel_));
    openFrom(opener);
    redrawView();

    // Bring the room into view and frame it.
    if (room && room->onMap()) {
        scrollToCell(room->mapX, room->mapY, room->mapZ);
        showMapRoom(room);
        activateWindow();
        MapGrid->setFocus();
    }
}

void TfrmMap::showEvent(QShowEvent* event) {
    SecondaryWindow::showEvent(event);
    minimapFollowsView();
}

void TfrmMap::hideEvent(QHideEvent* event) {
    SecondaryWindow::hideEvent(event);
    minimapFollowsView();
}

void TfrmMap::minimapFollowsView() {
    if (!minimap_) return;
    if (isVisible() && minimapShown())
        minimap_->showView(currentLevel_, leftCol(), topRow(), MapGrid->columnsInView(), MapGrid->rowsInView());
    else
        minimap_->hide();
}

void TfrmMap::btnDoneClick() {
    close();
}

void TfrmMap::btnRefreshClick() {
    redrawView();
    showMapRoom(selectedRoom_);
}

void TfrmMap::showRestoredZone() {
    // Records the window pointed at may have left the zone: nothing is kept but the cell.
    framedRoom_ = nullptr;
    selectedRoom_ = nullptr;
    lastPlaced_ = nullptr;
    panelAfterDraw_ = PanelAfterDraw::Unchanged;
    // The selector's lines were read again on the map's reset; the choice stays if it can.
    const int choice = placeChoice();
    selboxPlaceRoom->setCurrentIndex(choice < selboxPlaceRoom->count() ? choice : 0);
    setDefaultLine();
    if (!isVisible()) return;  // the next opening fills the window
    redrawView();
    showSelectedCellRoom();
}

void TfrmMap::roomDeleting(RoomDataType& room) {
    if (&room == framedRoom_) framedRoom_ = nullptr;
    if (&room == selectedRoom_) selectedRoom_ = nullptr;
    if (&room == lastPlaced_) {
        lastPlaced_ = nullptr;
        panelAfterDraw_ = PanelAfterDraw::None;
    }
}

// ---------------------------------------------------------------------------------------
// Levels

namespace {
constexpr int kTopLevel = 9;
}

void TfrmMap::btnPlusZClick() {
    if (currentLevel_ < kTopLevel) showLevel(currentLevel_ + 1);
}

void TfrmMap::btnMinusZClick() {
    if (currentLevel_ > 0) showLevel(currentLevel_ - 1);
}

// Shows another level with the selected cell kept: its room there, or none.
void TfrmMap::showLevel(int level) {
    setLevel(level);
    pnlZ->setText(QString::number(currentLevel_));
    redrawView();
    if (!showSelectedCellRoom()) showNoRoomSelected();
}

void TfrmMap::setLevel(int level) {
    if (level == currentLevel_) return;
    currentLevel_ = level;
    minimapFollowsView();
}

// The exit panel takes the room at the selected cell of the level shown; false, and the
// panel disabled, when that cell is empty.
bool TfrmMap::showSelectedCellRoom() {
    RoomDataType* room = map_.grid.cellAt(selectedCell_.x(), selectedCell_.y(), currentLevel_);
    if (!room) {
        showMapRoom(nullptr);
        disableExitPanel();
        return false;
    }
    enableExitPanel();
    showMapRoom(room);
    return true;
}

// ---------------------------------------------------------------------------------------
// Clicks on labels that act for their control

bool TfrmMap::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == LabelReCalc || watched == LabelExits) {
            cb_Recalc->toggle();
            return true;
        }
        for (int d = 0; d < kDirectionCount; ++d) {
            if (watched != labelExit[d]) continue;
            if (editExit[d]->isEnabled()) editExit[d]->setFocus(Qt::MouseFocusReason);
            directionButtonClick(d);
            return true;
        }
        if (watched == LabelGenDesc || watched == LabelVkey || watched == LabelKeywords) {
            QWidget* buddy = static_cast<QLabel*>(watched)->buddy();
            if (buddy && buddy->isEnabled()) buddy->setFocus(Qt::MouseFocusReason);
            return true;
        }
    }
    return SecondaryWindow::eventFilter(watched, event);
}
