#pragma once
// Small builders and checks shared by the map tests.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "map/map_model.h"
#include "world/world_store.h"

namespace maptest {

// Appends a room in file order (two rooms may share a number) and returns its record.
inline RoomDataType& addRoom(WorldStore& store, int32_t vnum, std::string name = "",
                             std::initializer_list<std::pair<int, int32_t>> exits = {}) {
    auto room = std::make_unique<RoomDataType>();
    room->vnum = vnum;
    room->name = std::move(name);
    for (auto [direction, to] : exits) room->exitTo[direction] = to;
    return *store.appendNode(WorldStore::makeNode(std::move(room)))->room;
}

inline RoomIndexNode* nodeOf(WorldStore& store, const RoomDataType& room) {
    for (RoomIndexNode* n = store.first(); n; n = n->next)
        if (n->room.get() == &room) return n;
    return nullptr;
}

struct Position {
    int x, y, z;
    bool operator==(const Position&) const = default;
};
inline Position positionOf(const RoomDataType& room) {
    return {room.mapX, room.mapY, room.mapZ};
}
inline std::ostream& operator<<(std::ostream& out, const Position& p) {
    return out << '(' << p.x << ", " << p.y << ", " << p.z << ')';
}
inline const Position kOffMap{-1, -1, -1};

// A zone of 100 x 100 x 10 rooms numbered 1..100000 in index order, with exits both
// ways between lattice neighbours.
inline void addLattice(WorldStore& store) {
    auto vnumAt = [](int x, int y, int z) { return 1 + x + 100 * y + 10000 * z; };  // 0-based lattice
    for (int z = 0; z < 10; ++z)
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) {
                RoomDataType& r = addRoom(store, vnumAt(x, y, z));
                if (y > 0) r.exitTo[North] = vnumAt(x, y - 1, z);
                if (x < 99) r.exitTo[East] = vnumAt(x + 1, y, z);
                if (y < 99) r.exitTo[South] = vnumAt(x, y + 1, z);
                if (x > 0) r.exitTo[West] = vnumAt(x - 1, y, z);
                if (z < 9) r.exitTo[Up] = vnumAt(x, y, z + 1);
                if (z > 0) r.exitTo[Down] = vnumAt(x, y, z - 1);
            }
}

// The grid and the rooms agree: every occupied cell's room names that cell, every room
// on the map sits in the cell it names, and no room is both on the map and listed.
inline void expectGridAgrees(const WorldStore& store, const MapGrid& grid,
                             const PlacementList* list = nullptr) {
    size_t occupied = 0;
    for (int z = 0; z < kMapLevels; ++z)
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= kMapColumns; ++x)
                if (const RoomDataType* r = grid.cellAt(x, y, z)) {
                    ++occupied;
                    ASSERT_EQ(positionOf(*r), (Position{x, y, z})) << "room " << r->vnum;
                }
    EXPECT_EQ(occupied, grid.roomCount());
    size_t onMap = 0;
    for (RoomIndexNode* n = store.first(); n; n = n->next) {
        const RoomDataType& r = *n->room;
        if (r.onMap()) {
            ++onMap;
            ASSERT_EQ(grid.cellAt(r.mapX, r.mapY, r.mapZ), &r) << "room " << r.vnum;
            if (list) {
                EXPECT_EQ(list->findByRoom(&r), nullptr) << "room " << r.vnum << " is placed and listed";
            }
        } else {
            ASSERT_EQ(positionOf(r), kOffMap) << "room " << r.vnum;
        }
    }
    EXPECT_EQ(onMap, occupied);
}

}  // namespace maptest
