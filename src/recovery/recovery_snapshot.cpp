#include "recovery/recovery_snapshot.h"

#include "wldfile/world_writer.h"
#include "world/world_store.h"

std::unique_ptr<RecoverySnapshot> RecoverySnapshotter::take(const WorldStore& store, RecoveryHeader header) {
    if (store.zoneForm != form_) {
        // Every text depends on the form.
        kept_.clear();
        form_ = store.zoneForm;
    }
    // Kept texts of records that have left the zone would pile up; when they outnumber
    // the rooms, they are let go (the rooms' own are built again once).
    if (kept_.size() > 2 * store.size() + 1024) kept_.clear();

    auto s = std::make_unique<RecoverySnapshot>();
    s->header = std::move(header);
    s->form = store.zoneForm;
    s->takenAt = changes_;
    s->rooms.resize(store.size());
    s->positions.reserve(store.size());
    size_t i = 0;
    for (const RoomIndexNode* node = store.first(); node; node = node->next, ++i) {
        const RoomDataType& room = *node->room;
        RecoverySnapshot::Room& out = s->rooms[i];
        out.record = &room;
        out.vnum = node->vnum;
        if (auto it = kept_.find(&room); it != kept_.end() && it->second.text && it->second.vnum == node->vnum) {
            out.text = it->second.text;
        } else {
            out.copy = std::make_unique<RoomDataType>();
            copyRoom(*out.copy, room);
            ++s->copied;
        }
        if (room.mapX > 0) s->positions.push_back({node->vnum, room.mapX, room.mapY, room.mapZ});
    }
    return s;
}

void RecoverySnapshotter::roomTouched(const RoomDataType* record) {
    // Kept even without a text, so that a text built from an older copy is not learnt.
    Kept& kept = kept_[record];
    kept.text.reset();
    kept.touchedAt = ++changes_;
}

void RecoverySnapshotter::forgetAll() {
    ++changes_;
    kept_.clear();
}

void RecoverySnapshotter::learn(const RecoverySnapshot& snapshot) {
    if (snapshot.form != form_) return;
    for (const RecoverySnapshot::Room& room : snapshot.rooms) {
        if (!room.copy || !room.text) continue;
        Kept& kept = kept_[room.record];
        // Touched after the snapshot was taken: the text built is an old one.
        if (kept.touchedAt > snapshot.takenAt) continue;
        kept.text = room.text;
        kept.vnum = room.vnum;
    }
}

std::string RecoverySnapshot::fileBytes() {
    std::string world;
    std::string dos;
    size_t size = 8;
    for (Room& room : rooms) {
        if (!room.text) {
            dos.clear();
            appendRoomText(dos, room.vnum, *room.copy, true, form);
            room.text = std::make_shared<const std::string>(stripCarriageReturns(dos));
        }
        size += room.text->size();
    }
    world.reserve(size);
    for (const Room& room : rooms) world.append(*room.text);
    world.append("$\n");
    std::string map;
    map.reserve(positions.size() * 24);
    for (const auto& p : positions) {
        for (int k = 0; k < 4; ++k) {
            map.append(std::to_string(p[k]));
            map.push_back(k == 3 ? '\r' : ' ');
        }
        map.push_back('\n');
    }
    return buildRecoveryFile(header, world, map);
}
