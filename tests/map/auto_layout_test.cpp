#include "map/auto_layout.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <random>
#include <vector>

#include "map/auto_placement.h"
#include "map_test_support.h"

using namespace maptest;

namespace {

std::map<int32_t, Position> positions(const WorldStore& store) {
    std::map<int32_t, Position> all;
    for (RoomIndexNode* n = store.first(); n; n = n->next) all.emplace(n->vnum, positionOf(*n->room));
    return all;
}

// The layout written the plain way: recursion, every step of every search walked out.
// Only fit for small zones; the tests compare the real layout against it.
class RecursiveLayout {
public:
    explicit RecursiveLayout(const WorldStore& store) : store_(store), taken_(100 * 100 * 10, false) {}
    std::map<int32_t, Position> run() {
        RoomDataType* s = store_.first()->room.get();
        put(*s, 50, 50, 5);
        placeFrom(*s);
        return result_;
    }

private:
    void put(const RoomDataType& room, int x, int y, int z) {
        taken_[MapGrid::index(x, y, z)] = true;
        placed_[&room] = {x, y, z};
        result_[room.vnum] = {x, y, z};
    }
    void placeFrom(const RoomDataType& room) {
        for (int d = 0; d < 6; ++d) {
            if (room.exitTo[d] <= 0) continue;
            RoomIndexNode* node = store_.findByVnum(room.exitTo[d]);
            const RoomDataType* target = node ? node->room.get() : nullptr;
            if (placeNeighbour(room, target, d)) placeFrom(*target);
        }
    }
    bool placeNeighbour(const RoomDataType& from, const RoomDataType* target, int d) {
        if (!target || placed_.count(target)) return false;
        auto [x, y, z] = placed_[&from];
        int w = d;
        for (int i = 0; i < 99999; ++i) {
            MapStep s = directionStep(w);
            x += s.dx, y += s.dy, z += s.dz;
            if (x < 1) x = 100, w = East;
            if (y < 1) y = 100, w = South;
            if (z < 0) z = 9, w = Down;
            if (x > 100) x = 1, w = North;
            if (y > 100) y = 1, w = Up;
            if (z > 9) z = 0, w = West;
            if (!taken_[MapGrid::index(x, y, z)]) {
                put(*target, x, y, z);
                return true;
            }
        }
        return false;
    }
    const WorldStore& store_;
    std::vector<bool> taken_;
    std::map<const RoomDataType*, Position> placed_;
    std::map<int32_t, Position> result_;
};

std::map<int32_t, Position> layOut(WorldStore& store, MapModel& map) {
    layOutFromFirstRoom(store, map.grid);
    expectGridAgrees(store, map.grid);
    return positions(store);
}

}  // namespace

TEST(AutoLayout, VisitsDepthFirstInCompassOrder) {
    // 103 is placed before 102: the visit of 101 ends before East of 100 is looked at.
    WorldStore store;
    addRoom(store, 100, "", {{North, 101}, {East, 102}});
    addRoom(store, 101, "", {{North, 103}});
    addRoom(store, 102);
    addRoom(store, 103);
    MapModel map(store);
    EXPECT_EQ(layOut(store, map),
              (std::map<int32_t, Position>{
                  {100, {50, 50, 5}}, {101, {50, 49, 5}}, {102, {51, 50, 5}}, {103, {50, 48, 5}}}));

    // A room whose cell is taken is pushed on along the line: 101 leads South to 102,
    // not back to 100, so 102 lands beyond 100.
    WorldStore pushed;
    addRoom(pushed, 100, "", {{North, 101}});
    addRoom(pushed, 101, "", {{South, 102}});
    addRoom(pushed, 102);
    MapModel map2(pushed);
    EXPECT_EQ(layOut(pushed, map2)[102], (Position{50, 51, 5}));
}

TEST(AutoLayout, FollowsOnlyExitsToRoomsOfTheZoneAndChangesNoExit) {
    WorldStore store;
    RoomDataType& start =
        addRoom(store, 100, "", {{North, 0}, {East, -5}, {South, 999}, {West, 101}, {Up, 100}});
    RoomDataType& west = addRoom(store, 101, "", {{East, 100}});
    RoomDataType& outward = addRoom(store, 102, "", {{North, 100}});  // only leads out
    addRoom(store, 103);                                              // reached by nothing
    RoomDataType& reachedFromOutward = addRoom(store, 104);
    outward.exitTo[East] = 104;
    const auto exitsBefore = start.exitTo;
    MapModel map(store);
    const auto placed = layOut(store, map);
    EXPECT_EQ(placed.at(100), (Position{50, 50, 5}));
    EXPECT_EQ(placed.at(101), (Position{49, 50, 5}));
    EXPECT_EQ(placed.at(102), kOffMap);
    EXPECT_EQ(placed.at(103), kOffMap);
    EXPECT_EQ(positionOf(reachedFromOutward), kOffMap);
    EXPECT_EQ(start.exitTo, exitsBefore);
    EXPECT_EQ(west.exitTo[West], 0);  // no recalculation between neighbours
}

