#include "editor/problem_list.h"

#include <algorithm>

#include "world/newer_fields.h"

ProblemList::ProblemList(const WorldStore& store, const MapGrid& grid) : store_(store), grid_(grid) {}

void ProblemList::setOptions(const LintOptions& options) {
    options_ = options;
    recomputeAll();
}

void ProblemList::setMapFile(bool exists, bool positionsFromMapFile) {
    mapFileExists_ = exists;
    positionsFromMapFile_ = positionsFromMapFile;
}

ProblemList::Seen ProblemList::seenOf(const RoomDataType& room) {
    Seen seen;
    seen.vnum = room.vnum;
    for (int d = 0; d < kAllDirectionCount; ++d) seen.to[static_cast<size_t>(d)] = exitDestination(room, d);
    if (room.onMap()) {
        seen.x = room.mapX;
        seen.y = room.mapY;
        seen.z = room.mapZ;
    }
    return seen;
}

void ProblemList::remember(const RoomDataType& room, const Seen& seen) {
    unremember(room);
    seen_.emplace(&room, seen);
    for (int32_t to : seen.to)
        if (to != 0) exitsInto_[to].push_back(seen.vnum);
}

void ProblemList::unremember(const RoomDataType& room) {
    const auto it = seen_.find(&room);
    if (it == seen_.end()) return;
    for (int32_t to : it->second.to) {
        if (to == 0) continue;
        const auto into = exitsInto_.find(to);
        if (into == exitsInto_.end()) continue;
        std::vector<int32_t>& from = into->second;
        if (const auto at = std::find(from.begin(), from.end(), it->second.vnum); at != from.end()) {
            *at = from.back();
            from.pop_back();
        }
        if (from.empty()) exitsInto_.erase(into);
    }
    seen_.erase(it);
}

// The numbers whose findings may read a room that stood as `seen`.
void ProblemList::noteNeighbours(const Seen& seen, std::vector<int32_t>& vnums) const {
    vnums.push_back(seen.vnum);
    if (const auto into = exitsInto_.find(seen.vnum); into != exitsInto_.end())
        vnums.insert(vnums.end(), into->second.begin(), into->second.end());
    if (seen.x < 1) return;
    for (int d = 0; d < kDirectionCount; ++d) {
        const MapStep step = directionStep(d);
        if (const RoomDataType* next = grid_.cellAt(seen.x + step.dx, seen.y + step.dy, seen.z + step.dz))
            vnums.push_back(next->vnum);
    }
}

int32_t ProblemList::zoneAnchor() const {
    return options_.zoneRange ? 0 : store_.lowestVnum();
}

void ProblemList::take(std::vector<LintFinding> findings) {
    for (LintFinding& f : findings) {
        auto& into = f.check == LintCheck::UnreachableRoom ? unreached_ : byRoom_;
        into[f.room].push_back(std::move(f));
        ++count_;
    }
}

void ProblemList::recomputeAll() {
    byRoom_.clear();
    unreached_.clear();
    seen_.clear();
    exitsInto_.clear();
    count_ = 0;
    for (const RoomIndexNode* n = store_.first(); n; n = n->next) remember(*n->room, seenOf(*n->room));
    take(lintZone(zone(), options_));
    anchor_ = zoneAnchor();
    lastLinted_ = store_.size();
    ++version_;
}

void ProblemList::forget(const RoomDataType& room) {
    unremember(room);
}

void ProblemList::noteIndexNeighbours(const RoomDataType& room, std::vector<int32_t>& vnums) const {
    for (const RoomIndexNode* n = store_.findByVnum(room.vnum); n && n->vnum == room.vnum; n = n->next) {
        if (n->room.get() != &room) continue;
        if (n->prev) vnums.push_back(n->prev->vnum);
        if (n->next) vnums.push_back(n->next->vnum);
        return;
    }
}

void ProblemList::roomsTouched(const TouchedRooms& touched) {
    // The default zone range follows the lowest room. (The walk from the first room is
    // made again whenever rooms come, go or are renumbered.)
    if (zoneAnchor() != anchor_) {
        recomputeAll();
        return;
    }
    std::vector<int32_t> vnums;
    // Exits, numbers or rooms changed: who is reached may have changed anywhere.
    bool walk = !touched.outOfZone.empty();
    // As the rooms stood when last linted, then as they stand now.
    for (const auto* rooms : {&touched.inZone, &touched.outOfZone})
        for (const RoomDataType* room : *rooms)
            if (const auto it = seen_.find(room); it != seen_.end()) noteNeighbours(it->second, vnums);
    for (const RoomDataType* room : touched.outOfZone) unremember(*room);
    for (const RoomDataType* room : touched.inZone) {
        const Seen now = seenOf(*room);
        const auto before = seen_.find(room);
        walk = walk || before == seen_.end() || before->second.vnum != now.vnum || mayChangeReach(before->second, now);
        remember(*room, now);
        noteNeighbours(now, vnums);
        noteIndexNeighbours(*room, vnums);
    }
    relint(vnums);
    if (walk && options_.runs(LintCheck::UnreachableRoom)) rewalk();
}

// The exits of a room changed: a walk is needed unless the room is not reached itself
// (what it leads to counts for nothing) or its exits only gained ways into rooms already
// reached. A way lost from a reached room may have been the only one.
bool ProblemList::mayChangeReach(const Seen& before, const Seen& now) const {
    if (before.to == now.to) return false;
    if (unreached_.count(now.vnum) || !store_.findByVnum(now.vnum)) return false;
    const auto has = [](const Seen& seen, int32_t to) {
        return std::find(seen.to.begin(), seen.to.end(), to) != seen.to.end();
    };
    for (int32_t to : before.to)
        if (to != 0 && !has(now, to)) return true;
    for (int32_t to : now.to)
        if (to != 0 && !has(before, to) && (unreached_.count(to) || !store_.findByVnum(to))) return true;
    return false;
}

void ProblemList::rewalk() {
    for (const auto& [vnum, findings] : unreached_) count_ -= findings.size();
    unreached_.clear();
    take(lintUnreachable(zone(), options_));
}

void ProblemList::relint(std::vector<int32_t>& vnums) {
    // Each number once, in order: the numbers of a world file by a mark each (a DELETE
    // over a level notes hundreds of thousands, mostly repeated), the others sorted.
    if (vnums.size() > 64) {
        std::vector<int32_t> others;
        if (marks_.empty()) marks_.assign(kMarkedNumbers, 0);
        for (int32_t v : vnums) {
            if (v >= 0 && v < kMarkedNumbers)
                marks_[static_cast<size_t>(v)] = 1;
            else
                others.push_back(v);
        }
        std::sort(others.begin(), others.end());
        others.erase(std::unique(others.begin(), others.end()), others.end());
        // Below the marked numbers, the marked ones, above them.
        const auto above = std::lower_bound(others.begin(), others.end(), 0);
        vnums.assign(others.begin(), above);
        for (int32_t v = 0; v < kMarkedNumbers; ++v)
            if (marks_[static_cast<size_t>(v)]) {
                marks_[static_cast<size_t>(v)] = 0;
                vnums.push_back(v);
            }
        vnums.insert(vnums.end(), above, others.end());
    } else {
        std::sort(vnums.begin(), vnums.end());
        vnums.erase(std::unique(vnums.begin(), vnums.end()), vnums.end());
    }
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
            for (const LintFinding& f : unreached->second) rows.push_back(&f);
        if (takeFound) {
            for (; own != found->second.end(); ++own) rows.push_back(&*own);
            ++found;
        }
        if (takeUnreached) ++unreached;
    }
    return rows;
}
