// The default room template: Make Default, Clear Default and adding default rooms.
#include <gtest/gtest.h>

#include <chrono>

#include "build_speed.h"
#include <cstdio>
#include <limits>
#include <vector>

#include "scripted_prompts.h"
#include "world/default_room.h"
#include "world/world_store.h"

namespace {

RoomIndexNode* addRoom(WorldStore& store, int32_t vnum, bool inOrder = true) {
    auto room = std::make_unique<RoomDataType>();
    room->vnum = vnum;
    room->name = "Room " + std::to_string(vnum);
    room->description = "Plain.\r\nWalls.";
    room->zone = 320;
    auto node = WorldStore::makeNode(std::move(room));
    return inOrder ? store.insertOrdered(std::move(node)) : store.appendNode(std::move(node));
}

std::vector<int32_t> order(const WorldStore& s) {
    std::vector<int32_t> v;
    for (RoomIndexNode* n = s.first(); n; n = n->next) v.push_back(n->vnum);
    return v;
}

const char* const kRefusedMakeDefault = "Must update room before making it the default.";
const char* const kNoTemplate = "You must make a room the default before you can add default rooms.";

// A zone of 32001..32020 whose first room is the template's source: a north exit to
// 32005 with a door and texts, flags, a sector, a place on the map and two extra
// descriptions.
class DefaultRoom : public ::testing::Test {
protected:
    void SetUp() override {
        store.zoneNumber = 320;
        for (int32_t v = 32001; v <= 32020; ++v) addRoom(store, v);
        store.setNextFreeAfterLast();
        source = store.first();
        RoomDataType& r = *source->room;
        r.name = "The Dark Grove";
        r.bitvector = 5;
        r.sectorType = 3;
        r.exitTo[North] = 32005;
        r.exits[North] = {"Trees.\r\n", "trees", 1, 32099};
        r.mapX = 4, r.mapY = 5, r.mapZ = 0;
        r.appendExtraDesc("moss", "Green moss.");
        r.appendExtraDesc("bark", "Rough bark.");
        store.setCurrent(source);
    }
    WorldStore store;
    RecordingPrompts prompts;
    RoomIndexNode* source = nullptr;
};

TEST_F(DefaultRoom, MakeDefaultRefusesWithoutAStoredRoomAndCopiesTheStoredRecord) {
    WorldStore empty;
    makeDefaultRoom(empty, prompts);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kRefusedMakeDefault});
    EXPECT_FALSE(hasDefaultRoom(empty));

    store.beginNewRoom();
    makeDefaultRoom(store, prompts);
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_FALSE(hasDefaultRoom(store));
    store.endNewRoom();

    store.setCurrent(nullptr);
    makeDefaultRoom(store, prompts);
    EXPECT_FALSE(hasDefaultRoom(store));
    EXPECT_EQ(prompts.messages.size(), 2u);

    store.setCurrent(source);
    makeDefaultRoom(store, prompts);
    ASSERT_TRUE(hasDefaultRoom(store));
    EXPECT_TRUE(sameRoomContent(store.defaultRoom, *source->room));
    EXPECT_EQ(store.defaultRoom.vnum, 32001);

    // The template is a copy: later edits of its source, chain included, do not reach it.
    source->room->name = "Changed";
    source->room->extraDescs->keywords = "lichen";
    source->room->appendExtraDesc("root", "Roots.");
    EXPECT_EQ(store.defaultRoom.name, "The Dark Grove");
    ASSERT_EQ(store.defaultRoom.extraDescCount(), 2u);
    EXPECT_EQ(store.defaultRoom.extraDescs->keywords, "moss");

    clearDefaultRoom(store);
    EXPECT_FALSE(hasDefaultRoom(store));
    EXPECT_EQ(addDefaultRoom(store, prompts, East), nullptr);
    EXPECT_EQ(prompts.messages.back(), kNoTemplate);
    EXPECT_EQ(store.size(), 20u);
}

