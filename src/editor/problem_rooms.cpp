#include "editor/problem_rooms.h"

#include "world/newer_fields.h"

LintedRooms::Seen LintedRooms::seenOf(const RoomDataType& room) {
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

void LintedRooms::clear(size_t rooms) {
    slots_.clear();
    freeSlots_.clear();
    slotOf_.clear();
    prevInto_.clear();
    nextInto_.clear();
    numbers_.clear();
    slots_.reserve(rooms);
    slotOf_.reserve(rooms);
    prevInto_.reserve(rooms * kExits);
    nextInto_.reserve(rooms * kExits);
}

void LintedRooms::linkExit(uint32_t link, int32_t to) {
    Number& into = numbers_.at(to);
    prevInto_[link] = kNone;
    nextInto_[link] = into.into;
    if (into.into != kNone) prevInto_[into.into] = link;
    into.into = link;
}

void LintedRooms::unlinkExit(uint32_t link, int32_t to) {
    const uint32_t prev = prevInto_[link], next = nextInto_[link];
    if (prev != kNone)
        nextInto_[prev] = next;
    else
        numbers_.at(to).into = next;
    if (next != kNone) prevInto_[next] = prev;
}

void LintedRooms::remember(const RoomDataType& room, const Seen& seen) {
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
    for (uint32_t d = 0; d < kExits; ++d)
        if (seen.to[d] != 0) linkExit(slot * kExits + d, seen.to[d]);
}

void LintedRooms::restate(uint32_t slot, const Seen& now) {
    const Seen& before = slots_[slot].seen;
    for (uint32_t d = 0; d < kExits; ++d) {
        if (before.to[d] == now.to[d]) continue;
        if (before.to[d] != 0) unlinkExit(slot * kExits + d, before.to[d]);
        if (now.to[d] != 0) linkExit(slot * kExits + d, now.to[d]);
    }
    slots_[slot].seen = now;
}

std::optional<LintedRooms::Seen> LintedRooms::forget(const RoomDataType& room) {
    const auto it = slotOf_.find(&room);
    if (it == slotOf_.end()) return std::nullopt;
    const uint32_t slot = it->second;
    slotOf_.erase(it);
    Slot& s = slots_[slot];
    std::optional<Seen> before(s.seen);
    for (uint32_t d = 0; d < kExits; ++d)
        if (s.seen.to[d] != 0) unlinkExit(slot * kExits + d, s.seen.to[d]);
    Number& holder = numbers_.at(s.seen.vnum);
    if (s.prevHolder != kNone)
        slots_[s.prevHolder].nextHolder = s.nextHolder;
    else
        holder.holders = s.nextHolder;
    if (s.nextHolder != kNone) slots_[s.nextHolder].prevHolder = s.prevHolder;
    --holder.holderCount;
    s = Slot{};
    freeSlots_.push_back(slot);
    return before;
}
