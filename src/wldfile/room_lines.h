#pragma once
// Where the rooms of a world file stand in its text: the line of each room's "#" header
// and of the "D" line of each of its exit blocks, so that tools can point a builder at
// the text of a room or of one exit; and what the reader forgave in the header.
#include <array>
#include <vector>

#include "world/room.h"

struct RoomLines {
    const RoomDataType* room = nullptr;        // owned by the store
    int header = 0;                               // 1-based line of the "#" header
    std::array<int, kAllDirectionCount> exits{};  // line of the direction's last "D" block; 0 when none
    bool headerTrailingBlanks = false;            // blanks or tabs followed the number ("#5233 ")
};

// The rooms the reader put into the store, in file order. A room that the reader deletes
// again after a format error leaves no entry.
using RoomLineLog = std::vector<RoomLines>;