TEST(AutoLayout, LinesThatRunOffAnEdgeReEnterAndTurn) {
    // Up past level 9 re-enters at level 0 walking West when level 0 is taken there.
    // 100 goes down to level 0 (101..105), then back up from 105: levels 1..5 are taken,
    // so 106 lands at level 6; 107..109 follow up to level 9, and 110 wraps.
    WorldStore up;
    addRoom(up, 100, "", {{Down, 101}});
    for (int v = 101; v <= 104; ++v) addRoom(up, v, "", {{Down, v + 1}});
    addRoom(up, 105, "", {{Up, 106}});
    for (int v = 106; v <= 109; ++v) addRoom(up, v, "", {{Up, v + 1}});
    addRoom(up, 110, "", {{Down, 111}});
    addRoom(up, 111);
    MapModel upMap(up);
    auto placed = layOut(up, upMap);
    EXPECT_EQ(placed[105], (Position{50, 50, 0}));
    EXPECT_EQ(placed[106], (Position{50, 50, 6}));
    EXPECT_EQ(placed[109], (Position{50, 50, 9}));
    EXPECT_EQ(placed[110], (Position{49, 50, 0}));
    // Down from level 0 re-enters at level 9 walking Down: (49, 50, 9) is free.
    EXPECT_EQ(placed[111], (Position{49, 50, 9}));

    // West past column 1 re-enters at column 100 walking East; East past column 100
    // re-enters at column 1 walking North, here past the taken (1, 50, 5).
    WorldStore row;
    addRoom(row, 1000, "", {{West, 1001}});
    for (int v = 1001; v <= 1049; ++v) addRoom(row, v, "", {{West, v + 1}});
    addRoom(row, 1050, "", {{East, 1051}});
    addRoom(row, 1051, "", {{South, 1052}});
    addRoom(row, 1052);
    MapModel rowMap(row);
    placed = layOut(row, rowMap);
    EXPECT_EQ(placed[1049], (Position{1, 50, 5}));
    EXPECT_EQ(placed[1050], (Position{100, 50, 5}));
    EXPECT_EQ(placed[1051], (Position{1, 49, 5}));
    EXPECT_EQ(placed[1052], (Position{1, 51, 5}));  // (1, 50, 5) is taken: pushed on south

    // North past row 1 re-enters at row 100 walking South; South past row 100 re-enters
    // at row 1 walking Up.
    WorldStore column;
    addRoom(column, 2000, "", {{North, 2001}});
    for (int v = 2001; v <= 2049; ++v) addRoom(column, v, "", {{North, v + 1}});
    addRoom(column, 2050, "", {{South, 2051}});
    addRoom(column, 2051, "", {{South, 2052}});
    addRoom(column, 2052);
    MapModel columnMap(column);
    placed = layOut(column, columnMap);
    EXPECT_EQ(placed[2049], (Position{50, 1, 5}));
    EXPECT_EQ(placed[2050], (Position{50, 100, 5}));
    EXPECT_EQ(placed[2051], (Position{50, 1, 6}));  // (50, 1, 5) taken: on up from there
    EXPECT_EQ(placed[2052], (Position{50, 2, 6}));  // a new search walks South again
}

