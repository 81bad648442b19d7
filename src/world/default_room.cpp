#include "world/default_room.h"

#include <limits>
#include <memory>
#include <string>

void makeDefaultRoom(WorldStore& store, Prompts& prompts) {
    if (store.empty() || store.newRoomPending()) {
        prompts.message("Must update room before making it the default.");
        return;
    }
    if (!store.current() || !store.current()->room) return;
    store.aboutToChange(store.defaultRoom);
    copyRoom(store.defaultRoom, *store.current()->room);
    // A room may carry the number -1, which would otherwise read as "no template"; the
    // template keeps the number only to say that it exists.
    if (store.defaultRoom.vnum == -1) store.defaultRoom.vnum = 0;
}

void clearDefaultRoom(WorldStore& store) {
    if (store.defaultRoom.vnum == -1) return;
    store.aboutToChange(store.defaultRoom, 0);
    store.defaultRoom.vnum = -1;
}

bool nextDefaultVnum(const WorldStore& store, int32_t& vnum) {
    const int32_t highest = store.highestVnum();
    if (highest == std::numeric_limits<int32_t>::max()) return false;
    vnum = highest + 1;
    return true;
}

RoomIndexNode* createDefaultRoomNode(WorldStore& store, Prompts& prompts) {
    int32_t vnum = 0;
    if (!nextDefaultVnum(store, vnum)) {
        prompts.message("No room number is left after " + std::to_string(store.highestVnum()) + ".");
        return nullptr;
    }
    auto room = std::make_unique<RoomDataType>();
    copyRoom(*room, store.defaultRoom);
    room->vnum = vnum;
    room->mapX = room->mapY = room->mapZ = -1;
    if (vnum >= store.nextFreeVnum()) store.setNextFreeVnum(vnum == std::numeric_limits<int32_t>::max() ? vnum : vnum + 1);
    return store.insertOrdered(WorldStore::makeNode(std::move(room)));
}

RoomIndexNode* addDefaultRoom(WorldStore& store, Prompts& prompts, int direction) {
    if (!hasDefaultRoom(store)) {
        prompts.message("You must make a room the default before you can add default rooms.");
        return nullptr;
    }
    RoomIndexNode* from = store.current();
    if (!from || !from->room || store.empty()) return nullptr;
    RoomIndexNode* added = createDefaultRoomNode(store, prompts);
    if (!added) return nullptr;
    store.aboutToChange(*from->room, 0);
    from->room->exitTo[direction] = added->vnum;
    added->room->exitTo[reverseDirection(direction)] = from->vnum;
    return added;
}
