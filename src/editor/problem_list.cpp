#include "editor/problem_list.h"

#include <algorithm>
#include <iterator>
#include <optional>

ProblemList::ProblemList(const WorldStore& store, const MapGrid& grid) : store_(store), grid_(grid) {}

void ProblemList::setOptions(const LintOptions& options) {
    options_ = options;
    recomputeAll();
}

void ProblemList::setMapFile(bool exists, bool positionsFromMapFile) {
    mapFileExists_ = exists;
    positionsFromMapFile_ = positionsFromMapFile;
}

namespace {

constexpr uint32_t kExits = LintedRooms::kExits;

// Each number once, in order. Many numbers (a DELETE over a level notes tens of
// thousands, mostly repeated) go by a mark each for a world file's numbers, the others
// sorted.
void sortUnique(std::vector<int32_t>& vnums, std::vector<unsigned char>& marks, int32_t marked) {
    if (vnums.size() <= 64) {
        std::sort(vnums.begin(), vnums.end());
        vnums.erase(std::unique(vnums.begin(), vnums.end()), vnums.end());
        return;
    }
    std::vector<int32_t> others;
    if (marks.empty()) marks.assign(static_cast<size_t>(marked), 0);
    int32_t low = marked, high = -1;
    for (int32_t v : vnums) {
        if (v >= 0 && v < marked) {
            marks[static_cast<size_t>(v)] = 1;
            low = std::min(low, v);
            high = std::max(high, v);
        } else {
            others.push_back(v);
        }
    }
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    // Below the marked numbers, the marked ones, above them.
    const auto above = std::lower_bound(others.begin(), others.end(), 0);
    vnums.assign(others.begin(), above);
    for (int32_t v = low; v <= high; ++v)
        if (marks[static_cast<size_t>(v)]) {
            marks[static_cast<size_t>(v)] = 0;
            vnums.push_back(v);
        }
    vnums.insert(vnums.end(), above, others.end());
}

bool samePlace(const auto& a, const auto& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

}  // namespace

// The numbers whose findings may read a room that stood as `before` and stands as `now`
// (either may be missing: the room came or went), the exits as they are now.
void ProblemList::noteNeighbours(const Seen* before, const Seen* now, std::vector<int32_t>& vnums) {
    const auto intoNumber = [&](int32_t vnum, unsigned facing) {
        for (const LintedRooms::ExitInto exit : rooms_.exitsInto(vnum))
            if (facing >> exit.direction() & 1u) vnums.push_back(exit.from());
    };
    constexpr unsigned kEveryExit = (1u << kExits) - 1;
    if (!before || !now || before->vnum != now->vnum || !samePlace(*before, *now)) {
        // Came, went, renumbered or moved: the rooms in the cells beside it, and every
        // exit into either number, read it.
        for (const Seen* seen : {before, now}) {
            if (!seen) continue;
            vnums.push_back(seen->vnum);
            if (seen->x < 1) continue;
            for (int d = 0; d < kDirectionCount; ++d) {
                const MapStep step = directionStep(d);
                if (const RoomDataType* next = grid_.cellAt(seen->x + step.dx, seen->y + step.dy, seen->z + step.dz))
                    vnums.push_back(next->vnum);
            }
        }
        if (before) intoNumber(before->vnum, kEveryExit);
        if (now && (!before || now->vnum != before->vnum)) intoNumber(now->vnum, kEveryExit);
        return;
    }
    // Only exits or texts changed: the room itself, and the exits that face its changed
    // exits (the way back, its door).
    vnums.push_back(now->vnum);
    unsigned facing = 0;
    for (int d = 0; d < kAllDirectionCount; ++d) {
        const size_t at = static_cast<size_t>(d);
        if (before->to[at] != now->to[at] || before->door[at] != now->door[at] || before->key[at] != now->key[at])
            facing |= 1u << reverseDirection(d);
    }
    if (facing) intoNumber(now->vnum, facing);
}

int32_t ProblemList::zoneAnchor() const {
    return options_.zoneRange ? 0 : store_.lowestVnum();
}

void ProblemList::take(std::vector<LintFinding> findings) {
    for (LintFinding& f : findings) {
        byRoom_[f.room].push_back(std::move(f));
        ++count_;
    }
}

void ProblemList::recomputeAll() {
    byRoom_.clear();
    unreached_.clear();
    rooms_.clear(store_.size());
    reach_.clear();
    count_ = 0;
    stale_ = false;
    for (const RoomIndexNode* n = store_.first(); n; n = n->next) rooms_.remember(*n->room, LintedRooms::seenOf(*n->room));
    // The reach comes from the list's own walk, which it keeps up to date.
    LintOptions others = options_;
    others.enabled[static_cast<size_t>(LintCheck::UnreachableRoom)] = false;
    take(lintZone(zone(), others));
    outOfOrder_ = outOfOrder();
    if (options_.runs(LintCheck::UnreachableRoom)) walkAll();
    anchor_ = zoneAnchor();
    lastLinted_ = store_.size();
    ++version_;
}

void ProblemList::forget(const RoomDataType& room) {
    if (store_.journal()) return;
    rooms_.forget(room);
    stale_ = true;
}

// The rooms after a higher number in the index, and that number. In number order there
// are none; out of it a room that comes, goes or moves gives the room after it another
// one before it, so the index is read whole then.
std::vector<std::pair<int32_t, int32_t>> ProblemList::outOfOrder() const {
    std::vector<std::pair<int32_t, int32_t>> rooms;
    if (store_.sorted() || !options_.runs(LintCheck::Order)) return rooms;
    for (const RoomIndexNode* node = store_.first(); node; node = node->next)
        if (node->prev && node->prev->vnum > node->vnum) rooms.emplace_back(node->vnum, node->prev->vnum);
    std::sort(rooms.begin(), rooms.end());
    return rooms;
}

void ProblemList::noteOrderChanges(std::vector<int32_t>& vnums) {
    std::vector<std::pair<int32_t, int32_t>> now = outOfOrder();
    std::vector<std::pair<int32_t, int32_t>> changed;
    std::set_symmetric_difference(now.begin(), now.end(), outOfOrder_.begin(), outOfOrder_.end(),
                                  std::back_inserter(changed));
    for (const auto& [vnum, before] : changed) vnums.push_back(vnum);
    outOfOrder_ = std::move(now);
}

void ProblemList::roomsTouched(const TouchedRooms& touched) {
    // The default zone range follows the lowest room; a room freed unreported leaves
    // nothing to compare with.
    if (stale_ || zoneAnchor() != anchor_) {
        recomputeAll();
        return;
    }
    // The exits lost and gained, between numbers; the numbers whose rooms came or went;
    // the numbers whose findings may have changed. An exit into a number lists the rooms
    // it comes from as they are now; a touched room among them is linted anyway.
    std::vector<Edge>& lost = scratch_.lost;
    std::vector<Edge>& gained = scratch_.gained;
    std::vector<int32_t>& holdersChanged = scratch_.holdersChanged;
    std::vector<int32_t>& vnums = scratch_.vnums;
    lost.clear();
    gained.clear();
    holdersChanged.clear();
    vnums.clear();
    const auto allExits = [](const Seen& seen, std::vector<Edge>& into) {
        for (int32_t to : seen.to)
            if (to != 0) into.push_back({seen.vnum, to});
    };
    // A room that went, or holds another number now: forgotten, as it stood.
    const auto drop = [&](const RoomDataType& room) {
        std::optional<Seen> before = rooms_.forget(room);
        if (before) {
            allExits(*before, lost);
            holdersChanged.push_back(before->vnum);
        }
        return before;
    };
    for (const RoomDataType* room : touched.outOfZone)
        if (const std::optional<Seen> before = drop(*room)) noteNeighbours(&*before, nullptr, vnums);
    for (const RoomDataType* room : touched.inZone) {
        const Seen now = LintedRooms::seenOf(*room);
        const uint32_t slot = rooms_.slotOf(*room);
        if (slot == LintedRooms::kNone || rooms_.seen(slot).vnum != now.vnum) {
            const std::optional<Seen> before = slot == LintedRooms::kNone ? std::nullopt : drop(*room);
            allExits(now, gained);
            holdersChanged.push_back(now.vnum);
            rooms_.remember(*room, now);
            noteNeighbours(before ? &*before : nullptr, &now, vnums);
            continue;
        }
        const Seen before = rooms_.seen(slot);
        for (uint32_t d = 0; d < kExits; ++d) {
            if (before.to[d] == now.to[d]) continue;
            if (before.to[d] != 0) lost.push_back({now.vnum, before.to[d]});
            if (now.to[d] != 0) gained.push_back({now.vnum, now.to[d]});
        }
        rooms_.restate(slot, now);
        noteNeighbours(&before, &now, vnums);
    }
    const size_t touches = touched.inZone.size() + touched.outOfZone.size();
    if (!store_.sorted() || !outOfOrder_.empty()) noteOrderChanges(vnums);
    relint(vnums);
    if (!options_.runs(LintCheck::UnreachableRoom)) return;
    const RoomIndexNode* first = store_.first();
    // A change of a quarter of the zone costs about what the whole walk does.
    if (!first || !reach_.keptFrom(first->vnum) || touches > store_.size() / 4) {
        walkAll();
        return;
    }
    std::vector<int32_t>& changed = scratch_.changed;
    reach_.update(lost, gained, holdersChanged, changed);
    lastWalked_ = changed.size();
    refreshUnreached(changed);
}

void ProblemList::relint(std::vector<int32_t>& vnums) {
    sortUnique(vnums, marks_, kMarkedNumbers);
    for (int32_t vnum : vnums) {
        if (const auto it = byRoom_.find(vnum); it != byRoom_.end()) {
            count_ -= it->second.size();
            byRoom_.erase(it);
        }
    }
    take(lintRooms(zone(), options_, vnums));
    lastLinted_ = vnums.size();
    ++version_;
}

// Reach.

LintFinding ProblemList::unreachedFinding(int32_t vnum) const {
    static const std::string_view kHead = "room ";
    const std::string number = std::to_string(vnum);
    LintFinding finding;
    finding.check = LintCheck::UnreachableRoom;
    finding.room = vnum;
    finding.message.reserve(kHead.size() + number.size() + unreachedTail_.size());
    finding.message.append(kHead).append(number).append(unreachedTail_);
    return finding;
}

void ProblemList::walkAll() {
    for (const auto& [vnum, unreached] : unreached_) count_ -= unreached.rooms;
    unreached_.clear();
    lastWalked_ = store_.size();
    ++version_;
    const RoomIndexNode* first = store_.first();
    if (!first) {
        reach_.clear();
        return;
    }
    const int32_t start = first->vnum;
    unreachedTail_ = ": no walk over exits from room " + std::to_string(start) + ", the zone's first room, reaches it";
    reach_.walkAll(start);
    // In number order, each at the map's end.
    rooms_.forEachHeldInOrder([&](int32_t vnum, uint32_t holders) {
        if (reach_.reached(vnum)) return;
        unreached_.emplace_hint(unreached_.end(), vnum, Unreached{unreachedFinding(vnum), holders});
        count_ += holders;
    });
}

// The unreachable-room findings of these numbers again, one per room holding one.
void ProblemList::refreshUnreached(std::vector<int32_t>& numbers) {
    sortUnique(numbers, marks_, kMarkedNumbers);
    auto at = unreached_.begin();
    for (int32_t vnum : numbers) {
        // Numbers close together are close in the map too; a few steps, else a search.
        for (int step = 0; at != unreached_.end() && at->first < vnum; ++step) {
            if (step == 8) {
                at = unreached_.lower_bound(vnum);
                break;
            }
            ++at;
        }
        if (at != unreached_.end() && at->first == vnum) {
            count_ -= at->second.rooms;
            at = unreached_.erase(at);
        }
        const uint32_t holders = rooms_.holderCount(vnum);
        if (holders == 0 || reach_.reached(vnum)) continue;
        count_ += holders;
        at = std::next(unreached_.emplace_hint(at, vnum, Unreached{unreachedFinding(vnum), holders}));
    }
    ++version_;
}

// By room; a room's own findings (the walk's among them, after the others) before those of its exits.
std::vector<const LintFinding*> ProblemList::rows() const {
    std::vector<const LintFinding*> rows;
    rows.reserve(count_);
    auto found = byRoom_.begin();
    auto unreached = unreached_.begin();
    while (found != byRoom_.end() || unreached != unreached_.end()) {
        const bool takeFound = found != byRoom_.end() && (unreached == unreached_.end() || found->first <= unreached->first);
        const bool takeUnreached =
            unreached != unreached_.end() && (found == byRoom_.end() || unreached->first <= found->first);
        auto own = takeFound ? found->second.begin() : std::vector<LintFinding>::const_iterator{};
        if (takeFound)
            for (; own != found->second.end() && own->direction < 0; ++own) rows.push_back(&*own);
        if (takeUnreached)
            rows.insert(rows.end(), unreached->second.rooms, &unreached->second.finding);
        if (takeFound) {
            for (; own != found->second.end(); ++own) rows.push_back(&*own);
            ++found;
        }
        if (takeUnreached) ++unreached;
    }
    return rows;
}
