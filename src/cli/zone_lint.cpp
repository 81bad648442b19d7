#include "cli/zone_lint.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "defs/definition_tables.h"
#include "world/newer_fields.h"

namespace {

constexpr std::array<std::string_view, kLintCheckCount> kCheckNames = {
    "dangling-exit",    "one-way-exit",  "door-mismatch", "key-without-door", "unreachable-room",
    "duplicate-number", "map-disagrees", "off-map",       "empty-text",       "duplicate-trigger",
    "order",            "end-marker",    "exit-to-zero",  "long-text",        "long-line",
    "room-number-range", "unknown-flag", "trailing-blank", "missing-file"};

constexpr std::array<std::string_view, kAllDirectionCount> kDirectionNames = {
    "north", "east", "south", "west", "up", "down", "northwest", "northeast", "southeast", "southwest"};

constexpr int kNowhere = -1;
constexpr int32_t kFlatNumbers = 99999;  // a world file's rooms are numbered 0..99998
constexpr size_t kFlatFrom = 4096;       // fewer rooms are looked up through a hash map alone

// Blanks, tabs and line breaks only: nothing a player would read.
bool blankText(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// A key of 0 or below opens nothing, whichever of the two a builder wrote.
int32_t usefulKey(int32_t key) {
    return key > 0 ? key : 0;
}

std::string doorText(const RoomExitType& exit) {
    std::string text = exit.doorFlag > 0 ? "door " + std::to_string(exit.doorFlag) : std::string("no door");
    text += usefulKey(exit.key) ? ", key " + std::to_string(exit.key) : std::string(", no key");
    return text;
}

// The longest line of a text, its line break left out.
size_t longestLine(const std::string& text) {
    size_t longest = 0;
    const char* at = text.data();
    const char* const end = at + text.size();
    while (at < end) {
        const char* brk = static_cast<const char*>(std::memchr(at, '\n', static_cast<size_t>(end - at)));
        const char* lineEnd = brk ? brk : end;
        size_t length = static_cast<size_t>(lineEnd - at);
        if (length > 0 && lineEnd[-1] == '\r') --length;
        longest = std::max(longest, length);
        at = brk ? brk + 1 : end;
    }
    return longest;
}

// The kinds of texts a room holds, for the messages.
enum class TextKind { Name, Description, ExitDescription, ExitKeywords, ExtraKeywords, ExtraDescription };

std::string textName(TextKind kind, int extra) {
    switch (kind) {
        case TextKind::Name: return "its name";
        case TextKind::Description: return "its description";
        case TextKind::ExitDescription: return "the exit's description";
        case TextKind::ExitKeywords: return "the exit's keywords";
        case TextKind::ExtraKeywords: return "the keywords of extra description " + std::to_string(extra);
        case TextKind::ExtraDescription: return "extra description " + std::to_string(extra);
    }
    return {};
}

// Calls visit(text, direction, kind, extra) for every text of the room: direction -1 for
// the room's own and its extra descriptions (extra counts these from 1).
template <typename Visit>
void forEachText(const RoomDataType& room, Visit&& visit) {
    visit(room.name, -1, TextKind::Name, 0);
    visit(room.description, -1, TextKind::Description, 0);
    const int exits = room.newer ? kAllDirectionCount : kDirectionCount;
    for (int d = 0; d < exits; ++d) {
        const RoomExitType& exit = exitDetails(room, d);
        visit(exit.description, d, TextKind::ExitDescription, 0);
        visit(exit.keywords, d, TextKind::ExitKeywords, 0);
    }
    int n = 0;
    for (const ExtraDescType* e = room.extraDescs; e; e = e->next) {
        ++n;
        visit(e->keywords, -1, TextKind::ExtraKeywords, n);
        visit(e->description, -1, TextKind::ExtraDescription, n);
    }
}

// What the checks read of a room, packed: following an exit to the room at its other
// end then touches one cache line (its numbers, doors and position) or two (its keys)
// instead of the scattered fields of a record.
struct alignas(64) RoomFacts {
    int32_t vnum = 0;
    std::array<int32_t, kAllDirectionCount> to{};
    std::array<int8_t, kAllDirectionCount> door{};
    int8_t x = -1, y = -1, z = -1;  // map position; -1 off the map
    bool noName = false, noDescription = false;
    bool diagonals = false;          // has an exit northwest..southwest
    bool repeatedTrigger = false;    // a trigger attached twice
    bool textTrouble = false;        // a text or a line of one too long
    bool unknownFlag = false;        // a flag bit or the sector without a name
    std::array<int32_t, kAllDirectionCount> key{};  // 0 when the key opens nothing
};

void exitFacts(RoomFacts& facts, int d, int32_t to, const RoomExitType& exit) {
    const size_t at = static_cast<size_t>(d);
    facts.to[at] = to;
    // A missing exit's fields are never looked at; reading them would only fill the cache.
    if (to == 0) return;
    facts.key[at] = usefulKey(exit.key);
    // Door flags are 0..2 in a file; anything else only needs to stay unequal to them.
    facts.door[at] = static_cast<int8_t>(std::clamp<int32_t>(exit.doorFlag, -1, 3));
}

bool repeats(std::vector<int32_t> numbers) {
    std::sort(numbers.begin(), numbers.end());
    return std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end();
}

bool namedSector(const FlagNames& names, int32_t sector) {
    return std::binary_search(names.sectors.begin(), names.sectors.end(), sector);
}

bool textTooLong(const std::string& text, const LintOptions& options) {
    return text.size() > options.maxText || (text.size() > kLongestLine && longestLine(text) > kLongestLine);
}

RoomFacts factsOf(const RoomDataType& room, const LintOptions& options) {
    RoomFacts facts;
    facts.vnum = room.vnum;
    for (int d = 0; d < kDirectionCount; ++d)
        exitFacts(facts, d, room.exitTo[static_cast<size_t>(d)], room.exits[static_cast<size_t>(d)]);
    if (room.newer) {
        for (int d = kDirectionCount; d < kAllDirectionCount; ++d) {
            exitFacts(facts, d, exitDestination(room, d), exitDetails(room, d));
            facts.diagonals = facts.diagonals || facts.to[static_cast<size_t>(d)] != 0;
        }
        facts.repeatedTrigger = roomTriggers(room).size() > 1 && repeats(roomTriggers(room));
    }
    facts.noName = blankText(room.name);
    facts.noDescription = blankText(room.description);
    if (room.onMap() && insideMap(room.mapX, room.mapY, room.mapZ)) {
        facts.x = static_cast<int8_t>(room.mapX);
        facts.y = static_cast<int8_t>(room.mapY);
        facts.z = static_cast<int8_t>(room.mapZ);
    }
    if (options.runs(LintCheck::LongText) || options.runs(LintCheck::LongLine))
        forEachText(room, [&](const std::string& text, int, TextKind, int) {
            facts.textTrouble = facts.textTrouble || textTooLong(text, options);
        });
    facts.unknownFlag = (static_cast<uint32_t>(room.bitvector) & ~options.flagNames.bits) != 0 ||
                        !namedSector(options.flagNames, room.sectorType);
    return facts;
}

// The rooms by number: the first room holding a number and, from each room, the next
// one with the same number (a world read without the order check, or several files,
// may repeat one).
class RoomsByNumber {
public:
    explicit RoomsByNumber(const std::vector<RoomFacts>& rooms) : next_(rooms.size(), kNowhere) {
        if (rooms.size() >= kFlatFrom) flat_.assign(kFlatNumbers, kNowhere);
        std::unordered_map<int32_t, int> last;  // for repeated numbers only
        for (size_t i = 0; i < rooms.size(); ++i) {
            const int position = static_cast<int>(i);
            const int32_t vnum = rooms[i].vnum;
            int* first = slot(vnum);
            if (*first == kNowhere) {
                *first = position;
                continue;
            }
            // Chain the repeat after the last room with this number.
            int& tail = last.try_emplace(vnum, *first).first->second;
            next_[static_cast<size_t>(tail)] = position;
            tail = position;
        }
    }

    // Position of the first room with this number; kNowhere when none.
    int first(int32_t vnum) const {
        if (flat(vnum)) return flat_[static_cast<size_t>(vnum)];
        const auto it = others_.find(vnum);
        return it == others_.end() ? kNowhere : it->second;
    }
    int next(int position) const { return next_[static_cast<size_t>(position)]; }

private:
    bool flat(int32_t vnum) const { return !flat_.empty() && vnum >= 0 && vnum < kFlatNumbers; }
    int* slot(int32_t vnum) {
        if (flat(vnum)) return &flat_[static_cast<size_t>(vnum)];
        return &others_.try_emplace(vnum, kNowhere).first->second;
    }

    std::vector<int> flat_;
    std::unordered_map<int32_t, int> others_;
    std::vector<int> next_;
};

// One file of a world, or the zone in memory.
struct Zone {
    const WorldStore* store = nullptr;
    const MapGrid* grid = nullptr;
    bool mapFileExists = false;
    bool positionsFromMapFile = false;
    std::pair<int32_t, int32_t> range{0, 99};
    std::string name;
    int endMarkerLine = 0;
    int32_t endMarkerNumber = 0;
};

// One room to look at, or to look up only.
struct Entry {
    const RoomDataType* room = nullptr;
    const RoomLines* lines = nullptr;  // none in memory
    int zone = 0;
    bool lint = true;                   // false: only there for exits into it
    std::optional<int32_t> before;      // the number of the room before it in the file or index
};

std::pair<int32_t, int32_t> defaultRange(int32_t low) {
    return {low, low > INT32_MAX - 99 ? INT32_MAX : low + 99};
}

enum class Walk { None, PerZone, World };

class Linter {
public:
    Linter(std::vector<Zone> zones, std::vector<Entry> entries, const LintOptions& options, bool memory, Walk walk)
        : zones_(std::move(zones)), entries_(std::move(entries)), options_(options), memory_(memory) {
        facts_.reserve(entries_.size());
        for (const Entry& e : entries_) facts_.push_back(factsOf(*e.room, options));
        byNumber_.emplace(facts_);
        if (walk != Walk::None && options.runs(LintCheck::UnreachableRoom)) walkExits(walk);
    }

    // Zone by zone (the entries of a zone stand together, in zone order), each zone's
    // rooms in order and then what its file shows after them.
    std::vector<LintFinding> run() {
        size_t i = 0;
        for (size_t z = 0; z < zones_.size(); ++z) {
            for (; i < entries_.size() && entries_[i].zone == static_cast<int>(z); ++i)
                if (entries_[i].lint) lintRoom(static_cast<int>(i));
            endOfZone(static_cast<int>(z));
        }
        return std::move(findings_);
    }

private:
    const RoomDataType& room(int position) const { return *entries_[static_cast<size_t>(position)].room; }
    const RoomFacts& facts(int position) const { return facts_[static_cast<size_t>(position)]; }
    const Entry& entry(int position) const { return entries_[static_cast<size_t>(position)]; }
    const Zone& zoneOf(int position) const { return zones_[static_cast<size_t>(entry(position).zone)]; }
    bool world() const { return zones_.size() > 1; }

    // Marks every room a walk over exits reaches: per zone from its first room over its
    // own rooms, or over the world from the start room. Reaching a number reaches every
    // room that holds it (of the zone walked).
    void walkExits(Walk walk) {
        reached_.assign(entries_.size(), 0);
        std::vector<int> queue;
        queue.reserve(entries_.size());
        auto reach = [&](int32_t vnum, int zone) {
            for (int p = byNumber_->first(vnum); p != kNowhere; p = byNumber_->next(p)) {
                if (reached_[static_cast<size_t>(p)] || (zone >= 0 && entry(p).zone != zone)) continue;
                reached_[static_cast<size_t>(p)] = 1;
                queue.push_back(p);
            }
        };
        auto walkFrom = [&](int32_t start, int zone) {
            queue.clear();
            reach(start, zone);
            for (size_t at = 0; at < queue.size(); ++at)
                for (int32_t to : facts(queue[at]).to)
                    if (to != 0) reach(to, zone);
        };
        firstRooms_.assign(zones_.size(), std::nullopt);
        if (walk == Walk::World) {
            if (options_.worldStart) walkFrom(*options_.worldStart, -1);
            return;
        }
        for (size_t z = 0; z < zones_.size(); ++z) {
            const RoomIndexNode* first = zones_[z].store ? zones_[z].store->first() : nullptr;
            if (!first) continue;
            firstRooms_[z] = first->room->vnum;
            walkFrom(first->room->vnum, static_cast<int>(z));
        }
    }

    LintFinding& add(LintCheck check, int position, int direction, std::string message) {
        const RoomLines* lines = entry(position).lines;
        LintFinding finding;
        finding.check = check;
        finding.roomLine = lines ? lines->header : 0;
        finding.line = !lines ? 0
                       : direction >= 0 && lines->exits[static_cast<size_t>(direction)] > 0
                           ? lines->exits[static_cast<size_t>(direction)]
                           : lines->header;
        finding.room = facts(position).vnum;
        finding.direction = direction;
        finding.message = std::move(message);
        finding.file = static_cast<size_t>(entry(position).zone);
        findings_.push_back(std::move(finding));
        return findings_.back();
    }
    bool runs(LintCheck check) const { return options_.runs(check); }

    std::string roomPrefix(int position) const {
        return "room " + std::to_string(facts(position).vnum) + ": ";
    }

    std::string exitPrefix(int position, int direction) const {
        const RoomLines* lines = entry(position).lines;
        return "room " + std::to_string(facts(position).vnum) +
               (lines ? " (line " + std::to_string(lines->header) + ")" : std::string()) + ", exit " +
               std::string(kDirectionNames[static_cast<size_t>(direction)]) + ": ";
    }

    // " of b.wld" for a room of another file of the world than the one at position.
    std::string elsewhere(int position, int other) const {
        if (entry(position).zone == entry(other).zone) return {};
        return " of " + zoneOf(other).name;
    }

    // What the file shows after its last room: the header that stopped the read.
    void endOfZone(int zone) {
        const Zone& z = zones_[static_cast<size_t>(zone)];
        if (!z.endMarkerLine || !runs(LintCheck::EndMarker)) return;
        LintFinding finding;
        finding.check = LintCheck::EndMarker;
        finding.line = finding.roomLine = z.endMarkerLine;
        finding.room = z.endMarkerNumber;
        finding.file = static_cast<size_t>(zone);
        finding.message = "room " + std::to_string(z.endMarkerNumber) +
                          ": the server stops reading the file at a room numbered 99999 or more, as this "
                          "load did: this room and everything after it are lost";
        findings_.push_back(std::move(finding));
    }

    void lintRoom(int position) {
        const RoomFacts& r = facts(position);
        const Entry& e = entry(position);
        const Zone& zone = zoneOf(position);
        const int head = byNumber_->first(r.vnum);
        if (head != position && runs(LintCheck::DuplicateNumber)) {
            const RoomLines* other = entry(head).lines;
            add(LintCheck::DuplicateNumber, position, -1,
                roomPrefix(position) + "its number is already used by " +
                    (other ? "the room at line " + std::to_string(other->header) : std::string("another room")) +
                    elsewhere(position, head));
        }
        if (e.before && *e.before > r.vnum && zone.store && !zone.store->sorted() && runs(LintCheck::Order))
            add(LintCheck::Order, position, -1,
                roomPrefix(position) + "comes after room " + std::to_string(*e.before) +
                    "; the server looks rooms up by binary search and may miss rooms out of number order");
        if (r.vnum >= kEndMarkerNumber && runs(LintCheck::EndMarker))
            add(LintCheck::EndMarker, position, -1,
                roomPrefix(position) +
                    "the server stops reading the file at a room numbered 99999 or more: this room and "
                    "every room after it are lost to it");
        else if (r.vnum > options_.maxRoom && runs(LintCheck::RoomNumberRange))
            add(LintCheck::RoomNumberRange, position, -1,
                roomPrefix(position) + "its number is above " + std::to_string(options_.maxRoom) +
                    ", the highest room number the server takes");
        if (e.lines && e.lines->headerTrailingBlanks && runs(LintCheck::TrailingBlank))
            add(LintCheck::TrailingBlank, position, -1,
                roomPrefix(position) +
                    "blanks follow the number on its header line; the server reads them, the editor "
                    "writes the line without them");
        if (r.noName && runs(LintCheck::EmptyText))
            add(LintCheck::EmptyText, position, -1, roomPrefix(position) + "has no name");
        if (r.noDescription && runs(LintCheck::EmptyText))
            add(LintCheck::EmptyText, position, -1, roomPrefix(position) + "has no description");
        if (!reached_.empty() && !reached_[static_cast<size_t>(position)]) lintUnreached(position);
        if (zone.mapFileExists && !(zone.positionsFromMapFile && r.x >= 1) && runs(LintCheck::OffMap))
            add(LintCheck::OffMap, position, -1,
                roomPrefix(position) + "the map position file does not place it");
        if (r.unknownFlag && runs(LintCheck::UnknownFlag)) lintFlags(position);
        if (r.repeatedTrigger && runs(LintCheck::DuplicateTrigger)) lintTriggers(position);
        if (r.textTrouble) lintTexts(position, -1);

        // The exits in the order of their "D" lines; a file's blocks leading to room 0 too.
        std::array<int, kAllDirectionCount> order{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        const size_t exits = r.diagonals || e.lines ? kAllDirectionCount : kDirectionCount;
        if (e.lines) {
            const auto& exitLines = e.lines->exits;
            for (size_t i = 1; i < exits; ++i)  // at most ten entries: insertion sort, stable, no allocation
                for (size_t j = i; j > 0 && exitLines[static_cast<size_t>(order[j])] <
                                                exitLines[static_cast<size_t>(order[j - 1])];
                     --j)
                    std::swap(order[j], order[j - 1]);
        }
        for (size_t i = 0; i < exits; ++i) {
            const int d = order[i];
            if (r.to[static_cast<size_t>(d)] != 0)
                lintExit(position, d);
            else if (e.lines && e.lines->exits[static_cast<size_t>(d)] > 0 && runs(LintCheck::ExitToZero))
                add(LintCheck::ExitToZero, position, d,
                    exitPrefix(position, d) +
                        "leads to room 0, which the editor takes for no exit: the exit is left out when the "
                        "zone is saved");
        }
    }

    void lintUnreached(int position) {
        const std::optional<int32_t> start =
            options_.worldStart && world() ? options_.worldStart : firstRooms_[static_cast<size_t>(entry(position).zone)];
        if (!start) return;
        add(LintCheck::UnreachableRoom, position, -1,
            roomPrefix(position) + "no walk over exits from room " + std::to_string(*start) +
                (options_.worldStart && world() ? ", the world's start room" : ", the zone's first room") +
                ", reaches it");
    }

    // The flag bits and the sector the definitions in use do not name.
    void lintFlags(int position) {
        const RoomDataType& r = room(position);
        const uint32_t unnamed = static_cast<uint32_t>(r.bitvector) & ~options_.flagNames.bits;
        if (unnamed) {
            static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEF";
            std::string bits;
            for (int bit = 0; bit < 32; ++bit) {
                if (!(unnamed >> bit & 1u)) continue;
                if (!bits.empty()) bits += ", ";
                bits += kLetters[bit];
                bits += " (" + std::to_string(uint32_t{1} << bit) + ")";
            }
            add(LintCheck::UnknownFlag, position, -1,
                roomPrefix(position) + "the bitvector definitions in use name no flag " + bits);
        }
        if (!namedSector(options_.flagNames, r.sectorType))
            add(LintCheck::UnknownFlag, position, -1,
                roomPrefix(position) + "the sector definitions in use name no sector " +
                    std::to_string(r.sectorType));
    }

    // Texts the server refuses (the whole file) or reads wrong (a line split in two).
    // direction -1: the room's own texts and its extra descriptions; else one exit's.
    void lintTexts(int position, int direction) {
        forEachText(room(position), [&](const std::string& text, int d, TextKind kind, int extra) {
            if (d != direction) return;
            const std::string what = (d >= 0 ? exitPrefix(position, d) : roomPrefix(position)) + textName(kind, extra);
            if (text.size() > options_.maxText && runs(LintCheck::LongText))
                add(LintCheck::LongText, position, d,
                    what + " is " + std::to_string(text.size()) +
                        " bytes long; the server refuses a file with a text over " +
                        std::to_string(options_.maxText) + " bytes");
            const size_t longest = text.size() > kLongestLine ? longestLine(text) : 0;
            if (longest > kLongestLine && runs(LintCheck::LongLine))
                add(LintCheck::LongLine, position, d,
                    what + " has a line of " + std::to_string(longest) +
                        " bytes; the server reads at most 510 and splits a longer line, losing a byte");
        });
    }

    // A trigger attached twice runs twice, which is hardly ever meant.
    void lintTriggers(int position) {
        std::vector<int32_t> sorted = roomTriggers(room(position));
        std::sort(sorted.begin(), sorted.end());
        for (size_t i = 0; i < sorted.size();) {
            size_t j = i + 1;
            while (j < sorted.size() && sorted[j] == sorted[i]) ++j;
            if (j - i > 1)
                add(LintCheck::DuplicateTrigger, position, -1,
                    roomPrefix(position) + "trigger " + std::to_string(sorted[i]) + " is attached " +
                        std::to_string(j - i) + " times");
            i = j;
        }
    }

    // The file whose numbers hold vnum: ", which falls in the numbers 4300-4399 of b.wld".
    std::string fallsIn(int32_t vnum) const {
        for (const Zone& z : zones_)
            if (vnum >= z.range.first && vnum <= z.range.second)
                return " (it falls in the numbers " + std::to_string(z.range.first) + "-" +
                       std::to_string(z.range.second) + " of " + z.name + ")";
        return " (it falls in no file's numbers)";
    }

    void lintDangling(int position, int d, int32_t to) {
        if (!runs(LintCheck::DanglingExit)) return;
        if (world()) {
            add(LintCheck::DanglingExit, position, d,
                exitPrefix(position, d) + "leads to " + std::to_string(to) + ", which no room of the world has" +
                    fallsIn(to));
            return;
        }
        const auto& range = zoneOf(position).range;
        if (to >= range.first && to <= range.second)
            add(LintCheck::DanglingExit, position, d,
                exitPrefix(position, d) + "leads to " + std::to_string(to) + ", inside the zone's numbers " +
                    std::to_string(range.first) + "-" + std::to_string(range.second) + ", but no room of " +
                    (memory_ ? "the zone" : "the file") + " has that number");
    }

    void lintExit(int position, int d) {
        const RoomFacts& from = facts(position);
        const size_t here = static_cast<size_t>(d);
        const size_t back = static_cast<size_t>(reverseDirection(d));
        const int32_t to = from.to[here];
        const int target = byNumber_->first(to);
        // Messages are built only for findings: a clean zone of many exits builds none.
        const auto prefix = [&] { return exitPrefix(position, d); };
        const auto backName = [&] { return std::string(kDirectionNames[back]); };

        if (target == kNowhere) {
            lintDangling(position, d, to);
        } else {
            const RoomFacts& other = facts(target);
            const int32_t returnTo = other.to[back];
            if (returnTo != from.vnum) {
                if (runs(LintCheck::OneWayExit))
                    add(LintCheck::OneWayExit, position, d,
                        prefix() + "leads to " + std::to_string(to) + elsewhere(position, target) +
                            (returnTo == 0 ? ", which has no exit " + backName() + " back"
                                           : ", whose exit " + backName() + " leads to " +
                                                 std::to_string(returnTo) + ", not back here"));
            } else if (from.door[here] != other.door[back] || from.key[here] != other.key[back]) {
                // Both sides exist: the pair is reported once, at the side met first in the
                // files (in memory, at the side with the lower number).
                const bool reportHere =
                    memory_ ? from.vnum < to || (from.vnum == to && here < back)
                            : position < target || (position == target && here < back);
                if (reportHere && runs(LintCheck::DoorMismatch))
                    add(LintCheck::DoorMismatch, position, d,
                        prefix() + doorText(exitDetails(room(position), d)) + ", but the way back from " +
                            std::to_string(to) + elsewhere(position, target) + " (exit " + backName() +
                            ") has " + doorText(exitDetails(room(target), reverseDirection(d))));
            }
        }
        if (from.door[here] == 0 && from.key[here] != 0 && runs(LintCheck::KeyWithoutDoor))
            add(LintCheck::KeyWithoutDoor, position, d,
                prefix() + "has key " + std::to_string(exitDetails(room(position), d).key) + " but no door");
        // The map has no diagonal neighbours to hold against a diagonal exit.
        if (zoneOf(position).positionsFromMapFile && from.x >= 1 && d < kDirectionCount &&
            runs(LintCheck::MapDisagrees))
            lintExitOnMap(position, d, target);
        if (from.textTrouble) lintTexts(position, d);
    }

    // The exit against the map: the room next to this one in the exit's direction should
    // be the one the exit leads to, and a placed room of the zone the exit leads to
    // should lie there.
    void lintExitOnMap(int position, int d, int target) {
        const RoomFacts& from = facts(position);
        const int32_t to = from.to[static_cast<size_t>(d)];
        const MapStep step = directionStep(d);
        const int x = from.x + step.dx, y = from.y + step.dy, z = from.z + step.dz;
        const MapGrid& grid = *zoneOf(position).grid;
        const RoomDataType* neighbour = insideMap(x, y, z) ? grid.cellAt(x, y, z) : nullptr;
        const auto where = [&] { return std::string(kDirectionNames[static_cast<size_t>(d)]); };
        if (neighbour) {
            // The same record is the same room; a different record may still hold the number.
            const bool expected = target != kNowhere && neighbour == entry(target).room;
            if (!expected && neighbour->vnum != to)
                add(LintCheck::MapDisagrees, position, d,
                    exitPrefix(position, d) + "leads to " + std::to_string(to) +
                        ", but the map places room " + std::to_string(neighbour->vnum) + " " + where() +
                        " of it");
            return;
        }
        if (target == kNowhere || entry(target).zone != entry(position).zone) return;
        const RoomFacts& other = facts(target);
        if (other.x >= 1)
            add(LintCheck::MapDisagrees, position, d,
                exitPrefix(position, d) + "leads to " + std::to_string(to) + ", which the map places at " +
                    std::to_string(other.x) + ", " + std::to_string(other.y) + ", " +
                    std::to_string(other.z) + ", not next to it to the " + where());
    }

    std::vector<Zone> zones_;
    std::vector<Entry> entries_;
    const LintOptions& options_;
    bool memory_ = false;
    std::vector<RoomFacts> facts_;  // parallel to entries_
    std::optional<RoomsByNumber> byNumber_;
    std::vector<char> reached_;  // empty when the walk is not wanted
    std::vector<std::optional<int32_t>> firstRooms_;
    std::vector<LintFinding> findings_;
};

Zone zoneOfFile(const LintInput& input, const LintOptions& options) {
    Zone zone{&input.store, &input.grid, input.mapFileExists, input.positionsFromMapFile, {}, {}, 0, 0};
    int32_t low = input.rooms.empty() ? 0 : INT32_MAX;
    for (const RoomLines& r : input.rooms) low = std::min(low, r.room->vnum);
    zone.range = options.zoneRange ? *options.zoneRange : defaultRange(low);
    zone.name = input.name;
    zone.endMarkerLine = input.endMarkerLine;
    zone.endMarkerNumber = input.endMarkerNumber;
    return zone;
}

Zone zoneInMemory(const ZoneInMemory& memory, const LintOptions& options) {
    Zone zone{&memory.store, &memory.grid, memory.mapFileExists, memory.positionsFromMapFile, {}, {}, 0, 0};
    zone.range = options.zoneRange ? *options.zoneRange : defaultRange(memory.store.lowestVnum());
    return zone;
}

// A set of room numbers: a flat one for a world file's numbers when many are expected.
class NumberSet {
public:
    explicit NumberSet(size_t expected) {
        if (expected >= kFlatFrom) flat_.assign(kFlatNumbers, 0);
    }
    // Whether vnum was new to the set.
    bool insert(int32_t vnum) {
        if (!flat_.empty() && vnum >= 0 && vnum < kFlatNumbers) return !std::exchange(flat_[static_cast<size_t>(vnum)], 1);
        return others_.insert(vnum).second;
    }
    bool contains(int32_t vnum) const {
        if (!flat_.empty() && vnum >= 0 && vnum < kFlatNumbers) return flat_[static_cast<size_t>(vnum)] != 0;
        return others_.count(vnum) > 0;
    }

private:
    std::vector<char> flat_;
    std::unordered_set<int32_t> others_;
};

Entry entryOf(const RoomIndexNode* node, bool lint) {
    Entry e{node->room.get(), nullptr, 0, lint, std::nullopt};
    if (node->prev) e.before = node->prev->vnum;
    return e;
}

}  // namespace

std::string_view lintCheckName(LintCheck check) {
    return kCheckNames[static_cast<size_t>(check)];
}

std::optional<LintCheck> lintCheckByName(std::string_view name) {
    for (int i = 0; i < kLintCheckCount; ++i)
        if (kCheckNames[static_cast<size_t>(i)] == name) return static_cast<LintCheck>(i);
    return std::nullopt;
}

std::string_view directionName(int direction) {
    return kDirectionNames[static_cast<size_t>(direction)];
}

FlagNames flagNamesOf(const BitvectorTable& bitvectors, const SectorTable& sectors) {
    FlagNames names;
    for (int slot = 1; slot <= bitvectors.count && slot <= kTableSlots; ++slot)
        if (BitvectorTable::inUse(bitvectors.values[static_cast<size_t>(slot)]))
            names.bits |= static_cast<uint32_t>(bitvectors.values[static_cast<size_t>(slot)]);
    for (int slot = 1; slot <= sectors.count && slot <= kTableSlots; ++slot)
        if (SectorTable::inUse(sectors.values[static_cast<size_t>(slot)]))
            names.sectors.push_back(sectors.values[static_cast<size_t>(slot)]);
    std::sort(names.sectors.begin(), names.sectors.end());
    return names;
}

FlagNames builtinFlagNames() {
    static const FlagNames builtin = [] {
        BitvectorTable bitvectors;
        SectorTable sectors;
        setBuiltinBitvectors(bitvectors);
        setBuiltinSectors(sectors);
        return flagNamesOf(bitvectors, sectors);
    }();
    return builtin;
}

std::vector<LintFinding> lintZone(const LintInput& input, const LintOptions& options) {
    return lintWorld(std::span<const LintInput>(&input, 1), options);
}

std::vector<LintFinding> lintWorld(std::span<const LintInput> files, const LintOptions& options) {
    std::vector<Zone> zones;
    std::vector<Entry> entries;
    size_t rooms = 0;
    for (const LintInput& file : files) rooms += file.rooms.size();
    entries.reserve(rooms);
    for (const LintInput& file : files) {
        const int zone = static_cast<int>(zones.size());
        zones.push_back(zoneOfFile(file, options));
        std::optional<int32_t> before;
        for (const RoomLines& r : file.rooms) {
            entries.push_back({r.room, &r, zone, true, before});
            before = r.room->vnum;
        }
    }
    const Walk walk = options.worldStart && files.size() > 1 ? Walk::World : Walk::PerZone;
    return Linter(std::move(zones), std::move(entries), options, false, walk).run();
}

std::vector<LintFinding> lintZone(const ZoneInMemory& zone, const LintOptions& options) {
    std::vector<Entry> entries;
    entries.reserve(zone.store.size());
    for (const RoomIndexNode* node = zone.store.first(); node; node = node->next) entries.push_back(entryOf(node, true));
    return Linter({zoneInMemory(zone, options)}, std::move(entries), options, true, Walk::PerZone).run();
}

std::vector<LintFinding> lintRooms(const ZoneInMemory& zone, const LintOptions& options,
                                   std::span<const int32_t> rooms) {
    std::vector<int32_t> numbers(rooms.begin(), rooms.end());
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    // The rooms given, every one holding each number, the first of them first (so that a
    // repeat is told from the first); then the first room of each number their exits
    // lead to, to be looked up only.
    std::vector<Entry> entries;
    NumberSet present(numbers.size());
    if (zone.store.sorted()) {
        for (int32_t vnum : numbers) {
            const RoomIndexNode* node = zone.store.findByVnum(vnum);
            if (!node) continue;
            present.insert(vnum);
            for (; node && node->vnum == vnum; node = node->next) entries.push_back(entryOf(node, true));
        }
    } else {
        // Out of number order the rooms with one number may stand apart: the whole index
        // is read once, in its order.
        NumberSet wanted(numbers.size());
        for (int32_t vnum : numbers) wanted.insert(vnum);
        for (const RoomIndexNode* node = zone.store.first(); node; node = node->next)
            if (wanted.contains(node->vnum)) {
                present.insert(node->vnum);
                entries.push_back(entryOf(node, true));
            }
    }
    const size_t given = entries.size();
    for (size_t i = 0; i < given; ++i)
        for (int d = 0; d < kAllDirectionCount; ++d) {
            const int32_t to = exitDestination(*entries[i].room, d);
            if (to == 0 || !present.insert(to)) continue;
            if (const RoomIndexNode* node = zone.store.findByVnum(to)) entries.push_back(entryOf(node, false));
        }
    return Linter({zoneInMemory(zone, options)}, std::move(entries), options, true, Walk::None).run();
}

std::vector<LintFinding> lintUnreachable(const ZoneInMemory& zone, const LintOptions& options) {
    std::vector<LintFinding> findings;
    const RoomIndexNode* first = zone.store.first();
    if (!first || !options.runs(LintCheck::UnreachableRoom)) return findings;
    // Reached numbers: flat for a file's numbers, a set for the rest.
    std::vector<char> flat(kFlatNumbers, 0);
    std::unordered_set<int32_t> others;
    const auto mark = [&](int32_t vnum) {
        if (vnum >= 0 && vnum < kFlatNumbers) return !std::exchange(flat[static_cast<size_t>(vnum)], 1);
        return others.insert(vnum).second;
    };
    const auto reached = [&](int32_t vnum) {
        return vnum >= 0 && vnum < kFlatNumbers ? flat[static_cast<size_t>(vnum)] != 0 : others.count(vnum) > 0;
    };
    // Reaching a number reaches every room holding it. Out of number order those may
    // stand apart in the index: then they are gathered first.
    std::unordered_map<int32_t, std::vector<const RoomDataType*>> scattered;
    if (!zone.store.sorted())
        for (const RoomIndexNode* node = zone.store.first(); node; node = node->next)
            scattered[node->vnum].push_back(node->room.get());
    std::vector<const RoomDataType*> queue;
    const auto reach = [&](int32_t vnum) {
        if (!mark(vnum)) return;
        if (!zone.store.sorted()) {
            if (const auto it = scattered.find(vnum); it != scattered.end())
                queue.insert(queue.end(), it->second.begin(), it->second.end());
            return;
        }
        for (const RoomIndexNode* node = zone.store.findByVnum(vnum); node && node->vnum == vnum; node = node->next)
            queue.push_back(node->room.get());
    };
    const int32_t start = first->room->vnum;
    reach(start);
    for (size_t at = 0; at < queue.size(); ++at)
        for (int d = 0; d < kAllDirectionCount; ++d) {
            if (d >= kDirectionCount && !queue[at]->newer) break;
            if (const int32_t to = exitDestination(*queue[at], d)) reach(to);
        }
    for (const RoomIndexNode* node = zone.store.first(); node; node = node->next)
        if (!reached(node->vnum)) {
            LintFinding finding;
            finding.check = LintCheck::UnreachableRoom;
            finding.room = node->vnum;
            finding.message = "room " + std::to_string(node->vnum) + ": no walk over exits from room " +
                              std::to_string(start) + ", the zone's first room, reaches it";
            findings.push_back(std::move(finding));
        }
    return findings;
}
