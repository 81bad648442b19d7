#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "map/auto_layout.h"
#include "map/auto_placement.h"
#include "map/index_cursor.h"
#include "map/map_file_reader.h"
#include "map_test_support.h"

using namespace maptest;
namespace fs = std::filesystem;

namespace {

struct RecordingPrompts : Prompts {
    std::vector<std::string> messages;
    void message(const std::string& text) override { messages.push_back(text); }
    bool confirm(const std::string& question) override {
        ADD_FAILURE() << "unexpected question: " << question;
        return false;
    }
};

class TempDir {
public:
    TempDir() {
        static int counter = 0;
        path_ = fs::temp_directory_path() /
                ("quendry-map-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 std::to_string(getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    // Writes the map position file of zone.wld and returns the world file's path.
    std::string worldWithMap(const std::string& mapText) const {
        std::ofstream(path_ / "zone.map", std::ios::binary) << mapText;
        return (path_ / "zone.wld").string();
    }
    fs::path path() const { return path_; }

private:
    fs::path path_;
};

struct ReadResult {
    std::vector<std::vector<int32_t>> lines;
    MapFileReader::Result end;
};

ReadResult readAll(const std::string& bytes) {
    std::istringstream in(bytes);
    MapFileReader reader(in);
    ReadResult result;
    MapFileLine line;
    while ((result.end = reader.next(line)) == MapFileReader::Result::Line)
        result.lines.push_back({line.vnum, line.x, line.y, line.z});
    return result;
}

using Lines = std::vector<std::vector<int32_t>>;

}  // namespace

TEST(MapFile, PathReplacesTheLastThreeCharacters) {
    EXPECT_EQ(mapFilePath("30.wld"), "30.map");
    EXPECT_EQ(mapFilePath("/zones/Castle.WLD"), "/zones/Castle.map");
    EXPECT_EQ(mapFilePath("zone.world"), "zone.womap");
    EXPECT_EQ(mapFilePath("ab"), "map");
    // A name shorter than three characters is replaced whole, in its own directory.
    EXPECT_EQ(mapFilePath("/zones/ab"), "/zones/map");
    EXPECT_EQ(mapFilePath("/zones/"), "/zones/map");
    EXPECT_EQ(mapFilePath("/zones/abc"), "/zones/map");
}

TEST(MapFile, ReaderTakesFourTokensAndSkipsTheRestOfTheLine) {
    // Any bytes up to 32 separate tokens, line breaks included; after the fourth number
    // the rest of its line is skipped, whatever it holds.
    const std::string text = std::string("32001 50 50 5\r\n") + "\t32002\x01" +
                             "51\v50 \x1a 5 trailing words ~!\xff\n" + "32003\n52\n50\n5\n" +
                             "+32004 $32 -0 0000000000000000000000000000009 9 9 9\r\n";
    ReadResult r = readAll(text);
    EXPECT_EQ(r.lines,
              (Lines{{32001, 50, 50, 5}, {32002, 51, 50, 5}, {32003, 52, 50, 5}, {32004, 50, 0, 9}}));
    EXPECT_EQ(r.end, MapFileReader::Result::End);

    // A last line with fewer than four numbers places nothing; blank lines at the end neither.
    EXPECT_EQ(readAll("1 2 3 4\r\n5 6 7").lines, (Lines{{1, 2, 3, 4}}));
    EXPECT_EQ(readAll("1 2 3 4\r\n\r\n  \r\n").lines, (Lines{{1, 2, 3, 4}}));
    EXPECT_EQ(readAll("").end, MapFileReader::Result::End);

    // A line whose rest is very long is skipped in one go.
    EXPECT_EQ(readAll("1 2 3 4 " + std::string(3'000'000, 'x') + "\n5 6 7 8\n").lines,
              (Lines{{1, 2, 3, 4}, {5, 6, 7, 8}}));
}

TEST(MapFile, ReaderRefusesTokensThatAreNoThirtyTwoBitIntegers) {
    for (const std::string bad : {"12ab", "2147483648", "-2147483649", "99999999999999999999999999",
                                  "$1FFFFFFFF", "0x10", "1.5", "-", "$", "\xe9t\xe9", "0$5"}) {
        ReadResult r = readAll("1 2 3 4\n7 " + bad + " 3 4\n5 6 7 8\n");
        EXPECT_EQ(r.lines, (Lines{{1, 2, 3, 4}})) << bad;
        EXPECT_EQ(r.end, MapFileReader::Result::Invalid) << bad;
    }
    // A huge token is refused without being held: a megabyte of digits.
    EXPECT_EQ(readAll(std::string(1'000'000, '7') + " 1 1 1\n").end, MapFileReader::Result::Invalid);
    EXPECT_EQ(readAll("-2147483648 $7FFFFFFF 0 0\n").lines, (Lines{{-2147483647 - 1, 2147483647, 0, 0}}));

    // Any bytes at all end in lines, an end or a refusal, never more lines than the
    // bytes can hold.
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 400, '\0');
        for (char& c : bytes)
            c = static_cast<char>(round % 2 ? random() % 256 : "0123456789 \n-$"[random() % 15]);
        ReadResult r = readAll(bytes);
        EXPECT_LE(r.lines.size() * 8, bytes.size() + 1);
    }
}

