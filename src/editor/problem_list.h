#pragma once
// The lint findings of the zone in memory, kept up to date as the zone changes: after a
// change only the rooms it touched and their neighbours are linted again, the whole
// zone only after a load, a New Area or a change of the options.
//
// The neighbours of a touched room are the rooms whose findings may read it: the rooms
// with its number (old and new), the rooms with an exit into either number (one-way
// exits, doors, dangling exits), the rooms beside it in the index (order) and the rooms
// in the cells beside its old and new map positions (the map's agreement with the
// exits). For that the list keeps, per room, the number, exits and position it had when
// last linted. Whether a room is reached can change with an exit anywhere: after a
// change to exits, numbers or the rooms of the zone, the unreachable rooms are found
// again by one walk over the zone.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
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
    // A record is about to be freed: nothing of it is kept.
    void forget(const RoomDataType& room);

    size_t size() const { return count_; }
    // Every finding, sorted by room number, a room's in the linter's order.
    std::vector<const LintFinding*> rows() const;
    // Counts every recompute, so that a view knows when to look again.
    uint64_t version() const { return version_; }
    // Rooms linted by the last roomsTouched (for tests and benchmarks).
    size_t lastLinted() const { return lastLinted_; }

private:
    struct Seen {
        int32_t vnum = 0;
        std::array<int32_t, kAllDirectionCount> to{};
        int x = -1, y = -1, z = -1;
    };
    static Seen seenOf(const RoomDataType& room);
    void remember(const RoomDataType& room, const Seen& seen);
    void unremember(const RoomDataType& room);
    void noteNeighbours(const Seen& seen, std::vector<int32_t>& vnums) const;
    void noteIndexNeighbours(const RoomDataType& room, std::vector<int32_t>& vnums) const;
    void take(std::vector<LintFinding> findings);
    void rewalk();
    bool mayChangeReach(const Seen& before, const Seen& now) const;
    void relint(std::vector<int32_t>& vnums);
    ZoneInMemory zone() const { return {store_, grid_, mapFileExists_, positionsFromMapFile_}; }
    // What every room's findings depend on: the default range follows the lowest number.
    int32_t zoneAnchor() const;

    const WorldStore& store_;
    const MapGrid& grid_;
    LintOptions options_;
    bool mapFileExists_ = false;
    bool positionsFromMapFile_ = false;

    // By room number; rooms without findings have no entry. The unreachable rooms apart,
    // since they come from the walk over the whole zone.
    std::map<int32_t, std::vector<LintFinding>> byRoom_;
    std::map<int32_t, std::vector<LintFinding>> unreached_;
    size_t count_ = 0;
    std::unordered_map<const RoomDataType*, Seen> seen_;
    std::unordered_map<int32_t, std::vector<int32_t>> exitsInto_;  // number -> numbers of rooms with an exit there, one per exit
    int32_t anchor_ = 0;
    static constexpr int32_t kMarkedNumbers = 99999;  // a world file's numbers, 0..99998
    std::vector<unsigned char> marks_;                // all 0 between calls
    uint64_t version_ = 0;
    size_t lastLinted_ = 0;
};
