#pragma once
// The lint findings of the zone in memory, kept up to date as the zone changes: after a
// change only the rooms it touched and their neighbours are linted again, the whole
// zone only after a load, a New Area or a change of the options.
//
// The neighbours of a touched room are the rooms whose findings may read it: the rooms
// with its number (old and new); the rooms with an exit into either number (all of them
// when the room came, went, or changed number or place, else only those whose exit faces
// one of its changed exits: one-way exits, doors, dangling exits); the rooms in the cells
// beside its old and new map positions when it came, went or moved (the map's agreement
// with the exits); and, in an index out of number order, the rooms that now have another
// room before them (order). For that the list keeps the rooms as last linted.
//
// Which rooms are reached is kept the same way, by a tree of first reaches told of the
// exits each change lost and gained. The whole walk is made again only when the start
// room changes or a change touches more than a quarter of the zone.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cli/zone_lint.h"
#include "editor/problem_reach.h"
#include "editor/problem_rooms.h"
#include "world/zone_history.h"

class ProblemList {
public:
    ProblemList(const WorldStore& store, const MapGrid& grid);

    const LintOptions& options() const { return options_; }
    // New options: the whole zone again.
    void setOptions(const LintOptions& options);
    // Whether the zone's world file has a map position file and the map shows its positions.
    void setMapFile(bool exists, bool positionsFromMapFile);

    // The whole zone again.
    void recomputeAll();
    // After a change (or its undo or redo): the rooms it touched and their neighbours.
    void roomsTouched(const TouchedRooms& touched);
    // A room is being deleted. A recorded deletion keeps the record (the change holds it)
    // and is reported by roomsTouched; an unrecorded one frees it, so nothing of it is
    // kept and the next change lints the whole zone again.
    void forget(const RoomDataType& room);

    size_t size() const { return count_; }
    // Every finding, sorted by room number, a room's in the linter's order.
    std::vector<const LintFinding*> rows() const;
    // Counts every recompute, so that a view knows when to look again.
    uint64_t version() const { return version_; }
    // Rooms linted by the last roomsTouched (for tests and benchmarks).
    size_t lastLinted() const { return lastLinted_; }
    // Numbers whose reach the last roomsTouched decided anew (let go, reached, or whose
    // rooms came or went), or the rooms of the zone after a whole walk (for tests and
    // benchmarks).
    size_t lastWalked() const { return lastWalked_; }

private:
    using Seen = LintedRooms::Seen;
    using Edge = ReachTree::Edge;
    void noteNeighbours(const Seen* before, const Seen* now, std::vector<int32_t>& vnums);
    std::vector<std::pair<int32_t, int32_t>> outOfOrder() const;
    void noteOrderChanges(std::vector<int32_t>& vnums);
    void take(std::vector<LintFinding> findings);
    void relint(std::vector<int32_t>& vnums);
    ZoneInMemory zone() const { return {store_, grid_, mapFileExists_, positionsFromMapFile_}; }
    // What every room's findings depend on: the default range follows the lowest number.
    int32_t zoneAnchor() const;

    // The walk's findings.
    void walkAll();
    void refreshUnreached(std::vector<int32_t>& numbers);
    LintFinding unreachedFinding(int32_t vnum) const;

    // Kept between changes, so that a large one does not ask for fresh memory each time.
    struct Scratch {
        std::vector<Edge> lost, gained;
        std::vector<int32_t> holdersChanged, vnums, changed;
    };

    const WorldStore& store_;
    const MapGrid& grid_;
    LintOptions options_;
    bool mapFileExists_ = false;
    bool positionsFromMapFile_ = false;

    // By room number; rooms without findings have no entry. The unreachable rooms apart,
    // since they come from the reach kept over the whole zone.
    std::map<int32_t, std::vector<LintFinding>> byRoom_;
    // The rooms holding a number unreached share one finding.
    struct Unreached {
        LintFinding finding;
        uint32_t rooms = 0;
    };
    std::map<int32_t, Unreached> unreached_;
    std::string unreachedTail_;  // the message after the number
    std::vector<std::pair<int32_t, int32_t>> outOfOrder_;  // as outOfOrder() gave it last
    size_t count_ = 0;

    LintedRooms rooms_;
    ReachTree reach_{rooms_};
    bool stale_ = false;     // a room went without a change reporting it

    int32_t anchor_ = 0;
    static constexpr int32_t kMarkedNumbers = 99999;  // a world file's numbers, 0..99998
    std::vector<unsigned char> marks_;                // all 0 between calls
    Scratch scratch_;
    uint64_t version_ = 0;
    size_t lastLinted_ = 0;
    size_t lastWalked_ = 0;
};
