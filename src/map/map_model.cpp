#include "map/map_model.h"

#include <algorithm>

#include "world/room_line.h"

MapStep directionStep(int direction) {
    static constexpr MapStep steps[kAllDirectionCount] = {
        {0, -1, 0},  // North: towards row 1
        {1, 0, 0},   // East
        {0, 1, 0},   // South
        {-1, 0, 0},  // West
        {0, 0, 1},   // Up: towards level 9
        {0, 0, -1},  // Down
        {-1, -1, 0},  // NorthWest (the newer form's diagonal exits)
        {1, -1, 0},   // NorthEast
        {1, 1, 0},    // SouthEast
        {-1, 1, 0},   // SouthWest
    };
    if (direction < 0 || direction >= kAllDirectionCount) return {0, 0, 0};
    return steps[direction];
}

bool insideMap(int x, int y, int z) {
    return x >= 1 && x <= kMapColumns && y >= 1 && y <= kMapRows && z >= 0 && z < kMapLevels;
}

// ---------------------------------------------------------------------------------------
// MapGrid

MapGrid::MapGrid() : cells_(static_cast<size_t>(kMapColumns) * kMapRows * kMapLevels, nullptr) {}

size_t MapGrid::index(int x, int y, int z) {
    return (static_cast<size_t>(z) * kMapRows + static_cast<size_t>(y - 1)) * kMapColumns +
           static_cast<size_t>(x - 1);
}

RoomDataType* MapGrid::cellAt(int x, int y, int z) const {
    return insideMap(x, y, z) ? cells_[index(x, y, z)] : nullptr;
}

void MapGrid::changed(int x, int y, int z) const {
    if (observers_) observers_->tell([&](MapObserver& o) { o.cellChanged(x, y, z); });
}

void MapGrid::putRoom(RoomDataType& room, int x, int y, int z) {
    if (!insideMap(x, y, z)) return;
    RoomDataType*& cell = cells_[index(x, y, z)];
    if (cell == &room) return;
    if (cell) takeRoom(x, y, z);
    if (cellAt(room.mapX, room.mapY, room.mapZ) == &room) takeRoom(room.mapX, room.mapY, room.mapZ);
    touch(room, 0);
    touchCell(index(x, y, z));
    cell = &room;
    ++occupied_;
    room.mapX = x;
    room.mapY = y;
    room.mapZ = z;
    changed(x, y, z);
}

void MapGrid::takeRoom(int x, int y, int z) {
    if (!insideMap(x, y, z)) return;
    RoomDataType*& cell = cells_[index(x, y, z)];
    if (!cell) return;
    touch(*cell, 0);
    touchCell(index(x, y, z));
    cell->mapX = cell->mapY = cell->mapZ = -1;
    cell = nullptr;
    --occupied_;
    changed(x, y, z);
}

void MapGrid::recalcExits(int x, int y, int z) {
    if (!insideMap(x, y, z)) return;
    // An empty cell acts as a blank room numbered 0 without exits, so that neighbours'
    // exits back into the cell are cleared. The blank and whatever it is given vanish here.
    RoomDataType blank;
    RoomDataType* here = cellAt(x, y, z);
    RoomDataType& r = here ? *here : blank;
    if (here) touch(*here, kRecordExits);  // its exit numbers and the doors it takes over
    for (int d = 0; d < kDirectionCount; ++d) {
        const MapStep step = directionStep(d);
        const int nx = x + step.dx, ny = y + step.dy, nz = z + step.dz;
        if (!insideMap(nx, ny, nz)) continue;  // the edge: the exit keeps whatever it had
        RoomDataType* neighbour = cellAt(nx, ny, nz);
        if (!neighbour) {
            r.exitTo[d] = 0;  // only the link goes; the exit's texts, door and key stay
            continue;
        }
        const int back = reverseDirection(d);
        touch(*neighbour, 0);
        r.exitTo[d] = neighbour->vnum;
        neighbour->exitTo[back] = r.vnum;
        // A door belongs to both sides: the neighbour's door is taken over, but a door of
        // this room's own is never pushed onto a neighbour without one.
        const RoomExitType& door = neighbour->exits[back];
        if (door.doorFlag > 0) {
            r.exits[d].doorFlag = door.doorFlag;
            r.exits[d].keywords = door.keywords;
            r.exits[d].key = door.key;
        }
        if (d < Up) changed(nx, ny, nz);  // the marks of other levels do not show here
    }
    changed(x, y, z);
}

// ---------------------------------------------------------------------------------------
// PlacementList

PlacementList::~PlacementList() {
    PlacementEntry* entry = first_;
    while (entry) {
        PlacementEntry* next = entry->next;
        delete entry;
        entry = next;
    }
}

void PlacementList::notify(PlacementChange change, size_t position, const PlacementEntry& entry) {
    if (observers_) observers_->tell([&](MapObserver& o) { o.placementChanged(change, position, entry); });
}

// Gives slots 0..size-1 to the entries in list order, in a row of the given capacity.
void PlacementList::renumberSlots(size_t capacity) {
    bySlot_.assign(capacity, nullptr);
    counter_.reset(capacity);
    size_t slot = 0;
    for (PlacementEntry* e = first_; e; e = e->next, ++slot) {
        e->slot = slot;
        bySlot_[slot] = e;
        counter_.add(slot, 1);
    }
    bySlot_.resize(size_);  // the row grows again by push_back; capacity stays reserved
}

