#include "cli/zone_lint.h"

#include <algorithm>
#include <unordered_map>

namespace {

constexpr std::array<std::string_view, kLintCheckCount> kCheckNames = {
    "dangling-exit",    "one-way-exit", "door-mismatch", "key-without-door", "unreachable-room",
    "duplicate-number", "map-disagrees", "off-map",      "empty-text"};

constexpr std::array<std::string_view, kDirectionCount> kDirectionNames = {"north", "east", "south",
                                                                           "west",  "up",   "down"};

constexpr int kNowhere = -1;
constexpr int32_t kFlatNumbers = 99999;  // a world file's rooms are numbered 0..99998

// Blanks, tabs and line breaks only: nothing a player would read.
bool blankText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

// A key of 0 or below opens nothing, whichever of the two a builder wrote.
int32_t usefulKey(int32_t key) { return key > 0 ? key : 0; }

std::string doorText(const RoomExitType& exit) {
    std::string text = exit.doorFlag > 0 ? "door " + std::to_string(exit.doorFlag) : std::string("no door");
    text += usefulKey(exit.key) ? ", key " + std::to_string(exit.key) : std::string(", no key");
    return text;
}

// The rooms of the log by number: the first room holding a number and, from each room,
// the next one with the same number (a world read without the order check may repeat one).
class RoomsByNumber {
public:
    explicit RoomsByNumber(const RoomLineLog& rooms) : next_(rooms.size(), kNowhere) {
        flat_.assign(kFlatNumbers, kNowhere);
        std::vector<int> lastAt;  // parallel to flat_, filled lazily for repeated numbers only
        std::unordered_map<int32_t, int> lastOther;
        for (size_t i = 0; i < rooms.size(); ++i) {
            const int position = static_cast<int>(i);
            const int32_t vnum = rooms[i].room->vnum;
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
        : in_(input), options_(options), rooms_(input.rooms), byNumber_(input.rooms) {
        const int32_t low = lowestNumber();
        range_ = options.zoneRange ? *options.zoneRange
                                   : std::pair<int32_t, int32_t>{low, low > INT32_MAX - 99 ? INT32_MAX : low + 99};
        if (options.runs(LintCheck::UnreachableRoom)) walkFromFirstRoom();
    }

    std::vector<LintFinding> run() {
        for (size_t i = 0; i < rooms_.size(); ++i) lintRoom(static_cast<int>(i));
        return std::move(findings_);
    }

private:
    const RoomDataType& room(int position) const { return *rooms_[static_cast<size_t>(position)].room; }

    int32_t lowestNumber() const {
        if (rooms_.empty()) return 0;
        int32_t low = INT32_MAX;
        for (const RoomLines& r : rooms_) low = std::min(low, r.room->vnum);
        return low;
    }

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
        for (size_t at = 0; at < queue.size(); ++at) {
            const RoomDataType& from = room(queue[at]);
            for (int d = 0; d < kDirectionCount; ++d)
                if (from.exitTo[d] != 0) reach(from.exitTo[d]);
        }
    }

    void add(LintCheck check, int position, int direction, std::string message) {
        if (!options_.runs(check)) return;
        const RoomLines& lines = rooms_[static_cast<size_t>(position)];
        LintFinding finding;
        finding.check = check;
        finding.roomLine = lines.header;
        finding.line = direction >= 0 && lines.exits[static_cast<size_t>(direction)] > 0
                           ? lines.exits[static_cast<size_t>(direction)]
                           : lines.header;
        finding.room = lines.room->vnum;
        finding.direction = direction;
        finding.message = std::move(message);
        findings_.push_back(std::move(finding));
    }

    std::string roomPrefix(int position) const { return "room " + std::to_string(room(position).vnum) + ": "; }

    std::string exitPrefix(int position, int direction) const {
        const RoomLines& lines = rooms_[static_cast<size_t>(position)];
        return "room " + std::to_string(lines.room->vnum) + " (line " + std::to_string(lines.header) + "), exit " +
               std::string(kDirectionNames[static_cast<size_t>(direction)]) + ": ";
    }

    void lintRoom(int position) {
        const RoomDataType& r = room(position);
        const int head = byNumber_.first(r.vnum);
        if (head != position)
            add(LintCheck::DuplicateNumber, position, -1,
                roomPrefix(position) + "its number is already used by the room at line " +
                    std::to_string(rooms_[static_cast<size_t>(head)].header));
        if (blankText(r.name)) add(LintCheck::EmptyText, position, -1, roomPrefix(position) + "has no name");
        if (blankText(r.description))
            add(LintCheck::EmptyText, position, -1, roomPrefix(position) + "has no description");
        if (!reached_.empty() && !reached_[static_cast<size_t>(position)])
            add(LintCheck::UnreachableRoom, position, -1,
                roomPrefix(position) + "no walk over exits from room " + std::to_string(firstRoom_) +
                    ", the zone's first room, reaches it");
        if (in_.mapFileExists && !(in_.positionsFromMapFile && r.onMap()))
            add(LintCheck::OffMap, position, -1, roomPrefix(position) + "the map position file does not place it");

        // The exits in the order of their "D" lines.
        std::array<int, kDirectionCount> order{0, 1, 2, 3, 4, 5};
        const auto& exitLines = rooms_[static_cast<size_t>(position)].exits;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return exitLines[static_cast<size_t>(a)] < exitLines[static_cast<size_t>(b)];
        });
        for (int d : order)
            if (r.exitTo[d] != 0) lintExit(position, d);
    }

