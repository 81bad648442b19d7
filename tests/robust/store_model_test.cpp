// Long random sequences of the store's and the map's operations, each checked after every
// step against the promises of both (store_invariants.h) and against a plain reference:
// a vector of (number, record) in index order, searched by walking it.
//
// A failure names its seed; QUENDRY_MODEL_SEED=<seed> replays that sequence alone, and
// QUENDRY_MODEL_SEEDS / QUENDRY_MODEL_STEPS make the run longer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "map/auto_placement.h"
#include "store_invariants.h"
#include "world/prompts.h"

namespace {

constexpr int32_t kHighestVnum = 60;  // a small range, so that numbers repeat

struct RefNode {
    int32_t vnum;
    const RoomDataType* room;
};

class SilentPrompts : public Prompts {
public:
    void message(const std::string& text) override { ADD_FAILURE() << "unexpected message: " << text; }
    bool confirm(const std::string& q) override {
        ADD_FAILURE() << "unexpected question: " << q;
        return false;
    }
};

size_t envNumber(const char* name, size_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

class ModelRun {
public:
    explicit ModelRun(uint64_t seed) : random_(seed), map_(store_) {}

    // Returns "" or the first problem, naming the step and the operation.
    std::string run(size_t steps) {
        for (size_t step = 0; step < steps; ++step) {
            const std::string operation = randomOperation();
            std::string problem = compare(step % 16 == 0);
            if (!problem.empty()) return "after step " + std::to_string(step) + " (" + operation + "): " + problem;
        }
        std::string problem = compare(true);
        store_.deleteAllRooms();
        ref_.clear();
        current_ = nullptr;
        if (problem.empty()) problem = compare(true);
        if (problem.empty() && (map_.grid.roomCount() != 0 || map_.placement.size() != 0))
            problem = "deleting every room left the map or the list occupied";
        return problem;
    }

private:
    int32_t randomVnum() { return std::uniform_int_distribution<int32_t>(0, kHighestVnum)(random_); }
    size_t below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(random_); }
    bool chance(int percent) { return std::uniform_int_distribution<int>(1, 100)(random_) <= percent; }

    std::unique_ptr<RoomDataType> newRoom(int32_t vnum) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = vnum;
        room->name = "room " + std::to_string(vnum);
        initNewRoom(*room);
        for (int d = 0; d < kDirectionCount; ++d)
            if (chance(40)) room->exitTo[d] = randomVnum();
        return room;
    }

    RoomIndexNode* randomNode() { return store_.empty() ? nullptr : store_.nodeAt(below(store_.size())); }

    // The reference's walk: before the first node with a strictly greater number.
    size_t refOrderedPosition(int32_t vnum) const {
        size_t i = 0;
        while (i < ref_.size() && ref_[i].vnum <= vnum) ++i;
        return i;
    }
    size_t refPositionOf(const RoomDataType* room) const {
        for (size_t i = 0; i < ref_.size(); ++i)
            if (ref_[i].room == room) return i;
        return ref_.size();
    }

    void addOrdered(std::unique_ptr<RoomDataType> room) {
        const int32_t vnum = room->vnum;
        const RoomDataType* record = room.get();
        ref_.insert(ref_.begin() + static_cast<ptrdiff_t>(refOrderedPosition(vnum)), {vnum, record});
        store_.insertOrdered(WorldStore::makeNode(std::move(room)));
        store_.setNextFreeAfterLast();
        nextFree_ = ref_.back().vnum + 1;
    }

    void append(std::unique_ptr<RoomDataType> room) {
        ref_.push_back({room->vnum, room.get()});
        store_.appendNode(WorldStore::makeNode(std::move(room)));
        store_.setNextFreeAfterLast();
        nextFree_ = ref_.back().vnum + 1;
    }

    void deleteRoomAt(RoomIndexNode* node) {
        store_.setCurrent(current_ = node);
        if (!node) pending_ = false;  // with no current room there is nothing to end
        if (pending_) store_.beginNewRoom(); else store_.endNewRoom();
        if (node && !pending_) ref_.erase(ref_.begin() + static_cast<ptrdiff_t>(refPositionOf(node->room.get())));
        store_.deleteCurrentRoom();
        if (!pending_) current_ = nullptr;
        pending_ = false;
    }

