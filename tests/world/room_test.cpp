// A room's chain of extra descriptions.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "build_speed.h"
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

}  // namespace
