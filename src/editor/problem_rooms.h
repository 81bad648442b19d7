#pragma once
// The rooms of the zone as the Problems list last linted them: per room the number, exits
// and position it had then, and per number the rooms holding it and the exits leading
// into it. The list reads them to find the neighbours of a changed room, the reach to walk
// the exits both ways.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "world/room.h"

// Per number: flat for a world file's numbers, a hash map for the rest.
template <typename Entry>
class NumberTable {
public:
    Entry& at(int32_t vnum) {
        if (vnum >= 0 && vnum < kFlat) {
            if (flat_.empty()) flat_.resize(kFlat);
            return flat_[static_cast<size_t>(vnum)];
        }
        return others_[vnum];
    }
    const Entry* find(int32_t vnum) const {
        if (vnum >= 0 && vnum < kFlat) return flat_.empty() ? nullptr : &flat_[static_cast<size_t>(vnum)];
        const auto it = others_.find(vnum);
        return it == others_.end() ? nullptr : &it->second;
    }
    void clear() {
        std::fill(flat_.begin(), flat_.end(), Entry{});
        others_.clear();
    }
    template <typename F>
    void forEach(F&& f) {
        for (Entry& n : flat_) f(n);
        for (auto& [vnum, n] : others_) f(n);
    }
    // f(number, entry) by number, lowest first.
    template <typename F>
    void forEachInOrder(F&& f) const {
        std::vector<int32_t> others;
        for (const auto& [vnum, n] : others_) others.push_back(vnum);
        std::sort(others.begin(), others.end());
        const auto above = std::lower_bound(others.begin(), others.end(), 0);
        for (auto at = others.begin(); at != above; ++at) f(*at, others_.find(*at)->second);
        for (size_t vnum = 0; vnum < flat_.size(); ++vnum) f(static_cast<int32_t>(vnum), flat_[vnum]);
        for (auto at = above; at != others.end(); ++at) f(*at, others_.find(*at)->second);
    }

private:
    static constexpr int32_t kFlat = 99999;  // a world file's numbers, 0..99998
    std::vector<Entry> flat_;
    std::unordered_map<int32_t, Entry> others_;
};

class LintedRooms {
public:
    static constexpr uint32_t kNone = UINT32_MAX;
    static constexpr uint32_t kExits = kAllDirectionCount;
    struct Seen {
        int32_t vnum = 0;
        std::array<int32_t, kAllDirectionCount> to{};
        std::array<int32_t, kAllDirectionCount> door{};
        std::array<int32_t, kAllDirectionCount> key{};
        int x = -1, y = -1, z = -1;
    };
    static Seen seenOf(const RoomDataType& room);

    // Nothing remembered, room for this many rooms.
    void clear(size_t rooms);
    void remember(const RoomDataType& room, const Seen& seen);
    // The slot of a remembered room, kNone for another.
    uint32_t slotOf(const RoomDataType& room) const {
        const auto it = slotOf_.find(&room);
        return it == slotOf_.end() ? kNone : it->second;
    }
    const Seen& seen(uint32_t slot) const { return slots_[slot].seen; }
    // The room in the slot now stands as `now`, with the same number.
    void restate(uint32_t slot, const Seen& now);
    // Forgets the room if it is remembered, and tells how it stood.
    std::optional<Seen> forget(const RoomDataType& room);

    uint32_t holderCount(int32_t vnum) const {
        const Number* n = numbers_.find(vnum);
        return n ? n->holderCount : 0;
    }
    // f(to) for every exit of the rooms holding vnum.
    template <typename F>
    void forEachExitOf(int32_t vnum, F&& f) const {
        const Number* n = numbers_.find(vnum);
        for (uint32_t slot = n ? n->holders : kNone; slot != kNone; slot = slots_[slot].nextHolder)
            for (int32_t to : slots_[slot].seen.to)
                if (to != 0) f(to);
    }
    // f(number, holders) for every number some room holds, lowest first.
    template <typename F>
    void forEachHeldInOrder(F&& f) const {
        numbers_.forEachInOrder([&](int32_t vnum, const Number& n) {
            if (n.holderCount != 0) f(vnum, n.holderCount);
        });
    }

    // The exits into a number, newest first: the number of the room each comes from and
    // its direction, read when asked for.
    class ExitInto {
    public:
        int32_t from() const { return rooms_->slots_[link_ / kExits].seen.vnum; }
        int direction() const { return static_cast<int>(link_ % kExits); }

    private:
        friend class LintedRooms;
        ExitInto(const LintedRooms& rooms, uint32_t link) : rooms_(&rooms), link_(link) {}
        const LintedRooms* rooms_;
        uint32_t link_;
    };
    class ExitsInto {
    public:
        class iterator {
        public:
            iterator(const LintedRooms& rooms, uint32_t link) : rooms_(&rooms), link_(link) {}
            ExitInto operator*() const { return {*rooms_, link_}; }
            iterator& operator++() {
                link_ = rooms_->nextInto_[link_];
                return *this;
            }
            bool operator!=(const iterator& other) const { return link_ != other.link_; }

        private:
            const LintedRooms* rooms_;
            uint32_t link_;
        };
        iterator begin() const { return {rooms_, first_}; }
        iterator end() const { return {rooms_, kNone}; }

    private:
        friend class LintedRooms;
        ExitsInto(const LintedRooms& rooms, uint32_t first) : rooms_(rooms), first_(first) {}
        const LintedRooms& rooms_;
        uint32_t first_;
    };
    ExitsInto exitsInto(int32_t vnum) const {
        const Number* n = numbers_.find(vnum);
        return {*this, n ? n->into : kNone};
    }

private:
    // A room as last linted, in a pool: its exit `d` is the link slot * kExits + d in the
    // list of exits into the number it leads to.
    struct Slot {
        const RoomDataType* room = nullptr;
        Seen seen;
        uint32_t prevHolder = kNone, nextHolder = kNone;  // the rooms with the same number
    };
    struct Number {
        uint32_t holders = kNone;  // first slot holding the number
        uint32_t into = kNone;     // first exit link into the number
        uint32_t holderCount = 0;
    };
    void linkExit(uint32_t link, int32_t to);
    void unlinkExit(uint32_t link, int32_t to);

    std::vector<Slot> slots_;
    std::vector<uint32_t> freeSlots_;
    std::unordered_map<const RoomDataType*, uint32_t> slotOf_;
    std::vector<uint32_t> prevInto_, nextInto_;  // per exit link
    NumberTable<Number> numbers_;
};
