#pragma once
// The mistakes builders make that a load does not report: exits into rooms that do not
// exist, exits that do not lead back, doors on one side only, rooms nobody reaches,
// repeated numbers, a map position file that contradicts the exits, rooms without texts,
// a trigger attached twice. Diagonal exits are checked as the others, except against the
// map, which has no diagonal neighbours.
// Each check costs time linear in the rooms and exits of the zone.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "map/map_model.h"
#include "wldfile/room_lines.h"
#include "world/world_store.h"

enum class LintCheck {
    DanglingExit,
    OneWayExit,
    DoorMismatch,
    KeyWithoutDoor,
    UnreachableRoom,
    DuplicateNumber,
    MapDisagrees,
    OffMap,
    EmptyText,
    DuplicateTrigger,
};
constexpr int kLintCheckCount = 10;

// The short name shown in brackets ("dangling-exit", ...).
std::string_view lintCheckName(LintCheck check);
std::optional<LintCheck> lintCheckByName(std::string_view name);

struct LintFinding {
    LintCheck check = LintCheck::DanglingExit;
    int line = 0;         // the exit's "D" line for a finding about one exit, else the room's header line
    int roomLine = 0;     // the room's "#" header line
    int32_t room = 0;     // the room's number
    int direction = -1;   // the exit's direction; -1 for a finding about the whole room
    std::string message;  // without the check name
};

struct LintOptions {
    // Exits into this range of numbers should lead to rooms of the file. None: from the
    // zone start (the lowest room number) to the zone start plus 99.
    std::optional<std::pair<int32_t, int32_t>> zoneRange;
    std::array<bool, kLintCheckCount> enabled = allChecks();

    bool runs(LintCheck check) const { return enabled[static_cast<size_t>(check)]; }
    static std::array<bool, kLintCheckCount> allChecks() {
        std::array<bool, kLintCheckCount> all{};
        all.fill(true);
        return all;
    }
};

// What a load left for the checks.
struct LintInput {
    const WorldStore& store;
    const MapGrid& grid;
    const RoomLineLog& rooms;  // every room of the store, in file order
    // Whether the world file has a map position file, and whether the positions on the
    // grid are the ones it gave (rather than the automatic layout's or none).
    bool mapFileExists = false;
    bool positionsFromMapFile = false;
};

// Every finding, in file order: a room's own findings at its header line first, then
// those of its exits in the order of their "D" lines.
std::vector<LintFinding> lintZone(const LintInput& input, const LintOptions& options);

// Lower-case direction name: "north", ..., "down", "northwest", ..., "southwest".
std::string_view directionName(int direction);
