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
#include "editor/byte_text.h"
#include "editor/multiline_text.h"
#include "editor/teditmain.h"
#include "map/map_model.h"
#include "world/prompts.h"
#include "world/strict_int.h"

void TEditMain::showRoom(RoomIndexNode* node) {
    if (!node || !node->room) return;
    const RoomDataType& room = *node->room;
    setEnabled(true);
    showFlags(room.bitvector, room.sectorType);
    editRoomName->setText(bytesToQString(room.name));
    editRoomNumber->setText(QString::number(node->vnum));
    setMultiLineField(*memoRoom, room.description);
    if (previewShown()) showPreview();
    btnwld_NewRoom->setEnabled(true);
    store_.current = node;
    setFieldsEditable(true);
    tellExtraDescNoCurrentEntry();
    setDirectionButtonsForMode();
}

void TEditMain::setDirectionButtonsForMode() {
    const RoomDataType* room = store_.current ? store_.current->room.get() : nullptr;
    QPushButton* buttons[kDirectionCount] = {ex_N, ex_E, ex_S, ex_W, ex_U, ex_D};
    for (int d = 0; d < kDirectionCount; ++d) {
        if (!room) continue;
        const bool exitThere = room->exitTo[d] > 0;
        buttons[d]->setEnabled(navigateMode_ ? exitThere : !exitThere);
    }
}

void TEditMain::btnwld_NewRoomClick() {
    store_.newRoomPending = true;
    setFieldsEditable(true);
    editRoomName->clear();
    hidePreview();
    memoRoom->clear();
    editRoomNumber->setText(QString::number(store_.nextFreeVnum));
    editRoomNumber->setFocus();
    editRoomNumber->setCursorPosition(editRoomNumber->text().size());
    btnwld_NewRoom->setEnabled(false);
    tellExtraDescNoCurrentEntry();
    for (QPushButton* b : {ex_N, ex_E, ex_S, ex_W, ex_U, ex_D}) b->setEnabled(false);
}

void TEditMain::fillRoomFromEditor(RoomDataType& room, int32_t number) const {
    room.vnum = number;
    room.name = qStringToBytes(editRoomName->text());
    room.description = multiLineFieldBytes(*memoRoom);
    room.zone = store_.zoneNumber;
    room.bitvector = flagsBitvector();
    room.sectorType = currentSectorValue();
}

void TEditMain::registerUnplaced(RoomDataType& room) { map_.placement.registerUnplacedRoom(room); }

void TEditMain::btnwld_UpdateClick() {
    if (editRoomNumber->text().isEmpty() || editRoomName->text().isEmpty() || memoRoom->document()->isEmpty()) {
        prompts_.message("Room Number, Room Name, and Description must all be defined in order to update.");
        return;
    }
    const std::optional<int32_t> parsed = strictToIntOrSay(qStringToBytes(editRoomNumber->text()), prompts_);
    if (!parsed) return;
    const int32_t number = *parsed;
    if (number < store_.zoneStart) {
        prompts_.message("Room Number out of range; Zone starts at #" + std::to_string(store_.zoneStart));
        return;
    }

    if (store_.empty()) {
        auto room = std::make_unique<RoomDataType>();
        fillRoomFromEditor(*room, number);
        initNewRoom(*room);
        RoomDataType& created = *room;
        store_.current = store_.insertOrdered(WorldStore::makeNode(std::move(room)));
        store_.newRoomPending = false;
        store_.nextFreeVnum = number + 1;
        registerUnplaced(created);
        btnwld_NewRoom->setEnabled(true);
        return;
    }

    // Without a room on display there is nothing to change (the fields are empty then,
    // so this only guards against a caller that filled them by hand).
    if (!store_.newRoomPending && !store_.current) return;

    const bool checkNumber = store_.newRoomPending || number != store_.current->vnum;
    if (checkNumber && store_.findByVnum(number)) {
        prompts_.message(store_.newRoomPending ? "Cannot create room: Vnum is already in use"
                                               : "Cannot update room: Vnum is already in use");
        return;
    }

    if (store_.newRoomPending) {
        auto room = std::make_unique<RoomDataType>();
        fillRoomFromEditor(*room, number);
        initNewRoom(*room);
        RoomDataType& created = *room;
        store_.newRoomPending = false;
        registerUnplaced(created);
        RoomIndexNode* node = store_.insertOrdered(WorldStore::makeNode(std::move(room)));
        store_.setNextFreeAfterLast();
        btnwld_NewRoom->setEnabled(true);
        store_.current = node;
        return;
    }

    RoomIndexNode* node = store_.current;
    RoomDataType& room = *node->room;
    const int32_t oldNumber = node->vnum;
    // The record keeps its old number until the index has moved it.
    fillRoomFromEditor(room, oldNumber);
    if (number == oldNumber) {
        if (!room.onMap()) registerUnplaced(room);
        return;
    }
    store_.renumber(node, number);
    if (!room.onMap()) registerUnplaced(room);
    btnwld_NewRoom->setEnabled(true);
    store_.current = node;
}

void TEditMain::btnwld_ClearClick() {
    if (!store_.current) return;
    if (sb_confirm->isChecked() && !prompts_.confirm("CLEAR all descriptions for this room?")) return;
    editRoomName->clear();
    memoRoom->clear();
    // The preview showed the text that is gone.
    hidePreview();
    if (store_.newRoomPending) return;
    RoomDataType& room = *store_.current->room;
    room.name.clear();
    room.description.clear();
    room.freeExtraDescs();
    tellExtraDescNoCurrentEntry();
}

void TEditMain::btnwld_DeleteRoomClick() {
    if (!store_.current) return;
    RoomIndexNode* before = store_.current->prev;
    if (sb_confirm->isChecked() && !prompts_.confirm("DELETE this room?")) return;
    store_.deleteCurrentRoom();
    hidePreview();
    if (before) showRoom(before);
}

void TEditMain::editRoomNameExit() {
    const QString name = editRoomName->text();
    if (name == QStringLiteral("Default") || name == QStringLiteral("Default (undefined)"))
        editRoomName->setText(QStringLiteral("Sorry, you can't use that as a room name."));
}

bool TEditMain::previewShown() const { return !ColorPanel->isHidden(); }

void TEditMain::showPreview() {
    ColorPanel->render(multiLineFieldBytes(*memoRoom), colours_ ? colours_->current : ColourLists::builtIn());
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