// The cursor search as the reader describes it, walking the index node by node.
TEST(MapFile, CursorFindsWhatTheWalkingSearchFinds) {
    std::mt19937 random(11);
    for (int round = 0; round < 40; ++round) {
        WorldStore store;
        const int rooms = 1 + static_cast<int>(random() % 60);
        for (int i = 0; i < rooms; ++i) addRoom(store, static_cast<int32_t>(random() % 20));
        IndexCursor cursor(store);
        RoomIndexNode* walking = store.first();
        for (int line = 0; line < 200; ++line) {
            const int32_t v = static_cast<int32_t>(random() % 22);
            if (!walking) walking = store.first();
            RoomIndexNode* expected = nullptr;
            for (RoomIndexNode* n = walking; n && !expected; n = n->next)
                if (n->vnum == v) expected = n;
            if (expected) {
                walking = walking->next;
            } else {
                for (RoomIndexNode* n = store.first(); n && !expected; n = n->next)
                    if (n->vnum == v) expected = n;
            }
            ASSERT_EQ(cursor.find(v), expected) << "round " << round << " line " << line;
        }
    }
}

TEST(MapFile, PositionsFromTheFileReplaceTheLayout) {
    TempDir dir;
    WorldStore store;
    RoomDataType& r3000 = addRoom(store, 3000, "", {{North, 3001}});
    RoomDataType& r3001 = addRoom(store, 3001);
    MapModel map(store);
    RecordingPrompts prompts;
    std::vector<std::string> help;
    EXPECT_TRUE(mapLoadedWorld(store, map, dir.worldWithMap("3001 50 51 5\r\n"), prompts,
                               [&](const std::string& text) { help.push_back(text); }));
    EXPECT_EQ(help, (std::vector<std::string>{"Mapping..."}));
    EXPECT_EQ(positionOf(r3001), (Position{50, 51, 5}));
    EXPECT_EQ(positionOf(r3000), kOffMap);  // no layout for the rest
    EXPECT_TRUE(prompts.messages.empty());
    expectGridAgrees(store, map.grid);
}

TEST(MapFile, AFileThatPlacesNothingLeavesItToTheLayout) {
    for (const std::string text :
         {"3001 0 0 0\r\n", "", "4000 10 10 1\n", "3001 101 1 1\n3001 1 1 10\n3001 1 -1 1\n"}) {
        TempDir dir;
        WorldStore store;
        RoomDataType& r3001 = addRoom(store, 3001, "", {{East, 3002}});
        RoomDataType& r3002 = addRoom(store, 3002);
        MapModel map(store);
        RecordingPrompts prompts;
        EXPECT_TRUE(mapLoadedWorld(store, map, dir.worldWithMap(text), prompts));
        EXPECT_EQ(positionOf(r3001), (Position{50, 50, 5})) << text;
        EXPECT_EQ(positionOf(r3002), (Position{51, 50, 5})) << text;
    }
    // No file at all, or a directory where the file would be.
    TempDir dir;
    fs::create_directory(dir.path() / "other.map");
    for (const std::string world : {"missing.wld", "other.wld"}) {
        WorldStore store;
        RoomDataType& only = addRoom(store, 1);
        MapModel map(store);
        RecordingPrompts prompts;
        EXPECT_TRUE(mapLoadedWorld(store, map, (dir.path() / world).string(), prompts));
        EXPECT_EQ(positionOf(only), (Position{50, 50, 5}));
    }
}

TEST(MapFile, AnInvalidTokenStopsReadingKeepsEarlierPositionsAndSkipsTheLayout) {
    TempDir dir;
    WorldStore store;
    RoomDataType& a = addRoom(store, 1, "", {{East, 2}});
    RoomDataType& b = addRoom(store, 2);
    RoomDataType& c = addRoom(store, 3);
    MapModel map(store);
    RecordingPrompts prompts;
    EXPECT_FALSE(
        mapLoadedWorld(store, map, dir.worldWithMap("2 10 10 1\r\n3 11 1O 1\r\n1 12 10 1\r\n"), prompts));
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{"Invalid numeric input"}));
    EXPECT_EQ(positionOf(b), (Position{10, 10, 1}));
    EXPECT_EQ(positionOf(a), kOffMap);
    EXPECT_EQ(positionOf(c), kOffMap);

    // Even when nothing was placed before it.
    WorldStore store2;
    RoomDataType& d = addRoom(store2, 1);
    MapModel map2(store2);
    RecordingPrompts prompts2;
    EXPECT_FALSE(mapLoadedWorld(store2, map2, dir.worldWithMap("1 99999999999 1 1\n"), prompts2));
    EXPECT_EQ(prompts2.messages, (std::vector<std::string>{"Invalid numeric input"}));
    EXPECT_EQ(positionOf(d), kOffMap);
}

