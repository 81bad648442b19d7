#pragma once
// Which rooms the walk over exits from the start room reaches, kept up to date as the
// zone changes, as a tree of first reaches over room numbers (reaching a number reaches
// every room holding it): every reached number but the start has a parent, a reached
// number with an exit into it. Exits gained reach what they newly lead to by a walk over
// the newly reached part alone. A lost exit that was a tree edge looks back from the
// number it led to, over exits into it and into the numbers hanging below it, for a
// number whose way in does not run through it, and hangs the numbers on that way anew;
// when none is found within a bound, the subtree is let go and reached again through the
// exits into it from the rest of the tree.
//
// The exits are those of the rooms as last linted; the tree is told of a change after
// those were brought up to date.
#include <cstdint>
#include <vector>

#include "editor/problem_rooms.h"

class ReachTree {
public:
    struct Edge {
        int32_t from, to;
    };

    explicit ReachTree(const LintedRooms& rooms) : rooms_(rooms) {}

    // Nothing reached, nothing walked.
    void clear();
    // Whether the reach is kept, from this start.
    bool keptFrom(int32_t start) const { return walked_ && start_ == start; }
    // The whole walk again, from start.
    void walkAll(int32_t start);
    bool reached(int32_t vnum) const {
        const Number* n = numbers_.find(vnum);
        return n && n->reached;
    }
    // After a change: the exits it lost and gained, between numbers, and the numbers
    // whose rooms came or went. `changed` gets the numbers whose reach was decided anew
    // (let go, reached, or whose rooms came or went), each once, in no order.
    void update(const std::vector<Edge>& lost, const std::vector<Edge>& gained, const std::vector<int32_t>& holdersChanged,
                std::vector<int32_t>& changed);

private:
    enum class Way : unsigned char { Unknown, Below, Clear };
    struct Number {
        int32_t parent = 0;  // reached, not the start: the number whose exit reached it
        bool reached = false;
        bool noted = false;  // in `changed`
        // For the repair of the tree after a lost tree edge, valid while stamp is the
        // repair's: where its way in runs, whether it is looked back from, and the number
        // below the root it has an exit into.
        bool queued = false;
        Way way = Way::Unknown;
        uint32_t stamp = 0;
        int32_t via = 0;
    };

    bool hasExit(int32_t from, int32_t to) const;
    void noteNumber(int32_t vnum, std::vector<int32_t>& changed);
    void reachFrom(int32_t vnum, int32_t parent, std::vector<int32_t>& changed);
    void spreadFrom(int32_t vnum, std::vector<int32_t>* changed);
    Way wayOf(int32_t vnum, int32_t root, int& budget);
    bool rehang(int32_t root, int& budget);
    void letGoBelow(int32_t root, std::vector<int32_t>& let);

    const LintedRooms& rooms_;
    NumberTable<Number> numbers_;
    bool walked_ = false;  // the reach is kept from start_
    int32_t start_ = 0;
    uint32_t stamp_ = 0;  // of the last repair
    // Kept between changes, so that a large one does not ask for fresh memory each time.
    std::vector<int32_t> let_, queue_, path_, below_;
};
