// Where exits lead on the map (long exits) and what the tooltip says about a room.
#include "map/exit_reach.h"

#include <gtest/gtest.h>

#include "map/room_details.h"
#include "map_test_support.h"
#include "world/newer_fields.h"

using maptest::addRoom;

namespace {

class Names : public DefinitionNames {
public:
    std::string sectorName(int32_t s) const override { return s == 1 ? "CITY" : ""; }
    std::string flagName(int32_t bit) const override { return bit == 1 ? "DARK" : bit == 8 ? "INDOORS" : ""; }
    std::vector<std::pair<int32_t, std::string>> sectors() const override { return {{1, "CITY"}}; }
};

// A hand-made zone: 100 at (10, 10, 5) with a neighbour east, a far exit south to 102 on
// the same level, an exit west to 103 on level 6, north to 104 off the map, up to 999
// that no room has, and a diagonal exit to 101 that is not its neighbour that way.
struct Zone {
    WorldStore store;
    MapModel map{store};
    RoomDataType* a;
    Zone() {
        a = &addRoom(store, 100, "Gate", {{East, 101}, {South, 102}, {West, 103}, {North, 104}, {Up, 999}});
        RoomDataType& east = addRoom(store, 101, "Road", {{West, 100}});
        RoomDataType& far = addRoom(store, 102, "Mill");
        RoomDataType& above = addRoom(store, 103, "Loft");
        addRoom(store, 104, "Cellar");
        map.grid.putRoom(*a, 10, 10, 5);
        map.grid.putRoom(east, 11, 10, 5);
        map.grid.putRoom(far, 10, 20, 5);
        map.grid.putRoom(above, 9, 10, 6);
        exitDestinationToWrite(*a, SouthEast) = 101;
        exitDetailsToWrite(*a, SouthEast).doorFlag = 1;
        a->exits[South].doorFlag = 2;
        a->exits[South].key = 3050;
        a->sectorType = 1;
        a->bitvector = 1 | 8 | 4096;
    }
};

}  // namespace

TEST(ExitReach, EachExitIsNeighbourSameLevelElsewhereOrMissing) {
    Zone z;
    const ExitReach expected[kAllDirectionCount] = {
        ExitReach::Elsewhere, ExitReach::Neighbour, ExitReach::SameLevel, ExitReach::Elsewhere, ExitReach::Missing,
        ExitReach::None,      ExitReach::None,      ExitReach::None,      ExitReach::SameLevel, ExitReach::None};
    for (int d = 0; d < kAllDirectionCount; ++d)
        EXPECT_EQ(exitTarget(z.map.grid, z.store, *z.a, d).reach, expected[d]) << kDirectionNames[d];

    const std::vector<LongExit> exits = longExitsOfLevel(z.map.grid, z.store, 5);
    ASSERT_EQ(exits.size(), 5u) << "every exit but the neighbour's; 101's back exit is its neighbour's";
    EXPECT_EQ(exits[0].direction, North);
    EXPECT_EQ(exits[1].direction, South);
    EXPECT_EQ(exits[1].toX, 10);
    EXPECT_EQ(exits[1].toY, 20);
    EXPECT_EQ(exits[3].reach, ExitReach::Missing);
    EXPECT_EQ(exits[4].direction, SouthEast);
    EXPECT_TRUE(longExitsOfLevel(z.map.grid, z.store, 6).empty());
}

TEST(RoomDetails, TooltipNamesSectorFlagsAndMarksEveryExit) {
    Zone z;
    Names names;
    const std::vector<std::string> expected = {
        "Room 100  Gate",
        "Sector: CITY (1)",
        "Flags: DARK, INDOORS, bit 12",
        "North: 104 Cellar  [not the North neighbour]",
        "East: 101 Road",
        "South: 102 Mill, door 2, key 3050  [not the South neighbour]",
        "West: 103 Loft  [not the West neighbour]",
        "Up: 999  [no such room in the zone]",
        "SouthEast: 101 Road, door 1  [not the SouthEast neighbour]",
    };
    EXPECT_EQ(roomDetails(z.map.grid, z.store, *z.a, &names), expected);
    RoomDataType& bare = addRoom(z.store, 200);
    const std::vector<std::string> plain = {"Room 200", "Sector: 0", "Flags: none", "No exits"};
    EXPECT_EQ(roomDetails(z.map.grid, z.store, bare, nullptr), plain);
}
