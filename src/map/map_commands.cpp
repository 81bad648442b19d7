#include "map/map_commands.h"

#include <cstdlib>
#include <limits>
#include <memory>
#include <utility>

#include "world/default_room.h"

MapRoomCommands::MapRoomCommands(WorldStore& store, MapModel& map, Prompts& prompts)
    : store_(store), map_(map), prompts_(prompts), rooms_(store, map, prompts) {}

RoomDataType* MapRoomCommands::placeDefaultRoom(int x, int y, int z) {
    if (!hasDefaultRoom(store_) || !insideMap(x, y, z) || map_.grid.cellAt(x, y, z)) return nullptr;
    RoomIndexNode* node = nullptr;
    if (store_.empty()) {
        // Every room has been deleted: there is no highest number to count on from, so
        // the zone starts again at its first number.
        auto room = std::make_unique<RoomDataType>();
        copyRoom(*room, store_.defaultRoom);
        room->vnum = store_.zoneStart;
        room->mapX = room->mapY = room->mapZ = -1;
        if (room->vnum >= store_.nextFreeVnum() && room->vnum < std::numeric_limits<int32_t>::max())
            store_.setNextFreeVnum(room->vnum + 1);
        node = store_.insertOrdered(WorldStore::makeNode(std::move(room)));
    } else {
        node = rooms_.createDefaultRoom();
    }
    if (!node) return nullptr;
    rooms_.placeOnMap(*node->room, x, y, z);
    return node->room.get();
}

RoomDataType* MapRoomCommands::placeListedRoom(size_t position, int x, int y, int z) {
    if (!insideMap(x, y, z) || map_.grid.cellAt(x, y, z)) return nullptr;
    PlacementEntry* entry = map_.placement.placementEntryAt(position);
    if (!entry || !entry->room) return nullptr;
    RoomDataType* room = entry->room;
    rooms_.placeOnMap(*room, x, y, z);  // the entry leaves the list
    return room;
}

RoomDataType* MapRoomCommands::removeRoom(int x, int y, int z) {
    RoomDataType* room = map_.grid.cellAt(x, y, z);
    if (room) rooms_.takeOffMap(x, y, z);
    return room;
}

bool MapRoomCommands::moveRoom(RoomDataType& room, int x, int y) {
    if (!room.onMap() || map_.grid.cellAt(room.mapX, room.mapY, room.mapZ) != &room) return false;
    if (!insideMap(x, y, room.mapZ) || map_.grid.cellAt(x, y, room.mapZ)) return false;
    rooms_.placeOnMap(room, x, y, room.mapZ);  // recalculates the old cell and the new one
    return true;
}

int MapRoomCommands::linkDirection(int fromX, int fromY, int toX, int toY) {
    const int dx = toX - fromX, dy = toY - fromY;
    if (dx == 0 && dy == 0) return -1;
    if (std::abs(dx) >= std::abs(dy)) return dx > 0 ? East : West;
    return dy > 0 ? South : North;
}

bool MapRoomCommands::linkRooms(RoomDataType& a, RoomDataType& b, int direction) {
    if (&a == &b || direction < 0 || direction >= kDirectionCount) return false;
    const int back = reverseDirection(direction);
    const bool aLinks = a.exitTo[direction] == b.vnum, bLinks = b.exitTo[back] == a.vnum;
    if (aLinks && bLinks) return false;
    // An exit to a third room goes only when the user says so.
    // When both lead to the same room, one answer covers both.
    const int32_t oldOfA = aLinks ? 0 : a.exitTo[direction];
    const int32_t oldOfB = bLinks || b.exitTo[back] == oldOfA ? 0 : b.exitTo[back];
    for (const int32_t old : {oldOfA, oldOfB})
        if (old > 0 && !prompts_.confirm("Replace the exit to " + std::to_string(old) + "?")) return false;
    if (!aLinks) setExitTo(a, direction, b.vnum);
    if (!bLinks) setExitTo(b, back, a.vnum);
    return true;
}