TEST(AutoLayout, ARoomWithoutAFreeCellOnItsLineStaysOffTheMap) {
    // Ten rooms fill the column (50, 50, 0..9); a Down walk from it goes round that
    // column for good, so 110 is not placed and its exit is not followed.
    WorldStore store;
    addRoom(store, 100, "", {{Up, 101}});
    for (int v = 101; v <= 108; ++v) addRoom(store, v, "", {{Up, v + 1}});
    addRoom(store, 109, "", {{Down, 110}});
    addRoom(store, 110, "", {{East, 111}});
    addRoom(store, 111);
    MapModel map(store);
    const auto placed = layOut(store, map);
    EXPECT_EQ(placed.at(104), (Position{50, 50, 9}));
    EXPECT_EQ(placed.at(105), (Position{50, 50, 0}));
    EXPECT_EQ(placed.at(109), (Position{50, 50, 4}));
    EXPECT_EQ(placed.at(110), kOffMap);
    EXPECT_EQ(placed.at(111), kOffMap);
    EXPECT_EQ(map.grid.roomCount(), 10u);

    // Passing a cell a second time in another direction is no loop: a West chain fills
    // row 50 of level 5; one more West walks the row, re-enters at column 100, turns
    // North at column 1 through (1, 50, 5) again and finds (1, 49, 5).
    WorldStore row;
    addRoom(row, 1000, "", {{West, 1001}});
    for (int v = 1001; v <= 1099; ++v) addRoom(row, v, "", {{West, v + 1}});
    addRoom(row, 1100);
    MapModel rowMap(row);
    const auto rowPlaced = layOut(row, rowMap);
    EXPECT_EQ(rowPlaced.at(1050), (Position{100, 50, 5}));
    EXPECT_EQ(rowPlaced.at(1099), (Position{51, 50, 5}));
    EXPECT_EQ(rowPlaced.at(1100), (Position{1, 49, 5}));
}

// Random zones, crowded enough that many searches wrap, turn and give up, must come out
// exactly as the plain recursive layout with its full count of steps lays them out.
TEST(AutoLayout, MatchesThePlainRecursiveLayoutOnCrowdedRandomZones) {
    std::mt19937 random(2024);
    for (int round = 0; round < 12; ++round) {
        WorldStore store;
        const int rooms = 200 + static_cast<int>(random() % 1500);
        for (int v = 1; v <= rooms; ++v) {
            RoomDataType& r = addRoom(store, v);
            for (int d = 0; d < 6; ++d) {
                // Rounds alternate between level-heavy zones, whose columns fill fast,
                // and zones that spread over rows and columns.
                const int chance = (round % 2 == 0 && d >= Up) ? 70 : 25;
                if (static_cast<int>(random() % 100) < chance)
                    r.exitTo[d] =
                        static_cast<int32_t>(random() % (rooms + 20)) - 5;  // some missing, some <= 0
            }
        }
        MapModel map(store);
        const auto expected = RecursiveLayout(store).run();
        layOutFromFirstRoom(store, map.grid);
        std::map<int32_t, Position> placed;
        for (const auto& [vnum, position] : positions(store))
            if (position != kOffMap) placed.emplace(vnum, position);
        ASSERT_EQ(placed, expected) << "round " << round;
        expectGridAgrees(store, map.grid);
    }
}

TEST(AutoLayout, AChainOfAHundredThousandRoomsNeedsNoDeepRecursion) {
    WorldStore store;
    constexpr int kRooms = 100000;
    for (int v = 1; v <= kRooms; ++v) addRoom(store, v, "", {{East, v < kRooms ? v + 1 : 0}});
    MapModel map(store);
    const size_t placed = layOutFromFirstRoom(store, map.grid);
    // The chain runs east along row 50, re-enters at column 1 and goes on east from
    // there until the first room's cell pushes it on; each room is placed from the one
    // before it.
    EXPECT_EQ(positionOf(*store.nodeAt(50)->room), (Position{100, 50, 5}));
    EXPECT_EQ(positionOf(*store.nodeAt(51)->room), (Position{1, 50, 5}));
    EXPECT_EQ(positionOf(*store.nodeAt(99)->room), (Position{49, 50, 5}));
    EXPECT_EQ(positionOf(*store.nodeAt(100)->room), (Position{1, 49, 5}));  // row 50 is full
    EXPECT_EQ(placed, map.grid.roomCount());
    EXPECT_GT(placed, 1000u);
    expectGridAgrees(store, map.grid);
}

// A lattice zone of 100 x 100 x 10 rooms with exits both ways between neighbours, laid
// out through the whole entry point (no map position file).
TEST(AutoLayoutTimed, LaysOutAHundredThousandRoomLatticeQuickly) {
    WorldStore store;
    addLattice(store);
    MapModel map(store);
    struct NoQuestions : Prompts {
        void message(const std::string& text) override { ADD_FAILURE() << text; }
        bool confirm(const std::string&) override { return false; }
    } prompts;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(mapLoadedWorld(store, map, "/nonexistent-quendry-dir/lattice.wld", prompts));
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("layout_seconds", std::to_string(seconds));
    std::printf("lattice layout: %zu of %zu rooms placed in %.3f s\n", map.grid.roomCount(), store.size(),
                seconds);
    EXPECT_EQ(map.grid.roomCount(), store.size());  // every cell of the grid is used
    EXPECT_LT(seconds, 5.0);
    expectGridAgrees(store, map.grid);
}
