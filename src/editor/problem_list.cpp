#include "editor/problem_list.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "world/newer_fields.h"

namespace {
constexpr uint32_t kExits = kAllDirectionCount;
// How far the repairs of the tree after the tree edges one change lost look, together
// (steps up ways in and exits looked at), before the rest let go of their subtrees
// instead: a few milliseconds at most.
constexpr int kRepairBudget = 50000;
}  // namespace

ProblemList::Number& ProblemList::Numbers::at(int32_t vnum) {
    if (vnum >= 0 && vnum < kFlat) {
        if (flat_.empty()) flat_.resize(kFlat);
        return flat_[static_cast<size_t>(vnum)];
    }
    return others_[vnum];
}

const ProblemList::Number* ProblemList::Numbers::find(int32_t vnum) const {
    if (vnum >= 0 && vnum < kFlat) return flat_.empty() ? nullptr : &flat_[static_cast<size_t>(vnum)];
    const auto it = others_.find(vnum);
    return it == others_.end() ? nullptr : &it->second;
}

void ProblemList::Numbers::clear() {
    std::fill(flat_.begin(), flat_.end(), Number{});
    others_.clear();
}

template <typename F>
void ProblemList::Numbers::forEach(F&& f) {
    for (Number& n : flat_) f(n);
    for (auto& [vnum, n] : others_) f(n);
}

template <typename F>
void ProblemList::Numbers::forEachInOrder(F&& f) const {
    std::vector<int32_t> others;
    for (const auto& [vnum, n] : others_) others.push_back(vnum);
    std::sort(others.begin(), others.end());
    const auto above = std::lower_bound(others.begin(), others.end(), 0);
    for (auto at = others.begin(); at != above; ++at) f(*at, others_.find(*at)->second);
    for (size_t vnum = 0; vnum < flat_.size(); ++vnum) f(static_cast<int32_t>(vnum), flat_[vnum]);
    for (auto at = above; at != others.end(); ++at) f(*at, others_.find(*at)->second);
}

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
    for (int d = 0; d < kAllDirectionCount; ++d) {
        const size_t at = static_cast<size_t>(d);
        seen.to[at] = exitDestination(room, d);
        if (seen.to[at] == 0) continue;
        const RoomExitType& exit = exitDetails(room, d);
        seen.door[at] = exit.doorFlag;
        seen.key[at] = exit.key;
    }
    if (room.onMap()) {
        seen.x = room.mapX;
        seen.y = room.mapY;
        seen.z = room.mapZ;
    }
    return seen;
}

void ProblemList::linkExit(uint32_t link, int32_t to) {
    Number& into = numbers_.at(to);
    prevInto_[link] = kNone;
    nextInto_[link] = into.into;
    if (into.into != kNone) prevInto_[into.into] = link;
    into.into = link;
}

void ProblemList::unlinkExit(uint32_t link, int32_t to) {
    const uint32_t prev = prevInto_[link], next = nextInto_[link];
    if (prev != kNone)
        nextInto_[prev] = next;
    else
        numbers_.at(to).into = next;
    if (next != kNone) prevInto_[next] = prev;
}

void ProblemList::linkExits(uint32_t slot) {
    const Seen& seen = slots_[slot].seen;
    for (uint32_t d = 0; d < kExits; ++d)
        if (seen.to[d] != 0) linkExit(slot * kExits + d, seen.to[d]);
}

void ProblemList::unlinkExits(uint32_t slot) {
    const Seen& seen = slots_[slot].seen;
    for (uint32_t d = 0; d < kExits; ++d)
        if (seen.to[d] != 0) unlinkExit(slot * kExits + d, seen.to[d]);
}

void ProblemList::remember(const RoomDataType& room, const Seen& seen) {
    uint32_t slot;
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    } else {
        slot = static_cast<uint32_t>(slots_.size());
        slots_.emplace_back();
        prevInto_.resize(prevInto_.size() + kExits, kNone);
        nextInto_.resize(nextInto_.size() + kExits, kNone);
    }
    slotOf_[&room] = slot;
    Slot& s = slots_[slot];
    s.room = &room;
    s.seen = seen;
    Number& holder = numbers_.at(seen.vnum);
    s.prevHolder = kNone;
    s.nextHolder = holder.holders;
    if (holder.holders != kNone) slots_[holder.holders].prevHolder = slot;
    holder.holders = slot;
    ++holder.holderCount;
    linkExits(slot);
}

