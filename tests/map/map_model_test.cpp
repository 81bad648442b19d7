#include <cstring>
#include <new>
#include "map/map_model.h"

#include <gtest/gtest.h>

#include <chrono>

#include "map_test_support.h"

using namespace maptest;

namespace {

void deleteRoom(WorldStore& store, RoomDataType& room) {
    store.setCurrent(nodeOf(store, room));
    ASSERT_NE(store.current(), nullptr);
    store.deleteCurrentRoom();
}

}  // namespace

TEST(MapModel, DeletingAPlacedRoomEmptiesItsCellAndRecalculatesUnderTheSwitch) {
    for (bool recalc : {true, false}) {
        SCOPED_TRACE(recalc ? "ReCalc on" : "ReCalc off");
        WorldStore store;
        MapModel map(store);
        map.recalcOnChange = recalc;
        RoomDataType& r100 = addRoom(store, 100);
        RoomDataType& r101 = addRoom(store, 101);
        RoomDataType& loose = addRoom(store, 102);
        map.grid.putRoom(r100, 50, 50, 5);
        map.grid.putRoom(r101, 51, 50, 5);
        map.grid.recalcExits(50, 50, 5);
        map.placement.registerUnplacedRoom(loose);

        deleteRoom(store, r100);
        EXPECT_EQ(map.grid.cellAt(50, 50, 5), nullptr);
        EXPECT_EQ(r101.exitTo[West], recalc ? 0 : 100);
        EXPECT_EQ(map.placement.size(), 1u);

        // A room that is not on the map leaves the grid alone.
        deleteRoom(store, loose);
        EXPECT_EQ(map.grid.cellAt(51, 50, 5), &r101);
        EXPECT_EQ(map.placement.size(), 0u);
        expectGridAgrees(store, map.grid, &map.placement);
    }
}

// Two rooms may share a number after a read in file order. Deleting one of them must
// remove its own entry: finding the entry by number would drop the other room's entry
// and leave one that points at the freed record.
TEST(MapModel, DeletingARoomRemovesItsOwnEntryWhenANumberIsShared) {
    WorldStore store;
    MapModel map(store);
    RoomDataType& first = addRoom(store, 3001, "first");
    RoomDataType& second = addRoom(store, 3001, "second");
    RoomDataType& other = addRoom(store, 3002, "other");
    map.placement.registerUnplacedRoom(first);
    map.placement.registerUnplacedRoom(second);
    struct Notices : MapObserver {
        size_t count = 0;
        void placementChanged(PlacementChange, size_t, const PlacementEntry&) override { ++count; }
    } notices;
    map.addObserver(&notices);

    deleteRoom(store, second);
    ASSERT_EQ(map.placement.size(), 1u);
    EXPECT_EQ(map.placement.first()->room, &first);
    EXPECT_EQ(map.placement.findPlacementEntry(3001).first->room, &first);
    EXPECT_EQ(notices.count, 1u);

    deleteRoom(store, other);  // a room without an entry
    EXPECT_EQ(map.placement.size(), 1u);
    EXPECT_EQ(notices.count, 1u);
    map.removeObserver(&notices);
}

TEST(MapModel, StopsListeningToTheStoreWhenDestroyed) {
    WorldStore store;
    RoomDataType& room = addRoom(store, 5);
    // The model lives in storage that is wiped after its destructor ran: a store that
    // still called it would call through a null table and crash the test.
    alignas(MapModel) unsigned char storage[sizeof(MapModel)];
    auto* map = new (storage) MapModel(store);
    map->grid.putRoom(room, 1, 1, 0);
    map->~MapModel();
    std::memset(storage, 0, sizeof storage);
    room.mapX = room.mapY = room.mapZ = -1;
    store.deleteAllRooms();
    EXPECT_TRUE(store.empty());
}

// Deleting every room of a full zone: each deletion empties a cell or drops an entry in
// constant or logarithmic time, whatever the order the entries were registered in.
TEST(MapModelTimed, DeletingAllRoomsOfALargeZoneEmptiesGridAndListQuickly) {
    WorldStore store;
    MapModel map(store);
    constexpr int kRooms = 100000;
    std::vector<RoomDataType*> rooms;
    for (int i = 1; i <= kRooms; ++i) rooms.push_back(&addRoom(store, i));
    // Every other room on the map, the rest registered in reverse order, so that each
    // deletion in index order removes the entry at the end of the list.
    for (int i = 0; i < kRooms; i += 2) {
        const int cell = i / 2;
        map.grid.putRoom(*rooms[i], 1 + cell % 100, 1 + cell / 100 % 100, cell / 10000);
    }
    for (int i = kRooms - 1; i >= 1; i -= 2) map.placement.registerUnplacedRoom(*rooms[i]);
    struct LastPosition : MapObserver {
        size_t position = 0;
        void placementChanged(PlacementChange, size_t at, const PlacementEntry&) override { position = at; }
    } last;
    map.addObserver(&last);

    const auto start = std::chrono::steady_clock::now();
    store.deleteAllRooms();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("delete_all_seconds", std::to_string(seconds));
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(map.grid.roomCount(), 0u);
    EXPECT_EQ(map.placement.size(), 0u);
    EXPECT_EQ(last.position, 0u);
    EXPECT_LT(seconds, 5.0);
}