    void lintExit(int position, int d) {
        const RoomDataType& from = room(position);
        const int32_t to = from.exitTo[d];
        const RoomExitType& exit = from.exits[d];
        const int back = reverseDirection(d);
        const int target = byNumber_.first(to);
        const std::string prefix = exitPrefix(position, d);
        const std::string backName(kDirectionNames[static_cast<size_t>(back)]);

        if (target == kNowhere) {
            if (to >= range_.first && to <= range_.second)
                add(LintCheck::DanglingExit, position, d,
                    prefix + "leads to " + std::to_string(to) + ", inside the zone's numbers " +
                        std::to_string(range_.first) + "-" + std::to_string(range_.second) +
                        ", but no room of the file has that number");
        } else {
            const RoomDataType& other = room(target);
            const int32_t returnTo = other.exitTo[back];
            if (returnTo != from.vnum) {
                add(LintCheck::OneWayExit, position, d,
                    prefix + "leads to " + std::to_string(to) +
                        (returnTo == 0 ? ", which has no exit " + backName + " back"
                                       : ", whose exit " + backName + " leads to " + std::to_string(returnTo) +
                                             ", not back here"));
            } else {
                // Both sides exist: the pair is reported once, at the side met first in the file.
                const RoomExitType& otherExit = other.exits[back];
                const bool reportHere = position < target || (position == target && d < back);
                if (reportHere &&
                    (exit.doorFlag != otherExit.doorFlag || usefulKey(exit.key) != usefulKey(otherExit.key)))
                    add(LintCheck::DoorMismatch, position, d,
                        prefix + doorText(exit) + ", but the way back from " + std::to_string(to) + " (exit " +
                            backName + ") has " + doorText(otherExit));
            }
        }
        if (exit.doorFlag == 0 && usefulKey(exit.key))
            add(LintCheck::KeyWithoutDoor, position, d,
                prefix + "has key " + std::to_string(exit.key) + " but no door");
        if (in_.positionsFromMapFile && from.onMap()) lintExitOnMap(position, d, target);
    }

    // The exit against the map: the room next to this one in the exit's direction should
    // be the one the exit leads to, and a placed room the exit leads to should lie there.
    void lintExitOnMap(int position, int d, int target) {
        const RoomDataType& from = room(position);
        const int32_t to = from.exitTo[d];
        const MapStep step = directionStep(d);
        const int x = from.mapX + step.dx, y = from.mapY + step.dy, z = from.mapZ + step.dz;
        const RoomDataType* neighbour = insideMap(x, y, z) ? in_.grid.cellAt(x, y, z) : nullptr;
        const std::string where = std::string(kDirectionNames[static_cast<size_t>(d)]);
        if (neighbour) {
            if (neighbour->vnum != to)
                add(LintCheck::MapDisagrees, position, d,
                    exitPrefix(position, d) + "leads to " + std::to_string(to) + ", but the map places room " +
                        std::to_string(neighbour->vnum) + " " + where + " of it");
            return;
        }
        if (target == kNowhere) return;
        const RoomDataType& other = room(target);
        if (other.onMap())
            add(LintCheck::MapDisagrees, position, d,
                exitPrefix(position, d) + "leads to " + std::to_string(to) + ", which the map places at " +
                    std::to_string(other.mapX) + ", " + std::to_string(other.mapY) + ", " +
                    std::to_string(other.mapZ) + ", not next to it to the " + where);
    }

    const LintInput& in_;
    const LintOptions& options_;
    const RoomLineLog& rooms_;
    RoomsByNumber byNumber_;
    std::pair<int32_t, int32_t> range_{0, 99};
    std::vector<char> reached_;  // empty when the walk is not wanted
    int32_t firstRoom_ = 0;
    std::vector<LintFinding> findings_;
};

}  // namespace

std::string_view lintCheckName(LintCheck check) { return kCheckNames[static_cast<size_t>(check)]; }

std::optional<LintCheck> lintCheckByName(std::string_view name) {
    for (int i = 0; i < kLintCheckCount; ++i)
        if (kCheckNames[static_cast<size_t>(i)] == name) return static_cast<LintCheck>(i);
    return std::nullopt;
}

std::string_view directionName(int direction) { return kDirectionNames[static_cast<size_t>(direction)]; }

std::vector<LintFinding> lintZone(const LintInput& input, const LintOptions& options) {
    return Linter(input, options).run();
}
