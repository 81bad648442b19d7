#pragma once
// What the zone's primitives tell a recording while one runs (see zone_history.h). The
// store, the map grid and the placement list hold a pointer to the journal only between
// ZoneHistoryRecorder::begin and finish; otherwise the pointer is none and every
// primitive pays one test of it and nothing more.
#include <cstddef>
#include <cstdint>

struct RoomDataType;
struct RoomIndexNode;
struct PlacementEntry;

// The texts of a record a change may write; its numbers (number, zone, flags, sector,
// map position, exit destinations) are always kept. A write to a text not announced
// would not be undone.
enum RecordTexts : unsigned char {
    kRecordName = 1,
    kRecordDescription = 2,
    kRecordExits = 4,   // the exits' descriptions, keywords, doors and keys
    kRecordExtras = 8,  // the chain of extra descriptions
    kRecordNewer = 16,  // the newer form's flag words 2..4, triggers and diagonal exits
    kRecordAllTexts = 31,
};

class ZoneJournal {
public:
    virtual ~ZoneJournal() = default;
    // A record (a room of the index or the template) is about to change in place: its
    // numbers and the texts named.
    virtual void roomTouched(RoomDataType& room, unsigned char texts) = 0;
    // The node has just been linked into the index.
    virtual void nodeLinked(RoomIndexNode& node) = 0;
    // The node is about to leave the index; its links are still set. A node the store
    // would free afterwards is left to the journal, which keeps it for undo.
    virtual void nodeUnlinking(RoomIndexNode& node) = 0;
    // The node's number has just changed (linked or not).
    virtual void nodeRenumbered(RoomIndexNode& node, int32_t oldVnum) = 0;
    // A grid cell (MapGrid::index) is about to change from `old`.
    virtual void cellTouched(size_t index, RoomDataType* old) = 0;
    // The entry has just been appended to the placement list.
    virtual void entryAdded(PlacementEntry& entry) = 0;
    // The entry is about to leave the placement list; its links are still set. The list
    // does not free it while a journal is attached.
    virtual void entryRemoving(PlacementEntry& entry) = 0;
    // The entry's number has just been refreshed.
    virtual void entryRenumbered(PlacementEntry& entry, int32_t oldVnum) = 0;
};
