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
// room before them (order). For that the list keeps, per room, the number, exits and
// position it had when last linted, and per number the rooms holding it and the exits
// leading into it.
//
// Which rooms are reached is kept the same way, as a tree of first reaches over room
// numbers (reaching a number reaches every room holding it): every reached number but
// the start has a parent, a reached number with an exit into it. Exits gained reach what
// they newly lead to by a walk over the newly reached part alone. A lost exit that was a
// tree edge looks back from the number it led to, over exits into it and into the
// numbers hanging below it, for a number whose way in does not run through it, and hangs
// the numbers on that way anew; when none is found within a bound, the subtree is let go
// and reached again through the exits into it from the rest of the tree. The whole walk
// is made again only when the start room changes or a change touches more than a
// quarter of the zone.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <unordered_map>
#include <vector>

#include "cli/zone_lint.h"
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
    static constexpr uint32_t kNone = UINT32_MAX;
    enum class Way : unsigned char { Unknown, Below, Clear };
    struct Seen {
        int32_t vnum = 0;
        std::array<int32_t, kAllDirectionCount> to{};
        std::array<int32_t, kAllDirectionCount> door{};
        std::array<int32_t, kAllDirectionCount> key{};
        int x = -1, y = -1, z = -1;
    };
    // A room as last linted, in a pool: its exit `d` is the link slot * kAllDirectionCount + d
    // in the list of exits into the number it leads to.
    struct Slot {
        const RoomDataType* room = nullptr;
        Seen seen;
        uint32_t prevHolder = kNone, nextHolder = kNone;  // the rooms with the same number
    };
    struct Number {
        uint32_t holders = kNone;  // first slot holding the number
        uint32_t into = kNone;     // first exit link into the number
        uint32_t holderCount = 0;
        int32_t parent = 0;        // reached, not the start: the number whose exit reached it
        bool reached = false;
        bool noted = false;        // in the list of numbers whose findings are made again
        // For the repair of the tree after a lost tree edge, valid while stamp is the
        // repair's: where its way in runs, whether it is looked back from, and the number
        // below the root it has an exit into.
        bool queued = false;
        Way way = Way::Unknown;
        uint32_t stamp = 0;
        int32_t via = 0;
    };
    // Per number: flat for a world file's numbers, a hash map for the rest.
    class Numbers {
    public:
        Number& at(int32_t vnum);
        const Number* find(int32_t vnum) const;
        void clear();
        template <typename F> void forEach(F&& f);
        // f(number, entry) by number, lowest first.
        template <typename F> void forEachInOrder(F&& f) const;

    private:
        static constexpr int32_t kFlat = 99999;  // a world file's numbers, 0..99998
        std::vector<Number> flat_;
        std::unordered_map<int32_t, Number> others_;
    };

    static Seen seenOf(const RoomDataType& room);
    void remember(const RoomDataType& room, const Seen& seen);
    void unremember(const RoomDataType& room);
    void unremember(std::unordered_map<const RoomDataType*, uint32_t>::iterator at);
    void linkExit(uint32_t link, int32_t to);
    void unlinkExit(uint32_t link, int32_t to);
    void linkExits(uint32_t slot);
    void unlinkExits(uint32_t slot);
    void noteNeighbours(const Seen* before, const Seen* now, std::vector<int32_t>& vnums);
    std::vector<std::pair<int32_t, int32_t>> outOfOrder() const;
    void noteOrderChanges(std::vector<int32_t>& vnums);
    void take(std::vector<LintFinding> findings);
    void relint(std::vector<int32_t>& vnums);
    ZoneInMemory zone() const { return {store_, grid_, mapFileExists_, positionsFromMapFile_}; }
    // What every room's findings depend on: the default range follows the lowest number.
    int32_t zoneAnchor() const;

    // Reach.
    struct Edge {
        int32_t from, to;
    };
    void walkAll();
    void updateReach(const std::vector<Edge>& lost, const std::vector<Edge>& gained, std::vector<int32_t>& changed);
    bool hasExit(int32_t from, int32_t to);
    void reachFrom(int32_t vnum, int32_t parent, std::vector<int32_t>& changed);
    void spreadFrom(int32_t vnum, std::vector<int32_t>* changed);
    Way wayOf(int32_t vnum, int32_t root, int& budget);
    bool rehang(int32_t root, int& budget);
    void letGoBelow(int32_t root, std::vector<int32_t>& lost);
    void noteNumber(int32_t vnum, std::vector<int32_t>& numbers);
    void refreshUnreached(std::vector<int32_t>& numbers);
    LintFinding unreachedFinding(int32_t vnum) const;
    template <typename F> void forEachExitOf(int32_t vnum, F&& f);

    // Kept between changes, so that a large one does not ask for fresh memory each time.
    struct Scratch {
        std::vector<Edge> lost, gained;
        std::vector<int32_t> holdersChanged, vnums, changed, let, queue, path, below;
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

    std::vector<Slot> slots_;
    std::vector<uint32_t> freeSlots_;
    std::unordered_map<const RoomDataType*, uint32_t> slotOf_;
    std::vector<uint32_t> prevInto_, nextInto_;  // per exit link
    Numbers numbers_;
    bool walked_ = false;    // the reach is kept from start_
    int32_t start_ = 0;
    uint32_t stamp_ = 0;     // of the last repair
    bool stale_ = false;     // a room went without a change reporting it

    int32_t anchor_ = 0;
    static constexpr int32_t kMarkedNumbers = 99999;  // a world file's numbers, 0..99998
    std::vector<unsigned char> marks_;                // all 0 between calls
    Scratch scratch_;
    uint64_t version_ = 0;
    size_t lastLinted_ = 0;
    size_t lastWalked_ = 0;
};
