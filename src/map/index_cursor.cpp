#include "map/index_cursor.h"

#include <algorithm>

IndexCursor::IndexCursor(const WorldStore& store) : nodes_(store.nodes()) {
    byVnum_.reserve(nodes_.size());
    for (size_t i = 0; i < nodes_.size(); ++i) byVnum_.emplace_back(nodes_[i]->vnum, i);
    std::sort(byVnum_.begin(), byVnum_.end());
}

RoomIndexNode* IndexCursor::find(int32_t vnum) {
    if (cursor_ >= nodes_.size()) cursor_ = 0;
    // Positions of the nodes numbered vnum, in index order.
    const auto from = std::lower_bound(byVnum_.begin(), byVnum_.end(), std::make_pair(vnum, size_t{0}));
    if (from == byVnum_.end() || from->first != vnum) return nullptr;
    const auto atCursor = std::lower_bound(from, byVnum_.end(), std::make_pair(vnum, cursor_));
    if (atCursor != byVnum_.end() && atCursor->first == vnum) {
        ++cursor_;
        return nodes_[atCursor->second];
    }
    return nodes_[from->second];
}
