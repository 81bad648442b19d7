// The room commands without a window: UPDATE's checks and messages, creating,
// renumbering, clearing and deleting rooms, the template, and the map grid.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "map/map_model.h"
#include "scripted_prompts.h"
#include "map/room_operations.h"
#include "world/newer_fields.h"
#include "world/world_store.h"

namespace {

const char* const kIncomplete = "Room Number, Room Name, and Description must all be defined in order to update.";

RoomEntry entry(const std::string& number, const std::string& name = "Glade",
                const std::string& description = "A glade.\r\nTrees.") {
    RoomEntry e;
    e.number = number;
    e.name = name;
    e.description = description;
    e.bitvector = 5;
    e.sectorType = 3;
    return e;
}

class RoomOperationsTest : public ::testing::Test {
protected:
    WorldStore store;
    MapModel map{store};
    ScriptedPrompts prompts;
    RoomOperations rooms{store, map, prompts};

    void SetUp() override { store.setZone(320, "The Dark Grove", 32001); }

    RoomIndexNode* add(int32_t vnum) {
        rooms.beginNewRoom();
        EXPECT_EQ(rooms.update(entry(std::to_string(vnum), "Room " + std::to_string(vnum))), UpdateOutcome::Created);
        return store.findByVnum(vnum);
    }
    std::vector<int32_t> numbers() const {
        std::vector<int32_t> v;
        for (RoomIndexNode* n = store.first(); n; n = n->next) v.push_back(n->vnum);
        return v;
    }
};

TEST_F(RoomOperationsTest, UpdateRefusesEachBadEntryWithItsMessageAndChangesNothing) {
    add(32001);
    add(32002);
    RoomIndexNode* shown = store.findByVnum(32002);
    struct Case {
        bool pending;
        RoomEntry typed;
        std::string message;
    };
    const std::vector<Case> cases = {
        {true, entry(""), kIncomplete},
        {true, entry("32003", ""), kIncomplete},
        {true, entry("32003", "Pool", ""), kIncomplete},
        {false, entry("", "Pool"), kIncomplete},
        {true, entry("32x"), "'32x' is not a valid integer value"},
        {true, entry("32003 "), "'32003 ' is not a valid integer value"},
        {false, entry("99999999999"), "'99999999999' is not a valid integer value"},
        {true, entry("32000"), "Room Number out of range; Zone starts at #32001"},
        {false, entry("-5"), "Room Number out of range; Zone starts at #32001"},
        {true, entry("32002"), "Cannot create room: Vnum is already in use"},
        {true, entry("32001"), "Cannot create room: Vnum is already in use"},
        {false, entry("32001"), "Cannot update room: Vnum is already in use"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.number + "|" + c.typed.name + "|" + c.typed.description);
        store.setCurrent(shown);
        if (c.pending) rooms.beginNewRoom();
        prompts.clear();
        EXPECT_EQ(rooms.update(c.typed), UpdateOutcome::Refused);
        EXPECT_EQ(prompts.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(numbers(), (std::vector<int32_t>{32001, 32002}));
        EXPECT_EQ(store.findByVnum(32002)->room->name, "Room 32002");
        EXPECT_EQ(store.newRoomPending(), c.pending);
        rooms.abandonNewRoom();
    }
}

TEST_F(RoomOperationsTest, UpdateCreatesChangesAndRenumbersKeepingTheIndexAndPlacementList) {
    // The first room of an empty store needs no New Room; the next free number follows it.
    EXPECT_EQ(rooms.update(entry("32010")), UpdateOutcome::Created);
    EXPECT_EQ(store.nextFreeVnum(), 32011);
    EXPECT_EQ(rooms.beginNewRoom(), 32011);
    EXPECT_EQ(rooms.update(entry(" 32005", "Pool")), UpdateOutcome::Created);
    EXPECT_FALSE(store.newRoomPending());
    EXPECT_EQ(store.current()->vnum, 32005);
    EXPECT_EQ(store.nextFreeVnum(), 32011);  // follows the last room, not the one created
    const RoomDataType& pool = *store.current()->room;
    EXPECT_EQ(pool.zone, 320);
    EXPECT_EQ(pool.bitvector, 5);
    EXPECT_EQ(pool.sectorType, 3);
    EXPECT_EQ(pool.exits[North].key, -1);
    EXPECT_EQ(map.placement.size(), 2u);

    // Same number: the record takes the entry where it stands.
    EXPECT_EQ(rooms.update(entry("32005", "Still pool", "Water.")), UpdateOutcome::Changed);
    EXPECT_EQ(pool.name, "Still pool");
    EXPECT_EQ(pool.description, "Water.");
    // A new number moves the room (the same record) to its place; nextFree follows the last.
    EXPECT_EQ(rooms.update(entry("32020", "Far pool")), UpdateOutcome::Renumbered);
    EXPECT_EQ(numbers(), (std::vector<int32_t>{32010, 32020}));
    EXPECT_EQ(store.current()->room.get(), &pool);
    EXPECT_EQ(pool.vnum, 32020);
    EXPECT_EQ(store.nextFreeVnum(), 32021);
    // The placement entry follows the number; no second entry.
    EXPECT_EQ(map.placement.size(), 2u);
    EXPECT_EQ(map.placement.findPlacementEntry(32020).first->room, &pool);
    // A room on the map is not put back into the list by UPDATE.
    map.placement.unlinkPlacementEntry(map.placement.findByRoom(&pool));
    map.grid.putRoom(*store.current()->room, 4, 4, 0);
    EXPECT_EQ(rooms.update(entry("32020", "Mapped pool")), UpdateOutcome::Changed);
    EXPECT_EQ(map.placement.findByRoom(&pool), nullptr);

    // Nothing on display and nothing pending: nothing to change.
    store.setCurrent(nullptr);
    EXPECT_EQ(rooms.update(entry("32030")), UpdateOutcome::Ignored);
    EXPECT_EQ(store.size(), 2u);
    EXPECT_TRUE(prompts.messages.empty());
}

// The "Flags 2-4" and "Triggers" lines: blank-separated numbers by the strict
// conversion, stored with the rest of the entry; a refusal names the word and stores
// nothing of the entry, a window without the lines leaves the room's own.
TEST_F(RoomOperationsTest, UpdateTakesFlagWordsAndTriggersOrRefusesThemWithTheirMessage) {
    add(32001);
    RoomDataType& room = *store.current()->room;
    struct Case {
        std::optional<std::string> words, triggers;
        std::string message;  // empty: stored
        FlagWords wordsAfter;
        std::vector<int32_t> triggersAfter;
    };
    const std::vector<Case> cases = {
        {"1 2 3", "4217 4218", "", {1, 2, 3}, {4217, 4218}},
        {" 0\t$10  -7 ", "", "", {0, 16, -7}, {}},
        {std::nullopt, " 9 ", "", {0, 16, -7}, {9}},
        {"0 0 0", std::nullopt, "", {}, {9}},
        {"1 x 3", "5", "'x' is not a valid integer value", {}, {9}},
        {"1 2", "5", "'1 2' is not three valid integer values", {}, {9}},
        {"1 2 3 4", "5", "'1 2 3 4' is not three valid integer values", {}, {9}},
        {"1 2 99999999999", "5", "'99999999999' is not a valid integer value", {}, {9}},
        {"1 2 3", "4217 42l8", "'42l8' is not a valid integer value", {}, {9}},
        {" ", "", "", {}, {}},
        {"1 0 0", "5", "", {1, 0, 0}, {5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words.value_or("(none)") + "|" + c.triggers.value_or("(none)"));
        prompts.clear();
        RoomEntry typed = entry("32001", "Renamed");
        typed.flagWords = c.words;
        typed.triggers = c.triggers;
        EXPECT_EQ(rooms.update(typed), c.message.empty() ? UpdateOutcome::Changed : UpdateOutcome::Refused);
        EXPECT_EQ(prompts.messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        EXPECT_EQ(room.name, c.message.empty() ? "Renamed" : "Room 32001");
        EXPECT_EQ(flagWords(room), c.wordsAfter);
        EXPECT_EQ(roomTriggers(room), c.triggersAfter);
        room.name = "Room 32001";
    }
    EXPECT_EQ(flagWordsText({1, -2, 3}), "1 -2 3");
    EXPECT_EQ(triggersText({}), "");
    EXPECT_EQ(triggersText({4217, 4218}), "4217 4218");
}

TEST_F(RoomOperationsTest, ClearAndDeleteAskFirstAndTouchOnlyTheirRoom) {
    RoomIndexNode* a = add(32001);
    RoomIndexNode* b = add(32002);
    add(32003);
    b->room->appendExtraDesc("stone", "A stone.");

    store.setCurrent(b);
    prompts.answer(false);
    EXPECT_FALSE(rooms.clearRoom(true));
    EXPECT_EQ(b->room->name, "Room 32002");
    prompts.answer(true);
    EXPECT_TRUE(rooms.clearRoom(true));
    EXPECT_EQ(prompts.questions.back(), "CLEAR all descriptions for this room?");
    EXPECT_TRUE(b->room->name.empty());
    EXPECT_TRUE(b->room->description.empty());
    EXPECT_EQ(b->room->extraDescs, nullptr);

    // Clearing while a New Room is pending empties only the page.
    a->room->name = "Kept";
    store.setCurrent(a);
    rooms.beginNewRoom();
    EXPECT_TRUE(rooms.clearRoom(false));
    EXPECT_EQ(a->room->name, "Kept");
    // Deleting then forgets the pending room and keeps every stored one.
    EXPECT_EQ(rooms.deleteRoom(a, false), std::optional<RoomIndexNode*>(nullptr));
    EXPECT_FALSE(store.newRoomPending());
    EXPECT_EQ(store.size(), 3u);

    // A given room that is not current (the map's delete): the current room stays.
    store.setCurrent(a);
    prompts.answer(false);
    EXPECT_EQ(rooms.deleteRoom(b, true), std::nullopt);
    EXPECT_EQ(store.size(), 3u);
    EXPECT_EQ(rooms.deleteRoom(b, false), std::optional<RoomIndexNode*>(a));
    EXPECT_EQ(numbers(), (std::vector<int32_t>{32001, 32003}));
    EXPECT_EQ(store.current(), a);
    EXPECT_EQ(map.placement.findPlacementEntry(32002).first, nullptr);
    EXPECT_EQ(rooms.deleteRoom(nullptr, false), std::nullopt);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RoomOperationsTest, DefaultRoomsAndTheGridKeepThePlacementListInStep) {
    RoomIndexNode* a = add(32001);
    EXPECT_EQ(rooms.createDefaultRoom(), nullptr);
    EXPECT_EQ(prompts.lastMessage(), "You must make a room the default before you can add default rooms.");
    rooms.makeDefault();
    ASSERT_TRUE(rooms.hasDefault());

    RoomIndexNode* east = rooms.addDefaultRoom(East);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(a->room->exitTo[East], east->vnum);
    EXPECT_EQ(east->room->exitTo[West], 32001);
    EXPECT_NE(map.placement.findByRoom(east->room.get()), nullptr);
    RoomIndexNode* loose = rooms.createDefaultRoom();
    ASSERT_NE(loose, nullptr);
    EXPECT_EQ(loose->vnum, 32003);
    EXPECT_EQ(map.placement.size(), 3u);

    // Placing takes a room out of the list and links it with its neighbours.
    rooms.placeOnMap(*a->room, 10, 10, 0);
    rooms.placeOnMap(*east->room, 11, 10, 0);
    EXPECT_EQ(map.placement.size(), 1u);
    EXPECT_EQ(map.grid.cellAt(11, 10, 0), east->room.get());
    // Placing on a taken cell sends its room back to the list.
    rooms.placeOnMap(*loose->room, 11, 10, 0);
    EXPECT_EQ(east->room->mapX, -1);
    EXPECT_NE(map.placement.findByRoom(east->room.get()), nullptr);
    EXPECT_EQ(map.placement.findByRoom(loose->room.get()), nullptr);
    EXPECT_EQ(a->room->exitTo[East], 32003);
    // Moving a room empties its old cell.
    rooms.placeOnMap(*loose->room, 12, 10, 0);
    EXPECT_EQ(map.grid.cellAt(11, 10, 0), nullptr);
    EXPECT_EQ(map.grid.roomCount(), 2u);
    // Taking a room off the map puts it back in the list; an empty cell changes nothing.
    rooms.takeOffMap(12, 10, 0);
    rooms.takeOffMap(50, 50, 5);
    EXPECT_EQ(loose->room->mapX, -1);
    EXPECT_EQ(map.grid.roomCount(), 1u);
    EXPECT_EQ(map.placement.size(), 2u);
    // Outside the grid nothing happens.
    rooms.placeOnMap(*loose->room, 0, 10, 0);
    EXPECT_EQ(map.placement.size(), 2u);

    rooms.clearDefault();
    EXPECT_FALSE(rooms.hasDefault());
}

}  // namespace
