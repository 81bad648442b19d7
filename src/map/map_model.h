#pragma once
// The map: a 100 x 100 x 10 grid of cells that point at rooms the store owns, the list
// of rooms not on the map (mirrored by the "Place Room On Map" selector), and the exit
// recalculation that links a cell with its six neighbours.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "map/slot_counter.h"
#include "world/room.h"
#include "world/world_store.h"

constexpr int kMapColumns = 100;  // X 1..100
constexpr int kMapRows = 100;     // Y 1..100
constexpr int kMapLevels = 10;    // Z 0..9

struct MapStep {
    int dx, dy, dz;
};
// North is towards row 1, Up towards level 9; the diagonal directions 6..9 step on the
// level; a direction outside 0..9 does not step.
MapStep directionStep(int direction);
bool insideMap(int x, int y, int z);

enum class PlacementChange { Added, Refreshed, Removed };
struct PlacementEntry;

// A view of the map (the board, the minimap, a list of problems): told what changed after
// the change, it redraws that and nothing else. A view subscribes with
// MapModel::addObserver and unsubscribes before it goes; a new view needs no edits in the
// windows that change the map.
class MapObserver {
public:
    virtual ~MapObserver() = default;
    // What the cell shows changed: a room was put in or taken out, or the exits or doors
    // of its room changed (a recalculation reports the cell and its occupied neighbours
    // on its level; an exit edit reports the edited room's cell).
    virtual void cellChanged(int /*x*/, int /*y*/, int /*z*/) {}
    // A room's record changed in what views show of it (exits, doors, number, name,
    // texts), on the map or not: announced by the exit edits, UPDATE and Clear Room.
    virtual void roomChanged(const RoomDataType& /*room*/) {}
    // The placement list changed at `position`: the entry was added there, refreshed
    // there, or removed from there (the entry is still readable; it is freed afterwards).
    virtual void placementChanged(PlacementChange /*change*/, size_t /*position*/,
                                  const PlacementEntry& /*entry*/) {}
    // Cells, rooms and the placement list may all differ (an undo or redo put them back):
    // a view looks at the whole map again.
    virtual void mapReset() {}
};

// The views of one map, told in the order they subscribed.
class MapObservers {
public:
    void add(MapObserver* observer) { observers_.push_back(observer); }
    void remove(MapObserver* observer) { std::erase(observers_, observer); }
    template <typename F>
    void tell(F&& call) const {
        for (MapObserver* o : observers_) call(*o);
    }

private:
    std::vector<MapObserver*> observers_;
};

// Every operation keeps the grid and the rooms' positions in agreement: a cell holds a
// room exactly when that room's mapX, mapY, mapZ name the cell. Coordinates outside the
// grid hold nothing and change nothing.
class MapGrid {
public:
    MapGrid();
    RoomDataType* cellAt(int x, int y, int z) const;
    // The cell should be empty and the room off the map. Should either not be so, the
    // cell's old room goes off the map and the room's old cell is emptied, so that no
    // record ever sits in two cells.
    void putRoom(RoomDataType& room, int x, int y, int z);
    void takeRoom(int x, int y, int z);     // the room goes off the map
    void recalcExits(int x, int y, int z);  // links the cell with its neighbours
    size_t roomCount() const { return occupied_; }
    // The cell's place in the one allocation: X fastest, then Y, then Z.
    static size_t index(int x, int y, int z);
    // The recording told about every cell and record this grid changes; none when nothing records.
    void setJournal(ZoneJournal* journal) { journal_ = journal; }
    // The views told about every cell that changes (MapModel sets it).
    void setObservers(const MapObservers* observers) { observers_ = observers; }

private:
    friend struct ZoneReplay;  // undo and redo set cells back
    // Announces a change of a record and of a cell to a recording.
    void touch(RoomDataType& room, unsigned char texts) {
        if (journal_) journal_->roomTouched(room, texts);
    }
    void touchCell(size_t cell) {
        if (journal_) journal_->cellTouched(cell, cells_[cell]);
    }
    void changed(int x, int y, int z) const;

