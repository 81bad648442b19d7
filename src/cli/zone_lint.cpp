#include "cli/zone_lint.h"

#include <algorithm>
#include <unordered_map>

#include "world/newer_fields.h"

namespace {

constexpr std::array<std::string_view, kLintCheckCount> kCheckNames = {
    "dangling-exit",    "one-way-exit",  "door-mismatch", "key-without-door", "unreachable-room",
    "duplicate-number", "map-disagrees", "off-map",       "empty-text",       "duplicate-trigger"};

constexpr std::array<std::string_view, kAllDirectionCount> kDirectionNames = {
    "north", "east", "south", "west", "up", "down", "northwest", "northeast", "southeast", "southwest"};

constexpr int kNowhere = -1;
constexpr int32_t kFlatNumbers = 99999;  // a world file's rooms are numbered 0..99998

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

RoomFacts factsOf(const RoomDataType& room) {
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
    return facts;
}

// The rooms of the log by number: the first room holding a number and, from each room,
// the next one with the same number (a world read without the order check may repeat one).
class RoomsByNumber {
public:
    explicit RoomsByNumber(const std::vector<RoomFacts>& rooms) : next_(rooms.size(), kNowhere) {
        flat_.assign(kFlatNumbers, kNowhere);
        std::vector<int> lastAt;  // parallel to flat_, filled lazily for repeated numbers only
        std::unordered_map<int32_t, int> lastOther;
        for (size_t i = 0; i < rooms.size(); ++i) {
            const int position = static_cast<int>(i);
            const int32_t vnum = rooms[i].vnum;
            int* first = slot(vnum);
            if (*first == kNowhere) {
                *first = position;
                continue;
            }
            // Chain the repeat after the last room with this number.
            int* last = nullptr;
            if (vnum >= 0 && vnum < kFlatNumbers) {
                if (lastAt.empty()) lastAt.assign(kFlatNumbers, kNowhere);
                last = &lastAt[static_cast<size_t>(vnum)];
            } else {
                last = &lastOther.try_emplace(vnum, kNowhere).first->second;
            }
            next_[static_cast<size_t>(*last == kNowhere ? *first : *last)] = position;
            *last = position;
        }
    }

    // File position of the first room with this number; kNowhere when none.
    int first(int32_t vnum) const {
        if (vnum >= 0 && vnum < kFlatNumbers) return flat_[static_cast<size_t>(vnum)];
        const auto it = others_.find(vnum);
        return it == others_.end() ? kNowhere : it->second;
    }
    int next(int position) const { return next_[static_cast<size_t>(position)]; }

private:
    int* slot(int32_t vnum) {
        if (vnum >= 0 && vnum < kFlatNumbers) return &flat_[static_cast<size_t>(vnum)];
        return &others_.try_emplace(vnum, kNowhere).first->second;
    }

    std::vector<int> flat_;
    std::unordered_map<int32_t, int> others_;
    std::vector<int> next_;
};

class Linter {
public:
    Linter(const LintInput& input, const LintOptions& options)
        : in_(input),
          options_(options),
          rooms_(input.rooms),
          facts_(allFacts(input.rooms)),
          byNumber_(facts_) {
        int32_t low = rooms_.empty() ? 0 : INT32_MAX;
        for (const RoomFacts& f : facts_) low = std::min(low, f.vnum);
        range_ = options.zoneRange
                     ? *options.zoneRange
                     : std::pair<int32_t, int32_t>{low, low > INT32_MAX - 99 ? INT32_MAX : low + 99};
        if (options.runs(LintCheck::UnreachableRoom)) walkFromFirstRoom();
    }

    std::vector<LintFinding> run() {
        for (size_t i = 0; i < rooms_.size(); ++i) lintRoom(static_cast<int>(i));
        return std::move(findings_);
    }

private:
    // Each record is read once, here; the checks then read only the packed facts, and a
    // record again only to word a finding.
    static std::vector<RoomFacts> allFacts(const RoomLineLog& rooms) {
        std::vector<RoomFacts> facts;
        facts.reserve(rooms.size());
        for (const RoomLines& r : rooms) facts.push_back(factsOf(*r.room));
        return facts;
    }

    const RoomDataType& room(int position) const { return *rooms_[static_cast<size_t>(position)].room; }
    const RoomFacts& facts(int position) const { return facts_[static_cast<size_t>(position)]; }