bool MapRoomCommands::unlinkRooms(RoomDataType& a, RoomDataType& b, int direction) {
    if (&a == &b || direction < 0 || direction >= kDirectionCount) return false;
    const int back = reverseDirection(direction);
    const bool aLinks = a.exitTo[direction] == b.vnum, bLinks = b.exitTo[back] == a.vnum;
    if (aLinks) setExitTo(a, direction, 0);
    if (bLinks) setExitTo(b, back, 0);
    return aLinks || bLinks;
}

RoomIndexNode* MapRoomCommands::nodeOf(const RoomDataType& room) const {
    RoomIndexNode* node = store_.findByVnum(room.vnum);
    if (node && node->room.get() == &room) return node;
    // Two rooms of one number (a world read in file order): the number alone would find
    // the other room, so the index is walked for this record.
    for (RoomIndexNode* n = store_.first(); n; n = n->next)
        if (n->room.get() == &room) return n;
    return nullptr;
}

bool MapRoomCommands::deleteRoom(int x, int y, int z) {
    RoomDataType* room = map_.grid.cellAt(x, y, z);
    if (!room) return false;
    RoomIndexNode* node = nodeOf(*room);
    if (!node) return false;
    // Deleting the current room while a New Room is pending would only forget the
    // pending room and leave the room the user deleted on the board.
    if (node == store_.current() && store_.newRoomPending()) rooms_.abandonNewRoom();
    // Empties the cell, recalculates around it and drops its list entry.
    return rooms_.deleteRoom(node, false).has_value();
}

void MapRoomCommands::setExitTo(RoomDataType& room, int direction, int32_t destination) {
    store_.aboutToChange(room, 0);
    room.exitTo[direction] = destination;
    map_.roomChanged(room);
}

void MapRoomCommands::setDoorFlag(RoomDataType& room, int direction, int32_t doorFlag) {
    store_.aboutToChange(room, kRecordExits);
    room.exits[direction].doorFlag = doorFlag;
    map_.roomChanged(room);
}

void MapRoomCommands::setKey(RoomDataType& room, int direction, int32_t key) {
    store_.aboutToChange(room, kRecordExits);
    room.exits[direction].key = key;
    map_.roomChanged(room);
}

void MapRoomCommands::setKeywords(RoomDataType& room, int direction, const std::string& keywords) {
    store_.aboutToChange(room, kRecordExits);
    room.exits[direction].keywords = textForWorldFile(keywords);
    map_.roomChanged(room);
}

void MapRoomCommands::setExitDescription(RoomDataType& room, int direction, const std::string& description) {
    store_.aboutToChange(room, kRecordExits);
    room.exits[direction].description = textForWorldFile(description);
    map_.roomChanged(room);
}

void MapRoomCommands::editExit(RoomDataType& room, const ExitEdit& edit) {
    const int d = edit.direction;
    switch (edit.part) {
    case ExitEdit::Part::Destination: setExitTo(room, d, edit.number); break;
    case ExitEdit::Part::DoorFlag: setDoorFlag(room, d, edit.number); break;
    case ExitEdit::Part::Key: setKey(room, d, edit.number); break;
    case ExitEdit::Part::Keywords: setKeywords(room, d, edit.text); break;
    case ExitEdit::Part::Description: setExitDescription(room, d, edit.text); break;
    }
}

bool MapRoomCommands::changes(const RoomDataType& room, const ExitEdit& edit) const {
    const RoomExitType& exit = room.exits[edit.direction];
    switch (edit.part) {
    case ExitEdit::Part::Destination: return room.exitTo[edit.direction] != edit.number;
    case ExitEdit::Part::DoorFlag: return exit.doorFlag != edit.number;
    case ExitEdit::Part::Key: return exit.key != edit.number;
    case ExitEdit::Part::Keywords: return exit.keywords != textForWorldFile(edit.text);
    case ExitEdit::Part::Description: return exit.description != textForWorldFile(edit.text);
    }
    return false;
}
