#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "world/prompts.h"
#include "world/world_store.h"

namespace {

std::unique_ptr<RoomIndexNode> roomNode(int32_t vnum, std::string name = "") {
    auto room = std::make_unique<RoomDataType>();
    room->vnum = vnum;
    room->name = std::move(name);
    return WorldStore::makeNode(std::move(room));
}

std::vector<int32_t> order(const WorldStore& s) {
    std::vector<int32_t> v;
    for (RoomIndexNode* n = s.first(); n; n = n->next) v.push_back(n->vnum);
    return v;
}

// Links agree both ways and the ends have no outer neighbour.
void expectConsistent(const WorldStore& s) {
    ASSERT_EQ(s.first() == nullptr, s.last() == nullptr);
    if (!s.first()) return;
    EXPECT_EQ(s.first()->prev, nullptr);
    EXPECT_EQ(s.last()->next, nullptr);
    size_t count = 0;
    for (RoomIndexNode* n = s.first(); n; n = n->next, ++count) {
        if (n->next) {
            EXPECT_EQ(n->next->prev, n);
        }
        EXPECT_EQ(n->vnum, n->room->vnum);
    }
    EXPECT_EQ(count, s.size());
}

struct Recorder : StoreObserver {
    std::vector<std::string> events;
    void editorFieldsCleared() override { events.push_back("clear"); }
    void pendingNewRoomEnded() override { events.push_back("newroom"); }
    void extraDescsReleased(const RoomDataType&) override { events.push_back("extras"); }
    void roomDeleting(RoomDataType& r) override { events.push_back("map " + std::to_string(r.vnum)); }
};

}  // namespace

TEST(WorldStore, OrderedInsertionKeepsNumberOrderAndTieRule) {
    WorldStore s;
    s.insertOrdered(roomNode(32016, "a"));
    s.insertOrdered(roomNode(32017, "first 32017"));
    s.insertOrdered(roomNode(32020));
    RoomIndexNode* tie = s.insertOrdered(roomNode(32017, "second 32017"));
    EXPECT_EQ(order(s), (std::vector<int32_t>{32016, 32017, 32017, 32020}));
    EXPECT_EQ(tie->prev->room->name, "first 32017");
    EXPECT_EQ(s.findByVnum(32017)->room->name, "first 32017");
    s.insertOrdered(roomNode(10));
    s.insertOrdered(roomNode(40000));
    EXPECT_EQ(s.first()->vnum, 10);
    EXPECT_EQ(s.last()->vnum, 40000);
    EXPECT_EQ(s.nodeAt(2)->room->name, "first 32017");
    EXPECT_EQ(s.nodeAt(6), nullptr);
    EXPECT_EQ(s.lowestVnum(), 10);
    expectConsistent(s);
}

TEST(WorldStore, FileOrderIndexFallsBackToTheWalk) {
    WorldStore s;
    s.appendNode(roomNode(7, "seven"));
    s.appendNode(roomNode(5, "five a"));
    s.appendNode(roomNode(9));
    s.appendNode(roomNode(5, "five b"));
    EXPECT_FALSE(s.sorted());
    EXPECT_EQ(s.findByVnum(5)->room->name, "five a");
    // The walk stops at the first node strictly greater: 7 is at the front.
    RoomIndexNode* n = s.insertOrdered(roomNode(5, "five new"));
    EXPECT_EQ(order(s), (std::vector<int32_t>{5, 7, 5, 9, 5}));
    EXPECT_EQ(s.findByVnum(5), n);
    s.unlinkNode(n);
    EXPECT_EQ(s.findByVnum(5)->room->name, "five a");
    s.unlinkNode(s.findByVnum(5));
    EXPECT_EQ(s.findByVnum(5)->room->name, "five b");
    EXPECT_EQ(s.lowestVnum(), 5);
    expectConsistent(s);
}

TEST(WorldStore, RenumberMovesTheNodeAndNextFreeFollowsLast) {
    WorldStore s;
    s.insertOrdered(roomNode(100));
    RoomIndexNode* n = s.insertOrdered(roomNode(101));
    s.insertOrdered(roomNode(102));
    s.renumber(n, 200);
    EXPECT_EQ(order(s), (std::vector<int32_t>{100, 102, 200}));
    EXPECT_EQ(s.nextFreeVnum(), 201);
    EXPECT_EQ(s.findByVnum(101), nullptr);
    EXPECT_EQ(s.findByVnum(200), n);
    s.renumber(n, 50);
    EXPECT_EQ(s.first(), n);
    EXPECT_EQ(s.nextFreeVnum(), 103);
    expectConsistent(s);
}

