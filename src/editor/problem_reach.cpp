#include "editor/problem_reach.h"

namespace {
// How far the repairs of the tree after the tree edges one change lost look, together
// (steps up ways in and exits looked at), before the rest let go of their subtrees
// instead: a few milliseconds at most.
constexpr int kRepairBudget = 50000;
}  // namespace

void ReachTree::clear() {
    numbers_.clear();
    walked_ = false;
}

void ReachTree::walkAll(int32_t start) {
    numbers_.forEach([](Number& n) {
        n.reached = false;
        n.noted = false;
    });
    walked_ = true;
    start_ = start;
    numbers_.at(start_).reached = true;
    spreadFrom(start_, nullptr);
}

bool ReachTree::hasExit(int32_t from, int32_t to) const {
    for (const LintedRooms::ExitInto exit : rooms_.exitsInto(to))
        if (exit.from() == from) return true;
    return false;
}

void ReachTree::noteNumber(int32_t vnum, std::vector<int32_t>& changed) {
    Number& n = numbers_.at(vnum);
    if (n.noted) return;
    n.noted = true;
    changed.push_back(vnum);
}

// Reaches vnum from parent, and from it what is not reached yet.
void ReachTree::reachFrom(int32_t vnum, int32_t parent, std::vector<int32_t>& changed) {
    Number& n = numbers_.at(vnum);
    n.reached = true;
    n.parent = parent;
    noteNumber(vnum, changed);
    spreadFrom(vnum, &changed);
}

// From a reached number, reaches what its exits lead to that is not reached yet, and on;
// notes what it reaches in `changed` when given.
void ReachTree::spreadFrom(int32_t vnum, std::vector<int32_t>* changed) {
    queue_.assign(1, vnum);
    for (size_t at = 0; at < queue_.size(); ++at) {
        const int32_t from = queue_[at];
        rooms_.forEachExitOf(from, [&](int32_t to) {
            Number& next = numbers_.at(to);
            if (next.reached) return;
            next.reached = true;
            next.parent = from;
            if (changed) noteNumber(to, *changed);
            queue_.push_back(to);
        });
    }
}

// Lets go of root and of every number whose way in from the start runs through it.
void ReachTree::letGoBelow(int32_t root, std::vector<int32_t>& let) {
    size_t at = let.size();
    numbers_.at(root).reached = false;
    let.push_back(root);
    for (; at < let.size(); ++at) {
        const int32_t from = let[at];
        rooms_.forEachExitOf(from, [&](int32_t to) {
            Number& n = numbers_.at(to);
            if (!n.reached || n.parent != from || to == start_) return;
            n.reached = false;
            let.push_back(to);
        });
    }
}

// Where the way in from the start to a reached number runs, as far as the budget goes:
// through root (Below), clear of it (Clear), or not known (a number let go on the way,
// or the budget spent). What a walk up finds holds for every number it passed.
ReachTree::Way ReachTree::wayOf(int32_t vnum, int32_t root, int& budget) {
    path_.clear();
    Way way = Way::Unknown;
    for (int32_t at = vnum;; at = numbers_.at(at).parent) {
        Number& n = numbers_.at(at);
        if (n.stamp == stamp_) {
            way = n.way;
            break;
        }
        if (at == root) {
            way = Way::Below;
            break;
        }
        if (!n.reached || --budget <= 0) break;
        if (at == start_) {
            way = Way::Clear;
            break;
        }
        path_.push_back(at);
    }
    if (way != Way::Unknown)
        for (int32_t at : path_) {
            Number& n = numbers_.at(at);
            n.stamp = stamp_;
            n.way = way;
            n.queued = false;
        }
    return way;
}

// The tree edge into root is lost: looks back from root, over exits into it and into
// the numbers hanging below it, for a number whose way in is clear of root. From there
// the numbers on the way found are hung anew, root last; the rest below root keep their
// parents and so their ways in. False when none was found before the budget ran out.
bool ReachTree::rehang(int32_t root, int& budget) {
    ++stamp_;
    below_.assign(1, root);
    Number& r = numbers_.at(root);
    r.stamp = stamp_;
    r.way = Way::Below;
    r.queued = true;
    for (size_t at = 0; at < below_.size(); ++at) {
        const int32_t to = below_[at];
        for (const LintedRooms::ExitInto exit : rooms_.exitsInto(to)) {
            if (--budget <= 0) return false;
            const int32_t from = exit.from();
            const Way way = wayOf(from, root, budget);
            if (way == Way::Clear) {
                // from -> to -> ... -> root, each by an exit.
                for (int32_t parent = from, child = to;;) {
                    Number& c = numbers_.at(child);
                    const int32_t next = c.via;
                    c.parent = parent;
                    if (child == root) return true;
                    parent = child;
                    child = next;
                }
            }
            Number& n = numbers_.at(from);
            if (way != Way::Below || n.queued) continue;
            n.queued = true;
            n.via = to;
            below_.push_back(from);
        }
    }
    return false;
}

void ReachTree::update(const std::vector<Edge>& lost, const std::vector<Edge>& gained,
                       const std::vector<int32_t>& holdersChanged, std::vector<int32_t>& changed) {
    changed.clear();
    for (int32_t vnum : holdersChanged) noteNumber(vnum, changed);
    let_.clear();
    int budget = kRepairBudget;
    for (const Edge& edge : lost) {
        Number& n = numbers_.at(edge.to);
        if (!n.reached || edge.to == start_) continue;
        if (numbers_.at(n.parent).reached && hasExit(n.parent, edge.to)) continue;  // its way in stands
        if (!rehang(edge.to, budget)) letGoBelow(edge.to, let_);
    }
    // What was let go is reached again by the exits into it from what is still reached.
    for (int32_t vnum : let_) {
        noteNumber(vnum, changed);
        if (numbers_.at(vnum).reached) continue;
        for (const LintedRooms::ExitInto exit : rooms_.exitsInto(vnum)) {
            const int32_t from = exit.from();
            if (!numbers_.at(from).reached) continue;
            reachFrom(vnum, from, changed);
            break;
        }
    }
    for (const Edge& edge : gained)
        if (numbers_.at(edge.from).reached && !numbers_.at(edge.to).reached) reachFrom(edge.to, edge.from, changed);
    for (int32_t vnum : changed) numbers_.at(vnum).noted = false;
}
