#include "world/world_store.h"

#include <algorithm>
#include <iterator>

#include "world/prompts.h"

WorldStore::WorldStore() { defaultRoom.vnum = -1; }

WorldStore::~WorldStore() {
    // Free iteratively: a long chain of unique_ptr destructors would recurse otherwise.
    RoomIndexNode* node = first_;
    while (node) {
        RoomIndexNode* next = node->next;
        delete node;
        node = next;
    }
}

std::unique_ptr<RoomIndexNode> WorldStore::makeNode(std::unique_ptr<RoomDataType> room) {
    auto node = std::make_unique<RoomIndexNode>();
    node->vnum = room->vnum;
    node->room = std::move(room);
    return node;
}

void WorldStore::linkBefore(RoomIndexNode* node, RoomIndexNode* before) {
    node->next = before;
    node->prev = before ? before->prev : last_;
    if (node->prev)
        node->prev->next = node;
    else
        first_ = node;
    if (before)
        before->prev = node;
    else
        last_ = node;
    ++size_;
}

// Records node as the first holder of its number unless a node with that number
// stands before it in the list.
void WorldStore::indexNumber(RoomIndexNode* node, bool passedSameNumber) {
    const int32_t vnum = node->vnum;
    if (firstByVnumDirect_.get(vnum)) {
        if (passedSameNumber) return;
        firstByVnum_.find(vnum)->second = node;
    } else {
        // Loading a sorted file adds ever greater numbers: the tree's end is the place.
        const bool greatest = firstByVnum_.empty() || std::prev(firstByVnum_.end())->first < vnum;
        firstByVnum_.emplace_hint(greatest ? firstByVnum_.end() : firstByVnum_.lower_bound(vnum), vnum, node);
    }
    firstByVnumDirect_.set(vnum, node);
}

void WorldStore::unindexNumber(RoomIndexNode* node) {
    if (firstByVnumDirect_.get(node->vnum) != node) return;
    // The next holder of the number follows directly in a sorted index; an unsorted
    // one is searched from here on.
    RoomIndexNode* successor = node->next;
    if (sorted_) {
        if (successor && successor->vnum != node->vnum) successor = nullptr;
    } else {
        while (successor && successor->vnum != node->vnum) successor = successor->next;
    }
    if (successor) {
        firstByVnum_.find(node->vnum)->second = successor;
        firstByVnumDirect_.set(node->vnum, successor);
    } else {
        firstByVnum_.erase(node->vnum);
        firstByVnumDirect_.erase(node->vnum);
    }
}

RoomIndexNode* WorldStore::insertOrdered(std::unique_ptr<RoomIndexNode> owned) {
    RoomIndexNode* node = owned.release();
    const int32_t vnum = node->vnum;
    RoomIndexNode* before = nullptr;
    bool passedSameNumber = false;
    if (sorted_ && (!last_ || last_->vnum <= vnum)) {
        passedSameNumber = last_ && last_->vnum == vnum;  // at the end, after every equal number
    } else if (sorted_) {
        auto it = firstByVnum_.upper_bound(vnum);
        before = it == firstByVnum_.end() ? nullptr : it->second;
        passedSameNumber = firstByVnumDirect_.get(vnum) != nullptr;
    } else {
        // The walk of the list: stop at the first node whose number is strictly greater.
        before = first_;
        while (before && before->vnum <= vnum) {
            passedSameNumber |= before->vnum == vnum;
            before = before->next;
        }
    }
    linkBefore(node, before);
    indexNumber(node, passedSameNumber);
    if (journal_) journal_->nodeLinked(*node);
    return node;
}

RoomIndexNode* WorldStore::appendNode(std::unique_ptr<RoomIndexNode> owned) {
    RoomIndexNode* node = owned.release();
    if (last_ && last_->vnum > node->vnum) sorted_ = false;
    const bool passedSameNumber = firstByVnumDirect_.get(node->vnum) != nullptr;
    linkBefore(node, nullptr);
    indexNumber(node, passedSameNumber);
    if (journal_) journal_->nodeLinked(*node);
    return node;
}

// Whether a node with the same number stands before this linked node. In a sorted index
// equal numbers stand together, so the predecessor tells; an unsorted one is walked back.
bool WorldStore::samePrecedes(const RoomIndexNode* node) const {
    if (!firstByVnumDirect_.get(node->vnum)) return false;
    if (sorted_) return node->prev && node->prev->vnum == node->vnum;
    for (const RoomIndexNode* p = node->prev; p; p = p->prev)
        if (p->vnum == node->vnum) return true;
    return false;
}

void WorldStore::relinkBefore(RoomIndexNode* node, RoomIndexNode* before) {
    linkBefore(node, before);
    if ((node->prev && node->prev->vnum > node->vnum) || (node->next && node->next->vnum < node->vnum))
        sorted_ = false;
    indexNumber(node, samePrecedes(node));
}

void WorldStore::setNodeVnum(RoomIndexNode* node, int32_t vnum) {
    if (!linked(node)) {
        node->vnum = vnum;
        return;
    }
    unindexNumber(node);
    node->vnum = vnum;
    if ((node->prev && node->prev->vnum > node->vnum) || (node->next && node->next->vnum < node->vnum))
        sorted_ = false;
    indexNumber(node, samePrecedes(node));
}

