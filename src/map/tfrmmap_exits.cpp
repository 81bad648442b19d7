// The map window's exit panel: the six exit fields, the direction and door-flag buttons,
// the chosen exit's general description, key and keywords, and committing what is typed
// into the selected room's record.
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "map/tfrmmap.h"
#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "uibase/multiline_text.h"
#include "uibase/widget_factory.h"
#include "world/newer_fields.h"
#include "world/strict_int.h"

namespace {

const char* const kExitEditNames[kDirectionCount] = {"editN", "editE", "editS", "editW", "editU", "editD"};
const char* const kDirectionButtonNames[kDirectionCount] = {"sb_N", "sb_E", "sb_S", "sb_W", "sb_U", "sb_D"};
const char* const kExitLabels[kDirectionCount] = {"&N", "&E", "&S", "&W", "&Up", "&Down"};
const char* const kDirectionCaptions[kDirectionCount] = {"N", "E", "S", "W", "U", "D"};

// A one-line field that commits its value on Enter and keeps the focus.
class EnterField : public QLineEdit {
public:
    EnterField(QWidget* parent, std::function<void()> store) : QLineEdit(parent), store_(std::move(store)) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            store_();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

private:
    std::function<void()> store_;
};

QLabel* fieldLabel(QWidget* parent, const char* name, const QString& caption, QRect at, QWidget* buddy) {
    QLabel* l = makeLabel(parent, QString::fromLatin1(name), caption, at);
    l->setBuddy(buddy);  // the accelerator gives the field the focus
    return l;
}

}  // namespace

