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
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "recovery/recovery_file.h"
#include "world/room.h"

class WorldStore;

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

    // Builds the texts still missing (any thread) and the whole recovery file.
    std::string fileBytes();
};

class RecoverySnapshotter {
public:
    // Takes the store as it is now; the header is the caller's.
    std::unique_ptr<RecoverySnapshot> take(const WorldStore& store, RecoveryHeader header);
    // A change touched the record: its kept text is no longer its text.
    void roomTouched(const RoomDataType* record);
    // Every record may be gone (a load, New Area): nothing kept is trusted.
    void forgetAll();
    // Keeps the texts a writer built for a snapshot, for the rooms untouched since it was taken.
    void learn(const RecoverySnapshot& snapshot);

    size_t textsKept() const { return kept_.size(); }

private:
    struct Kept {
        std::shared_ptr<const std::string> text;
        int32_t vnum = 0;
        uint64_t touchedAt = 0;
    };
    std::unordered_map<const RoomDataType*, Kept> kept_;
    WorldForm form_ = WorldForm::Classic;
    uint64_t changes_ = 0;
};