std::unique_ptr<RoomIndexNode> WorldStore::unlinkNode(RoomIndexNode* node) {
    if (journal_) journal_->nodeUnlinking(*node);
    unindexNumber(node);
    if (node->prev)
        node->prev->next = node->next;
    else
        first_ = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else
        last_ = node->prev;
    node->next = node->prev = nullptr;
    --size_;
    if (size_ == 0) sorted_ = true;
    return std::unique_ptr<RoomIndexNode>(node);
}

RoomIndexNode* WorldStore::findByVnum(int32_t vnum) const {
    return firstByVnumDirect_.get(vnum);
}

RoomIndexNode* WorldStore::nodeAt(size_t position) const {
    RoomIndexNode* node = first_;
    while (node && position--) node = node->next;
    return node;
}

std::vector<RoomIndexNode*> WorldStore::nodes() const {
    std::vector<RoomIndexNode*> all;
    all.reserve(size_);
    for (RoomIndexNode* n = first_; n; n = n->next) all.push_back(n);
    return all;
}

int32_t WorldStore::lowestVnum() const { return firstByVnum_.empty() ? 0 : firstByVnum_.begin()->first; }

int32_t WorldStore::highestVnum() const { return firstByVnum_.empty() ? 0 : firstByVnum_.rbegin()->first; }

void WorldStore::renumber(RoomIndexNode* node, int32_t vnum) {
    aboutToChange(*node->room, 0);
    const int32_t oldVnum = node->vnum;
    if (size_ > 1) {
        std::unique_ptr<RoomIndexNode> owned = unlinkNode(node);
        owned->vnum = owned->room->vnum = vnum;
        if (journal_) journal_->nodeRenumbered(*owned, oldVnum);
        insertOrdered(std::move(owned));
    } else {
        unindexNumber(node);
        node->vnum = node->room->vnum = vnum;
        indexNumber(node, false);
        if (journal_) journal_->nodeRenumbered(*node, oldVnum);
    }
    setNextFreeAfterLast();
}

// In this order: the editor fields are cleared; a room that New Room has not yet
// created is only forgotten; otherwise the room's extra descriptions are freed, the map
// lets go of it (its cell and its placement entry), and node and record are freed.
void WorldStore::deleteCurrentRoom() {
    if (!current_) return;
    notify([](StoreObserver& o) { o.editorFieldsCleared(); });
    if (newRoomPending_) {
        endNewRoom();
        return;
    }
    deleteRoom(current_);
}

void WorldStore::deleteRoom(RoomIndexNode* node) {
    if (!node) return;
    RoomDataType& room = *node->room;
    aboutToChange(room, kRecordExtras);  // the map takes its position next
    room.freeExtraDescs();
    notify([&](StoreObserver& o) { o.extraDescsReleased(room); });
    notify([&](StoreObserver& o) { o.roomDeleting(room); });
    if (node == current_) current_ = nullptr;
    std::unique_ptr<RoomIndexNode> owned = unlinkNode(node);  // frees node and record...
    if (journal_) (void)owned.release();                       // ...unless a recording keeps them for undo
}

void WorldStore::endNewRoom() {
    if (!newRoomPending_) return;
    newRoomPending_ = false;
    notify([](StoreObserver& o) { o.pendingNewRoomEnded(); });
}

void WorldStore::deleteAllRooms() {
    newRoomPending_ = false;
    notify([](StoreObserver& o) { o.pendingNewRoomEnded(); });
    current_ = first_;
    while (current_) {
        RoomIndexNode* next = current_->next;
        deleteCurrentRoom();
        current_ = next;
    }
}

void WorldStore::releaseAll(Prompts* prompts) {
    while (first_) {
        RoomIndexNode* node = first_;
        if (!node->room) {
            if (prompts) prompts->message("Room " + std::to_string(node->vnum) + " has RDP of NIL");
            return;
        }
        first_ = node->next;
        delete node;
    }
    last_ = nullptr;
    current_ = nullptr;
    size_ = 0;
    sorted_ = true;
    firstByVnum_.clear();
    firstByVnumDirect_.clear();
}

void WorldStore::setZone(int32_t number, const std::string& name, int32_t start, WorldForm form) {
    zoneNumber = number;
    zoneName = name;
    zoneStart = start;
    zoneForm = form;
    nextFreeVnum_ = start;
    notify([](StoreObserver& o) { o.zoneHeaderChanged(); });
}

void WorldStore::adoptLoadedWorld() {
    if (!first_) return;
    zoneNumber = first_->room->zone;
    // The lowest number, so that UPDATE's range check agrees with the "Zone Start" panel
    // also for a world read in file order.
    zoneStart = lowestVnum();
    current_ = first_;
    setNextFreeAfterLast();
    notify([](StoreObserver& o) { o.zoneHeaderChanged(); });
    notify([](StoreObserver& o) { o.worldAdopted(); });
}

void WorldStore::announceZoneRestored() {
    notify([](StoreObserver& o) { o.zoneRestored(); });
}

void WorldStore::addObserver(StoreObserver* observer) { observers_.push_back(observer); }

void WorldStore::removeObserver(StoreObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}
