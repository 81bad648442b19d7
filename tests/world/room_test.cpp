// A room's chain of extra descriptions.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "build_speed.h"
#include "world/newer_fields.h"
#include "world/room.h"

namespace {

std::vector<std::string> keywords(const RoomDataType& room) {
    std::vector<std::string> all;
    for (const ExtraDescType* e = room.extraDescs; e; e = e->next) all.push_back(e->keywords);
    return all;
}

TEST(ExtraDescChain, AppendingAfterRemovalsAndCopiesKeepsTheOrder) {
    RoomDataType room;
    ExtraDescType* a = room.appendExtraDesc("a", "A.");
    room.appendExtraDesc("b", "B.");
    ExtraDescType* c = room.appendExtraDesc("c", "C.");
    room.removeExtraDesc(c);  // the last entry: the next one goes after "b"
    room.appendExtraDesc("d", "D.");
    room.removeExtraDesc(a);
    EXPECT_EQ(keywords(room), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(room.lastExtraDesc()->keywords, "d");
    EXPECT_EQ(room.lastExtraDesc()->prev->keywords, "b");

    RoomDataType copy;
    copy.appendExtraDesc("old", "Replaced by the copy.");
    copyRoom(copy, room);
    copy.appendExtraDesc("e", "E.");
    EXPECT_EQ(keywords(copy), (std::vector<std::string>{"b", "d", "e"}));
    EXPECT_EQ(keywords(room), (std::vector<std::string>{"b", "d"}));

    room.removeExtraDesc(room.lastExtraDesc());
    room.removeExtraDesc(room.lastExtraDesc());
    EXPECT_EQ(room.extraDescs, nullptr);
    EXPECT_EQ(room.lastExtraDesc(), nullptr);
    room.appendExtraDesc("f", "F.");
    copy.freeExtraDescs();
    copy.appendExtraDesc("g", "G.");
    EXPECT_EQ(keywords(room), std::vector<std::string>{"f"});
    EXPECT_EQ(keywords(copy), std::vector<std::string>{"g"});
}

TEST(ExtraDescChain, AppendingAndCopyingAreLinearInTheChainLength) {
    // Walking the chain for every entry takes minutes here; the linear path milliseconds.
    constexpr int kEntries = 200'000;
    const auto start = std::chrono::steady_clock::now();
    RoomDataType room;
    for (int i = 0; i < kEntries; ++i) room.appendExtraDesc(std::to_string(i), {});
    RoomDataType copy;
    copyRoom(copy, room);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0 * kSlowBuildFactor);
    ASSERT_EQ(copy.extraDescCount(), size_t{kEntries});
    EXPECT_EQ(copy.lastExtraDesc()->keywords, std::to_string(kEntries - 1));
    EXPECT_EQ(copy.extraDescs->next->keywords, "1");
}

// The newer form's fields live behind one pointer: copies own their own, and fields
// left empty take no memory and compare equal to none.
TEST(NewerRoomFields, CopiesAreDeepAndEmptyFieldsTakeNoRoom) {
    RoomDataType room;
    setFlagWords(room, {1, 0, 0});
    setTriggers(room, {7, 8});
    exitDestinationToWrite(room, SouthWest) = 12;
    exitDetailsToWrite(room, SouthWest).keywords = "gap";
    RoomDataType copy;
    copyRoom(copy, room);
    EXPECT_TRUE(sameRoomContent(copy, room));
    exitDetailsToWrite(copy, SouthWest).keywords = "hole";
    EXPECT_EQ(exitDetails(room, SouthWest).keywords, "gap");
    EXPECT_FALSE(sameRoomContent(copy, room));

    initNewRoom(room);  // no exits, diagonal ones included; words and triggers stay
    EXPECT_EQ(exitDestination(room, SouthWest), 0);
    EXPECT_EQ(roomTriggers(room), (std::vector<int32_t>{7, 8}));
    setTriggers(room, {});
    EXPECT_NE(room.newer, nullptr);
    setFlagWords(room, {});
    EXPECT_EQ(room.newer, nullptr);

    RoomDataType plain, emptied;
    exitDestinationToWrite(emptied, NorthWest) = 0;  // made, but holding nothing
    EXPECT_TRUE(sameRoomContent(plain, emptied));
    copyRoom(plain, emptied);
    EXPECT_EQ(plain.newer, nullptr);
}

}  // namespace
