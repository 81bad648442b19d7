#include "map/slot_counter.h"

void SlotCounter::reset(size_t count) {
    tree_.assign(count, 0);
}

void SlotCounter::add(size_t slot, int delta) {
    for (size_t i = slot + 1; i <= tree_.size(); i += i & (~i + 1)) tree_[i - 1] += delta;
}

size_t SlotCounter::liveBefore(size_t slot) const {
    size_t sum = 0;
    for (size_t i = slot; i > 0; i -= i & (~i + 1)) sum += static_cast<size_t>(tree_[i - 1]);
    return sum;
}

size_t SlotCounter::findByRank(size_t rank) const {
    // Descend the implicit tree: find the largest prefix holding at most `rank` live slots.
    size_t position = 0;
    size_t step = 1;
    while (step * 2 <= tree_.size()) step *= 2;
    for (; step > 0; step /= 2) {
        const size_t next = position + step;
        if (next <= tree_.size() && static_cast<size_t>(tree_[next - 1]) <= rank) {
            position = next;
            rank -= static_cast<size_t>(tree_[next - 1]);
        }
    }
    // position slots hold exactly the smaller ranks; the wanted slot is the next one.
    return position < tree_.size() ? position : tree_.size();
}
