#pragma once
// The mistakes builders make that a load does not report: exits into rooms that do not
// exist, exits that do not lead back, doors on one side only, rooms nobody reaches,
// repeated numbers, a map position file that contradicts the exits, rooms without texts,
// a trigger attached twice; and what the server that reads the files refuses or misreads:
// rooms out of number order, the end marker number, exits to room 0, texts and lines too
// long for it, room numbers above its top, flags and sectors it has no name for, blanks
// after a header's number. Diagonal exits are checked as the others, except against the
// map, which has no diagonal neighbours.
//
// Three ways in: one zone file as a load left it (lines known), several files as one
// world (exits resolved across them), and the zone an editor holds (no lines, maybe never
// saved), whole or only the rooms a change touched.
// Each check costs time linear in the rooms and exits given.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
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
    Order,            // a room whose number is below the one before it
    EndMarker,        // a room numbered 99999 or more: the server stops reading there
    ExitToZero,       // a "D" block leading to room 0, which the editor takes for no exit
    LongText,         // a text longer than LintOptions::maxText bytes
    LongLine,         // a line of a text longer than kLongestLine bytes
    RoomNumberRange,  // a room number above LintOptions::maxRoom
    UnknownFlag,      // a bitvector bit or a sector the definitions in use do not name
    TrailingBlank,    // blanks after the number of a header line
    MissingFile,      // a name a world's index lists that is no file (found by the caller)
};
constexpr int kLintCheckCount = 19;

// The longest line of a text the server reads whole; a longer one it splits, losing a byte.
constexpr size_t kLongestLine = 510;
// Where the server stops reading a file.
constexpr int32_t kEndMarkerNumber = 99999;

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
    size_t file = 0;      // in a world: which of the files given the finding is in
};

// The bits and sectors that have names: those of rmbitvec.txt and rsectype.txt, or the
// built-in sets when those files are missing.
struct FlagNames {
    uint32_t bits = 0;             // bit n set: flag bit n has a name
    std::vector<int32_t> sectors;  // ascending
};
struct BitvectorTable;
struct SectorTable;
// The names of these tables.
FlagNames flagNamesOf(const BitvectorTable& bitvectors, const SectorTable& sectors);
// The built-in sets (DARK .. GODROOM, INSIDE .. FLYING).
FlagNames builtinFlagNames();

struct LintOptions {
    // Exits into this range of numbers should lead to rooms of the file. None: from the
    // zone start (the lowest room number) to the zone start plus 99. In a world every
    // file has its own range, this one or its own default.
    std::optional<std::pair<int32_t, int32_t>> zoneRange;
    std::array<bool, kLintCheckCount> enabled = allChecks();
    size_t maxText = 8192;    // long-text: the longest text the server takes, in bytes
    int32_t maxRoom = 99998;  // room-number-range: the highest room number the server takes
    FlagNames flagNames = builtinFlagNames();
    // In a world: walk from this room over every file (unreachable-room) instead of
    // from each zone's first room over the zone.
    std::optional<int32_t> worldStart;

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
    // The header line of 99999 or more that ended the read and its number; 0 when none did.
    int endMarkerLine = 0;
    int32_t endMarkerNumber = 0;
    // How cross-file findings name this file.
    std::string name;
};

// Every finding, in file order: a room's own findings at its header line first, then
// those of its exits in the order of their "D" lines.
std::vector<LintFinding> lintZone(const LintInput& input, const LintOptions& options);

// Several files as one world: an exit into another file's room is fine, dangling-exit
// is an exit to a number no file has (the message names the file whose numbers it falls
// in), one-way-exit and door-mismatch pair rooms across files, duplicate-number names
// both files and lines; unreachable-room walks each zone from its first room, or the
// whole world from options.worldStart. Findings file by file, each in file order.
std::vector<LintFinding> lintWorld(std::span<const LintInput> files, const LintOptions& options);

// A zone as the editor holds it: no lines, maybe never saved.
struct ZoneInMemory {
    const WorldStore& store;
    const MapGrid& grid;
    bool mapFileExists = false;
    bool positionsFromMapFile = false;
};
// Every finding of the zone; line and roomLine are 0. In index order. What only a file
// shows is not looked for: exit-to-zero (in memory an exit to room 0 is no exit) and
// trailing-blank. Of the two sides of a door-mismatch the one with the lower number
// reports it (in an index in number order, the one first in the index).
std::vector<LintFinding> lintZone(const ZoneInMemory& zone, const LintOptions& options);
// Only the findings that belong to these rooms (their own and their exits'), for a live
// list that recomputes what a change touched. Cost about linear in the rooms given and
// their exits, not in the zone (a few microseconds for a room and its neighbours).
//
// A number stands for every room that holds it, so that after a change to one of two
// rooms with the same number both are looked at (in an index read in file order, those
// next to the first in the index). Of the whole-zone checks, duplicate-number is found
// here (the rooms given against the first room with their number) and so is order (a
// room against the one before it in the index); unreachable-room is not: whether a room
// is reached can change with an exit anywhere in the zone, so it comes only from
// lintZone or lintUnreachable. The findings are those lintZone gives for these rooms,
// unreachable-room left out, sorted by room number.
std::vector<LintFinding> lintRooms(const ZoneInMemory& zone, const LintOptions& options,
                                   std::span<const int32_t> rooms);
// The unreachable-room findings of the whole zone alone, as lintZone gives them: one walk
// over the exits, linear in the zone, without the other checks' work. At 99,999 rooms it
// costs about ten milliseconds (bench: BM_LintInMemory), far above what one edit may add,
// so a live list keeps the reach up to date itself; this is the whole walk to hold it
// against. lintRooms of a room and its neighbours costs a few microseconds.
std::vector<LintFinding> lintUnreachable(const ZoneInMemory& zone, const LintOptions& options);

// Lower-case direction name: "north", ..., "down", "northwest", ..., "southwest".
std::string_view directionName(int direction);
