#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "map/map_model.h"
#include "reader_test_support.h"
#include "wldfile/world_reader.h"
#include "wldfile/world_writer.h"

namespace fs = std::filesystem;

namespace {

// A fresh directory per test for world files and their map position files.
class LoadRoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::temp_directory_path() /
            ("quendry_road_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string writeFile(const std::string& name, const std::string& contents) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }
    std::string copyTestFile(const std::string& name) { return writeFile(name, readTestFile(name)); }

    void load(const std::string& path, bool checkOrder = true) {
        road.checkOrder = checkOrder;
        readWorldFile(path, road);
    }

    std::vector<int32_t> placementVnums() const {
        std::vector<int32_t> vnums;
        for (PlacementEntry* e = map.placement.first(); e; e = e->next) vnums.push_back(e->vnum);
        return vnums;
    }

    struct Position {
        int x, y, z;
        bool operator==(const Position&) const = default;
    };
    Position positionOf(int32_t vnum) const {
        const RoomDataType& r = *store.findByVnum(vnum)->room;
        return {r.mapX, r.mapY, r.mapZ};
    }

    WorldStore store;
    MapModel map{store};
    RecordingPrompts prompts;
    RecordingProgress progress;
    std::vector<std::string> helpTexts;
    LoadRoad road{store,    map,  prompts,
                  progress, true, [this](const std::string& text) { helpTexts.push_back(text); }};

private:
    fs::path dir_;
};

}  // namespace

TEST_F(LoadRoadTest, AGoodReadIsAdoptedAndLaidOutAlongItsExits) {
    load(copyTestFile("grove_dos.wld"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(store.zoneNumber, 320);
    EXPECT_EQ(store.current(), store.first());
    EXPECT_EQ(store.nextFreeVnum(), 32004);
    EXPECT_EQ(positionOf(32001), (Position{50, 50, 5}));
    EXPECT_EQ(positionOf(32002), (Position{50, 49, 5}));  // north of the first room
    EXPECT_EQ(positionOf(32003), (Position{50, 49, 6}));  // up from 32002
    EXPECT_EQ(map.grid.cellAt(50, 49, 6), store.last()->room.get());
    EXPECT_TRUE(placementVnums().empty());
    ASSERT_FALSE(helpTexts.empty());
    EXPECT_EQ(helpTexts.back(), "");
    EXPECT_FALSE(progress.visible);
}

TEST_F(LoadRoadTest, AFailedReadAdoptsAndPlacesThePartialWorld) {
    load(copyTestFile("no_dollar.wld"));
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{
                                    "Unexpected EOF", "Will attempt to initialize and map partial world."}));
    EXPECT_EQ(store.zoneNumber, 320);
    EXPECT_EQ(store.nextFreeVnum(), 32003);
    EXPECT_EQ(positionOf(32001), (Position{50, 50, 5}));
    // No exit leads to 32002: it waits in the placement list.
    EXPECT_EQ(positionOf(32002), (Position{-1, -1, -1}));
    EXPECT_EQ(placementVnums(), (std::vector<int32_t>{32002}));

    // A room that fails is deleted; the rooms before it still reach the map.
    WorldStore other;
    MapModel otherMap(other);
    RecordingPrompts otherPrompts;
    LoadRoad otherRoad{other, otherMap, otherPrompts, progress, true, {}};
    readWorldFile(copyTestFile("exit_direction_7.wld"), otherRoad);
    EXPECT_EQ(otherPrompts.messages.back(), "Will attempt to initialize and map partial world.");
    EXPECT_EQ(vnumsInOrder(other), (std::vector<int32_t>{32000}));
    EXPECT_TRUE(other.first()->room->onMap());
}

TEST_F(LoadRoadTest, AConversionFailureStopsBeforeAdoptionAndPlacement) {
    load(copyTestFile("bitvector_beyond_32_bits.wld"));
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{"'99999999999' is not a valid integer value"}));
    EXPECT_EQ(vnumsInOrder(store), (std::vector<int32_t>{10, 11}));
    EXPECT_EQ(store.zoneNumber, 0);
    EXPECT_EQ(store.nextFreeVnum(), 0);
    EXPECT_FALSE(store.first()->room->onMap());
    EXPECT_TRUE(placementVnums().empty());
    EXPECT_TRUE(helpTexts.empty());
    // The progress window does not stay open after the message.
    EXPECT_FALSE(progress.visible);
    EXPECT_EQ(progress.events.back(), "hide");
}

