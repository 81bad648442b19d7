// The recording of world/zone_history.h. Its interface needs no more of the map than a
// name, but undo and redo put the map's cells and placement list back too, so the
// recording lives with the map, and the world folder includes nothing of the map's.
#include "world/zone_history.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "map/map_model.h"
#include "world/newer_fields.h"
#include "world/world_store.h"
#include "world/zone_journal.h"

// A change keeps the very nodes, records and placement entries a command linked or
// unlinked: undo links the same objects back where they stood, so a pointer held
// elsewhere keeps meaning the same room. The structural steps (a node in or out of the
// index or renumbered, an entry in or out of the placement list or renumbered) are kept
// in order and replayed backwards for undo and forwards for redo. Records, cells and the
// store's scalars are kept as before and after images and copied back at the end.

// The replays reach the private parts of the store, the grid and the placement list.
struct ZoneReplay {
    // The index.
    static void linkNode(WorldStore& store, RoomIndexNode* node, RoomIndexNode* before) {
        store.relinkBefore(node, before);
    }
    static void unlinkNode(WorldStore& store, RoomIndexNode* node) { (void)store.unlinkNode(node).release(); }
    static void renumberNode(WorldStore& store, RoomIndexNode* node, int32_t vnum) { store.setNodeVnum(node, vnum); }
    static bool linked(const WorldStore& store, const RoomIndexNode* node) { return store.linked(node); }

    struct Scalars {
        RoomIndexNode* current = nullptr;
        bool newRoomPending = false;
        int32_t nextFreeVnum = 0;
        bool sorted = true;
        int32_t zoneNumber = 0;
        std::string zoneName;
        int32_t zoneStart = 0;
        WorldForm zoneForm = WorldForm::Classic;
        bool operator==(const Scalars&) const = default;
    };
    static Scalars scalars(const WorldStore& store) {
        return {store.current_,   store.newRoomPending_, store.nextFreeVnum_, store.sorted_,
                store.zoneNumber, store.zoneName,        store.zoneStart,     store.zoneForm};
    }
    static void setScalars(WorldStore& store, const Scalars& s) {
        store.current_ = s.current;
        store.newRoomPending_ = s.newRoomPending;
        store.nextFreeVnum_ = s.nextFreeVnum;
        store.sorted_ = s.sorted;
        store.zoneNumber = s.zoneNumber;
        store.zoneName = s.zoneName;
        store.zoneStart = s.zoneStart;
        store.zoneForm = s.zoneForm;
    }

    // The grid.
    static RoomDataType* cell(const MapGrid& grid, size_t index) { return grid.cells_[index]; }
    static void setCell(MapGrid& grid, size_t index, RoomDataType* room) {
        RoomDataType*& cell = grid.cells_[index];
        if (cell && !room) --grid.occupied_;
        if (!cell && room) ++grid.occupied_;
        cell = room;
    }

    // The placement list. An entry put back takes a free slot between its neighbours'
    // when there is one (the slot it left is, unless the slots were renumbered since);
    // otherwise the slots are given out anew once, when the replay ends.
    static bool linked(const PlacementList& list, const PlacementEntry* entry) {
        return entry->prev || entry->next || list.first_ == entry;
    }
    static void linkEntry(PlacementList& list, PlacementEntry* entry, PlacementEntry* prev, bool& slotsStale) {
        PlacementEntry* next = prev ? prev->next : list.first_;
        if (!slotsStale && !next) {
            entry->slot = list.takeSlot(entry);  // before linking: taking a slot may renumber the list
        } else if (!slotsStale) {
            const size_t slot = entry->slot;
            const bool free = slot < list.bySlot_.size() && !list.bySlot_[slot];
            if (free && (!prev || prev->slot < slot) && slot < next->slot) {
                list.bySlot_[slot] = entry;
                list.counter_.add(slot, 1);
            } else {
                slotsStale = true;
            }
        }
        entry->prev = prev;
        entry->next = next;
        if (prev)
            prev->next = entry;
        else
            list.first_ = entry;
        if (next)
            next->prev = entry;
        else
            list.last_ = entry;
        ++list.size_;
        list.byRoom_[entry->room] = entry;
    }
    static void unlinkEntry(PlacementList& list, PlacementEntry* entry, bool slotsStale) {
        if (entry->prev)
            entry->prev->next = entry->next;
        else
            list.first_ = entry->next;
        if (entry->next)
            entry->next->prev = entry->prev;
        else
            list.last_ = entry->prev;
        entry->prev = entry->next = nullptr;
        --list.size_;
        list.byRoom_.erase(entry->room);
        if (!slotsStale) {
            list.counter_.add(entry->slot, -1);
            list.bySlot_[entry->slot] = nullptr;
        }
    }
    static void endReplay(PlacementList& list, bool slotsStale) {
        if (slotsStale) list.renumberSlots(std::max<size_t>(16, 2 * list.size_ + 2));
    }
};