    // A cell that is empty, found by trying; none when the tries all hit rooms.
    bool randomEmptyCell(int& x, int& y, int& z) {
        for (int tries = 0; tries < 50; ++tries) {
            // Mostly near the middle, so that neighbours meet and exits get recalculated.
            x = 45 + static_cast<int>(below(11)), y = 45 + static_cast<int>(below(11)), z = 4 + static_cast<int>(below(3));
            if (chance(10)) x = 1 + static_cast<int>(below(100)), y = 1 + static_cast<int>(below(100)), z = static_cast<int>(below(10));
            if (!map_.grid.cellAt(x, y, z)) return true;
        }
        return false;
    }

    RoomDataType* randomPlacedRoom() {
        for (int tries = 0; tries < 20; ++tries) {
            RoomIndexNode* n = randomNode();
            if (n && n->room->onMap()) return n->room.get();
        }
        return nullptr;
    }

    // A load: every room deleted, a new zone read in file or number order, adopted, laid
    // out from its first room and the rooms left over listed.
    void reload() {
        store_.deleteAllRooms();
        ref_.clear();
        const bool sorted = chance(50);
        const size_t count = 1 + below(40);
        for (size_t i = 0; i < count; ++i) {
            auto room = newRoom(randomVnum());
            // Some exits lead exactly where the layout will want to go, some anywhere.
            if (sorted) addOrdered(std::move(room));
            else append(std::move(room));
        }
        store_.adoptLoadedWorld();
        current_ = store_.first();
        SilentPrompts prompts;
        mapLoadedWorld(store_, map_, "/nonexistent-dir/zone.wld", prompts);
        for (RoomIndexNode* n = store_.first(); n; n = n->next)
            if (!n->room->onMap()) map_.placement.registerUnplacedRoom(*n->room);
    }

    std::string randomOperation() {
        const int pick = static_cast<int>(below(100));
        if (pick < 14) {
            auto room = newRoom(randomVnum());
            RoomDataType& record = *room;
            if (store_.empty() || chance(80)) {
                addOrdered(std::move(room));
                // UPDATE registers a room it creates off the map.
                if (chance(50)) map_.placement.registerUnplacedRoom(record);
                return "insert in order";
            }
            append(std::move(room));
            return "append";
        }
        if (pick < 22) {
            RoomIndexNode* node = randomNode();
            if (!node) return "renumber (empty)";
            const int32_t vnum = randomVnum();
            const RoomDataType* record = node->room.get();
            ref_.erase(ref_.begin() + static_cast<ptrdiff_t>(refPositionOf(record)));
            ref_.insert(ref_.begin() + static_cast<ptrdiff_t>(refOrderedPosition(vnum)), {vnum, record});
            store_.renumber(node, vnum);
            nextFree_ = ref_.back().vnum + 1;
            // UPDATE refreshes the entry of a renumbered room that is off the map.
            if (!node->room->onMap() && chance(50)) map_.placement.registerUnplacedRoom(*node->room);
            return "renumber to " + std::to_string(vnum);
        }
        if (pick < 32) {
            if (chance(15)) pending_ = true;  // New Room pressed, not yet created
            deleteRoomAt(randomNode());
            return "delete current";
        }
        if (pick < 33) {
            pending_ = chance(30);
            if (pending_) store_.beginNewRoom(); else store_.endNewRoom();
            store_.deleteAllRooms();
            ref_.clear();
            current_ = nullptr;
            pending_ = false;
            return "delete all";
        }
        if (pick < 40) {
            RoomIndexNode* node = randomNode();
            if (!node) return "copy (empty)";
            // Adding a default room: a copy of the template, numbered after the last room, off the map.
            copyRoom(store_.defaultRoom, *node->room);
            auto room = std::make_unique<RoomDataType>();
            copyRoom(*room, store_.defaultRoom);
            room->vnum = store_.nextFreeVnum();
            room->mapX = room->mapY = room->mapZ = -1;
            if (room->vnum < 0 || room->vnum > kHighestVnum + 5) room->vnum = randomVnum();
            addOrdered(std::move(room));
            return "copy";
        }
        if (pick < 55) {
            // The map window places a room from the placement list on an empty cell.
            if (map_.placement.size() == 0) return "place (list empty)";
            PlacementEntry* entry = map_.placement.placementEntryAt(below(map_.placement.size()));
            RoomDataType* room = entry->room;
            int x, y, z;
            if (!randomEmptyCell(x, y, z)) return "place (no empty cell)";
            map_.placement.unlinkPlacementEntry(entry);
            map_.grid.putRoom(*room, x, y, z);
            if (map_.recalcOnChange) map_.grid.recalcExits(x, y, z);
            return "place";
        }
        if (pick < 60) {
            // putRoom where the caller broke its rules: a placed room onto an occupied cell.
            RoomDataType* room = randomPlacedRoom();
            RoomDataType* other = randomPlacedRoom();
            if (!room || !other) return "put over (nothing placed)";
            map_.grid.putRoom(*room, other->mapX, other->mapY, other->mapZ);
            return "put over";
        }
        if (pick < 68) {
            RoomDataType* room = randomPlacedRoom();
            if (!room) return "take (nothing placed)";
            const int x = room->mapX, y = room->mapY, z = room->mapZ;
            map_.grid.takeRoom(x, y, z);
            map_.placement.registerUnplacedRoom(*room);
            if (map_.recalcOnChange) map_.grid.recalcExits(x, y, z);
            return "take";
        }
        if (pick < 74) {
            map_.grid.recalcExits(1 + static_cast<int>(below(100)), 1 + static_cast<int>(below(100)),
                                  static_cast<int>(below(10)));
            if (RoomDataType* room = randomPlacedRoom()) map_.grid.recalcExits(room->mapX, room->mapY, room->mapZ);
            return "recalc exits";
        }
        if (pick < 82) {
            RoomIndexNode* node = randomNode();
            if (!node || node->room->onMap()) return "register (none off the map)";
            map_.placement.registerUnplacedRoom(*node->room);
            return "register unplaced";
        }
        if (pick < 88) {
            if (chance(50)) {
                auto [entry, position] = map_.placement.findPlacementEntry(randomVnum());
                map_.placement.unlinkPlacementEntry(entry);
                return "unlink entry by number";
            }
            if (map_.placement.size() == 0) return "unlink entry (list empty)";
            map_.placement.unlinkPlacementEntry(map_.placement.placementEntryAt(below(map_.placement.size())));
            return "unlink entry by position";
        }
        if (pick < 91) {
            map_.recalcOnChange = !map_.recalcOnChange;
            return "toggle recalc";
        }
        if (pick < 95) {
            RoomIndexNode* node = randomNode();
            store_.setCurrent(current_ = node);
            return "move current";
        }
        reload();
        return "load and automatic placement";
    }

