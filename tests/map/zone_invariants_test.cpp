// The checker must see a fault the moment one promise breaks, and only then.
#include "map/zone_invariants.h"

#include <gtest/gtest.h>

#include <functional>

#include "map_test_support.h"

using maptest::addRoom;

TEST(ZoneInvariants, EachBrokenPromiseIsFoundAndASoundZoneHasNone) {
    WorldStore store;
    MapModel map(store);
    RoomDataType& a = addRoom(store, 10);
    RoomDataType& b = addRoom(store, 11);
    RoomDataType& c = addRoom(store, 12);
    map.grid.putRoom(a, 5, 5, 0);
    map.placement.registerUnplacedRoom(b);
    map.placement.registerUnplacedRoom(c);
    b.appendExtraDesc("k1", "d1");
    ExtraDescType* second = b.appendExtraDesc("k2", "d2");
    store.setCurrent(store.first()->next);
    ASSERT_TRUE(zoneInvariantFaults(store, map).empty());

    RoomIndexNode* middle = store.first()->next;
    struct Break {
        const char* what;
        std::function<void()> breakIt, mendIt;
        const char* expected;  // a word of the fault's text
    };
    const Break breaks[] = {
        {"index prev", [&] { middle->prev = nullptr; }, [&] { middle->prev = store.first(); }, "wrong prev"},
        {"node number", [&] { middle->vnum = 99; }, [&] { middle->vnum = 11; }, "holds room"},
        {"extra description prev", [&] { second->prev = nullptr; }, [&] { second->prev = b.extraDescs; },
         "extra description"},
        {"room names a cell that does not hold it", [&] { c.mapX = 7, c.mapY = 7, c.mapZ = 0; },
         [&] { c.mapX = c.mapY = c.mapZ = -1; }, "does not hold it"},
        {"off the map but not listed", [&] { map.placement.unlinkPlacementEntry(map.placement.findByRoom(&c)); },
         [&] { map.placement.registerUnplacedRoom(c); }, "not in the placement list"},
        {"current outside the index", [&] { store.setCurrent(reinterpret_cast<RoomIndexNode*>(&map)); },
         [&] { store.setCurrent(middle); }, "current"},
    };
    for (const Break& br : breaks) {
        br.breakIt();
        const std::vector<std::string> faults = zoneInvariantFaults(store, map);
        br.mendIt();
        ASSERT_FALSE(faults.empty()) << br.what;
        EXPECT_NE(faults.front().find(br.expected), std::string::npos) << br.what << ": " << faults.front();
        EXPECT_TRUE(zoneInvariantFaults(store, map).empty()) << br.what << " was not mended";
    }
}
