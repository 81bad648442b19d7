#pragma once
// The room commands of the editor, shared by every window that edits rooms: New Room,
// UPDATE, Clear Room, Delete Room, the default room template, and putting rooms on and
// off the map grid. They work over the store, its template and the map model, and speak
// to the user only through Prompts; the windows keep their controls, gather what the
// user typed into a RoomEntry and show what the operation returns.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "world/prompts.h"
#include "world/world_store.h"

class MapModel;

// What the room page holds when UPDATE is pressed, as bytes.
struct RoomEntry {
    std::string number;       // "Room Number" exactly as typed
    std::string name;         // one line
    std::string description;  // CR LF between lines
    int32_t bitvector = 0;
    int32_t sectorType = 0;
    // The "Flags 2-4" and "Triggers" lines exactly as typed; none from a window without
    // them, which then leaves the room's own as they are.
    std::optional<std::string> flagWords{};
    std::optional<std::string> triggers{};
};

enum class UpdateOutcome {
    Refused,     // a message told the user why; nothing changed
    Ignored,     // no room on display and no New Room pending; nothing changed
    Created,     // a new room is in the store and is the current room
    Changed,     // the current room took the entry, its number kept
    Renumbered,  // the current room took the entry and moved to its new number
};

class RoomOperations {
public:
    RoomOperations(WorldStore& store, MapModel& map, Prompts& prompts);

    // "&New Room": a room is pending until UPDATE creates it. Returns the number to offer.
    int32_t beginNewRoom();
    // A pending New Room is forgotten (the user went to another room).
    void abandonNewRoom();

    // UPDATE. Refuses, with its message, an entry without number, name or description,
    // a number that is not an integer, a number below the zone start, flag words 2-4 or
    // triggers that are not numbers, and a number another room holds. Creates the pending room (or the first room of an empty store), or
    // writes the entry into the current room, renumbering it when the number changed.
    // A created or updated room that is not on the map waits in the placement list.
    UpdateOutcome update(const RoomEntry& entry);

    // A room at a given number for a window that is not the room page (the map): the
    // same checks and messages as UPDATE of a New Room; the room becomes current. None
    // when refused.
    RoomIndexNode* createRoom(const RoomEntry& entry);

    // "Clear Room": asks first when askFirst. Returns whether the page's name and
    // description should be emptied. The stored room (unless still pending) loses its
    // name, description and extra descriptions.
    bool clearRoom(bool askFirst);

    // "Delete Room" for a given room (the page passes the current one): asks first when
    // askFirst. nullopt when nothing was deleted; otherwise the room that stood before it
    // (none at the start of the index), which the page shows next. Deleting the current
    // room while a New Room is pending only forgets the pending room.
    std::optional<RoomIndexNode*> deleteRoom(RoomIndexNode* node, bool askFirst);

    // The default room template ("Make &Default", "Clear Default").
    void makeDefault();
    void clearDefault();
    bool hasDefault() const;
    // A room from the template next to the current room in a direction, linked both ways,
    // waiting in the placement list. None when refused (with a message) or without a current room.
    RoomIndexNode* addDefaultRoom(int direction);
    // A room from the template, unlinked, waiting in the placement list (the map's default
    // placement). None when refused with a message.
    RoomIndexNode* createDefaultRoom();

    // The map grid: a room put in a cell leaves the placement list; a room taken off goes
    // back to it. Exits around the cell are recalculated when the map says so.
    void placeOnMap(RoomDataType& room, int x, int y, int z);
    void takeOffMap(int x, int y, int z);

private:
    // An entry that passed the checks, its numbers converted.
    struct Checked {
        int32_t number = 0;
        std::optional<std::array<int32_t, 3>> flagWords;
        std::optional<std::vector<int32_t>> triggers;
    };
    std::optional<Checked> checkEntry(const RoomEntry& entry);
    void fill(RoomDataType& room, const RoomEntry& entry, const Checked& checked) const;
    void registerUnplaced(RoomDataType& room);

    WorldStore& store_;
    MapModel& map_;
    Prompts& prompts_;
};
