#include "recovery/recovery_snapshot.h"

#include "wldfile/world_writer.h"
#include "world/world_store.h"

namespace {
// A room's text as the recovery file holds it: UNIX form, flags as letters.
std::shared_ptr<const std::string> roomText(int32_t vnum, const RoomDataType& room, WorldForm form, std::string& dos) {
    dos.clear();
    appendRoomText(dos, vnum, room, true, form);
    return std::make_shared<const std::string>(stripCarriageReturns(dos));
}
// One line of the map position file, as buildMapFileText writes it.
void appendMapLine(std::string& map, const std::array<int32_t, 4>& values) {
    for (int k = 0; k < 4; ++k) {
        map.append(std::to_string(values[k]));
        map.push_back(k == 3 ? '\r' : ' ');
    }
    map.push_back('\n');
}
}  // namespace

void RecoverySnapshotter::restartAssembly() {
    assembly_.reset();
    assembled_.reset();
}

bool RecoverySnapshotter::assembled(const WorldStore& store) const {
    return assembled_ && form_ == store.zoneForm && assembledRooms_ == store.size();
}

bool RecoverySnapshotter::assemble(const WorldStore& store, const std::function<bool()>& more) {
    if (assembled(store)) return true;
    if (assembled_) restartAssembly();  // assembled for another form or size
    if (store.zoneForm != form_) {
        kept_.clear();
        form_ = store.zoneForm;
    }
    if (!assembly_) {
        // One growth of the table while it is small rather than rehashes of a large one
        // within slices.
        if (kept_.empty() && kept_.bucket_count() < 2 * store.size()) kept_.reserve(2 * store.size());
        assembly_ = std::make_shared<RecoverySnapshot::Assembled>();
        assembly_->texts.reserve(store.size());
        assembledRooms_ = store.size();
        assembleFrom_ = store.first();
    }
    std::string dos;
    int count = 0;
    for (const RoomIndexNode* node = assembleFrom_; node; node = node->next) {
        if (++count % 8 == 0 && !more()) {
            assembleFrom_ = node;
            return false;
        }
        const RoomDataType& room = *node->room;
        Kept& kept = kept_[&room];
        if (!kept.text || kept.vnum != node->vnum) {
            kept.text = roomText(node->vnum, room, form_, dos);
            kept.vnum = node->vnum;
        }
        assembly_->texts.push_back(kept.text);
        if (room.mapX > 0) assembly_->positions.push_back({node->vnum, room.mapX, room.mapY, room.mapZ});
    }
    assembled_ = std::move(assembly_);
    return true;
}

std::unique_ptr<RecoverySnapshot> RecoverySnapshotter::takeAssembled(const WorldStore& store,
                                                                    RecoveryHeader header) const {
    if (!assembled(store)) return nullptr;
    auto s = std::make_unique<RecoverySnapshot>();
    s->header = std::move(header);
    s->form = form_;
    s->takenAt = changes_;
    s->assembled = assembled_;
    return s;
}

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
    restartAssembly();
}

void RecoverySnapshotter::roomsTouched(const TouchedRooms& touched) {
    for (const RoomDataType* record : touched.inZone) roomTouched(record);
    for (const RoomDataType* record : touched.outOfZone) roomTouched(record);
}

void RecoverySnapshotter::forgetAll() {
    ++changes_;
    kept_.clear();
    restartAssembly();
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
    std::string dos;
    std::vector<const std::string*> texts;
    if (assembled) {
        texts.reserve(assembled->texts.size());
        for (const auto& text : assembled->texts) texts.push_back(text.get());
    } else {
        texts.reserve(rooms.size());
        for (Room& room : rooms) {
            if (!room.text) room.text = roomText(room.vnum, *room.copy, form, dos);
            texts.push_back(room.text.get());
        }
    }
    size_t size = 8;
    for (const std::string* text : texts) size += text->size();
    std::string world;
    world.reserve(size);
    for (const std::string* text : texts) world.append(*text);
    world.append("$\n");
    const std::vector<std::array<int32_t, 4>>& places = assembled ? assembled->positions : positions;
    std::string map;
    map.reserve(places.size() * 24);
    for (const auto& p : places) appendMapLine(map, p);
    return buildRecoveryFile(header, world, map);
}
