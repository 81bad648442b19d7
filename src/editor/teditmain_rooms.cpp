// showRoom and the room commands: New Room, UPDATE, Clear Room, Delete Room, and the
// room name rule.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <memory>

#include "colour/colour_preview_panel.h"
#include "colour/colour_scheme.h"
#include "dialogs/textradesc.h"
#include "editor/teditmain.h"
#include "map/map_model.h"
#include "editor/flag_banks.h"
#include "uibase/byte_text.h"
#include "uibase/commit_path.h"
#include "uibase/edit_history.h"
#include "uibase/multiline_text.h"
#include "world/newer_fields.h"
#include "world/prompts.h"

void TEditMain::showRoom(RoomIndexNode* node) { fillPage(node, false); }

void TEditMain::fillPage(RoomIndexNode* node, bool keepTyped) {
    if (!node || !node->room) return;
    const RoomDataType& room = *node->room;
    const auto refill = [keepTyped](const QWidget* field) { return !keepTyped || !holdsTypedEdit(field); };
    setEnabled(true);
    if (!keepTyped || !banks_->changedByUser()) showFlags(room.bitvector, room.sectorType);
    if (refill(editRoomName)) editRoomName->setText(bytesToQString(room.name));
    if (refill(editRoomNumber)) editRoomNumber->setText(QString::number(node->vnum));
    if (refill(memoRoom)) setMultiLineField(*memoRoom, room.description);
    if (refill(editFlagWords)) editFlagWords->setText(QString::fromStdString(flagWordsText(flagWords(room))));
    if (refill(editTriggers)) editTriggers->setText(QString::fromStdString(triggersText(roomTriggers(room))));
    if (previewShown()) showPreview();
    btnwld_NewRoom->setEnabled(true);
    store_.setCurrent(node);
    shownNode_ = node;
    setFieldsEditable(true);
    tellExtraDescNoCurrentEntry();
    setDirectionButtonsForMode();
}

void TEditMain::markPageStored() {
    editRoomNumber->setModified(false);
    editRoomName->setModified(false);
    memoRoom->document()->setModified(false);
    editFlagWords->setModified(false);
    editTriggers->setModified(false);
    banks_->markStored();
    shownNode_ = store_.current();
}

void TEditMain::setDirectionButtonsForMode() {
    const RoomDataType* room = store_.current() ? store_.current()->room.get() : nullptr;
    QPushButton* buttons[kDirectionCount] = {ex_N, ex_E, ex_S, ex_W, ex_U, ex_D};
    for (int d = 0; d < kDirectionCount; ++d) {
        if (!room) continue;
        const bool exitThere = room->exitTo[d] > 0;
        buttons[d]->setEnabled(navigateMode_ ? exitThere : !exitThere);
    }
}

void TEditMain::btnwld_NewRoomClick() {
    const int32_t offered = rooms_.beginNewRoom();
    setFieldsEditable(true);
    editRoomName->clear();
    hidePreview();
    memoRoom->clear();
    // The flag words stay for the new room, as the banks' flags do; triggers are the
    // room's own scripts and start empty, as its texts do.
    editTriggers->clear();
    editRoomNumber->setText(QString::number(offered));
    shownNode_ = nullptr;
    editRoomNumber->setFocus();
    editRoomNumber->setCursorPosition(editRoomNumber->text().size());
    btnwld_NewRoom->setEnabled(false);
    tellExtraDescNoCurrentEntry();
    for (QPushButton* b : {ex_N, ex_E, ex_S, ex_W, ex_U, ex_D}) b->setEnabled(false);
}

RoomEntry TEditMain::roomEntry() const {
    RoomEntry entry;
    entry.number = qStringToBytes(editRoomNumber->text());
    entry.name = qStringToBytes(editRoomName->text());
    entry.description = multiLineFieldBytes(*memoRoom);
    entry.bitvector = flagsBitvector();
    entry.sectorType = currentSectorValue();
    entry.flagWords = qStringToBytes(editFlagWords->text());
    entry.triggers = qStringToBytes(editTriggers->text());
    return entry;
}

namespace {
QString roomStepText(const char* what, int32_t vnum) {
    return QString::fromLatin1(what) + QStringLiteral(" Room ") + QString::number(vnum);
}
}  // namespace

void TEditMain::btnwld_UpdateClick() {
    const int32_t numberBefore = store_.current() ? store_.current()->vnum : 0;
    UpdateOutcome outcome = UpdateOutcome::Ignored;
    recordStep(history_, [&] { outcome = rooms_.update(roomEntry()); },
               [&] {
                   const int32_t number = store_.current() ? store_.current()->vnum : 0;
                   switch (outcome) {
                   case UpdateOutcome::Created: return roomStepText("New", number);
                   case UpdateOutcome::Renumbered:
                       return roomStepText("Renumber", numberBefore) + QStringLiteral(" to ") +
                              QString::number(number);
                   default: return roomStepText("Update", number);
                   }
               });
    switch (outcome) {
    case UpdateOutcome::Created:
    case UpdateOutcome::Renumbered:
        btnwld_NewRoom->setEnabled(true);
        markPageStored();
        break;
    case UpdateOutcome::Changed:
        markPageStored();
        break;
    case UpdateOutcome::Refused:
    case UpdateOutcome::Ignored:
        break;
    }
}

void TEditMain::btnwld_ClearClick() {
    const bool pending = store_.newRoomPending();
    const int32_t number = store_.current() ? store_.current()->vnum : 0;
    bool cleared = false;
    recordStep(history_, [&] { cleared = rooms_.clearRoom(sb_confirm->isChecked()); },
               [&] { return roomStepText("Clear", number); });
    if (!cleared) return;
    editRoomName->clear();
    memoRoom->clear();
    // The preview showed the text that is gone.
    hidePreview();
    if (!pending) tellExtraDescNoCurrentEntry();
}

void TEditMain::btnwld_DeleteRoomClick() {
    const int32_t number = store_.current() ? store_.current()->vnum : 0;
    std::optional<RoomIndexNode*> before;
    recordStep(
        history_, [&] {
            before = rooms_.deleteRoom(store_.current(), sb_confirm->isChecked());
            // The room shown next is part of the step, so that a redo shows it too.
            if (before && *before) store_.setCurrent(*before);
        },
        [&] { return roomStepText("Delete", number); });
    if (!before) return;
    hidePreview();
    if (*before) showRoom(*before);
}

void TEditMain::editRoomNameExit() {
    const QString name = editRoomName->text();
    if (name == QStringLiteral("Default") || name == QStringLiteral("Default (undefined)"))
        editRoomName->setText(QStringLiteral("Sorry, you can't use that as a room name."));
}

bool TEditMain::previewShown() const { return !ColorPanel->isHidden(); }

void TEditMain::showPreview() {
    ColorPanel->render(multiLineFieldBytes(*memoRoom), colours_ ? colours_->working : ColourLists::builtIn());
    sb_Draw->setChecked(true);
    ColorPanel->show();
    ColorPanel->raise();
}

void TEditMain::hidePreview() {
    if (!ColorPanel->isHidden()) ColorPanel->hide();
    sb_Draw->setChecked(false);
}

void TEditMain::tellExtraDescNoCurrentEntry() {
    if (windows_.extraDesc) windows_.extraDesc->noCurrentEntry();
}
