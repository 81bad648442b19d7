#pragma once
// The zone being edited: the room index (a doubly linked list of nodes that own the
// rooms, in room-number order), the cursor, the zone header and the default template.
//
// Beside the list the store keeps, per room number, the first node holding it, so that
// look-ups by number and ordered insertion into a sorted index cost O(log n). An index
// read in file order may be unsorted; ordered insertion then walks the list as the
// editor always did.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "world/room.h"
#include "world/vnum_table.h"
#include "world/zone_journal.h"

class Prompts;

struct RoomIndexNode {
    int32_t vnum = 0;                     // copy of room->vnum; change it only through the store
    std::unique_ptr<RoomDataType> room;  // owned
    RoomIndexNode* next = nullptr;
    RoomIndexNode* prev = nullptr;
};

// Told about the steps of the store's operations that touch windows or the map.
class StoreObserver {
public:
    virtual ~StoreObserver() = default;
    virtual void editorFieldsCleared() {}                       // room number, name, description emptied
    virtual void pendingNewRoomEnded() {}                       // "&New Room" enabled again
    virtual void extraDescsReleased(const RoomDataType&) {}     // the dialog has no current entry
    virtual void roomDeleting(RoomDataType&) {}                 // empty its map cell, drop its placement entry
    virtual void zoneHeaderChanged() {}                         // setZone or a read: panels, editor page
    virtual void worldAdopted() {}                              // a read was adopted: show the first room
    // An undo or redo has put the zone back as it was at some point: let go of every
    // record, node and extra description held, and show the zone again from the store.
    virtual void zoneRestored() {}
};

class WorldStore {
public:
    WorldStore();
    ~WorldStore();
    WorldStore(const WorldStore&) = delete;
    WorldStore& operator=(const WorldStore&) = delete;

    // The index.
    RoomIndexNode* first() const { return first_; }
    RoomIndexNode* last() const { return last_; }
    bool empty() const { return first_ == nullptr; }
    size_t size() const { return size_; }
    bool sorted() const { return sorted_; }

    // Creates a node owning the room (node vnum = room vnum), unlinked.
    static std::unique_ptr<RoomIndexNode> makeNode(std::unique_ptr<RoomDataType> room);

    // Both take ownership of the node. On an empty index the node becomes the only node.
    RoomIndexNode* insertOrdered(std::unique_ptr<RoomIndexNode> node);  // after every node with its number
    RoomIndexNode* appendNode(std::unique_ptr<RoomIndexNode> node);
    // Takes the node out of the index and gives it back to the caller.
    std::unique_ptr<RoomIndexNode> unlinkNode(RoomIndexNode* node);

    RoomIndexNode* findByVnum(int32_t vnum) const;  // the first node, from first, with that number
    RoomIndexNode* nodeAt(size_t position) const;   // 0 is first; none past the end
    std::vector<RoomIndexNode*> nodes() const;      // every node in index order
    int32_t lowestVnum() const;                     // lowest number in the store; 0 when empty
    int32_t highestVnum() const;                    // highest number in the store; 0 when empty

    // Gives node (and its room) a new number and moves it to its place in number order;
    // nextFreeVnum follows the last node.
    void renumber(RoomIndexNode* node, int32_t vnum);

    // Deletes the room at current (see the comments in the implementation); current becomes none.
    void deleteCurrentRoom();
    // Deletes a given room: its extra descriptions are freed, the map lets go of it, node
    // and record are freed. When it was current, current becomes none.
    void deleteRoom(RoomIndexNode* node);
    void deleteAllRooms();
    // Frees every node and record without telling anyone; used when the program ends.
    void releaseAll(Prompts* prompts = nullptr);

    // A new zone (New Area), written in the given form.
    void setZone(int32_t number, const std::string& name, int32_t start, WorldForm form = WorldForm::Classic);
    // After a read that produced rooms: header from the first room, cursor on first.
    void adoptLoadedWorld();

    // Every change to a record in place (a room of the index or the template) is
    // announced first, so that a recording can keep the record as it was: its numbers
    // and the texts named (RecordTexts), all of them unless told otherwise.
    void aboutToChange(RoomDataType& room, unsigned char texts = kRecordAllTexts) {
        if (journal_) journal_->roomTouched(room, texts);
    }
    // The recording that primitives report to; none when nothing records.
    void setJournal(ZoneJournal* journal) { journal_ = journal; }
    ZoneJournal* journal() const { return journal_; }
    // Tells the observers that an undo or redo has restored the zone.
    void announceZoneRestored();

    void addObserver(StoreObserver* observer);
    void removeObserver(StoreObserver* observer);

    // The editing state.
    RoomIndexNode* current() const { return current_; }  // the room on display; none
    void setCurrent(RoomIndexNode* node) { current_ = node; }
    bool newRoomPending() const { return newRoomPending_; }  // "&New Room" pressed, no UPDATE yet
    void beginNewRoom() { newRoomPending_ = true; }
    // Forgets a pending New Room and tells the observers; nothing when none is pending.
    void endNewRoom();
    int32_t nextFreeVnum() const { return nextFreeVnum_; }  // the number New Room offers
    void setNextFreeVnum(int32_t vnum) { nextFreeVnum_ = vnum; }
    void setNextFreeAfterLast() { nextFreeVnum_ = last_ ? last_->vnum + 1 : nextFreeVnum_; }

    int32_t zoneNumber = 0;
    std::string zoneName;
    int32_t zoneStart = 0;
    // The form the zone is written in: the form of the first room of the file it was
    // read from, the one New Area chose, or the one the builder chose to save in.
    WorldForm zoneForm = WorldForm::Classic;
    RoomDataType defaultRoom;  // vnum -1: no template

private:
    friend struct ZoneReplay;  // undo and redo put nodes back where they stood

    template <typename F>
    void notify(F&& call) {
        for (StoreObserver* o : observers_) call(*o);
    }

    void linkBefore(RoomIndexNode* node, RoomIndexNode* before);  // before none: at the end
    void indexNumber(RoomIndexNode* node, bool passedSameNumber);
    void unindexNumber(RoomIndexNode* node);
    // Links an unlinked node in front of `before` (none: at the end) wherever that is,
    // keeping the number look-up and the sorted flag right.
    void relinkBefore(RoomIndexNode* node, RoomIndexNode* before);
    // Gives a node another number where it stands (linked or not).
    void setNodeVnum(RoomIndexNode* node, int32_t vnum);
    bool linked(const RoomIndexNode* node) const { return node->prev || node->next || first_ == node; }
    bool samePrecedes(const RoomIndexNode* node) const;

    RoomIndexNode* first_ = nullptr;
    RoomIndexNode* last_ = nullptr;
    size_t size_ = 0;
    bool sorted_ = true;  // every node's number >= its predecessor's
    std::map<int32_t, RoomIndexNode*> firstByVnum_;
    // The same entries by number: findByVnum is the hot look-up of the automatic
    // layout, and a tree walk over a large zone misses the cache at every level.
    VnumTable firstByVnumDirect_;
    std::vector<StoreObserver*> observers_;
    RoomIndexNode* current_ = nullptr;
    int32_t nextFreeVnum_ = 0;
    bool newRoomPending_ = false;
    ZoneJournal* journal_ = nullptr;
};