namespace {

struct Step {
    enum Kind : unsigned char { NodeLinked, NodeUnlinked, NodeRenumbered, EntryAdded, EntryRemoved, EntryRenumbered };
    Kind kind;
    void* object;     // the node or the entry
    void* neighbour;  // a node's next (linked: after linking; unlinked: before), an entry's prev
    int32_t before = 0, after = 0;  // numbers
};

// A record as a change keeps it: its numbers always, and of its texts (name,
// description, exit details, extra descriptions, the newer form's fields) only those the
// command changed, so a neighbour whose exits a deletion cleared costs a few dozen bytes.
struct RoomNumbers {
    int32_t vnum, zone, bitvector, sectorType, mapX, mapY, mapZ;
    std::array<int32_t, kDirectionCount> exitTo;
    bool operator==(const RoomNumbers&) const = default;
};

RoomNumbers numbersOf(const RoomDataType& r) {
    return {r.vnum, r.zone, r.bitvector, r.sectorType, r.mapX, r.mapY, r.mapZ, r.exitTo};
}

bool sameExtras(const RoomDataType& a, const std::vector<std::pair<std::string, std::string>>& kept) {
    size_t i = 0;
    for (const ExtraDescType* e = a.extraDescs; e; e = e->next, ++i)
        if (i == kept.size() || e->keywords != kept[i].first || e->description != kept[i].second) return false;
    return i == kept.size();
}

// Some texts of a record (RecordTexts): the ones a change captured or keeps.
struct RoomTexts {
    std::string name, description;
    std::unique_ptr<std::array<RoomExitType, kDirectionCount>> exits;
    std::vector<std::pair<std::string, std::string>> extras;
    std::unique_ptr<NewerRoomFields> newer;  // none also when the record had none

    void capture(const RoomDataType& r, unsigned char parts) {
        if (parts & kRecordName) name = r.name;
        if (parts & kRecordDescription) description = r.description;
        if (parts & kRecordExits) exits = std::make_unique<std::array<RoomExitType, kDirectionCount>>(r.exits);
        if (parts & kRecordExtras)
            for (const ExtraDescType* e = r.extraDescs; e; e = e->next) extras.emplace_back(e->keywords, e->description);
        if (parts & kRecordNewer) newer = copyNewerFields(r.newer.get());
    }
    // Which of the parts differ from the record now.
    unsigned char differences(const RoomDataType& r, unsigned char parts) const {
        unsigned char changed = 0;
        if ((parts & kRecordName) && name != r.name) changed |= kRecordName;
        if ((parts & kRecordDescription) && description != r.description) changed |= kRecordDescription;
        if ((parts & kRecordExits) && *exits != r.exits) changed |= kRecordExits;
        if ((parts & kRecordExtras) && !sameExtras(r, extras)) changed |= kRecordExtras;
        if ((parts & kRecordNewer) && !sameNewerFields(newer.get(), r.newer.get())) changed |= kRecordNewer;
        return changed;
    }
    void keepOnly(unsigned char parts) {
        if (!(parts & kRecordName)) std::string().swap(name);
        if (!(parts & kRecordDescription)) std::string().swap(description);
        if (!(parts & kRecordExits)) exits.reset();
        if (!(parts & kRecordExtras)) std::vector<std::pair<std::string, std::string>>().swap(extras);
        if (!(parts & kRecordNewer)) newer.reset();
    }
    void putInto(RoomDataType& r, unsigned char parts) const {
        if (parts & kRecordName) r.name = name;
        if (parts & kRecordDescription) r.description = description;
        if (parts & kRecordExits) r.exits = *exits;
        if (parts & kRecordExtras) {
            r.freeExtraDescs();
            for (const auto& [keywords, text] : extras) r.appendExtraDesc(keywords, text);
        }
        if (parts & kRecordNewer) r.newer = copyNewerFields(newer.get());
    }
};

void putNumbers(RoomDataType& r, const RoomNumbers& n) {
    r.vnum = n.vnum;
    r.zone = n.zone;
    r.bitvector = n.bitvector;
    r.sectorType = n.sectorType;
    r.mapX = n.mapX;
    r.mapY = n.mapY;
    r.mapZ = n.mapZ;
    r.exitTo = n.exitTo;
}

struct RoomImage {
    RoomDataType* room = nullptr;
    unsigned char captured = 0;  // while recording: the texts kept as they were at their first announcement
    unsigned char parts = 0;     // the texts that changed
    bool redoes = true;          // false for a room the command took out of the zone
    RoomNumbers before{}, after{};
    std::unique_ptr<RoomTexts> textsBefore, textsAfter;