void TfrmMap::buildExitPanel() {
    makeLabel(this, QString(), QStringLiteral("Current Room"), QRect(300, 8, 90, 20));
    pnlCurrentRoom =
        makeSunkenLabel(this, QStringLiteral("pnlCurrentRoom"), QString(), QRect(392, 6, 100, 22));
    pnlCurrentRoom->setIndent(3);

    auto* directionGroup = new QButtonGroup(this);
    directionGroup->setExclusive(false);  // at most one down: the panel may release them all
    for (int d = 0; d < kDirectionCount; ++d) {
        const int top = 36 + d * 25;
        editExit[d] = new EnterField(this, [this, d] { commits().commit(editExit[d]); });
        editExit[d]->setObjectName(QString::fromLatin1(kExitEditNames[d]));
        editExit[d]->setGeometry(346, top, 80, 22);
        labelExit[d] =
            fieldLabel(this, (std::string("LabelExit") + kDirectionCaptions[d]).c_str(),
                       QString::fromLatin1(kExitLabels[d]), QRect(300, top + 2, 44, 20), editExit[d]);
        labelExit[d]->installEventFilter(this);
        sbDirection[d] = makeToggle(this, QString::fromLatin1(kDirectionButtonNames[d]),
                                    QString::fromLatin1(kDirectionCaptions[d]), QRect(430, top, 26, 22));
        directionGroup->addButton(sbDirection[d], d);
    }
    connect(directionGroup, &QButtonGroup::idClicked, this, &TfrmMap::directionButtonClick);

    editGenDesc = new QPlainTextEdit(this);
    editGenDesc->setObjectName(QStringLiteral("editGenDesc"));
    editGenDesc->setGeometry(300, 208, 156, 70);
    editGenDesc->setTabChangesFocus(false);  // Tab is typed into the text
    editGenDesc->setLineWrapMode(QPlainTextEdit::NoWrap);
    LabelGenDesc = fieldLabel(this, "LabelGenDesc", QStringLiteral("&General Description"),
                              QRect(300, 188, 156, 18), editGenDesc);
    LabelGenDesc->installEventFilter(this);

    auto* doorGroup = new QButtonGroup(this);
    doorGroup->setExclusive(false);
    for (int f = 0; f < 3; ++f) {
        sbDoorFlag[f] = makeToggle(this, QStringLiteral("sb_doorflag") + QString::number(f),
                                   QString::number(f), QRect(300 + f * 24, 284, 22, 22));
        doorGroup->addButton(sbDoorFlag[f], f);
    }
    connect(doorGroup, &QButtonGroup::idClicked, this, &TfrmMap::doorFlagButtonClick);
    btnDFC =
        makeButton(this, QStringLiteral("btnDFC"), QStringLiteral("Door &Flag"), QRect(374, 284, 82, 22));
    btnDFC->setAutoDefault(false);
    connect(btnDFC, &QPushButton::clicked, this, &TfrmMap::btnDFCClick);

    editVkey = new EnterField(this, [this] { commits().commit(editVkey); });
    editVkey->setObjectName(QStringLiteral("editVkey"));
    editVkey->setGeometry(376, 312, 80, 22);
    LabelVkey =
        fieldLabel(this, "LabelVkey", QStringLiteral("&Virtual Key"), QRect(300, 314, 74, 20), editVkey);
    LabelVkey->installEventFilter(this);

    editKeywords = new EnterField(this, [this] { commits().commit(editKeywords); });
    editKeywords->setObjectName(QStringLiteral("editKeywords"));
    editKeywords->setGeometry(376, 338, 80, 22);
    LabelKeywords =
        fieldLabel(this, "LabelKeywords", QStringLiteral("&Keywords"), QRect(300, 340, 74, 20), editKeywords);
    LabelKeywords->installEventFilter(this);

    makeLabel(this, QString(), QStringLiteral("Search..."), QRect(300, 372, 70, 20));
    editGoTo = new EnterField(this, [this] { editGoToEnter(); });
    editGoTo->setObjectName(QStringLiteral("editGoTo"));
    editGoTo->setGeometry(300, 392, 100, 22);
    btnJp = makeButton(this, QStringLiteral("btnJp"), QStringLiteral("&<"), QRect(404, 392, 24, 22));
    btnJp->setAutoDefault(false);
    btnJn = makeButton(this, QStringLiteral("btnJn"), QStringLiteral("&>"), QRect(432, 392, 24, 22));
    btnJn->setAutoDefault(false);
    connect(btnJp, &QPushButton::clicked, this, &TfrmMap::btnJpClick);
    connect(btnJn, &QPushButton::clicked, this, &TfrmMap::btnJnClick);

    makeLabel(this, QString(), QStringLiteral("Diagonals"), QRect(462, 36, 82, 18));
    pnlDiagonals = makeSunkenLabel(this, QStringLiteral("pnlDiagonals"), QString(), QRect(462, 56, 82, 166));
    pnlDiagonals->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pnlDiagonals->setIndent(3);

    btnExtra = makeButton(this, QStringLiteral("btnExtra"), QStringLiteral("E&xtra Descriptions..."),
                          QRect(300, 426, 156, 26));
    btnExtra->setAutoDefault(false);
    connect(btnExtra, &QPushButton::clicked, this, &TfrmMap::btnExtraClick);
}

// ---------------------------------------------------------------------------------------
// Filling and emptying

void TfrmMap::clearDetailFields() {
    editGenDesc->clear();
    editVkey->setText(QStringLiteral("-1"));
    editKeywords->clear();
    pnlRoomName->clear();
    pnlVnum->clear();
}

void TfrmMap::showExitDetails(const RoomDataType& room) {
    const RoomExitType& exit = room.exits[exitDirection_];
    setMultiLineField(*editGenDesc, exit.description);
    editVkey->setText(QString::number(exit.key));
    editKeywords->setText(bytesToQString(exit.keywords));
}

// Three lines for each diagonal exit that leads somewhere; the map draws none of them.
void TfrmMap::showDiagonalExits(const RoomDataType* room) {
    static const char* const kNames[kDiagonalCount] = {"NW", "NE", "SE", "SW"};
    QStringList lines;
    for (int d = NorthWest; room && d <= SouthWest; ++d) {
        const int32_t to = exitDestination(*room, d);
        if (to == 0) continue;
        const RoomExitType& exit = exitDetails(*room, d);
        lines << QString::fromLatin1(kNames[d - NorthWest]) + QLatin1Char(' ') + QString::number(to)
              << QStringLiteral("  door ") + QString::number(exit.doorFlag)
              << QStringLiteral("  key ") + QString::number(exit.key);
    }
    pnlDiagonals->setText(room && lines.isEmpty() ? QStringLiteral("none") : lines.join(QLatin1Char('\n')));
}