    // Marks every room a walk over exits reaches from the zone's first room. Reaching a
    // number reaches every room that holds it.
    void walkFromFirstRoom() {
        reached_.assign(rooms_.size(), 0);
        const RoomIndexNode* first = in_.store.first();
        if (!first) return;
        std::vector<int> queue;
        queue.reserve(rooms_.size());
        auto reach = [&](int32_t vnum) {
            const int head = byNumber_.first(vnum);
            if (head == kNowhere || reached_[static_cast<size_t>(head)]) return;
            for (int p = head; p != kNowhere; p = byNumber_.next(p)) {
                reached_[static_cast<size_t>(p)] = 1;
                queue.push_back(p);
            }
        };
        firstRoom_ = first->room->vnum;
        reach(firstRoom_);
        for (size_t at = 0; at < queue.size(); ++at)
            for (int32_t to : facts(queue[at]).to)
                if (to != 0) reach(to);
    }

    void add(LintCheck check, int position, int direction, std::string message) {
        const RoomLines& lines = rooms_[static_cast<size_t>(position)];
        LintFinding finding;
        finding.check = check;
        finding.roomLine = lines.header;
        finding.line = direction >= 0 && lines.exits[static_cast<size_t>(direction)] > 0
                           ? lines.exits[static_cast<size_t>(direction)]
                           : lines.header;
        finding.room = facts(position).vnum;
        finding.direction = direction;
        finding.message = std::move(message);
        findings_.push_back(std::move(finding));
    }
    bool runs(LintCheck check) const { return options_.runs(check); }

    std::string roomPrefix(int position) const {
        return "room " + std::to_string(facts(position).vnum) + ": ";
    }

    std::string exitPrefix(int position, int direction) const {
        const RoomLines& lines = rooms_[static_cast<size_t>(position)];
        return "room " + std::to_string(facts(position).vnum) + " (line " + std::to_string(lines.header) +
               "), exit " + std::string(kDirectionNames[static_cast<size_t>(direction)]) + ": ";
    }

