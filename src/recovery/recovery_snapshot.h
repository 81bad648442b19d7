#pragma once
// The zone as it stands, taken on the user-interface thread in a few milliseconds and
// turned into a recovery file on another thread.
//
// Building the text of a large zone takes far longer than a frame, and copying every
// record nearly as long, so the snapshotter keeps the text of every room it has built
// before, shared and never changed, and is told which records a change touched. A
// snapshot then holds, in index order, the kept text of each untouched room and a copy
// of each touched one; the writer's thread builds the texts of the copies, and the
// snapshotter keeps them for the next time (learn). The map positions are copied whole:
// four numbers a room.
//
// Even a walk over a large index with a look-up per room takes longer than a frame, so
// between events the snapshotter also assembles the whole world and map texts ahead, a
// few milliseconds at a time (assemble), starting again whenever the zone changes. Once
// assembled, a snapshot is two shared texts and costs nothing (takeAssembled).
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "recovery/recovery_file.h"
#include "world/room.h"
#include "world/zone_history.h"

class WorldStore;
struct RoomIndexNode;

struct RecoverySnapshot {
    struct Room {
        const RoomDataType* record = nullptr;  // whose text this is; only compared, never read off this thread
        int32_t vnum = 0;
        std::shared_ptr<const std::string> text;  // UNIX form; none until built from copy
        std::unique_ptr<RoomDataType> copy;       // a touched room, as it was when taken
    };
    RecoveryHeader header;
    WorldForm form = WorldForm::Classic;
    uint64_t takenAt = 0;  // the snapshotter's count of changes when it was taken
    std::vector<Room> rooms;
    std::vector<std::array<int32_t, 4>> positions;  // vnum, column, row, level; rooms on the map
    size_t copied = 0;                               // rooms taken as copies
    // Assembled ahead: the texts of the rooms in index order and the positions; rooms
    // and positions are then empty. Pieces rather than one text: a large block of new
    // memory costs the thread that first touches it, and that is the writer's.
    struct Assembled {
        std::vector<std::shared_ptr<const std::string>> texts;
        std::vector<std::array<int32_t, 4>> positions;
    };
    std::shared_ptr<const Assembled> assembled;

    // Builds the texts still missing (any thread) and the whole recovery file.
    std::string fileBytes();
};

class RecoverySnapshotter {
public:
    // Takes the store as it is now; the header is the caller's.
    std::unique_ptr<RecoverySnapshot> take(const WorldStore& store, RecoveryHeader header);
    // A change touched the record: its kept text is no longer its text.
    void roomTouched(const RoomDataType* record);
    // Every record a change touched, in the zone or out of it.
    void roomsTouched(const TouchedRooms& touched);
    // Every record may be gone (a load, New Area): nothing kept is trusted.
    void forgetAll();
    // Keeps the texts a writer built for a snapshot, for the rooms untouched since it was taken.
    void learn(const RecoverySnapshot& snapshot);
    // Goes on assembling the texts of the zone as it is while more() says so (asked every
    // few rooms); true once they are complete. The zone must not have changed since the
    // last call without roomTouched or forgetAll, which start the assembly again.
    bool assemble(const WorldStore& store, const std::function<bool()>& more);
    // The assembled texts are the store's (as far as a form or size can tell otherwise).
    bool assembled(const WorldStore& store) const;
    // The assembled texts as a snapshot; none unless assembled().
    std::unique_ptr<RecoverySnapshot> takeAssembled(const WorldStore& store, RecoveryHeader header) const;

    size_t textsKept() const { return kept_.size(); }

private:
    struct Kept {
        std::shared_ptr<const std::string> text;
        int32_t vnum = 0;
        uint64_t touchedAt = 0;
    };
    void restartAssembly();

    std::unordered_map<const RoomDataType*, Kept> kept_;
    // The assembly under way, and the last one completed (none once the zone changed).
    std::shared_ptr<RecoverySnapshot::Assembled> assembly_;
    const RoomIndexNode* assembleFrom_ = nullptr;
    std::shared_ptr<const RecoverySnapshot::Assembled> assembled_;
    size_t assembledRooms_ = 0;
    WorldForm form_ = WorldForm::Classic;
    uint64_t changes_ = 0;
};