    void restore(bool forward) const {
        if (forward && !redoes) return;  // out of the zone after the command: nobody looks at it
        putNumbers(*room, forward ? after : before);
        if (parts) (forward ? textsAfter : textsBefore)->putInto(*room, parts);
    }
};

struct CellImage {
    size_t index;
    RoomDataType* before;
    RoomDataType* after;
};

class RecordedZoneChange : public ZoneChange {
public:
    RecordedZoneChange(WorldStore& store, MapModel& map) : store_(store), map_(map) {}
    ~RecordedZoneChange() override {
        // What is out of the zone in the state the zone is in now belongs to this change.
        for (RoomIndexNode* node : done_ ? nodesGoneAfter_ : nodesNewAfter_) delete node;
        for (PlacementEntry* entry : done_ ? entriesGoneAfter_ : entriesNewAfter_) delete entry;
    }

    bool empty() const override {
        return steps_.empty() && rooms_.empty() && cells_.empty() && scalarsBefore_ == scalarsAfter_;
    }

    // A change is either done (as recorded) or undone; asking for the state it is already
    // in does nothing (QUndoStack::push redoes a command the window has just carried out).
    void undo() override {
        if (!done_) return;
        bool slotsStale = false;
        for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) {
            const Step& s = *it;
            switch (s.kind) {
                case Step::NodeLinked:
                    ZoneReplay::unlinkNode(store_, node(s));
                    break;
                case Step::NodeUnlinked:
                    ZoneReplay::linkNode(store_, node(s), static_cast<RoomIndexNode*>(s.neighbour));
                    break;
                case Step::NodeRenumbered:
                    ZoneReplay::renumberNode(store_, node(s), s.before);
                    break;
                case Step::EntryAdded:
                    ZoneReplay::unlinkEntry(map_.placement, entry(s), slotsStale);
                    break;
                case Step::EntryRemoved:
                    ZoneReplay::linkEntry(map_.placement, entry(s), static_cast<PlacementEntry*>(s.neighbour), slotsStale);
                    break;
                case Step::EntryRenumbered:
                    entry(s)->vnum = s.before;
                    break;
            }
        }
        finishReplay(slotsStale, false);
    }

    void redo() override {
        if (done_) return;
        bool slotsStale = false;
        for (const Step& s : steps_) {
            switch (s.kind) {
                case Step::NodeLinked:
                    ZoneReplay::linkNode(store_, node(s), static_cast<RoomIndexNode*>(s.neighbour));
                    break;
                case Step::NodeUnlinked:
                    ZoneReplay::unlinkNode(store_, node(s));
                    break;
                case Step::NodeRenumbered:
                    ZoneReplay::renumberNode(store_, node(s), s.after);
                    break;
                case Step::EntryAdded:
                    ZoneReplay::linkEntry(map_.placement, entry(s), static_cast<PlacementEntry*>(s.neighbour), slotsStale);
                    break;
                case Step::EntryRemoved:
                    ZoneReplay::unlinkEntry(map_.placement, entry(s), slotsStale);
                    break;
                case Step::EntryRenumbered:
                    entry(s)->vnum = s.after;
                    break;
            }
        }
        finishReplay(slotsStale, true);
    }

    size_t roomsHeld() const override { return roomsHeld_; }

