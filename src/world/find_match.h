#pragma once
// The text search over the room index, used by the main window's search field and its
// "&<" / "&>" buttons and by the map window's search field.
#include <string>

#include "world/world_store.h"

// Walks from start itself (along next when forward, along prev otherwise) and returns the
// first node whose text holds `text` as one run of characters, or none. A node's text is
// its number in decimal, a blank and the room's name, followed directly by the room's
// description when checkDescription is set. Only the letters A..Z are folded to a..z, on
// both sides; every other byte must match exactly. An empty text finds nothing, and a
// node without a room is passed over.
RoomIndexNode* findMatch(RoomIndexNode* start, const std::string& text, bool forward, bool checkDescription);
