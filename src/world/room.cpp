#include "world/room.h"

#include <algorithm>

#include "world/newer_fields.h"

ExtraDescType* RoomDataType::appendExtraDesc(std::string keywords, std::string description) {
    auto* entry = new ExtraDescType{std::move(keywords), std::move(description), nullptr, nullptr};
    ExtraDescType* tail = extraDescTail_;
    entry->prev = tail;
    if (tail)
        tail->next = entry;
    else
        extraDescs = entry;
    extraDescTail_ = entry;
    return entry;
}

void RoomDataType::removeExtraDesc(ExtraDescType* entry) {
    if (!entry) return;
    if (entry->prev)
        entry->prev->next = entry->next;
    else
        extraDescs = entry->next;
    if (entry->next)
        entry->next->prev = entry->prev;
    else
        extraDescTail_ = entry->prev;
    delete entry;
}

void RoomDataType::freeExtraDescs() {
    ExtraDescType* e = extraDescs;
    while (e) {
        ExtraDescType* next = e->next;
        delete e;
        e = next;
    }
    extraDescs = nullptr;
    extraDescTail_ = nullptr;
}

size_t RoomDataType::extraDescCount() const {
    size_t n = 0;
    for (const ExtraDescType* e = extraDescs; e; e = e->next) ++n;
    return n;
}

void initNewRoom(RoomDataType& room) {
    room.exitTo.fill(0);
    room.exits.fill(RoomExitType{});
    room.freeExtraDescs();
    room.mapX = room.mapY = room.mapZ = -1;
    if (room.newer) {
        room.newer->diagonals.reset();
        dropEmptyNewerFields(room);
    }
}

void copyRoom(RoomDataType& target, const RoomDataType& source) {
    if (&target == &source) return;
    target.vnum = source.vnum;
    target.name = source.name;
    target.description = source.description;
    target.zone = source.zone;
    target.bitvector = source.bitvector;
    target.sectorType = source.sectorType;
    target.exitTo = source.exitTo;
    target.exits = source.exits;
    target.mapX = source.mapX;
    target.mapY = source.mapY;
    target.mapZ = source.mapZ;
    target.newer = copyNewerFields(source.newer.get());
    target.freeExtraDescs();  // the target's old chain is not reused
    for (const ExtraDescType* e = source.extraDescs; e; e = e->next)
        target.appendExtraDesc(e->keywords, e->description);
}

bool sameRoomContent(const RoomDataType& a, const RoomDataType& b) {
    if (a.vnum != b.vnum || a.name != b.name || a.description != b.description || a.zone != b.zone ||
        a.bitvector != b.bitvector || a.sectorType != b.sectorType || a.exitTo != b.exitTo ||
        a.exits != b.exits || a.mapX != b.mapX || a.mapY != b.mapY || a.mapZ != b.mapZ ||
        !sameNewerFields(a.newer.get(), b.newer.get()))
        return false;
    const ExtraDescType* x = a.extraDescs;
    const ExtraDescType* y = b.extraDescs;
    for (; x && y; x = x->next, y = y->next)
        if (x->keywords != y->keywords || x->description != y->description) return false;
    return !x && !y;
}

std::string textForWorldFile(std::string text) {
    std::erase_if(text, [](char c) { return c == '\0' || c == '\x1a'; });
    std::replace(text.begin(), text.end(), '~', '-');
    return text;
}