TEST_F(DefaultRoom, AddedRoomsAreTemplateCopiesNumberedAfterTheLastAndLinkedBothWays) {
    makeDefaultRoom(store, prompts);
    RoomIndexNode* east = addDefaultRoom(store, prompts, East);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(east->vnum, 32021);
    EXPECT_EQ(store.last(), east);
    EXPECT_EQ(store.nextFreeVnum(), 32022);
    const RoomDataType& e = *east->room;
    EXPECT_EQ(e.vnum, 32021);
    EXPECT_EQ(e.name, "The Dark Grove");
    EXPECT_EQ(e.description, "Plain.\r\nWalls.");
    EXPECT_EQ(e.zone, 320);
    EXPECT_EQ(e.bitvector, 5);
    EXPECT_EQ(e.sectorType, 3);
    EXPECT_FALSE(e.onMap());
    EXPECT_EQ(e.mapY, -1);
    EXPECT_EQ(e.mapZ, -1);
    EXPECT_EQ(source->room->exitTo[East], 32021);
    EXPECT_EQ(e.exitTo[West], 32001);
    // The template's exits come along, destinations and door texts alike.
    EXPECT_EQ(e.exitTo[North], 32005);
    EXPECT_EQ(e.exits[North].key, 32099);
    // Its own extra descriptions, not the template's.
    ASSERT_EQ(e.extraDescCount(), 2u);
    EXPECT_NE(e.extraDescs, store.defaultRoom.extraDescs);
    EXPECT_EQ(e.extraDescs->next->keywords, "bark");
    // The cursor does not move: showing the room is the window's part.
    EXPECT_EQ(store.current(), source);

    // South of the new room: the link back overwrites the template's north exit.
    store.setCurrent(east);
    RoomIndexNode* south = addDefaultRoom(store, prompts, South);
    ASSERT_NE(south, nullptr);
    EXPECT_EQ(south->vnum, 32022);
    EXPECT_EQ(south->room->exitTo[North], 32021);
    EXPECT_EQ(e.exitTo[South], 32022);
    EXPECT_EQ(e.exitTo[North], 32005);
    // The exit records beyond the destination stay as they were on both sides.
    EXPECT_EQ(south->room->exits[North].keywords, "trees");
    EXPECT_EQ(e.exits[South], RoomExitType{});

    store.setCurrent(south);
    RoomIndexNode* up = addDefaultRoom(store, prompts, Up);
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->room->exitTo[Down], 32022);
    EXPECT_EQ(south->room->exitTo[Up], 32023);
    EXPECT_EQ(store.size(), 23u);
    EXPECT_TRUE(prompts.messages.empty());

    // A New Room number beyond the added ones is left alone.
    store.setNextFreeVnum(40000);
    addDefaultRoom(store, prompts, West);
    EXPECT_EQ(store.last()->vnum, 32024);
    EXPECT_EQ(store.nextFreeVnum(), 40000);
}

TEST_F(DefaultRoom, AnIndexInFileOrderNumbersAfterTheHighestRoomAndTheTopNumberIsRefused) {
    WorldStore fileOrder;
    for (int32_t v : {32010, 32001, 32005}) addRoom(fileOrder, v, false);
    ASSERT_FALSE(fileOrder.sorted());
    fileOrder.setCurrent(fileOrder.first());
    makeDefaultRoom(fileOrder, prompts);
    RoomIndexNode* added = addDefaultRoom(fileOrder, prompts, Down);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->vnum, 32011);
    EXPECT_EQ(fileOrder.findByVnum(32011), added);
    EXPECT_EQ(fileOrder.first()->room->exitTo[Down], 32011);

    // Taken last+1: 32002 after 32001 in file order must not be doubled.
    WorldStore taken;
    for (int32_t v : {32002, 32001}) addRoom(taken, v, false);
    taken.setCurrent(taken.first());
    makeDefaultRoom(taken, prompts);
    ASSERT_NE(addDefaultRoom(taken, prompts, East), nullptr);
    EXPECT_EQ(order(taken), (std::vector<int32_t>{32002, 32001, 32003}));

    WorldStore top;
    addRoom(top, std::numeric_limits<int32_t>::max());
    top.setCurrent(top.first());
    makeDefaultRoom(top, prompts);
    EXPECT_EQ(addDefaultRoom(top, prompts, North), nullptr);
    EXPECT_EQ(prompts.messages.back(), "No room number is left after 2147483647.");
    EXPECT_EQ(top.size(), 1u);
    EXPECT_EQ(top.first()->room->exitTo[North], 0);
    EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(DefaultRoom, ARoomNumberedMinusOneStillMakesATemplate) {
    WorldStore negative;
    addRoom(negative, -1);
    negative.setCurrent(negative.first());
    makeDefaultRoom(negative, prompts);
    EXPECT_TRUE(hasDefaultRoom(negative));
    RoomIndexNode* added = addDefaultRoom(negative, prompts, East);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->vnum, 0);
}

TEST(DefaultRoomTimed, AddingToAHundredThousandRoomsTakesNoWalk) {
    WorldStore store;
    RecordingPrompts prompts;
    for (int32_t v = 1; v <= 100000; ++v) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = v;
        store.appendNode(WorldStore::makeNode(std::move(room)));
    }
    store.setCurrent(store.first());
    makeDefaultRoom(store, prompts);
    const auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < 1000; ++i) {
        RoomIndexNode* added = addDefaultRoom(store, prompts, East);
        ASSERT_NE(added, nullptr);
        store.setCurrent(added);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_EQ(store.last()->vnum, 101000);
    EXPECT_LT(seconds, 0.2 * kSlowBuildFactor);
    RecordProperty("seconds_per_thousand_adds", std::to_string(seconds));
    std::printf("1000 default rooms added to 100000: %.4f s\n", seconds);
}

}  // namespace