    void lintRoom(int position) {
        const RoomFacts& r = facts(position);
        const int head = byNumber_.first(r.vnum);
        if (head != position && runs(LintCheck::DuplicateNumber))
            add(LintCheck::DuplicateNumber, position, -1,
                roomPrefix(position) + "its number is already used by the room at line " +
                    std::to_string(rooms_[static_cast<size_t>(head)].header));
        if (r.noName && runs(LintCheck::EmptyText))
            add(LintCheck::EmptyText, position, -1, roomPrefix(position) + "has no name");
        if (r.noDescription && runs(LintCheck::EmptyText))
            add(LintCheck::EmptyText, position, -1, roomPrefix(position) + "has no description");
        if (!reached_.empty() && !reached_[static_cast<size_t>(position)])
            add(LintCheck::UnreachableRoom, position, -1,
                roomPrefix(position) + "no walk over exits from room " + std::to_string(firstRoom_) +
                    ", the zone's first room, reaches it");
        if (in_.mapFileExists && !(in_.positionsFromMapFile && r.x >= 1) && runs(LintCheck::OffMap))
            add(LintCheck::OffMap, position, -1,
                roomPrefix(position) + "the map position file does not place it");

        if (r.repeatedTrigger && runs(LintCheck::DuplicateTrigger)) lintTriggers(position);

        // The exits in the order of their "D" lines.
        std::array<int, kAllDirectionCount> order{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        const size_t exits = r.diagonals ? kAllDirectionCount : kDirectionCount;
        const auto& exitLines = rooms_[static_cast<size_t>(position)].exits;
        for (size_t i = 1; i < exits; ++i)  // at most ten entries: insertion sort, stable, no allocation
            for (size_t j = i; j > 0 && exitLines[static_cast<size_t>(order[j])] <
                                            exitLines[static_cast<size_t>(order[j - 1])];
                 --j)
                std::swap(order[j], order[j - 1]);
        for (size_t i = 0; i < exits; ++i)
            if (facts(position).to[static_cast<size_t>(order[i])] != 0) lintExit(position, order[i]);
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

    void lintExit(int position, int d) {
        const RoomFacts& from = facts(position);
        const size_t here = static_cast<size_t>(d);
        const size_t back = static_cast<size_t>(reverseDirection(d));
        const int32_t to = from.to[here];
        const int target = byNumber_.first(to);
        // Messages are built only for findings: a clean zone of many exits builds none.
        const auto prefix = [&] { return exitPrefix(position, d); };
        const auto backName = [&] { return std::string(kDirectionNames[back]); };

        if (target == kNowhere) {
            if (to >= range_.first && to <= range_.second && runs(LintCheck::DanglingExit))
                add(LintCheck::DanglingExit, position, d,
                    prefix() + "leads to " + std::to_string(to) + ", inside the zone's numbers " +
                        std::to_string(range_.first) + "-" + std::to_string(range_.second) +
                        ", but no room of the file has that number");
        } else {
            const RoomFacts& other = facts(target);
            const int32_t returnTo = other.to[back];
            if (returnTo != from.vnum) {
                if (runs(LintCheck::OneWayExit))
                    add(LintCheck::OneWayExit, position, d,
                        prefix() + "leads to " + std::to_string(to) +
                            (returnTo == 0 ? ", which has no exit " + backName() + " back"
                                           : ", whose exit " + backName() + " leads to " +
                                                 std::to_string(returnTo) + ", not back here"));
            } else if (from.door[here] != other.door[back] || from.key[here] != other.key[back]) {
                // Both sides exist: the pair is reported once, at the side met first in the file.
                const bool reportHere = position < target || (position == target && here < back);
                if (reportHere && runs(LintCheck::DoorMismatch))
                    add(LintCheck::DoorMismatch, position, d,
                        prefix() + doorText(exitDetails(room(position), d)) + ", but the way back from " +
                            std::to_string(to) + " (exit " + backName() + ") has " +
                            doorText(exitDetails(room(target), reverseDirection(d))));
            }
        }
        if (from.door[here] == 0 && from.key[here] != 0 && runs(LintCheck::KeyWithoutDoor))
            add(LintCheck::KeyWithoutDoor, position, d,
                prefix() + "has key " + std::to_string(exitDetails(room(position), d).key) + " but no door");
        // The map has no diagonal neighbours to hold against a diagonal exit.
        if (in_.positionsFromMapFile && from.x >= 1 && d < kDirectionCount && runs(LintCheck::MapDisagrees))
            lintExitOnMap(position, d, target);
    }

    // The exit against the map: the room next to this one in the exit's direction should
    // be the one the exit leads to, and a placed room the exit leads to should lie there.
    void lintExitOnMap(int position, int d, int target) {
        const RoomFacts& from = facts(position);
        const int32_t to = from.to[static_cast<size_t>(d)];
        const MapStep step = directionStep(d);
        const int x = from.x + step.dx, y = from.y + step.dy, z = from.z + step.dz;
        const RoomDataType* neighbour = insideMap(x, y, z) ? in_.grid.cellAt(x, y, z) : nullptr;
        const auto where = [&] { return std::string(kDirectionNames[static_cast<size_t>(d)]); };
        if (neighbour) {
            // The same record is the same room; a different record may still hold the number.
            const bool expected = target != kNowhere && neighbour == rooms_[static_cast<size_t>(target)].room;
            if (!expected && neighbour->vnum != to)
                add(LintCheck::MapDisagrees, position, d,
                    exitPrefix(position, d) + "leads to " + std::to_string(to) +
                        ", but the map places room " + std::to_string(neighbour->vnum) + " " + where() +
                        " of it");
            return;
        }
        if (target == kNowhere) return;
        const RoomFacts& other = facts(target);
        if (other.x >= 1)
            add(LintCheck::MapDisagrees, position, d,
                exitPrefix(position, d) + "leads to " + std::to_string(to) + ", which the map places at " +
                    std::to_string(other.x) + ", " + std::to_string(other.y) + ", " +
                    std::to_string(other.z) + ", not next to it to the " + where());
    }

    const LintInput& in_;
    const LintOptions& options_;
    const RoomLineLog& rooms_;
    std::vector<RoomFacts> facts_;  // parallel to rooms_
    RoomsByNumber byNumber_;
    std::pair<int32_t, int32_t> range_{0, 99};
    std::vector<char> reached_;  // empty when the walk is not wanted
    int32_t firstRoom_ = 0;
    std::vector<LintFinding> findings_;
};

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

std::vector<LintFinding> lintZone(const LintInput& input, const LintOptions& options) {
    return Linter(input, options).run();
}
