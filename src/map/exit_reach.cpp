#include "map/exit_reach.h"

#include "world/newer_fields.h"

ExitTarget exitTarget(const MapGrid& grid, const WorldStore& store, const RoomDataType& room, int direction) {
    if (direction < 0 || direction >= kAllDirectionCount) return {};
    const int32_t to = exitDestination(room, direction);
    if (to <= 0) return {};
    if (room.onMap()) {
        const MapStep step = directionStep(direction);
        const RoomDataType* next = grid.cellAt(room.mapX + step.dx, room.mapY + step.dy, room.mapZ + step.dz);
        if (next && next->vnum == to) return {ExitReach::Neighbour, next};
    }
    const RoomIndexNode* node = store.findByVnum(to);
    if (!node) return {ExitReach::Missing, nullptr};
    const RoomDataType* target = node->room.get();
    const bool sameLevel = room.onMap() && target->onMap() && target->mapZ == room.mapZ && target != &room;
    return {sameLevel ? ExitReach::SameLevel : ExitReach::Elsewhere, target};
}

std::vector<LongExit> longExitsOfLevel(const MapGrid& grid, const WorldStore& store, int z) {
    std::vector<LongExit> exits;
    if (z < 0 || z >= kMapLevels) return exits;
    for (int y = 1; y <= kMapRows; ++y)
        for (int x = 1; x <= kMapColumns; ++x) {
            const RoomDataType* room = grid.cellAt(x, y, z);
            if (!room) continue;
            const int directions = room->newer && room->newer->diagonals ? kAllDirectionCount : kDirectionCount;
            for (int d = 0; d < directions; ++d) {
                const ExitTarget target = exitTarget(grid, store, *room, d);
                if (target.reach == ExitReach::None || target.reach == ExitReach::Neighbour) continue;
                LongExit exit{x, y, d, target.reach, 0, 0};
                if (target.reach == ExitReach::SameLevel) {
                    exit.toX = target.room->mapX;
                    exit.toY = target.room->mapY;
                }
                exits.push_back(exit);
            }
        }
    return exits;
}