    std::string compare(bool fullScan) {
        std::string problem = worldProblem(store_, map_, fullScan);
        if (!problem.empty()) return problem;
        if (store_.size() != ref_.size())
            return "size " + std::to_string(store_.size()) + ", reference " + std::to_string(ref_.size());
        size_t i = 0;
        for (const RoomIndexNode* n = store_.first(); n; n = n->next, ++i)
            if (n->vnum != ref_[i].vnum || n->room.get() != ref_[i].room)
                return "position " + std::to_string(i) + " holds " + std::to_string(n->vnum) + ", reference " +
                       std::to_string(ref_[i].vnum);
        for (int32_t v = -1; v <= kHighestVnum + 1; ++v) {
            const RoomDataType* expected = nullptr;
            for (const RefNode& r : ref_)
                if (r.vnum == v) {
                    expected = r.room;
                    break;
                }
            const RoomIndexNode* found = store_.findByVnum(v);
            if ((found ? found->room.get() : nullptr) != expected) return "findByVnum(" + std::to_string(v) + ") differs";
        }
        if (store_.current() != current_) return "current differs";
        if (store_.newRoomPending()) return "a pending New Room outlived the deletion";
        // Adding and renumbering set it after the last room; deleting leaves it alone.
        if (store_.nextFreeVnum() != nextFree_)
            return "nextFreeVnum " + std::to_string(store_.nextFreeVnum()) + ", expected " + std::to_string(nextFree_);
        return {};
    }

    std::mt19937_64 random_;
    WorldStore store_;
    MapModel map_;
    std::vector<RefNode> ref_;
    RoomIndexNode* current_ = nullptr;
    int32_t nextFree_ = 0;
    bool pending_ = false;
};

}  // namespace

TEST(StoreModel, RandomSequencesKeepEveryPromiseAndMatchTheReference) {
    const size_t steps = envNumber("QUENDRY_MODEL_STEPS", 400);
    std::vector<uint64_t> seeds;
    if (const char* one = std::getenv("QUENDRY_MODEL_SEED"); one && *one) {
        seeds.push_back(std::strtoull(one, nullptr, 10));
    } else {
        const size_t count = envNumber("QUENDRY_MODEL_SEEDS", 60);
        for (uint64_t s = 1; s <= count; ++s) seeds.push_back(s * 7919);
    }
    for (uint64_t seed : seeds) {
        const std::string problem = ModelRun(seed).run(steps);
        ASSERT_EQ(problem, "") << "seed " << seed << " (replay with QUENDRY_MODEL_SEED=" << seed << ")";
    }
}
