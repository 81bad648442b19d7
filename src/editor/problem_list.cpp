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

std::pair<int32_t, int32_t> ProblemList::zoneAnchors() const {
    return {store_.lowestVnum(), store_.first() ? store_.first()->vnum : 0};
}

void ProblemList::recomputeAll() {
    byRoom_.clear();
    seen_.clear();
    exitsInto_.clear();
    count_ = 0;
    for (const RoomIndexNode* n = store_.first(); n; n = n->next) remember(*n->room, seenOf(*n->room));
    for (LintFinding& f : lintZone(zone(), options_)) {
        byRoom_[f.room].push_back(std::move(f));
        ++count_;
    }
    anchors_ = zoneAnchors();
    lastLinted_ = store_.size();
    ++version_;
}

void ProblemList::forget(const RoomDataType& room) {
    unremember(room);
}

void ProblemList::roomsTouched(const TouchedRooms& touched) {
    // The default zone range and the walk over exits hang on the lowest and the first room.
    if (zoneAnchors() != anchors_) {
        recomputeAll();
        return;
    }
    std::vector<int32_t> vnums;
    // As the rooms stood when last linted, then as they stand now.
    for (const auto* rooms : {&touched.inZone, &touched.outOfZone})
        for (const RoomDataType* room : *rooms)
            if (const auto it = seen_.find(room); it != seen_.end()) noteNeighbours(it->second, vnums);
    for (const RoomDataType* room : touched.outOfZone) unremember(*room);
    for (const RoomDataType* room : touched.inZone) remember(*room, seenOf(*room));
    for (const RoomDataType* room : touched.inZone) noteNeighbours(seen_.at(room), vnums);
    relint(vnums);
}

void ProblemList::relint(std::vector<int32_t>& vnums) {
    std::sort(vnums.begin(), vnums.end());
    vnums.erase(std::unique(vnums.begin(), vnums.end()), vnums.end());
    for (int32_t vnum : vnums) {
        if (const auto it = byRoom_.find(vnum); it != byRoom_.end()) {
            count_ -= it->second.size();
            byRoom_.erase(it);
        }
    }
    for (LintFinding& f : lintRooms(zone(), options_, vnums)) {
        byRoom_[f.room].push_back(std::move(f));
        ++count_;
    }
    lastLinted_ = vnums.size();
    ++version_;
}

std::vector<const LintFinding*> ProblemList::rows() const {
    std::vector<const LintFinding*> rows;
    rows.reserve(count_);
    for (const auto& [vnum, findings] : byRoom_)
        for (const LintFinding& f : findings) rows.push_back(&f);
    return rows;
}
