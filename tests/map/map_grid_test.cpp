#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "map/map_model.h"
#include "map_test_support.h"

using namespace maptest;

namespace {

struct Room : RoomDataType {
    explicit Room(int32_t number) { vnum = number; }
};

}  // namespace

TEST(MapGrid, PutAndTakeKeepCellsAndPositionsInAgreement) {
    WorldStore store;
    RoomDataType& a = addRoom(store, 100);
    RoomDataType& b = addRoom(store, 101);
    MapGrid grid;
    EXPECT_EQ(grid.cellAt(1, 1, 0), nullptr);
    EXPECT_EQ(grid.cellAt(100, 100, 9), nullptr);

    grid.putRoom(a, 100, 100, 9);  // the far corner
    grid.putRoom(b, 1, 1, 0);      // the near corner
    EXPECT_EQ(grid.cellAt(100, 100, 9), &a);
    EXPECT_EQ(positionOf(b), (Position{1, 1, 0}));
    expectGridAgrees(store, grid);

    // Outside the grid nothing is held and nothing changes.
    for (auto [x, y, z] :
         {std::tuple{0, 1, 0}, {101, 1, 0}, {1, 0, 0}, {1, 101, 0}, {1, 1, -1}, {1, 1, 10}}) {
        EXPECT_FALSE(insideMap(x, y, z));
        EXPECT_EQ(grid.cellAt(x, y, z), nullptr);
        grid.putRoom(a, x, y, z);
        grid.takeRoom(x, y, z);
        grid.recalcExits(x, y, z);
    }
    EXPECT_EQ(positionOf(a), (Position{100, 100, 9}));

    // Moving a placed room empties its old cell; putting onto a held cell sends the
    // holder off the map: never one record in two cells, never a stale position.
    grid.putRoom(a, 50, 50, 5);
    EXPECT_EQ(grid.cellAt(100, 100, 9), nullptr);
    grid.putRoom(b, 50, 50, 5);
    EXPECT_EQ(grid.cellAt(50, 50, 5), &b);
    EXPECT_EQ(grid.cellAt(1, 1, 0), nullptr);
    EXPECT_EQ(positionOf(a), kOffMap);
    expectGridAgrees(store, grid);

    grid.takeRoom(50, 50, 5);
    grid.takeRoom(50, 50, 5);  // an empty cell stays empty
    EXPECT_EQ(positionOf(b), kOffMap);
    EXPECT_EQ(grid.roomCount(), 0u);
    expectGridAgrees(store, grid);
}

TEST(MapGrid, RecalcLinksBothWaysAndTakesOverTheNeighboursDoor) {
    MapGrid grid;
    Room r100(100), r101(101);
    r100.exits[East].description = "A lane east.\r\n";
    r100.exitTo[East] = 7777;  // whatever it pointed to before is replaced
    r101.exitTo[West] = 8888;
    r101.exits[West] = {"An oak door.\r\n", "door oak", 2, 3050};
    grid.putRoom(r101, 51, 50, 5);
    grid.putRoom(r100, 50, 50, 5);
    grid.recalcExits(50, 50, 5);

    EXPECT_EQ(r100.exitTo[East], 101);
    EXPECT_EQ(r101.exitTo[West], 100);
    EXPECT_EQ(r100.exits[East], (RoomExitType{"A lane east.\r\n", "door oak", 2, 3050}));
    EXPECT_EQ(r101.exits[West].description, "An oak door.\r\n");
    // Empty neighbours clear the links towards them and nothing else.
    for (int d : {North, South, West, Up, Down}) EXPECT_EQ(r100.exitTo[d], 0) << d;

    // A door of this room's own is not pushed onto a neighbour that has none.
    Room r102(102);
    r102.exits[West] = {"", "gate", 1, 42};
    grid.putRoom(r102, 52, 50, 5);
    grid.recalcExits(52, 50, 5);
    EXPECT_EQ(r102.exitTo[West], 101);
    EXPECT_EQ(r101.exitTo[East], 102);
    EXPECT_EQ(r101.exits[East], RoomExitType{});
    EXPECT_EQ(r102.exits[West], (RoomExitType{"", "gate", 1, 42}));
}

