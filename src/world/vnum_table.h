#pragma once
// Room number -> node, for the hot look-ups of loading and the automatic layout.
// World files hold numbers 0..99998, so those live in one flat table (one cache line
// per look-up, no hashing, no rehashing while a zone loads); any other number the
// editor may be given goes to a hash map.
#include <cstdint>
#include <unordered_map>
#include <vector>

struct RoomIndexNode;

class VnumTable {
public:
    RoomIndexNode* get(int32_t vnum) const {
        if (isFlat(vnum)) return flat_.empty() ? nullptr : flat_[static_cast<size_t>(vnum)];
        auto it = others_.find(vnum);
        return it == others_.end() ? nullptr : it->second;
    }
    void set(int32_t vnum, RoomIndexNode* node) {
        if (isFlat(vnum)) {
            if (flat_.empty()) flat_.assign(kFlatSize, nullptr);
            flat_[static_cast<size_t>(vnum)] = node;
        } else {
            others_[vnum] = node;
        }
    }
    void erase(int32_t vnum) {
        if (isFlat(vnum)) {
            if (!flat_.empty()) flat_[static_cast<size_t>(vnum)] = nullptr;
        } else {
            others_.erase(vnum);
        }
    }
    void clear() {
        flat_.clear();
        flat_.shrink_to_fit();
        others_.clear();
    }

private:
    static constexpr int32_t kFlatSize = 100000;
    static bool isFlat(int32_t vnum) { return vnum >= 0 && vnum < kFlatSize; }
    std::vector<RoomIndexNode*> flat_;
    std::unordered_map<int32_t, RoomIndexNode*> others_;
};