TEST(MapFile, LinesInIndexOrderGoToRoomsThatShareANumberOneByOne) {
    TempDir dir;
    WorldStore store;
    RoomDataType& a = addRoom(store, 3001, "a");
    RoomDataType& b = addRoom(store, 3001, "b");
    RoomDataType& c = addRoom(store, 3002, "c");
    MapModel map(store);
    RecordingPrompts prompts;
    ASSERT_TRUE(
        mapLoadedWorld(store, map, dir.worldWithMap("3001 1 1 1\r\n3001 2 1 1\r\n3002 3 1 1\r\n"), prompts));
    EXPECT_EQ(positionOf(a), (Position{1, 1, 1}));
    EXPECT_EQ(positionOf(b), (Position{2, 1, 1}));
    EXPECT_EQ(positionOf(c), (Position{3, 1, 1}));

    // Out of order: 3002 is found past the cursor (which moves one node on, to b), so
    // the next 3001 is b; the last 3001 has none at or past the cursor and goes to a.
    WorldStore store2;
    RoomDataType& a2 = addRoom(store2, 3001, "a");
    RoomDataType& b2 = addRoom(store2, 3001, "b");
    RoomDataType& c2 = addRoom(store2, 3002, "c");
    MapModel map2(store2);
    ASSERT_TRUE(
        mapLoadedWorld(store2, map2, dir.worldWithMap("3002 1 1 1\n3001 2 1 1\n3001 3 1 1\n"), prompts));
    EXPECT_EQ(positionOf(c2), (Position{1, 1, 1}));
    EXPECT_EQ(positionOf(b2), (Position{2, 1, 1}));
    EXPECT_EQ(positionOf(a2), (Position{3, 1, 1}));
}

// Two lines for one cell: the first keeps it. One room on two lines: it moves to the
// later line's cell. Either way no room claims a cell it is not in.
TEST(MapFile, ConflictingLinesNeverLeaveARoomInTwoCellsOrClaimingAForeignCell) {
    TempDir dir;
    WorldStore store;
    RoomDataType& a = addRoom(store, 1);
    RoomDataType& b = addRoom(store, 2);
    RoomDataType& c = addRoom(store, 3);
    MapModel map(store);
    RecordingPrompts prompts;
    ASSERT_TRUE(mapLoadedWorld(
        store, map, dir.worldWithMap("1 5 5 5\n2 5 5 5\n3 6 6 6\n3 7 7 7\n1 5 5 5\n2 6 6 6\n"), prompts));
    EXPECT_EQ(positionOf(a), (Position{5, 5, 5}));
    EXPECT_EQ(positionOf(c), (Position{7, 7, 7}));
    EXPECT_EQ(positionOf(b), (Position{6, 6, 6}));  // free again once 3 moved on
    EXPECT_EQ(map.grid.roomCount(), 3u);
    expectGridAgrees(store, map.grid);
}

// A full zone's positions, written one line per room, come back exactly, whether the
// lines follow the index or not, and without a search per line through the index.
TEST(MapFileTimed, AHundredThousandPositionsReadBackInAnyOrder) {
    WorldStore laidOut;
    addLattice(laidOut);
    MapModel laidOutMap(laidOut);
    layOutFromFirstRoom(laidOut, laidOutMap.grid);
    std::vector<std::string> lines;
    for (RoomIndexNode* n = laidOut.first(); n; n = n->next) {
        const RoomDataType& r = *n->room;
        lines.push_back(std::to_string(n->vnum) + " " + std::to_string(r.mapX) + " " +
                        std::to_string(r.mapY) + " " + std::to_string(r.mapZ) + "\r\n");
    }
    TempDir dir;
    for (bool shuffled : {false, true}) {
        if (shuffled) std::shuffle(lines.begin(), lines.end(), std::mt19937(3));
        std::string text;
        for (const std::string& line : lines) text += line;
        const std::string world = dir.worldWithMap(text);
        WorldStore store;
        addLattice(store);
        MapModel map(store);
        RecordingPrompts prompts;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(mapLoadedWorld(store, map, world, prompts));
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("map file of %zu lines (%s) read in %.3f s\n", lines.size(),
                    shuffled ? "shuffled" : "index order", seconds);
        EXPECT_LT(seconds, 5.0);
        for (RoomIndexNode *a = laidOut.first(), *b = store.first(); a; a = a->next, b = b->next)
            ASSERT_EQ(positionOf(*b->room), positionOf(*a->room)) << "room " << a->vnum;
    }
}