size_t PlacementList::takeSlot(PlacementEntry* entry) {
    // Slots of removed entries are reclaimed when the row is full: renumbering costs
    // O(n) and happens only after the row has doubled or half of it has died.
    if (bySlot_.size() == counter_.capacity()) renumberSlots(std::max<size_t>(16, 2 * size_ + 2));
    const size_t slot = bySlot_.size();
    bySlot_.push_back(entry);
    counter_.add(slot, 1);
    return slot;
}

void PlacementList::registerUnplacedRoom(RoomDataType& room) {
    if (PlacementEntry* entry = findByRoom(&room)) {
        const int32_t oldVnum = entry->vnum;
        entry->vnum = room.vnum;
        if (journal_ && oldVnum != entry->vnum) journal_->entryRenumbered(*entry, oldVnum);
        notify(PlacementChange::Refreshed, positionOf(entry), *entry);
        return;
    }
    auto* entry = new PlacementEntry;
    entry->vnum = room.vnum;
    entry->room = &room;
    entry->slot = takeSlot(entry);  // before linking: taking a slot may renumber the list
    entry->prev = last_;
    if (last_)
        last_->next = entry;
    else
        first_ = entry;
    last_ = entry;
    ++size_;
    byRoom_.emplace(&room, entry);
    if (journal_) journal_->entryAdded(*entry);
    notify(PlacementChange::Added, size_ - 1, *entry);
}

std::pair<PlacementEntry*, size_t> PlacementList::findPlacementEntry(int32_t vnum) const {
    size_t position = 0;
    for (PlacementEntry* e = first_; e; e = e->next, ++position)
        if (e->vnum == vnum) return {e, position};
    return {nullptr, size_};
}

PlacementEntry* PlacementList::findByRoom(const RoomDataType* room) const {
    auto it = byRoom_.find(room);
    return it == byRoom_.end() ? nullptr : it->second;
}

PlacementEntry* PlacementList::placementEntryAt(size_t position) const {
    if (position >= size_) return nullptr;
    return bySlot_[counter_.findByRank(position)];
}

size_t PlacementList::positionOf(const PlacementEntry* entry) const {
    return counter_.liveBefore(entry->slot);
}

void PlacementList::unlinkPlacementEntry(PlacementEntry* entry) {
    if (!entry) return;
    const size_t position = positionOf(entry);
    if (journal_) journal_->entryRemoving(*entry);
    if (entry->prev)
        entry->prev->next = entry->next;
    else
        first_ = entry->next;
    if (entry->next)
        entry->next->prev = entry->prev;
    else
        last_ = entry->prev;
    --size_;
    byRoom_.erase(entry->room);
    counter_.add(entry->slot, -1);
    bySlot_[entry->slot] = nullptr;
    // The views see the entry as it was; it is freed afterwards.
    std::unique_ptr<PlacementEntry> owned(entry);
    owned->prev = owned->next = nullptr;
    notify(PlacementChange::Removed, position, *owned);
    if (journal_) (void)owned.release();  // a recording keeps the entry to put it back
}

std::string PlacementList::lineText(const PlacementEntry& entry) {
    return roomLine(entry.vnum, entry.room ? entry.room->name : std::string());
}

std::vector<std::string> PlacementList::selectorLines(const std::string& defaultLine) const {
    std::vector<std::string> lines;
    lines.reserve(size_ + 1);
    lines.push_back(defaultLine);
    for (const PlacementEntry* e = first_; e; e = e->next) lines.push_back(lineText(*e));
    return lines;
}

// ---------------------------------------------------------------------------------------
// MapModel

MapModel::MapModel(WorldStore& store) : store_(store) {
    grid.setObservers(&observers_);
    placement.setObservers(&observers_);
    store_.addObserver(this);
}

void MapModel::roomChanged(const RoomDataType& room) const {
    if (room.onMap() && grid.cellAt(room.mapX, room.mapY, room.mapZ) == &room)
        observers_.tell([&](MapObserver& o) { o.cellChanged(room.mapX, room.mapY, room.mapZ); });
    observers_.tell([&](MapObserver& o) { o.roomChanged(room); });
}

void MapModel::announceReset() const {
    observers_.tell([](MapObserver& o) { o.mapReset(); });
}

MapModel::~MapModel() {
    store_.removeObserver(this);
}

void MapModel::roomDeleting(RoomDataType& room) {
    if (room.onMap()) {
        const int x = room.mapX, y = room.mapY, z = room.mapZ;
        if (grid.cellAt(x, y, z) == &room) {
            grid.takeRoom(x, y, z);
            if (recalcOnChange) grid.recalcExits(x, y, z);
        } else {
            store_.aboutToChange(room, 0);
            room.mapX = room.mapY = room.mapZ = -1;  // never empty a cell that holds another room
        }
    }
    // By record, not by number: with two rooms of one number the number would find the
    // other room's entry and leave this one pointing at a freed record.
    placement.unlinkPlacementEntry(placement.findByRoom(&room));
}