void ProblemList::unremember(const RoomDataType& room) {
    if (const auto it = slotOf_.find(&room); it != slotOf_.end()) unremember(it);
}

void ProblemList::unremember(std::unordered_map<const RoomDataType*, uint32_t>::iterator it) {
    const uint32_t slot = it->second;
    slotOf_.erase(it);
    unlinkExits(slot);
    Slot& s = slots_[slot];
    Number& holder = numbers_.at(s.seen.vnum);
    if (s.prevHolder != kNone)
        slots_[s.prevHolder].nextHolder = s.nextHolder;
    else
        holder.holders = s.nextHolder;
    if (s.nextHolder != kNone) slots_[s.nextHolder].prevHolder = s.prevHolder;
    --holder.holderCount;
    s = Slot{};
    freeSlots_.push_back(slot);
}

template <typename F>
void ProblemList::forEachExitOf(int32_t vnum, F&& f) {
    const Number* n = numbers_.find(vnum);
    for (uint32_t slot = n ? n->holders : kNone; slot != kNone; slot = slots_[slot].nextHolder)
        for (int32_t to : slots_[slot].seen.to)
            if (to != 0) f(to);
}

namespace {

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
        const Number* n = numbers_.find(vnum);
        for (uint32_t link = n ? n->into : kNone; link != kNone; link = nextInto_[link])
            if (facing >> (link % kExits) & 1u) vnums.push_back(slots_[link / kExits].seen.vnum);
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
    slots_.clear();
    freeSlots_.clear();
    slotOf_.clear();
    prevInto_.clear();
    nextInto_.clear();
    numbers_.clear();
    count_ = 0;
    stale_ = false;
    slots_.reserve(store_.size());
    slotOf_.reserve(store_.size());
    prevInto_.reserve(store_.size() * kExits);
    nextInto_.reserve(store_.size() * kExits);
    for (const RoomIndexNode* n = store_.first(); n; n = n->next) remember(*n->room, seenOf(*n->room));
    // The reach comes from the list's own walk, which it keeps up to date.
    LintOptions others = options_;
    others.enabled[static_cast<size_t>(LintCheck::UnreachableRoom)] = false;
    take(lintZone(zone(), others));
    outOfOrder_ = outOfOrder();
    walked_ = false;
    if (options_.runs(LintCheck::UnreachableRoom)) walkAll();
    anchor_ = zoneAnchor();
    lastLinted_ = store_.size();
    ++version_;
}

