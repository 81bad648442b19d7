#pragma once
// The default room template: one room's record kept in the store (defaultRoom, vnum -1
// when there is none) and stamped out as new rooms by the direction buttons in add mode
// and by the map's default placement.
#include <cstdint>

#include "world/prompts.h"
#include "world/world_store.h"

inline bool hasDefaultRoom(const WorldStore& store) { return store.defaultRoom.vnum != -1; }

// "Make &Default": copies the current room's stored record (not what the editor holds
// since the last UPDATE) into the template. Refuses with a message on an empty store or
// while a New Room is pending; without a current room it does nothing.
void makeDefaultRoom(WorldStore& store, Prompts& prompts);

// "Clear Default".
void clearDefaultRoom(WorldStore& store);

// The number a new default room takes: one above the highest number in the store. In a
// sorted index that is the last node's number plus 1; in an index read in file order the
// last node need not hold the highest number, and its successor may already be taken.
// None when the highest number is the largest 32-bit number.
bool nextDefaultVnum(const WorldStore& store, int32_t& vnum);

// Creates a room from the template (which must exist) in a store that is not empty:
// its own copy of the template's record and extra descriptions, numbered by
// nextDefaultVnum, inserted in number order, off the map; nextFreeVnum moves past it.
// The room is neither linked nor shown. None when no number is left, after telling the
// user so.
RoomIndexNode* createDefaultRoomNode(WorldStore& store, Prompts& prompts);

// A default room next to the current room in direction d, linked both ways: the current
// room's exit d leads to it and its reverse exit leads back; the other fields of both
// exits stay as they were. Refuses with a message when there is no template; does
// nothing without a current room. The caller shows the returned room.
RoomIndexNode* addDefaultRoom(WorldStore& store, Prompts& prompts, int direction);
