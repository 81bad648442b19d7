#pragma once
// Counts live slots in a growing row of slots, so that "how many live slots lie before
// this one" and "which slot is the k-th live one" cost O(log n). The placement list
// gives each entry a slot in append order; entries are only ever appended or removed,
// so slot order is list order.
#include <cstddef>
#include <vector>

class SlotCounter {
public:
    // Makes room for slots 0..count-1, all dead.
    void reset(size_t count);
    size_t capacity() const { return tree_.size(); }

    void add(size_t slot, int delta);
    // Live slots among 0..slot-1.
    size_t liveBefore(size_t slot) const;
    // The slot of the live slot with 0-based rank `rank`; capacity() when there are fewer.
    size_t findByRank(size_t rank) const;

private:
    std::vector<int> tree_;  // Fenwick tree, 1-based inside
};
