// The map's room commands without a window: numbering of default rooms, placing listed
// rooms, taking rooms off and deleting them.
#include "map/map_commands.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "map_test_support.h"
#include "scripted_prompts.h"

using maptest::addRoom;

namespace {

struct Fixture {
    WorldStore store;
    MapModel map{store};
    RecordingPrompts prompts;
    MapRoomCommands commands{store, map, prompts};
};

TEST(MapRoomCommands, DefaultRoomsAreNumberedAfterTheHighestRoomOrFromTheZoneStart) {
    struct Case {
        const char* what;
        std::vector<int32_t> vnums;  // in index order (file order may be unsorted)
        int32_t nextFree;
        int32_t expectedVnum;
        int32_t expectedNextFree;
    };
    const Case cases[] = {
        {"empty store: the zone start", {}, 3000, 3000, 3001},
        {"empty store, next free already beyond", {}, 3050, 3000, 3050},
        {"sorted index", {3001, 3020}, 3021, 3021, 3022},
        {"next free already beyond", {3001, 3020}, 3100, 3021, 3100},
        {"file order: the highest is not the last", {3050, 3001}, 3002, 3051, 3052},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        f.store.setZone(30, "Zone", 3000);
        for (int32_t v : c.vnums) addRoom(f.store, v, "Old");
        f.store.setNextFreeVnum(c.nextFree);
        f.store.defaultRoom.vnum = 1;
        f.store.defaultRoom.name = "Road";
        f.store.defaultRoom.exitTo[North] = 77;
        f.map.recalcOnChange = false;
        RoomDataType* room = f.commands.placeDefaultRoom(10, 10, 5);
        ASSERT_NE(room, nullptr);
        EXPECT_EQ(room->vnum, c.expectedVnum);
        EXPECT_EQ(room->name, "Road");
        EXPECT_EQ(room->exitTo[North], 77) << "without recalculation the template's exits stay";
        EXPECT_EQ(f.map.grid.cellAt(10, 10, 5), room);
        EXPECT_EQ(f.store.nextFreeVnum(), c.expectedNextFree);
        EXPECT_EQ(f.store.size(), c.vnums.size() + 1);
        EXPECT_EQ(f.map.placement.size(), 0u) << "a placed room is not listed";
    }
}

TEST(MapRoomCommands, DefaultPlacementRefusesWithoutTemplateNumberOrFreeCell) {
    Fixture f;
    RoomDataType& there = addRoom(f.store, 3001);
    f.map.grid.putRoom(there, 10, 10, 5);
    EXPECT_EQ(f.commands.placeDefaultRoom(11, 10, 5), nullptr) << "no template";
    f.store.defaultRoom.vnum = 1;
    EXPECT_EQ(f.commands.placeDefaultRoom(10, 10, 5), nullptr) << "the cell is taken";
    EXPECT_EQ(f.commands.placeDefaultRoom(0, 10, 5), nullptr) << "off the board";
    EXPECT_EQ(f.store.size(), 1u);
    EXPECT_TRUE(f.prompts.messages.empty());

    addRoom(f.store, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(f.commands.placeDefaultRoom(11, 10, 5), nullptr);
    EXPECT_EQ(f.prompts.messages.size(), 1u) << "the user is told that no number is left";
    EXPECT_EQ(f.store.size(), 2u);
}

TEST(MapRoomCommands, ListedRoomsArePlacedAndTakenOffThroughTheList) {
    Fixture f;
    RoomDataType& west = addRoom(f.store, 3001, "West");
    RoomDataType& a = addRoom(f.store, 3002, "A");
    RoomDataType& b = addRoom(f.store, 3003, "B");
    f.map.grid.putRoom(west, 9, 10, 5);
    f.map.placement.registerUnplacedRoom(a);
    f.map.placement.registerUnplacedRoom(b);

    EXPECT_EQ(f.commands.placeListedRoom(2, 10, 10, 5), nullptr) << "no third entry";
    EXPECT_EQ(f.commands.placeListedRoom(1, 10, 10, 5), &b);
    EXPECT_EQ(f.map.placement.size(), 1u);
    EXPECT_EQ(f.map.placement.first()->room, &a);
    EXPECT_EQ(b.exitTo[West], 3001);
    EXPECT_EQ(west.exitTo[East], 3003);

    EXPECT_EQ(f.commands.removeRoom(10, 10, 5), &b);
    EXPECT_FALSE(b.onMap());
    EXPECT_EQ(f.map.placement.last()->room, &b) << "taken off: listed at the end";
    EXPECT_EQ(west.exitTo[East], 0);
    EXPECT_EQ(f.commands.removeRoom(10, 10, 5), nullptr) << "an empty cell";
    EXPECT_EQ(f.map.placement.size(), 2u);

    // Without recalculation the neighbours keep their exits either way.
    f.map.recalcOnChange = false;
    west.exitTo[East] = 4444;
    f.commands.placeListedRoom(0, 10, 10, 5);
    EXPECT_EQ(west.exitTo[East], 4444);
    f.commands.removeRoom(10, 10, 5);
    EXPECT_EQ(west.exitTo[East], 4444);
}

TEST(MapRoomCommands, DeletingFromTheMapDeletesThatRoomEvenWithANewRoomPending) {
    Fixture f;
    RoomDataType& keep = addRoom(f.store, 3001, "Keep");
    RoomDataType& other = addRoom(f.store, 3002, "Other");
    RoomDataType& current = addRoom(f.store, 3003, "Current");
    f.map.grid.putRoom(keep, 10, 10, 5);
    f.map.grid.putRoom(other, 11, 10, 5);
    f.map.grid.putRoom(current, 12, 10, 5);
    f.map.grid.recalcExits(11, 10, 5);
    f.store.setCurrent(f.store.last());
    f.store.beginNewRoom();

    EXPECT_FALSE(f.commands.deleteRoom(13, 10, 5)) << "an empty cell";
    EXPECT_TRUE(f.commands.deleteRoom(11, 10, 5));
    EXPECT_EQ(f.store.size(), 2u);
    EXPECT_EQ(f.map.grid.cellAt(11, 10, 5), nullptr);
    EXPECT_EQ(keep.exitTo[East], 0);
    EXPECT_TRUE(f.store.newRoomPending()) << "another room's deletion leaves the New Room pending";
    EXPECT_EQ(f.store.current()->room.get(), &current);

    // The current room itself: deleted, not merely the pending New Room forgotten.
    EXPECT_TRUE(f.commands.deleteRoom(12, 10, 5));
    EXPECT_EQ(f.store.size(), 1u);
    EXPECT_EQ(f.store.first()->room.get(), &keep);
    EXPECT_FALSE(f.store.newRoomPending());
    EXPECT_EQ(f.store.current(), nullptr);
    EXPECT_EQ(f.map.grid.cellAt(12, 10, 5), nullptr);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Dragging on the map: moves and links

TEST(MapRoomCommands, LinkDirectionFollowsTheNeighbourOrTheLargerOffset) {
    struct Case {
        int dx, dy, direction;
    };
    const Case cases[] = {
        {0, -1, North}, {1, 0, East},   {0, 1, South},  {-1, 0, West},  {5, -2, East},
        {-2, 7, South}, {-6, -6, West}, {3, 3, East},   {1, -4, North}, {0, 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MapRoomCommands::linkDirection(50, 50, 50 + c.dx, 50 + c.dy), c.direction)
            << c.dx << "," << c.dy;
}

TEST(MapRoomCommands, MoveTakesTheRoomOffAndPlacesItOrKeepsEveryExit) {
    for (const bool recalc : {true, false}) {
        SCOPED_TRACE(recalc ? "ReCalc" : "no ReCalc");
        Fixture f;
        RoomDataType& a = addRoom(f.store, 100, "A");
        RoomDataType& b = addRoom(f.store, 101, "B");
        RoomDataType& c = addRoom(f.store, 102, "C");
        f.map.grid.putRoom(a, 50, 50, 5);
        f.map.grid.putRoom(b, 51, 50, 5);
        f.map.grid.putRoom(c, 60, 61, 5);
        f.map.grid.recalcExits(50, 50, 5);  // A East <-> B West
        f.map.recalcOnChange = recalc;

        EXPECT_FALSE(f.commands.moveRoom(a, 51, 50)) << "a taken cell";
        EXPECT_FALSE(f.commands.moveRoom(a, 0, 50)) << "outside the grid";
        EXPECT_EQ(maptest::positionOf(a), (maptest::Position{50, 50, 5}));

        ASSERT_TRUE(f.commands.moveRoom(a, 60, 60));
        EXPECT_EQ(maptest::positionOf(a), (maptest::Position{60, 60, 5}));
        EXPECT_EQ(f.map.grid.cellAt(50, 50, 5), nullptr);
        EXPECT_EQ(f.map.placement.size(), 0u) << "a moved room is never listed";
        EXPECT_EQ(a.exitTo[East], recalc ? 0 : 101);
        EXPECT_EQ(b.exitTo[West], recalc ? 0 : 100);
        EXPECT_EQ(a.exitTo[South], recalc ? 102 : 0);
        EXPECT_EQ(c.exitTo[North], recalc ? 100 : 0);
        maptest::expectGridAgrees(f.store, f.map.grid, &f.map.placement);
    }
}

TEST(MapRoomCommands, LinkAsksBeforeReplacingAndUnlinkTakesOnlyThePair) {
    Fixture f;
    RoomDataType& a = addRoom(f.store, 100, "A", {{East, 300}});
    RoomDataType& b = addRoom(f.store, 101, "B");
    RoomDataType& c = addRoom(f.store, 102, "C", {{West, 555}});

    f.prompts.answer(false);
    EXPECT_FALSE(f.commands.linkRooms(a, b, East));
    EXPECT_EQ(f.prompts.questions.back(), "Replace the exit to 300?");
    EXPECT_EQ(a.exitTo[East], 300);
    EXPECT_EQ(b.exitTo[West], 0) << "a No changes neither room";

    f.prompts.answer(true);
    EXPECT_TRUE(f.commands.linkRooms(a, b, East));
    EXPECT_EQ(a.exitTo[East], 101);
    EXPECT_EQ(b.exitTo[West], 100);
    EXPECT_FALSE(f.commands.linkRooms(a, b, East)) << "linked already: no question, no change";
    EXPECT_FALSE(f.commands.linkRooms(a, a, East)) << "a room with itself";

    // Both ends ask when both lead elsewhere.
    f.prompts.answer(true);
    f.prompts.answer(true);
    EXPECT_TRUE(f.commands.linkRooms(a, c, East));
    EXPECT_EQ(f.prompts.questions.back(), "Replace the exit to 555?");
    EXPECT_EQ(a.exitTo[East], 102);
    EXPECT_EQ(c.exitTo[West], 100);
    EXPECT_EQ(b.exitTo[West], 100) << "the old partner keeps its exit";

    // Both ends lead to one third room: one question for both.
    RoomDataType& d = addRoom(f.store, 103, "D", {{East, 300}});
    RoomDataType& e = addRoom(f.store, 104, "E", {{West, 300}});
    const size_t asked = f.prompts.questions.size();
    f.prompts.answer(true);
    EXPECT_TRUE(f.commands.linkRooms(d, e, East));
    EXPECT_EQ(f.prompts.questions.size(), asked + 1);
    EXPECT_EQ(d.exitTo[East], 104);
    EXPECT_EQ(e.exitTo[West], 103);

    EXPECT_TRUE(f.commands.unlinkRooms(a, b, East)) << "B still led back to A";
    EXPECT_EQ(a.exitTo[East], 102) << "only a link between the two goes";
    EXPECT_EQ(b.exitTo[West], 0);
    EXPECT_EQ(a.exitTo[East], 102);
    EXPECT_TRUE(f.commands.unlinkRooms(a, c, East));
    EXPECT_EQ(a.exitTo[East], 0);
    EXPECT_EQ(c.exitTo[West], 0);
}
