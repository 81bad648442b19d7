#include "map/room_operations.h"

#include <memory>

#include "map/map_model.h"
#include "world/default_room.h"
#include "world/newer_fields.h"
#include "world/strict_int.h"

RoomOperations::RoomOperations(WorldStore& store, MapModel& map, Prompts& prompts)
    : store_(store), map_(map), prompts_(prompts) {}

int32_t RoomOperations::beginNewRoom() {
    store_.beginNewRoom();
    return store_.nextFreeVnum();
}

void RoomOperations::abandonNewRoom() { store_.endNewRoom(); }

void RoomOperations::fill(RoomDataType& room, const RoomEntry& entry, const Checked& checked) const {
    room.vnum = checked.number;
    room.name = textForWorldFile(entry.name);
    room.description = textForWorldFile(entry.description);
    room.zone = store_.zoneNumber;
    room.bitvector = entry.bitvector;
    room.sectorType = entry.sectorType;
    if (checked.flagWords) setFlagWords(room, *checked.flagWords);
    if (checked.triggers) setTriggers(room, *checked.triggers);
}

void RoomOperations::registerUnplaced(RoomDataType& room) { map_.placement.registerUnplacedRoom(room); }

// The checks every entry passes before it reaches the store, in the order the user
// meets them: something in each field, a whole number, inside the zone, then the
// numbers of the lines under the banks.
std::optional<RoomOperations::Checked> RoomOperations::checkEntry(const RoomEntry& entry) {
    if (entry.number.empty() || entry.name.empty() || entry.description.empty()) {
        prompts_.message("Room Number, Room Name, and Description must all be defined in order to update.");
        return std::nullopt;
    }
    const std::optional<int32_t> parsed = strictToIntOrSay(entry.number, prompts_);
    if (!parsed) return std::nullopt;
    if (*parsed < store_.zoneStart) {
        prompts_.message("Room Number out of range; Zone starts at #" + std::to_string(store_.zoneStart));
        return std::nullopt;
    }
    Checked checked;
    checked.number = *parsed;
    if (entry.flagWords && !(checked.flagWords = flagWordsFromText(*entry.flagWords, prompts_))) return std::nullopt;
    if (entry.triggers && !(checked.triggers = triggersFromText(*entry.triggers, prompts_))) return std::nullopt;
    return checked;
}

RoomIndexNode* RoomOperations::createRoom(const RoomEntry& entry) {
    const std::optional<Checked> checked = checkEntry(entry);
    if (!checked) return nullptr;
    const int32_t number = checked->number;
    const bool first = store_.empty();
    if (!first && store_.findByVnum(number)) {
        prompts_.message("Cannot create room: Vnum is already in use");
        return nullptr;
    }
    auto room = std::make_unique<RoomDataType>();
    initNewRoom(*room);
    fill(*room, entry, *checked);
    RoomDataType& created = *room;
    store_.endNewRoom();
    registerUnplaced(created);
    RoomIndexNode* node = store_.insertOrdered(WorldStore::makeNode(std::move(room)));
    // The first room sets the next free number from its own; later ones from the last room.
    if (first)
        store_.setNextFreeVnum(number + 1);
    else
        store_.setNextFreeAfterLast();
    store_.setCurrent(node);
    return node;
}

UpdateOutcome RoomOperations::update(const RoomEntry& entry) {
    if (store_.empty() || store_.newRoomPending()) return createRoom(entry) ? UpdateOutcome::Created : UpdateOutcome::Refused;

    std::optional<Checked> checked = checkEntry(entry);
    if (!checked) return UpdateOutcome::Refused;
    const int32_t number = checked->number;
    // Without a room on display there is nothing to change.
    RoomIndexNode* node = store_.current();
    if (!node) return UpdateOutcome::Ignored;
    const int32_t oldNumber = node->vnum;
    if (number != oldNumber && store_.findByVnum(number)) {
        prompts_.message("Cannot update room: Vnum is already in use");
        return UpdateOutcome::Refused;
    }
    RoomDataType& room = *node->room;
    // The record keeps its old number until the index has moved it.
    store_.aboutToChange(room, kRecordName | kRecordDescription | kRecordNewer);
    checked->number = oldNumber;
    fill(room, entry, *checked);
    if (number != oldNumber) store_.renumber(node, number);
    if (!room.onMap()) registerUnplaced(room);
    map_.roomChanged(room);
    return number == oldNumber ? UpdateOutcome::Changed : UpdateOutcome::Renumbered;
}

bool RoomOperations::clearRoom(bool askFirst) {
    if (!store_.current()) return false;
    if (askFirst && !prompts_.confirm("CLEAR all descriptions for this room?")) return false;
    if (store_.newRoomPending()) return true;
    RoomDataType& room = *store_.current()->room;
    store_.aboutToChange(room, kRecordName | kRecordDescription | kRecordExtras);
    room.name.clear();
    room.description.clear();
    room.freeExtraDescs();
    map_.roomChanged(room);
    return true;
}

std::optional<RoomIndexNode*> RoomOperations::deleteRoom(RoomIndexNode* node, bool askFirst) {
    if (!node) return std::nullopt;
    RoomIndexNode* before = node->prev;
    if (askFirst && !prompts_.confirm("DELETE this room?")) return std::nullopt;
    if (node == store_.current())
        store_.deleteCurrentRoom();
    else
        store_.deleteRoom(node);
    return before;
}

void RoomOperations::makeDefault() { makeDefaultRoom(store_, prompts_); }

void RoomOperations::clearDefault() { clearDefaultRoom(store_); }

bool RoomOperations::hasDefault() const { return hasDefaultRoom(store_); }

RoomIndexNode* RoomOperations::addDefaultRoom(int direction) {
    RoomIndexNode* added = ::addDefaultRoom(store_, prompts_, direction);
    // The new room waits in the map's list of unplaced rooms from the start, so the map
    // offers it without an UPDATE first.
    if (added) registerUnplaced(*added->room);
    return added;
}

RoomIndexNode* RoomOperations::createDefaultRoom() {
    if (!hasDefaultRoom(store_)) {
        prompts_.message("You must make a room the default before you can add default rooms.");
        return nullptr;
    }
    RoomIndexNode* added = createDefaultRoomNode(store_, prompts_);
    if (added) registerUnplaced(*added->room);
    return added;
}

void RoomOperations::placeOnMap(RoomDataType& room, int x, int y, int z) {
    if (!insideMap(x, y, z)) return;
    RoomDataType* displaced = map_.grid.cellAt(x, y, z);
    const int oldX = room.mapX, oldY = room.mapY, oldZ = room.mapZ;
    const bool moved = room.onMap() && map_.grid.cellAt(oldX, oldY, oldZ) == &room;
    map_.placement.unlinkPlacementEntry(map_.placement.findByRoom(&room));
    map_.grid.putRoom(room, x, y, z);
    // A room that stood in the cell goes back to the list of rooms to place.
    if (displaced && displaced != &room) registerUnplaced(*displaced);
    if (!map_.recalcOnChange) return;
    if (moved && (oldX != x || oldY != y || oldZ != z)) map_.grid.recalcExits(oldX, oldY, oldZ);
    map_.grid.recalcExits(x, y, z);
}

void RoomOperations::takeOffMap(int x, int y, int z) {
    RoomDataType* room = map_.grid.cellAt(x, y, z);
    if (!room) return;
    map_.grid.takeRoom(x, y, z);
    registerUnplaced(*room);
    if (map_.recalcOnChange) map_.grid.recalcExits(x, y, z);
}