template <size_t N>
void TfrmMap::releaseAll(std::array<QToolButton*, N>& buttons) {
    for (QToolButton* b : buttons) b->setChecked(false);
}

void TfrmMap::pressExclusive(std::array<QToolButton*, 3>& buttons, int index) {
    for (int i = 0; i < 3; ++i) buttons[i]->setChecked(i == index);
}

namespace {
int shownDoorFlag(int32_t flag) {
    return flag >= 0 && flag <= 2 ? flag : 0;
}
}  // namespace

// The variant the opening uses: only real destinations are shown.
void TfrmMap::fillAtOpening(const RoomDataType& room) {
    clearDetailFields();
    for (int d = 0; d < kDirectionCount; ++d)
        editExit[d]->setText(room.exitTo[d] >= 1 ? QString::number(room.exitTo[d]) : QString());
    showExitDetails(room);
    showDiagonalExits(&room);
    exitDoorFlag_ = shownDoorFlag(room.exits[exitDirection_].doorFlag);
}

void TfrmMap::showMapRoom(RoomDataType* room) {
    // The old frame goes with a repaint of its cell.
    if (framedRoom_ && framedRoom_->mapZ == currentLevel_)
        drawCell(framedRoom_->mapX, framedRoom_->mapY, currentLevel_);
    if (!room) {
        framedRoom_ = nullptr;
        for (QLineEdit* e : editExit) e->clear();
        editGenDesc->clear();
        editKeywords->clear();
        editVkey->setText(QStringLiteral("-1"));
        pnlRoomName->clear();
        pnlVnum->clear();
        pnlCurrentRoom->setText(QStringLiteral("none"));
        showDiagonalExits(nullptr);
        setCaption(nullptr);
        selectedRoom_ = nullptr;
        return;
    }
    // A room off the map (the store's current room at the opening) has no cell to take
    // over or frame; the pointer panels keep what they show.
    const bool onMap = room->onMap();
    if (onMap) selectedCell_ = {room->mapX, room->mapY};
    selectedRoom_ = room;
    for (int d = 0; d < kDirectionCount; ++d) editExit[d]->setText(QString::number(room->exitTo[d]));
    showExitDetails(*room);
    showDiagonalExits(room);
    pressExclusive(sbDoorFlag, shownDoorFlag(room->exits[exitDirection_].doorFlag));
    setCaption(room);
    for (int d = 0; d < kDirectionCount; ++d) sbDirection[d]->setChecked(d == exitDirection_);
    pnlCurrentRoom->setText(QString::number(room->vnum));
    framedRoom_ = onMap ? room : nullptr;
    if (onMap) drawCell(room->mapX, room->mapY, room->mapZ);
    pnlRoomName->setText(bytesToQString(room->name));
    pnlVnum->setText(QString::number(room->vnum));
    if (onMap) {
        pnlXY->setText(QString::number(room->mapX) + QLatin1Char(',') + QString::number(room->mapY));
        pnlZ->setText(QString::number(room->mapZ));
    }
}

void TfrmMap::enableExitPanel() {
    for (QWidget* w : editExit) w->setEnabled(true);
    for (QWidget* w : sbDirection) w->setEnabled(true);
    for (QWidget* w : sbDoorFlag) w->setEnabled(true);
    editGenDesc->setEnabled(true);
    editVkey->setEnabled(true);
    editKeywords->setEnabled(true);
    pressExclusive(sbDoorFlag, exitDoorFlag_);
    for (int d = 0; d < kDirectionCount; ++d) sbDirection[d]->setChecked(d == exitDirection_);
}

