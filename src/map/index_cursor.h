#pragma once
// The map position file reader's way of naming rooms: a cursor moves along the index
// with the lines, so that a file written in index order pairs its n-th line with the
// n-th room even when two rooms share a number.
//
// For a line naming v: the first node with number v at or after the cursor is taken and
// the cursor moves one node on (from where it stood, not from the node found); when
// there is none, the first node with number v from the start of the index is taken and
// the cursor stays. A cursor past the end starts again at the first node.
//
// Each search costs O(log n) whatever the order of the lines.
#include <cstdint>
#include <utility>
#include <vector>

#include "world/world_store.h"

class IndexCursor {
public:
    explicit IndexCursor(const WorldStore& store);
    RoomIndexNode* find(int32_t vnum);

private:
    std::vector<RoomIndexNode*> nodes_;               // index order
    std::vector<std::pair<int32_t, size_t>> byVnum_;  // (number, position), sorted
    size_t cursor_ = 0;                               // a position; nodes_.size() is none
};