TEST(WorldStore, DeleteCurrentRoomStepsAndEdges) {
    WorldStore s;
    Recorder rec;
    s.addObserver(&rec);
    s.insertOrdered(roomNode(1));
    s.insertOrdered(roomNode(2));
    s.setNextFreeVnum(3);
    s.setCurrent(s.last());
    s.current()->room->appendExtraDesc("k", "d");
    s.deleteCurrentRoom();
    EXPECT_EQ(rec.events, (std::vector<std::string>{"clear", "extras", "map 2"}));
    EXPECT_EQ(s.current(), nullptr);
    EXPECT_EQ(s.nextFreeVnum(), 3) << "deleting the last room does not lower the next free number";

    // A pending New Room is only forgotten: nothing is deleted and current stays.
    rec.events.clear();
    s.setCurrent(s.first());
    s.beginNewRoom();
    s.deleteCurrentRoom();
    EXPECT_EQ(rec.events, (std::vector<std::string>{"clear", "newroom"}));
    EXPECT_EQ(s.size(), 1u);
    EXPECT_EQ(s.current(), s.first());
    EXPECT_FALSE(s.newRoomPending());

    s.deleteCurrentRoom();
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.first(), nullptr);
    EXPECT_EQ(s.last(), nullptr);
    s.deleteCurrentRoom();  // nothing happens without a current room
    s.removeObserver(&rec);
}

TEST(WorldStore, DeleteAllRoomsEndsPendingNewRoomAndDeletesEveryRoom) {
    WorldStore s;
    Recorder rec;
    s.addObserver(&rec);
    for (int v = 10; v < 15; ++v) s.insertOrdered(roomNode(v));
    s.setCurrent(s.nodeAt(2));
    s.beginNewRoom();
    s.deleteAllRooms();
    EXPECT_TRUE(s.empty());
    EXPECT_FALSE(s.newRoomPending());
    EXPECT_EQ(std::count(rec.events.begin(), rec.events.end(), "map 10"), 1);
    EXPECT_EQ(s.findByVnum(10), nullptr);
    s.removeObserver(&rec);
}

TEST(WorldStore, CopyRoomGivesTheCopyItsOwnChain) {
    RoomDataType source;
    source.vnum = 5;
    source.name = "Grove";
    source.exitTo[North] = 6;
    source.exits[North].key = 3050;
    for (const char* k : {"one", "two", "three"}) source.appendExtraDesc(k, std::string(k) + " text\r\n");
    RoomDataType copy;
    copy.appendExtraDesc("old", "old");
    copyRoom(copy, source);
    EXPECT_TRUE(sameRoomContent(copy, source));
    ASSERT_EQ(copy.extraDescCount(), 3u);
    EXPECT_NE(copy.extraDescs, source.extraDescs);
    EXPECT_EQ(copy.extraDescs->next->next->prev->keywords, "two");
    copy.removeExtraDesc(copy.extraDescs->next);
    copy.extraDescs->keywords = "changed";
    EXPECT_EQ(source.extraDescCount(), 3u);
    EXPECT_EQ(source.extraDescs->keywords, "one");
    EXPECT_EQ(source.extraDescs->next->keywords, "two");
}

TEST(WorldStore, SetZoneAndAdoptLoadedWorld) {
    WorldStore s;
    s.setZone(320, "The Grove", 32001);
    EXPECT_EQ(s.nextFreeVnum(), 32001);
    EXPECT_TRUE(s.empty());

    WorldStore read;
    auto a = roomNode(32005);
    a->room->zone = 320;
    read.appendNode(std::move(a));
    read.appendNode(roomNode(32001));
    read.appendNode(roomNode(32020));
    read.adoptLoadedWorld();
    EXPECT_EQ(read.zoneNumber, 320);
    EXPECT_EQ(read.zoneStart, 32001) << "the lowest number, also for a file-order index";
    EXPECT_EQ(read.current(), read.first());
    EXPECT_EQ(read.nextFreeVnum(), 32021);
}

TEST(WorldStore, ReleaseAllFreesEverything) {
    WorldStore s;
    for (int v = 0; v < 1000; ++v) s.appendNode(roomNode(v));
    s.releaseAll();
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.findByVnum(3), nullptr);
}