TEST_F(LoadRoadTest, AnEmptyWorldIsNeitherAdoptedNorPlaced) {
    store.zoneNumber = 77;
    load(copyTestFile("only_dollar.wld"));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.zoneNumber, 77);
    EXPECT_EQ(helpTexts, (std::vector<std::string>{""}));
}

TEST_F(LoadRoadTest, TheMapPositionFilePlacesRoomsAndTheRestAreListedInIndexOrder) {
    const std::string path = copyTestFile("grove_unix.wld");
    writeFile("grove_unix.map", "32003 10 11 1\r\n");
    load(path);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(positionOf(32003), (Position{10, 11, 1}));
    EXPECT_EQ(positionOf(32001), (Position{-1, -1, -1}));
    EXPECT_EQ(placementVnums(), (std::vector<int32_t>{32001, 32002}));

    // A map position file that goes wrong half-way keeps what it placed, and the rooms
    // left over can still be placed by hand.
    store.deleteAllRooms();
    helpTexts.clear();
    writeFile("grove_unix.map", "32002 20 20 2\r\n32003 x 1 1\r\n");
    load(path);
    EXPECT_EQ(prompts.messages.back(), "Invalid numeric input");
    EXPECT_EQ(positionOf(32002), (Position{20, 20, 2}));
    EXPECT_EQ(placementVnums(), (std::vector<int32_t>{32001, 32003}));
    EXPECT_EQ(helpTexts.back(), "");
}

TEST_F(LoadRoadTest, AFileThatCannotBeReadReportsTheSystemErrorAndLeavesTheStore) {
    load(writeFile("missing_dir_marker", "") + "/nothing.wld");
    load((fs::temp_directory_path() / "quendry_no_such_dir" / "zone.wld").string());
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[0], "Not a directory");
    EXPECT_EQ(prompts.messages[1], "No such file or directory");
    const std::string dir = writeFile("x", "");
    fs::remove(dir);
    fs::create_directory(dir);
    load(dir);
    ASSERT_EQ(prompts.messages.size(), 3u);
    EXPECT_EQ(prompts.messages[2], "Is a directory");
    EXPECT_TRUE(store.empty());
    EXPECT_TRUE(progress.events.empty());
    EXPECT_TRUE(helpTexts.empty());
}

TEST_F(LoadRoadTest, APendingNewRoomDoesNotKeepAFailedRoomInTheStore) {
    store.beginNewRoom();
    load(copyTestFile("zone_not_a_number.wld"));
    EXPECT_FALSE(store.newRoomPending());
    EXPECT_EQ(vnumsInOrder(store), (std::vector<int32_t>{10}));
}

TEST_F(LoadRoadTest, FileOrderAndReaderLineReachTheCaller) {
    load(copyTestFile("rooms_out_of_order.wld"), false);
    EXPECT_EQ(vnumsInOrder(store), (std::vector<int32_t>{32005, 32001, 32003}));
    EXPECT_EQ(store.zoneNumber, 320);
    EXPECT_EQ(positionOf(32005), (Position{50, 50, 5}));  // the first room of the index starts the layout

    store.deleteAllRooms();
    load(copyTestFile("garbage_line.wld"));
    EXPECT_EQ(road.readerLine, 7);
}

TEST_F(LoadRoadTest, BytesInMemoryTakeTheSameRoad) {
    readWorldData("#5\nR~\n~\n9 0 0\nS\n$\n", "nowhere/zone.wld", road);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(store.zoneNumber, 9);
    EXPECT_EQ(positionOf(5), (Position{50, 50, 5}));
}

TEST_F(LoadRoadTest, AWrittenZoneReadsBackWithItsRoomsAndLayout) {
    load(copyTestFile("grove_dos.wld"));
    store.first()->room->bitvector = INT32_MIN | 5;  // bit 31, which a file read with "F" can hold
    const std::string original = describeStore(store);
    for (bool letters : {true, false}) {
        for (bool unixForm : {false, true}) {
            SCOPED_TRACE(std::string(letters ? "letters" : "numbers") + (unixForm ? " unix" : " dos"));
            std::string text = buildWorldText(store, letters);
            if (unixForm) text = stripCarriageReturns(text);
            const std::string path = writeFile("again.wld", text);
            writeFile("again.map", buildMapFileText(store));
            WorldStore again;
            MapModel againMap(again);
            RecordingPrompts againPrompts;
            LoadRoad againRoad{again, againMap, againPrompts, progress, true, {}};
            readWorldFile(path, againRoad);
            EXPECT_TRUE(againPrompts.messages.empty());
            EXPECT_EQ(describeStore(again), original);
        }
    }
}
