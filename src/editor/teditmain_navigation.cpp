// Navigation and search: the room list behind "&Jump To...", the search field with "&<"
// and "&>", "&1. Prev" and "&2. Next", the direction buttons in both modes, the direction
// letter field, and the default room template's two buttons.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "dialogs/trlist.h"
#include "editor/teditmain.h"
#include "map/map_model.h"
#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "world/default_room.h"
#include "world/find_match.h"

namespace {
const char* const kDirectionWords[kDirectionCount] = {"North", "East", "South", "West", "Up", "Down"};

// The direction a letter stands for in the letter field, or -1.
int directionOfLetter(QChar letter) {
    switch (letter.toLatin1()) {
    case 'n': case 'N': return North;
    case 'e': case 'E': return East;
    case 's': case 'S': return South;
    case 'w': case 'W': return West;
    case 'u': case 'U': return Up;
    case 'd': case 'D': return Down;
    default: return -1;
    }
}
}  // namespace

void TEditMain::connectNavigation() {
    connect(btnwld_MakeDefault, &QPushButton::clicked, this, &TEditMain::btnwld_MakeDefaultClick);
    connect(btnwld_ClearDefault, &QPushButton::clicked, this, &TEditMain::btnwld_ClearDefaultClick);
    connect(btnwld_Jumpto, &QPushButton::clicked, this, &TEditMain::btnwld_JumptoClick);
    connect(editJump, &QLineEdit::returnPressed, this, &TEditMain::editJumpEnter);
    connect(btnJp, &QPushButton::clicked, this, &TEditMain::btnJpClick);
    connect(btnJn, &QPushButton::clicked, this, &TEditMain::btnJnClick);
    connect(btnPrev, &QPushButton::clicked, this, &TEditMain::btnPrevClick);
    connect(btnNext, &QPushButton::clicked, this, &TEditMain::btnNextClick);
    for (int d = 0; d < kDirectionCount; ++d)
        connect(directionButtons_[d], &QPushButton::clicked, this, [this, d] { directionClick(d); });
    // The field always shows the direction word, whatever was typed or dropped into it.
    connect(edit_Dir, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (text != directionWord_) edit_Dir->setText(directionWord_);
    });
}

void TEditMain::btnwld_MakeDefaultClick() {
    recordStep(history_, [this] { rooms_.makeDefault(); }, [] { return QStringLiteral("Make Default"); });
}

void TEditMain::btnwld_ClearDefaultClick() {
    recordStep(history_, [this] { rooms_.clearDefault(); }, [] { return QStringLiteral("Clear Default"); });
}

void TEditMain::btnwld_JumptoClick() {
    if (store_.empty() || !windows_.roomList) return;
    windows_.roomList->open(this, [this](RoomIndexNode* node) { roomChosenFromList(node); });
}

void TEditMain::roomChosenFromList(RoomIndexNode* node) {
    // A New Room that was started but not completed by UPDATE is abandoned.
    rooms_.abandonNewRoom();
    btnwld_NewRoom->setEnabled(true);
    showRoom(node);
}

RoomIndexNode* TEditMain::searchFrom(RoomIndexNode* start, bool forward) const {
    return findMatch(start, qStringToBytes(editJump->text()), forward, itemCheckDesc->isChecked());
}

void TEditMain::editJumpEnter() { showRoom(searchFrom(store_.first(), true)); }

void TEditMain::btnJpClick() {
    if (store_.current()) showRoom(searchFrom(store_.current()->prev, false));
}

void TEditMain::btnJnClick() {
    if (store_.current()) showRoom(searchFrom(store_.current()->next, true));
}

void TEditMain::btnPrevClick() {
    if (store_.current()) showRoom(store_.current()->prev);
}

void TEditMain::btnNextClick() {
    if (store_.current()) showRoom(store_.current()->next);
}

bool TEditMain::moveThroughExit(int direction) {
    if (!store_.current() || !store_.current()->room) return false;
    const int32_t to = store_.current()->room->exitTo[direction];
    RoomIndexNode* there = to > 0 ? store_.findByVnum(to) : nullptr;
    // An exit into another zone leads to no room of this store.
    if (!there) return false;
    showRoom(there);
    return true;
}

void TEditMain::directionClick(int direction) {
    if (navigateMode_) {
        moveThroughExit(direction);
        return;
    }
    const int32_t from = store_.current() ? store_.current()->vnum : 0;
    RoomIndexNode* added = nullptr;
    recordStep(
        history_, [&] {
            added = rooms_.addDefaultRoom(direction);
            if (added) store_.setCurrent(added);  // shown next, also after a redo
        },
               [&] {
                   return QStringLiteral("Add Room ") + QString::number(added ? added->vnum : 0) + QLatin1Char(' ') +
                          QString::fromLatin1(kDirectionWords[direction]) + QStringLiteral(" of ") +
                          QString::number(from);
               });
    if (added) showRoom(added);
}

void TEditMain::edit_DirKeyPress(QChar key) {
    // In add mode the key is not read; the field keeps the last word.
    if (navigateMode_) {
        const int direction = directionOfLetter(key);
        directionWord_ = direction >= 0 && moveThroughExit(direction)
                             ? QString::fromLatin1(kDirectionWords[direction])
                             : QString();
    }
    edit_Dir->setText(directionWord_);
}

bool TEditMain::directionFieldKey(QEvent* event) {
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    // A key that would type a character, or Backspace, is the field's key. Tab, Enter,
    // arrows and shortcuts go on as usual; a paste still ends as the word, through textChanged.
    const QString typed = keyEvent->text();
    const bool backspace = keyEvent->key() == Qt::Key_Backspace;
    if (!backspace && (typed.size() != 1 || !typed.front().isPrint())) return false;
    edit_DirKeyPress(backspace ? QChar(u'\b') : typed.front());
    return true;
}
