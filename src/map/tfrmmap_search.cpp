// The map window's search field with its jump buttons, and "E&xtra Descriptions...".
#include <QLineEdit>

#include "map/tfrmmap.h"
#include "uibase/byte_text.h"
#include "world/find_match.h"

namespace {

// The first node from start on (start included) that matches and whose room is on the map.
RoomIndexNode* findOnMap(RoomIndexNode* start, const std::string& text, bool forward, bool checkDescription) {
    RoomIndexNode* node = findMatch(start, text, forward, checkDescription);
    while (node && !node->room->onMap())
        node = findMatch(forward ? node->next : node->prev, text, forward, checkDescription);
    return node;
}

}  // namespace

void TfrmMap::selectFound(RoomIndexNode* node) {
    RoomDataType& room = *node->room;
    scrollToCell(room.mapX, room.mapY, room.mapZ);
    enableExitPanel();
    showMapRoom(&room);
}

bool TfrmMap::selectRoomOnMap(RoomDataType& room) {
    if (!commits().commitPending()) return false;
    if (!room.onMap()) return true;
    scrollToCell(room.mapX, room.mapY, room.mapZ);
    selectedCell_ = {room.mapX, room.mapY};
    enableExitPanel();
    showMapRoom(&room);
    return true;
}

void TfrmMap::editGoToEnter() {
    const std::string text = qStringToBytes(editGoTo->text());
    const bool description = searchChecksDescription_ && searchChecksDescription_();
    if (RoomIndexNode* node = findOnMap(store_.first(), text, true, description)) selectFound(node);
    editGoTo->setFocus();
}

void TfrmMap::jump(bool forward) {
    if (selectedRoom_) {
        if (RoomIndexNode* from = commands_.nodeOf(*selectedRoom_)) {
            RoomIndexNode* start = forward ? from->next : from->prev;
            const std::string text = qStringToBytes(editGoTo->text());
            const bool description = searchChecksDescription_ && searchChecksDescription_();
            if (RoomIndexNode* node = start ? findOnMap(start, text, forward, description) : nullptr)
                selectFound(node);
        }
    }
    editGoTo->setFocus();
}

void TfrmMap::btnJpClick() {
    jump(false);
}
void TfrmMap::btnJnClick() {
    jump(true);
}

void TfrmMap::btnExtraClick() {
    if (!selectedRoom_) {
        prompts_.message("There is no room selected!");
        return;
    }
    if (openExtraDescs_) openExtraDescs_(*selectedRoom_);
}

void TfrmMap::extraDescsClosed() {
    setEnabled(true);
    redrawView();
}