TEST(MapGrid, RecalcOfAnEmptiedCellClearsOnlyTheBackLinks) {
    MapGrid grid;
    Room r100(100), r101(101), above(200);
    grid.putRoom(r100, 50, 50, 5);
    grid.putRoom(r101, 51, 50, 5);
    grid.putRoom(above, 50, 50, 6);
    grid.recalcExits(50, 50, 5);
    r101.exitTo[North] = 300;
    r101.exits[West] = {"West.\r\n", "door oak", 2, 3050};
    ASSERT_EQ(r101.exitTo[West], 100);
    ASSERT_EQ(above.exitTo[Down], 100);

    grid.takeRoom(50, 50, 5);
    grid.recalcExits(50, 50, 5);
    EXPECT_EQ(r101.exitTo[West], 0);
    EXPECT_EQ(above.exitTo[Down], 0);
    EXPECT_EQ(r101.exitTo[North], 300);
    EXPECT_EQ(r101.exits[West], (RoomExitType{"West.\r\n", "door oak", 2, 3050}));
    // The emptied room itself keeps what it had when it left.
    EXPECT_EQ(r100.exitTo[East], 101);
    EXPECT_EQ(r100.exitTo[Up], 200);
}

TEST(MapGrid, RecalcAtTheEdgesOfTheGridLeavesThoseExitsAlone) {
    MapGrid grid;
    Room low(1), high(2), corner(3), opposite(4);
    grid.putRoom(low, 50, 50, 5);
    grid.putRoom(high, 50, 50, 6);
    grid.recalcExits(50, 50, 5);
    EXPECT_EQ(low.exitTo[Up], 2);
    EXPECT_EQ(high.exitTo[Down], 1);

    // Level 9 has no Up, column 1 no West, row 1 no North; the exits keep their values.
    corner.exitTo = {11, 12, 13, 14, 15, 16};
    grid.putRoom(corner, 1, 1, 9);
    grid.recalcExits(1, 1, 9);
    EXPECT_EQ(corner.exitTo, (std::array<int32_t, 6>{11, 0, 0, 14, 15, 0}));
    opposite.exitTo = {21, 22, 23, 24, 25, 26};
    grid.putRoom(opposite, 100, 100, 0);
    grid.recalcExits(100, 100, 0);
    EXPECT_EQ(opposite.exitTo, (std::array<int32_t, 6>{0, 22, 23, 0, 0, 26}));
}

TEST(MapGrid, RecalcRedrawsTheOccupiedCompassNeighboursThenTheCell) {
    MapGrid grid;
    Room centre(1), north(2), west(3), up(4);
    grid.putRoom(centre, 50, 50, 5);
    grid.putRoom(north, 50, 49, 5);
    grid.putRoom(west, 49, 50, 5);
    grid.putRoom(up, 50, 50, 6);
    struct Redrawn : MapObserver {
        std::vector<std::tuple<int, int, int>> cells;
        void cellChanged(int x, int y, int z) override { cells.emplace_back(x, y, z); }
    } redrawn;
    MapObservers views;
    views.add(&redrawn);
    grid.setObservers(&views);
    grid.recalcExits(50, 50, 5);
    EXPECT_EQ(redrawn.cells, (std::vector<std::tuple<int, int, int>>{{50, 49, 5}, {49, 50, 5}, {50, 50, 5}}));

    redrawn.cells.clear();
    grid.recalcExits(50, 50, 3);  // an empty cell with empty neighbours
    EXPECT_EQ(redrawn.cells, (std::vector<std::tuple<int, int, int>>{{50, 50, 3}}));
}
