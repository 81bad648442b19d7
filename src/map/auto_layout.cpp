#include "map/auto_layout.h"

#include <cstdint>
#include <vector>

namespace {

constexpr size_t kCells = static_cast<size_t>(kMapColumns) * kMapRows * kMapLevels;

class Layout {
public:
    Layout(const WorldStore& store, MapGrid& grid)
        : store_(store), grid_(grid), occupancy_(kCells, 0) {}

    size_t run();

private:
    void place(RoomDataType& room, int x, int y, int z);
    bool placeNeighbour(const RoomDataType& from, RoomDataType* target, int direction);

    const WorldStore& store_;
    MapGrid& grid_;
    // The cells this layout has filled: the only table that decides whether a cell is free.
    std::vector<uint8_t> occupancy_;
    // Which search last stood in a cell walking in a direction (see placeNeighbour);
    // made only when a walk first gets long, so a small zone's layout never fills it.
    std::vector<uint32_t> seen_;
    uint32_t search_ = 0;
    size_t placed_ = 0;
};

void Layout::place(RoomDataType& room, int x, int y, int z) {
    occupancy_[MapGrid::index(x, y, z)] = 1;
    grid_.putRoom(room, x, y, z);
    ++placed_;
}

// Walks from `from` in the exit's direction to the first cell the layout has not filled.
// A line that runs off an edge re-enters at the opposite edge and turns (see the rules
// below), so a walk is a function of its cell and direction alone; and no cell fills
// during a walk. Once a walk stands in a cell with a direction it had before, it is going
// round a loop of filled cells and would spend its remaining steps there: it fails at
// once, with the result the full count of steps would give. Most walks end within a few
// steps, so states are remembered only from kLoopCheckAfter steps on (and the table is
// made then); a walk caught in a loop still meets a remembered state one round later.
constexpr int kLoopCheckAfter = 128;

bool Layout::placeNeighbour(const RoomDataType& from, RoomDataType* target, int direction) {
    if (!target || target->onMap()) return false;
    int x = from.mapX, y = from.mapY, z = from.mapZ;
    int w = direction;
    ++search_;
    for (int steps = 0; steps < kLayoutStepLimit; ++steps) {
        const MapStep step = directionStep(w);
        x += step.dx;
        y += step.dy;
        z += step.dz;
        // The wrap rules, in this order; each may turn the walk.
        if (x < 1) x = kMapColumns, w = East;
        if (y < 1) y = kMapRows, w = South;
        if (z < 0) z = kMapLevels - 1, w = Down;
        if (x > kMapColumns) x = 1, w = North;
        if (y > kMapRows) y = 1, w = Up;
        if (z > kMapLevels - 1) z = 0, w = West;
        const size_t cell = MapGrid::index(x, y, z);
        if (!occupancy_[cell]) {
            place(*target, x, y, z);
            return true;
        }
        if (steps < kLoopCheckAfter) continue;
        if (seen_.empty()) seen_.assign(kCells * kDirectionCount, 0);
        uint32_t& seen = seen_[cell * kDirectionCount + static_cast<size_t>(w)];
        if (seen == search_) return false;
        seen = search_;
    }
    return false;
}

// Depth first from the first room. The explicit stack holds, per room being visited,
// the next direction to look at, so a chain of any length costs no call depth and the
// rooms are placed in exactly the order of the recursive description: a room reached
// through an exit is visited completely before its parent's next direction.
size_t Layout::run() {
    RoomIndexNode* first = store_.first();
    if (!first) return 0;
    place(*first->room, kLayoutStartX, kLayoutStartY, kLayoutStartZ);
    struct Visit {
        RoomDataType* room;
        int nextDirection;
    };
    std::vector<Visit> stack{{first->room.get(), 0}};
    while (!stack.empty()) {
        Visit& top = stack.back();
        if (top.nextDirection == kDirectionCount) {
            stack.pop_back();
            continue;
        }
        const int d = top.nextDirection++;
        RoomDataType& room = *top.room;  // top may move when the stack grows
        const int32_t to = room.exitTo[d];
        if (to <= 0) continue;
        RoomIndexNode* node = store_.findByVnum(to);
        RoomDataType* target = node ? node->room.get() : nullptr;
        if (placeNeighbour(room, target, d)) stack.push_back({target, 0});
    }
    return placed_;
}

}  // namespace

size_t layOutFromFirstRoom(const WorldStore& store, MapGrid& grid) {
    return Layout(store, grid).run();
}