void ProblemList::forget(const RoomDataType& room) {
    if (store_.journal()) return;
    unremember(room);
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
    // A room that went, or holds another number now.
    const auto drop = [&](decltype(slotOf_)::iterator it) {
        const Seen before = slots_[it->second].seen;
        allExits(before, lost);
        holdersChanged.push_back(before.vnum);
        unremember(it);
        return before;
    };
    for (const RoomDataType* room : touched.outOfZone)
        if (const auto it = slotOf_.find(room); it != slotOf_.end()) {
            const Seen before = drop(it);
            noteNeighbours(&before, nullptr, vnums);
        }
    for (const RoomDataType* room : touched.inZone) {
        const Seen now = seenOf(*room);
        const auto it = slotOf_.find(room);
        if (it == slotOf_.end() || slots_[it->second].seen.vnum != now.vnum) {
            const std::optional<Seen> before = it == slotOf_.end() ? std::nullopt : std::optional<Seen>(drop(it));
            allExits(now, gained);
            holdersChanged.push_back(now.vnum);
            remember(*room, now);
            noteNeighbours(before ? &*before : nullptr, &now, vnums);
            continue;
        }
        const uint32_t slot = it->second;
        const Seen before = slots_[slot].seen;
        for (uint32_t d = 0; d < kExits; ++d) {
            if (before.to[d] == now.to[d]) continue;
            if (before.to[d] != 0) {
                lost.push_back({now.vnum, before.to[d]});
                unlinkExit(slot * kExits + d, before.to[d]);
            }
            if (now.to[d] != 0) {
                gained.push_back({now.vnum, now.to[d]});
                linkExit(slot * kExits + d, now.to[d]);
            }
        }
        slots_[slot].seen = now;
        noteNeighbours(&before, &now, vnums);
    }
    const size_t touches = touched.inZone.size() + touched.outOfZone.size();
    if (!store_.sorted() || !outOfOrder_.empty()) noteOrderChanges(vnums);
    relint(vnums);
    if (!options_.runs(LintCheck::UnreachableRoom)) return;
    const RoomIndexNode* first = store_.first();
    // A change of a quarter of the zone costs about what the whole walk does.
    if (!walked_ || !first || first->vnum != start_ || touches > store_.size() / 4) {
        walkAll();
        return;
    }
    std::vector<int32_t>& changed = scratch_.changed;
    changed.clear();
    for (int32_t vnum : holdersChanged) noteNumber(vnum, changed);
    updateReach(lost, gained, changed);
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
    numbers_.forEach([](Number& n) {
        n.reached = false;
        n.noted = false;
    });
    for (const auto& [vnum, unreached] : unreached_) count_ -= unreached.rooms;
    unreached_.clear();
    lastWalked_ = store_.size();
    ++version_;
    const RoomIndexNode* first = store_.first();
    walked_ = first != nullptr;
    if (!first) return;
    start_ = first->vnum;
    unreachedTail_ = ": no walk over exits from room " + std::to_string(start_) + ", the zone's first room, reaches it";
    numbers_.at(start_).reached = true;
    spreadFrom(start_, nullptr);
    // In number order, each at the map's end.
    numbers_.forEachInOrder([&](int32_t vnum, const Number& n) {
        if (n.reached || n.holderCount == 0) return;
        unreached_.emplace_hint(unreached_.end(), vnum, Unreached{unreachedFinding(vnum), n.holderCount});
        count_ += n.holderCount;
    });
}

bool ProblemList::hasExit(int32_t from, int32_t to) {
    const Number* n = numbers_.find(to);
    for (uint32_t link = n ? n->into : kNone; link != kNone; link = nextInto_[link])
        if (slots_[link / kExits].seen.vnum == from) return true;
    return false;
}

void ProblemList::noteNumber(int32_t vnum, std::vector<int32_t>& numbers) {
    Number& n = numbers_.at(vnum);
    if (n.noted) return;
    n.noted = true;
    numbers.push_back(vnum);
}

// Reaches vnum from parent, and from it what is not reached yet.
void ProblemList::reachFrom(int32_t vnum, int32_t parent, std::vector<int32_t>& changed) {
    Number& n = numbers_.at(vnum);
    n.reached = true;
    n.parent = parent;
    noteNumber(vnum, changed);
    spreadFrom(vnum, &changed);
}

// From a reached number, reaches what its exits lead to that is not reached yet, and on;
// notes what it reaches in `changed` when given.
void ProblemList::spreadFrom(int32_t vnum, std::vector<int32_t>* changed) {
    std::vector<int32_t>& queue = scratch_.queue;
    queue.assign(1, vnum);
    for (size_t at = 0; at < queue.size(); ++at) {
        const int32_t from = queue[at];
        forEachExitOf(from, [&](int32_t to) {
            Number& next = numbers_.at(to);
            if (next.reached) return;
            next.reached = true;
            next.parent = from;
            if (changed) noteNumber(to, *changed);
            queue.push_back(to);
        });
    }
}

// Lets go of root and of every number whose way in from the start runs through it.
void ProblemList::letGoBelow(int32_t root, std::vector<int32_t>& let) {
    size_t at = let.size();
    numbers_.at(root).reached = false;
    let.push_back(root);
    for (; at < let.size(); ++at) {
        const int32_t from = let[at];
        forEachExitOf(from, [&](int32_t to) {
            Number& n = numbers_.at(to);
            if (!n.reached || n.parent != from || to == start_) return;
            n.reached = false;
            let.push_back(to);
        });
    }
}