    TouchedRooms touchedRooms() const override {
        std::unordered_map<const RoomDataType*, bool> out;  // record -> out of the zone now
        for (RoomIndexNode* node : done_ ? nodesGoneAfter_ : nodesNewAfter_) out.emplace(node->room.get(), true);
        std::unordered_map<const RoomDataType*, bool> seen;
        TouchedRooms touched;
        const auto note = [&](const RoomDataType* room) {
            if (!room || !seen.emplace(room, true).second) return;
            (out.count(room) ? touched.outOfZone : touched.inZone).push_back(room);
        };
        for (const RoomImage& r : rooms_) note(r.room);
        for (const Step& s : steps_)
            if (s.kind == Step::NodeLinked || s.kind == Step::NodeUnlinked || s.kind == Step::NodeRenumbered)
                note(node(s)->room.get());
        return touched;
    }

    // Filled by the recorder.
    std::vector<Step> steps_;
    std::vector<RoomImage> rooms_;
    std::vector<CellImage> cells_;
    ZoneReplay::Scalars scalarsBefore_, scalarsAfter_;
    std::vector<RoomIndexNode*> nodesGoneAfter_, nodesNewAfter_;  // out of the index after / before the command
    std::vector<PlacementEntry*> entriesGoneAfter_, entriesNewAfter_;
    size_t roomsHeld_ = 0;

private:
    static RoomIndexNode* node(const Step& s) { return static_cast<RoomIndexNode*>(s.object); }
    static PlacementEntry* entry(const Step& s) { return static_cast<PlacementEntry*>(s.object); }

    void finishReplay(bool slotsStale, bool forward) {
        for (const CellImage& c : cells_) ZoneReplay::setCell(map_.grid, c.index, forward ? c.after : c.before);
        for (const RoomImage& r : rooms_) r.restore(forward);
        ZoneReplay::setScalars(store_, forward ? scalarsAfter_ : scalarsBefore_);
        ZoneReplay::endReplay(map_.placement, slotsStale);
        done_ = forward;
        store_.announceZoneRestored();
    }

    WorldStore& store_;
    MapModel& map_;
    bool done_ = true;
};

}  // namespace

struct ZoneHistoryRecorder::Impl : ZoneJournal {
    Impl(WorldStore& s, MapModel& m) : store(s), map(m) {}

    WorldStore& store;
    MapModel& map;
    std::unique_ptr<RecordedZoneChange> change;
    std::unordered_map<const RoomDataType*, size_t> roomSeen;  // record -> its image
    std::unordered_map<size_t, size_t> cellSeen;               // cell -> its image
    std::unordered_map<RoomIndexNode*, bool> nodeSeen;         // node -> linked before the command
    std::unordered_map<PlacementEntry*, bool> entrySeen;       // entry -> listed before the command
    std::unordered_map<const RoomDataType*, bool> roomCreated; // records of nodes first linked now

    void attach(ZoneJournal* journal) {
        store.setJournal(journal);
        map.grid.setJournal(journal);
        map.placement.setJournal(journal);
    }

    void roomTouched(RoomDataType& room, unsigned char texts) override {
        if (roomCreated.count(&room)) return;  // a room made by this command has nothing to put back
        auto [it, first] = roomSeen.emplace(&room, change->rooms_.size());
        if (first) {
            RoomImage image;
            image.room = &room;
            image.before = numbersOf(room);
            image.textsBefore = std::make_unique<RoomTexts>();
            change->rooms_.push_back(std::move(image));
        }
        // Texts announced now for the first time are still as they were before the command.
        RoomImage& image = change->rooms_[it->second];
        const unsigned char fresh = texts & static_cast<unsigned char>(~image.captured);
        if (fresh) {
            image.textsBefore->capture(room, fresh);
            image.captured |= fresh;
        }
    }
    void nodeLinked(RoomIndexNode& node) override {
        if (nodeSeen.emplace(&node, false).second && node.room) roomCreated.emplace(node.room.get(), true);
        change->steps_.push_back({Step::NodeLinked, &node, node.next});
    }
    void nodeUnlinking(RoomIndexNode& node) override {
        nodeSeen.emplace(&node, true);
        change->steps_.push_back({Step::NodeUnlinked, &node, node.next});
    }
    void nodeRenumbered(RoomIndexNode& node, int32_t oldVnum) override {
        change->steps_.push_back({Step::NodeRenumbered, &node, nullptr, oldVnum, node.vnum});
    }
    void cellTouched(size_t index, RoomDataType* old) override {
        if (!cellSeen.emplace(index, change->cells_.size()).second) return;
        change->cells_.push_back({index, old, nullptr});
    }
    void entryAdded(PlacementEntry& entry) override {
        entrySeen.emplace(&entry, false);
        change->steps_.push_back({Step::EntryAdded, &entry, entry.prev});
    }
    void entryRemoving(PlacementEntry& entry) override {
        entrySeen.emplace(&entry, true);
        change->steps_.push_back({Step::EntryRemoved, &entry, entry.prev});
    }
    void entryRenumbered(PlacementEntry& entry, int32_t oldVnum) override {
        change->steps_.push_back({Step::EntryRenumbered, &entry, nullptr, oldVnum, entry.vnum});
    }