    ZoneJournal* journal_ = nullptr;
    const MapObservers* observers_ = nullptr;
    std::vector<RoomDataType*> cells_;  // one allocation, non-owning
    size_t occupied_ = 0;
};

struct PlacementEntry {
    PlacementEntry* prev = nullptr;
    PlacementEntry* next = nullptr;
    int32_t vnum = 0;
    RoomDataType* room = nullptr;  // non-owning
    size_t slot = 0;               // the list's bookkeeping of positions
};

// The rooms not on the map, in registration order. Entries are found by room in O(1),
// by position and position by entry in O(log n).
class PlacementList {
public:
    PlacementList() = default;
    ~PlacementList();
    PlacementList(const PlacementList&) = delete;
    PlacementList& operator=(const PlacementList&) = delete;

    PlacementEntry* first() const { return first_; }
    PlacementEntry* last() const { return last_; }
    size_t size() const { return size_; }

    // Refreshes the room's entry (its number may have changed) or appends a new one.
    void registerUnplacedRoom(RoomDataType& room);
    // The first entry with that number and its position; none and the entry count otherwise.
    std::pair<PlacementEntry*, size_t> findPlacementEntry(int32_t vnum) const;
    PlacementEntry* findByRoom(const RoomDataType* room) const;
    PlacementEntry* placementEntryAt(size_t position) const;
    size_t positionOf(const PlacementEntry* entry) const;
    void unlinkPlacementEntry(PlacementEntry* entry);  // frees it; none does nothing

    // The selector's line for an entry: the number padded with blanks to 12 characters, then the name.
    static std::string lineText(const PlacementEntry& entry);
    // Every selector line: line 0 is the default-room line, line k the entry at k - 1.
    std::vector<std::string> selectorLines(const std::string& defaultLine) const;

    // The recording told about every entry added, removed or renumbered; none when nothing records.
    void setJournal(ZoneJournal* journal) { journal_ = journal; }
    // The views told about every entry that changes (MapModel sets it).
    void setObservers(const MapObservers* observers) { observers_ = observers; }

private:
    friend struct ZoneReplay;  // undo and redo put entries back where they stood

    void notify(PlacementChange change, size_t position, const PlacementEntry& entry);
    size_t takeSlot(PlacementEntry* entry);
    void renumberSlots(size_t capacity);

    PlacementEntry* first_ = nullptr;
    PlacementEntry* last_ = nullptr;
    size_t size_ = 0;
    std::unordered_map<const RoomDataType*, PlacementEntry*> byRoom_;
    // Positions in O(log n): entries take slots in append order; counter_ counts the live ones.
    std::vector<PlacementEntry*> bySlot_;
    SlotCounter counter_;
    ZoneJournal* journal_ = nullptr;
    const MapObservers* observers_ = nullptr;
};

// The map window's model: grid and placement list, and the store's deletion step that
// empties a deleted room's cell (recalculating around it when recalcOnChange) and drops
// the deleted record's own placement entry.
class MapModel : public StoreObserver {
public:
    explicit MapModel(WorldStore& store);
    ~MapModel() override;

    MapGrid grid;
    PlacementList placement;
    bool recalcOnChange = true;  // the map window's "ReCalc Exits" switch

    // The views told about changes of the grid, the placement list and the rooms.
    void addObserver(MapObserver* observer) { observers_.add(observer); }
    void removeObserver(MapObserver* observer) { observers_.remove(observer); }
    // A command changed what views show of a room: its cell, when it is on the map, and the room itself.
    void roomChanged(const RoomDataType& room) const;
    // The map was put back as a whole.
    void announceReset() const;

    void roomDeleting(RoomDataType& room) override;
    // The store was put back by an undo or redo: the views hear mapReset.
    void zoneRestored() override { announceReset(); }

private:
    WorldStore& store_;
    MapObservers observers_;
};
