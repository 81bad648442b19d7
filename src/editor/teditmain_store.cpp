// What the main window does when the store reports a step of its operations.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "editor/teditmain.h"
#include "uibase/byte_text.h"

void TEditMain::editorFieldsCleared() {
    // Deleting every room of a large zone passes here once per room: only the first
    // pass has anything to clear.
    if (fieldsCleared_) return;
    shownNode_ = nullptr;
    editRoomNumber->clear();
    editRoomName->clear();
    memoRoom->clear();
    editFlagWords->clear();
    editTriggers->clear();
    setFieldsEditable(false);
}

void TEditMain::pendingNewRoomEnded() { btnwld_NewRoom->setEnabled(true); }

void TEditMain::extraDescsReleased(const RoomDataType&) { tellExtraDescNoCurrentEntry(); }

void TEditMain::zoneHeaderChanged() {
    pnlZoneName->setText(bytesToQString(store_.zoneName));
    pnlZoneNumber->setText(QString::number(store_.zoneNumber));
    pnlZoneStart->setText(QString::number(store_.zoneStart));
    PageControl1->show();
    memoRoom->clear();
    itemSavewld->setEnabled(true);
    itemSaveNewer->setEnabled(true);
    showZoneForm();
}

void TEditMain::worldAdopted() { showRoom(store_.first()); }

void TEditMain::showRestoredZone() {
    // The page shows the zone as it now is, not a room half typed over another one; the
    // room it showed before, still shown, keeps what the user typed on it for UPDATE.
    RoomIndexNode* node = store_.current();
    const bool sameRoom = node && node == shownNode_ && !store_.newRoomPending();
    showZoneForm();
    if (store_.newRoomPending()) rooms_.abandonNewRoom();
    btnwld_NewRoom->setEnabled(true);
    tellExtraDescNoCurrentEntry();
    if (node) {
        // Undone from the map, the main window stays disabled while the map is open;
        // showing the room would enable it.
        const bool enabled = isEnabled();
        fillPage(node, sameRoom);
        setEnabled(enabled);
        return;
    }
    hidePreview();
    fieldsCleared_ = false;
    editorFieldsCleared();
}