// Where the way in from the start to a reached number runs, as far as the budget goes:
// through root (Below), clear of it (Clear), or not known (a number let go on the way,
// or the budget spent). What a walk up finds holds for every number it passed.
ProblemList::Way ProblemList::wayOf(int32_t vnum, int32_t root, int& budget) {
    std::vector<int32_t>& path = scratch_.path;
    path.clear();
    Way way = Way::Unknown;
    for (int32_t at = vnum;; at = numbers_.at(at).parent) {
        Number& n = numbers_.at(at);
        if (n.stamp == stamp_) {
            way = n.way;
            break;
        }
        if (at == root) {
            way = Way::Below;
            break;
        }
        if (!n.reached || --budget <= 0) break;
        if (at == start_) {
            way = Way::Clear;
            break;
        }
        path.push_back(at);
    }
    if (way != Way::Unknown)
        for (int32_t at : path) {
            Number& n = numbers_.at(at);
            n.stamp = stamp_;
            n.way = way;
            n.queued = false;
        }
    return way;
}

// The tree edge into root is lost: looks back from root, over exits into it and into
// the numbers hanging below it, for a number whose way in is clear of root. From there
// the numbers on the way found are hung anew, root last; the rest below root keep their
// parents and so their ways in. False when none was found before the budget ran out.
bool ProblemList::rehang(int32_t root, int& budget) {
    ++stamp_;
    std::vector<int32_t>& below = scratch_.below;
    below.assign(1, root);
    Number& r = numbers_.at(root);
    r.stamp = stamp_;
    r.way = Way::Below;
    r.queued = true;
    for (size_t at = 0; at < below.size(); ++at) {
        const int32_t to = below[at];
        for (uint32_t link = numbers_.at(to).into; link != kNone; link = nextInto_[link]) {
            if (--budget <= 0) return false;
            const int32_t from = slots_[link / kExits].seen.vnum;
            const Way way = wayOf(from, root, budget);
            if (way == Way::Clear) {
                // from -> to -> ... -> root, each by an exit.
                for (int32_t parent = from, child = to;;) {
                    Number& c = numbers_.at(child);
                    const int32_t next = c.via;
                    c.parent = parent;
                    if (child == root) return true;
                    parent = child;
                    child = next;
                }
            }
            Number& n = numbers_.at(from);
            if (way != Way::Below || n.queued) continue;
            n.queued = true;
            n.via = to;
            below.push_back(from);
        }
    }
    return false;
}

void ProblemList::updateReach(const std::vector<Edge>& lost, const std::vector<Edge>& gained,
                              std::vector<int32_t>& changed) {
    std::vector<int32_t>& let = scratch_.let;
    let.clear();
    int budget = kRepairBudget;
    for (const Edge& edge : lost) {
        Number& n = numbers_.at(edge.to);
        if (!n.reached || edge.to == start_) continue;
        if (numbers_.at(n.parent).reached && hasExit(n.parent, edge.to)) continue;  // its way in stands
        if (!rehang(edge.to, budget)) letGoBelow(edge.to, let);
    }
    // What was let go is reached again by the exits into it from what is still reached.
    for (int32_t vnum : let) {
        noteNumber(vnum, changed);
        Number& n = numbers_.at(vnum);
        if (n.reached) continue;
        for (uint32_t link = n.into; link != kNone; link = nextInto_[link]) {
            const int32_t from = slots_[link / kExits].seen.vnum;
            if (!numbers_.at(from).reached) continue;
            reachFrom(vnum, from, changed);
            break;
        }
    }
    for (const Edge& edge : gained)
        if (numbers_.at(edge.from).reached && !numbers_.at(edge.to).reached) reachFrom(edge.to, edge.from, changed);
}

// The unreachable-room findings of these numbers again, one per room holding one.
void ProblemList::refreshUnreached(std::vector<int32_t>& numbers) {
    sortUnique(numbers, marks_, kMarkedNumbers);
    auto at = unreached_.begin();
    for (int32_t vnum : numbers) {
        Number& n = numbers_.at(vnum);
        n.noted = false;
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
        if (n.reached || n.holderCount == 0) continue;
        count_ += n.holderCount;
        at = std::next(unreached_.emplace_hint(at, vnum, Unreached{unreachedFinding(vnum), n.holderCount}));
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
