#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "map/map_model.h"
#include "map_test_support.h"

using namespace maptest;

namespace {

// What a view of the list hears.
struct ChangeLog : MapObserver {
    std::vector<std::string> events;
    MapObservers observers;
    void attach(PlacementList& list) {
        observers.add(this);
        list.setObservers(&observers);
    }
    void placementChanged(PlacementChange change, size_t position, const PlacementEntry& entry) override {
        const char* kind = change == PlacementChange::Added       ? "add "
                           : change == PlacementChange::Refreshed ? "refresh "
                                                                  : "remove ";
        events.push_back(kind + std::to_string(position) + " " + std::to_string(entry.vnum));
    }
};

std::vector<int32_t> listed(const PlacementList& list) {
    std::vector<int32_t> numbers;
    const PlacementEntry* previous = nullptr;
    for (const PlacementEntry* e = list.first(); e; previous = e, e = e->next) {
        EXPECT_EQ(e->prev, previous);
        numbers.push_back(e->vnum);
    }
    EXPECT_EQ(list.last(), previous);
    EXPECT_EQ(numbers.size(), list.size());
    return numbers;
}

}  // namespace

TEST(PlacementList, RegisteringAddsOnceAndRefreshesTheNumberAndLine) {
    WorldStore store;
    RoomDataType& alpha = addRoom(store, 3001, "Alpha");
    RoomDataType& beta = addRoom(store, 30010, "Beta");
    PlacementList list;
    ChangeLog log;
    log.attach(list);

    list.registerUnplacedRoom(alpha);
    list.registerUnplacedRoom(beta);
    EXPECT_EQ(list.selectorLines("Default (undefined)"),
              (std::vector<std::string>{"Default (undefined)", "3001        Alpha", "30010       Beta"}));

    alpha.vnum = 3005;
    alpha.name = "Alpha Court";
    list.registerUnplacedRoom(alpha);
    EXPECT_EQ(listed(list), (std::vector<int32_t>{3005, 30010}));
    EXPECT_EQ(list.selectorLines("Default")[1], "3005        Alpha Court");
    EXPECT_EQ(log.events, (std::vector<std::string>{"add 0 3001", "add 1 30010", "refresh 0 3005"}));

    // Padding reaches 12 characters even for the longest number; the name follows as is.
    PlacementEntry wide;
    wide.vnum = -2147483647 - 1;
    RoomDataType unnamed;
    wide.room = &unnamed;
    EXPECT_EQ(PlacementList::lineText(wide), "-2147483648 ");
}

TEST(PlacementList, FindsByNumberRoomAndPositionAcrossRemovals) {
    WorldStore store;
    RoomDataType& a = addRoom(store, 10, "a");
    RoomDataType& b = addRoom(store, 20, "b");
    RoomDataType& c = addRoom(store, 20, "c");  // a second room with the number 20
    RoomDataType& d = addRoom(store, 30, "d");
    RoomDataType& e = addRoom(store, 40, "e");
    RoomDataType& never = addRoom(store, 50, "never registered");
    PlacementList list;
    for (RoomDataType* r : {&a, &b, &c, &d, &e}) list.registerUnplacedRoom(*r);

    auto [found, position] = list.findPlacementEntry(20);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->room, &b);
    EXPECT_EQ(position, 1u);
    EXPECT_EQ(list.findPlacementEntry(99), (std::pair<PlacementEntry*, size_t>{nullptr, 5}));
    EXPECT_EQ(list.findByRoom(&c)->room, &c);
    EXPECT_EQ(list.findByRoom(&never), nullptr);
    EXPECT_EQ(list.placementEntryAt(4)->room, &e);
    EXPECT_EQ(list.placementEntryAt(5), nullptr);

    ChangeLog log;
    log.attach(list);
    list.unlinkPlacementEntry(list.findByRoom(&b));  // middle
    list.unlinkPlacementEntry(list.findByRoom(&a));  // first
    list.unlinkPlacementEntry(list.findByRoom(&e));  // last
    list.unlinkPlacementEntry(nullptr);              // nothing, and no notice
    EXPECT_EQ(log.events, (std::vector<std::string>{"remove 1 20", "remove 0 10", "remove 2 40"}));
    EXPECT_EQ(listed(list), (std::vector<int32_t>{20, 30}));
    EXPECT_EQ(list.findPlacementEntry(20).first->room, &c);
    EXPECT_EQ(list.positionOf(list.findByRoom(&d)), 1u);
    EXPECT_EQ(list.findByRoom(&b), nullptr);

    // A room taken off the list and registered again goes to the end.
    list.registerUnplacedRoom(a);
    EXPECT_EQ(listed(list), (std::vector<int32_t>{20, 30, 10}));
    EXPECT_EQ(list.placementEntryAt(2)->room, &a);
}

// Positions are kept in a side structure that is renumbered as it fills; a long random
// run of registrations and removals must agree with a plain vector at every step.
TEST(PlacementList, PositionsAgreeWithAPlainListThroughLongRandomUse) {
    WorldStore store;
    std::vector<RoomDataType*> rooms;
    for (int i = 0; i < 3000; ++i) rooms.push_back(&addRoom(store, i % 700));
    PlacementList list;
    std::vector<RoomDataType*> model;
    std::mt19937 random(7);
    for (int step = 0; step < 40000; ++step) {
        RoomDataType* r = rooms[random() % rooms.size()];
        auto it = std::find(model.begin(), model.end(), r);
        const bool remove = it != model.end() && random() % 3 != 0;
        if (remove) {
            ASSERT_EQ(list.positionOf(list.findByRoom(r)), static_cast<size_t>(it - model.begin()));
            list.unlinkPlacementEntry(list.findByRoom(r));
            model.erase(it);
        } else {
            list.registerUnplacedRoom(*r);
            if (it == model.end()) model.push_back(r);
        }
        ASSERT_EQ(list.size(), model.size());
        if (!model.empty()) {
            const size_t k = random() % model.size();
            ASSERT_EQ(list.placementEntryAt(k)->room, model[k]) << "step " << step;
            ASSERT_EQ(list.positionOf(list.findByRoom(model[k])), k);
        }
    }
    std::vector<int32_t> expected;
    for (RoomDataType* r : model) expected.push_back(r->vnum);
    EXPECT_EQ(listed(list), expected);
}