    std::unique_ptr<ZoneChange> finish();
};

ZoneHistoryRecorder::ZoneHistoryRecorder(WorldStore& store, MapModel& map) : impl_(std::make_unique<Impl>(store, map)) {}

ZoneHistoryRecorder::~ZoneHistoryRecorder() {
    // A recording left running still owns what its command deleted.
    if (recording()) finish();
}

void ZoneHistoryRecorder::begin() {
    if (recording()) return;
    impl_->change = std::make_unique<RecordedZoneChange>(impl_->store, impl_->map);
    impl_->change->scalarsBefore_ = ZoneReplay::scalars(impl_->store);
    impl_->attach(impl_.get());
}

bool ZoneHistoryRecorder::recording() const { return impl_->change != nullptr; }

std::unique_ptr<ZoneChange> ZoneHistoryRecorder::finish() {
    if (!recording()) return std::make_unique<RecordedZoneChange>(impl_->store, impl_->map);
    return impl_->finish();
}

std::unique_ptr<ZoneChange> ZoneHistoryRecorder::Impl::finish() {
    attach(nullptr);
    std::unique_ptr<RecordedZoneChange> c = std::move(change);
    c->scalarsAfter_ = ZoneReplay::scalars(store);

    // Nodes out of the index after the command are the change's while it is done; nodes
    // that were out before it, while it is undone. A room whose node was out before has
    // nothing to put back on undo; one whose node is out after needs nothing on redo.
    std::unordered_map<const RoomDataType*, bool> gone;  // record -> out of the index after
    for (const auto& [node, linkedBefore] : nodeSeen) {
        const bool linkedAfter = ZoneReplay::linked(store, node);
        if (!linkedAfter) c->nodesGoneAfter_.push_back(node);
        if (!linkedBefore) c->nodesNewAfter_.push_back(node);
        if (!linkedAfter && linkedBefore) gone.emplace(node->room.get(), true);
        // A node made and deleted by one command is out both ways, held in both lists;
        // only the list of the change's state is freed.
        if (!linkedBefore || !linkedAfter) ++c->roomsHeld_;
    }
    for (const auto& [entry, listedBefore] : entrySeen) {
        const bool listedAfter = ZoneReplay::linked(map.placement, entry);
        if (!listedAfter) c->entriesGoneAfter_.push_back(entry);
        if (!listedBefore) c->entriesNewAfter_.push_back(entry);
    }

    std::vector<RoomImage> kept;
    kept.reserve(c->rooms_.size());
    for (RoomImage& r : c->rooms_) {
        if (roomCreated.count(r.room)) continue;
        r.after = numbersOf(*r.room);
        r.parts = r.textsBefore->differences(*r.room, r.captured);
        if (r.parts == 0 && r.before == r.after) continue;  // touched but left as it was
        if (r.parts)
            r.textsBefore->keepOnly(r.parts);
        else
            r.textsBefore.reset();
        r.redoes = !gone.count(r.room);
        if (r.redoes) {
            if (r.parts) {
                r.textsAfter = std::make_unique<RoomTexts>();
                r.textsAfter->capture(*r.room, r.parts);
            }
            ++c->roomsHeld_;  // a room gone from the zone is counted with its node
        }
        kept.push_back(std::move(r));
    }
    c->rooms_ = std::move(kept);

    std::vector<CellImage> cells;
    cells.reserve(c->cells_.size());
    for (CellImage& cell : c->cells_) {
        cell.after = ZoneReplay::cell(map.grid, cell.index);
        if (cell.after != cell.before) cells.push_back(cell);
    }
    c->cells_ = std::move(cells);

    roomSeen.clear();
    cellSeen.clear();
    nodeSeen.clear();
    entrySeen.clear();
    roomCreated.clear();
    return c;
}