void TfrmMap::disableExitPanel() {
    releaseAll(sbDoorFlag);
    releaseAll(sbDirection);
    for (QWidget* w : editExit) w->setEnabled(false);
    for (QWidget* w : sbDirection) w->setEnabled(false);
    for (QWidget* w : sbDoorFlag) w->setEnabled(false);
    editGenDesc->setEnabled(false);
    editVkey->setEnabled(false);
    editKeywords->setEnabled(false);
}

// ---------------------------------------------------------------------------------------
// Editing

RoomDataType* TfrmMap::panelRoom() const {
    return selectedRoom_ && selectedRoom_->onMap() && editExit[0]->isEnabled() ? selectedRoom_ : nullptr;
}

void TfrmMap::watchPanelFields() {
    using Part = ExitEdit::Part;
    for (int d = 0; d < kDirectionCount; ++d)
        commits().watch(editExit[d], [this, d] { return commitNumber(editExit[d], Part::Destination, d); });
    // The details belong to the exit shown when they were typed: a direction button
    // commits them before it shows another exit.
    commits().watch(editVkey, [this] { return commitNumber(editVkey, Part::Key, exitDirection_); });
    commits().watch(editKeywords,
                    [this] { return commitText(Part::Keywords, qStringToBytes(editKeywords->text())); });
    commits().watch(editGenDesc,
                    [this] { return commitText(Part::Description, multiLineFieldBytes(*editGenDesc)); });
}

bool TfrmMap::commitNumber(QLineEdit* field, ExitEdit::Part part, int direction) {
    if (!panelRoom()) return true;
    const std::optional<int32_t> value = strictToIntOrSay(qStringToBytes(field->text()), prompts_);
    if (!value) return false;
    storeExitEdit({part, direction, *value, {}});
    return true;
}

bool TfrmMap::commitText(ExitEdit::Part part, std::string text) {
    storeExitEdit({part, exitDirection_, 0, std::move(text)});
    return true;
}

void TfrmMap::storeExitEdit(const ExitEdit& edit) {
    RoomDataType* room = panelRoom();
    // An edit that changes nothing is no step of the history.
    if (!room || !commands_.changes(*room, edit)) return;
    recordStep(history_, [&] { commands_.editExit(*room, edit); }, [&] { return exitStepText(edit); });
}

namespace {
const char* const kDirectionWords[kDirectionCount] = {"North", "East", "South", "West", "Up", "Down"};

const char* partWord(ExitEdit::Part part) {
    switch (part) {
    case ExitEdit::Part::Destination: return "Exit";
    case ExitEdit::Part::DoorFlag: return "Door";
    case ExitEdit::Part::Key: return "Key";
    case ExitEdit::Part::Keywords: return "Keywords";
    case ExitEdit::Part::Description: return "Description";
    }
    return "";
}
}  // namespace

// "Set North Door of Room 4201"; "Exit" stands for the destination.
QString TfrmMap::exitStepText(const ExitEdit& edit) const {
    const QString room = selectedRoom_ ? QString::number(selectedRoom_->vnum) : QString();
    return QStringLiteral("Set ") + QString::fromLatin1(kDirectionWords[edit.direction]) + QLatin1Char(' ') +
           QString::fromLatin1(partWord(edit.part)) + QStringLiteral(" of Room ") + room;
}

void TfrmMap::directionButtonClick(int direction) {
    exitDirection_ = direction;
    for (int d = 0; d < kDirectionCount; ++d) sbDirection[d]->setChecked(d == exitDirection_);
    if (selectedRoom_) showMapRoom(selectedRoom_);
}

void TfrmMap::doorFlagButtonClick(int flag) {
    pressExclusive(sbDoorFlag, flag);
    storeExitEdit({ExitEdit::Part::DoorFlag, exitDirection_, flag, {}});
}

void TfrmMap::btnDFCClick() {
    for (int f = 0; f < 3; ++f) {
        if (sbDoorFlag[f]->isChecked()) {
            doorFlagButtonClick((f + 1) % 3);
            return;
        }
    }
}
