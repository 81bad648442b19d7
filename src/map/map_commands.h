#pragma once
// The map window's changes to the zone: putting rooms on cells (new default rooms or
// rooms from the placement list), taking them off, deleting them (through the editor's
// room operations), and the exit edits of the exit panel. The window gathers the cell and
// the typed values and calls these; it never writes a store or grid field itself. Recalculation of the neighbours' exits
// follows the map's "ReCalc Exits" switch (MapModel::recalcOnChange).
#include <cstddef>
#include <cstdint>
#include <string>

#include "map/map_model.h"
#include "world/prompts.h"
#include "map/room_operations.h"
#include "world/world_store.h"

// One change the exit panel makes: one part of one exit, and its new value.
struct ExitEdit {
    enum class Part { Destination, DoorFlag, Key, Keywords, Description };
    Part part = Part::Destination;
    int direction = North;
    int32_t number = 0;  // Destination, DoorFlag, Key
    std::string text;    // Keywords, Description, as typed
};

class MapRoomCommands {
public:
    MapRoomCommands(WorldStore& store, MapModel& map, Prompts& prompts);

    // A new room copied from the default template, numbered one above the highest room
    // of the store (the zone's start number when the store is empty), put at the empty
    // cell. None, and nothing changed, when there is no template, no number is left or
    // the cell is taken.
    RoomDataType* placeDefaultRoom(int x, int y, int z);

    // The room of the placement entry at `position` (0-based) put at the empty cell; the
    // entry leaves the list. None when there is no such entry or the cell is taken.
    RoomDataType* placeListedRoom(size_t position, int x, int y, int z);

    // Takes the cell's room off the map; it goes to the end of the placement list.
    // None when the cell is empty.
    RoomDataType* removeRoom(int x, int y, int z);

    // Deletes the cell's room from the zone without a question. False when the cell is empty.
    bool deleteRoom(int x, int y, int z);

    // Exit edits on one room: only this room's record changes, never the room at the other
    // end. Each is announced to a recording before and to the map's views after.
    void setExitTo(RoomDataType& room, int direction, int32_t destination);
    void setDoorFlag(RoomDataType& room, int direction, int32_t doorFlag);
    void setKey(RoomDataType& room, int direction, int32_t key);
    void setKeywords(RoomDataType& room, int direction, const std::string& keywords);
    void setExitDescription(RoomDataType& room, int direction, const std::string& description);
    // The exit panel's edits, through the setter of the edit's part; changes() tells
    // whether the edit would change the room at all.
    void editExit(RoomDataType& room, const ExitEdit& edit);
    bool changes(const RoomDataType& room, const ExitEdit& edit) const;

    // Moves a room on the map to an empty cell of its level. With "ReCalc Exits" the old and
    // the new cell are recalculated as when a room is taken off and placed; without it
    // every exit keeps its destination. False, and nothing changed, when the room is not
    // on the map or the cell is taken, outside the grid or on another level.
    bool moveRoom(RoomDataType& room, int x, int y);

    // The direction a drag from cell `from` to cell `to` links in: the neighbour's
    // direction for side by side cells, else North, East, South or West by the larger
    // offset (East or West when both are equal). -1 for the same cell.
    static int linkDirection(int fromX, int fromY, int toX, int toY);
    // Links two rooms both ways: a's exit `direction` to b, b's reverse exit to a. An exit
    // of either that leads to a third room is replaced only after "Replace the exit to N?"
    // is answered Yes. False when nothing changed (already linked, a No, the same room).
    bool linkRooms(RoomDataType& a, RoomDataType& b, int direction);
    // Takes away the link between two rooms in a direction: a's exit there when it leads
    // to b, b's reverse exit when it leads to a. False when neither did.
    bool unlinkRooms(RoomDataType& a, RoomDataType& b, int direction);

    // The index node that owns this very record (not merely one of its number).
    RoomIndexNode* nodeOf(const RoomDataType& room) const;

private:
    WorldStore& store_;
    MapModel& map_;
    Prompts& prompts_;
    RoomOperations rooms_;  // creation, placement and deletion follow the editor's room rules
};
