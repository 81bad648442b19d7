#include "world/newer_fields.h"

#include <algorithm>

#include "world/world_store.h"

namespace {

const std::vector<int32_t> kNoTriggers;
const RoomExitType kNoExit;

NewerRoomFields& fieldsToWrite(RoomDataType& room) {
    if (!room.newer) room.newer = std::make_unique<NewerRoomFields>();
    return *room.newer;
}

bool isDiagonal(int direction) { return direction >= kDirectionCount; }
size_t diagonalIndex(int direction) { return static_cast<size_t>(direction - kDirectionCount); }

bool emptyDiagonals(const DiagonalExits* diagonals) { return !diagonals || *diagonals == DiagonalExits{}; }

bool emptyFields(const NewerRoomFields* fields) {
    return !fields || (fields->flagWords == FlagWords{} && fields->triggers.empty() &&
                       emptyDiagonals(fields->diagonals.get()));
}

// "1 room", "3 triggers".
std::string counted(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

FlagWords flagWords(const RoomDataType& room) { return room.newer ? room.newer->flagWords : FlagWords{}; }

void setFlagWords(RoomDataType& room, const FlagWords& words) {
    if (!room.newer && words == FlagWords{}) return;
    fieldsToWrite(room).flagWords = words;
    dropEmptyNewerFields(room);
}

const std::vector<int32_t>& roomTriggers(const RoomDataType& room) {
    return room.newer ? room.newer->triggers : kNoTriggers;
}

void setTriggers(RoomDataType& room, std::vector<int32_t> triggers) {
    if (!room.newer && triggers.empty()) return;
    fieldsToWrite(room).triggers = std::move(triggers);
    dropEmptyNewerFields(room);
}

void addTrigger(RoomDataType& room, int32_t trigger) {
    std::vector<int32_t>& triggers = fieldsToWrite(room).triggers;
    if (triggers.empty()) triggers.reserve(2);  // rooms with a trigger often have a second one
    triggers.push_back(trigger);
}

int32_t exitDestination(const RoomDataType& room, int direction) {
    if (!isDiagonal(direction)) return room.exitTo[static_cast<size_t>(direction)];
    const DiagonalExits* diagonals = room.newer ? room.newer->diagonals.get() : nullptr;
    return diagonals ? diagonals->exitTo[diagonalIndex(direction)] : 0;
}

const RoomExitType& exitDetails(const RoomDataType& room, int direction) {
    if (!isDiagonal(direction)) return room.exits[static_cast<size_t>(direction)];
    const DiagonalExits* diagonals = room.newer ? room.newer->diagonals.get() : nullptr;
    return diagonals ? diagonals->exits[diagonalIndex(direction)] : kNoExit;
}

int32_t& exitDestinationToWrite(RoomDataType& room, int direction) {
    if (!isDiagonal(direction)) return room.exitTo[static_cast<size_t>(direction)];
    NewerRoomFields& fields = fieldsToWrite(room);
    if (!fields.diagonals) fields.diagonals = std::make_unique<DiagonalExits>();
    return fields.diagonals->exitTo[diagonalIndex(direction)];
}

RoomExitType& exitDetailsToWrite(RoomDataType& room, int direction) {
    if (!isDiagonal(direction)) return room.exits[static_cast<size_t>(direction)];
    NewerRoomFields& fields = fieldsToWrite(room);
    if (!fields.diagonals) fields.diagonals = std::make_unique<DiagonalExits>();
    return fields.diagonals->exits[diagonalIndex(direction)];
}

void dropEmptyNewerFields(RoomDataType& room) {
    if (!room.newer) return;
    if (emptyDiagonals(room.newer->diagonals.get())) room.newer->diagonals.reset();
    if (emptyFields(room.newer.get())) room.newer.reset();
}

std::unique_ptr<NewerRoomFields> copyNewerFields(const NewerRoomFields* fields) {
    if (emptyFields(fields)) return nullptr;
    auto copy = std::make_unique<NewerRoomFields>();
    copy->flagWords = fields->flagWords;
    copy->triggers = fields->triggers;
    if (!emptyDiagonals(fields->diagonals.get())) copy->diagonals = std::make_unique<DiagonalExits>(*fields->diagonals);
    return copy;
}

bool sameNewerFields(const NewerRoomFields* a, const NewerRoomFields* b) {
    if (emptyFields(a) || emptyFields(b)) return emptyFields(a) && emptyFields(b);
    const DiagonalExits* da = a->diagonals.get();
    const DiagonalExits* db = b->diagonals.get();
    const bool sameDiagonals = emptyDiagonals(da) || emptyDiagonals(db) ? emptyDiagonals(da) && emptyDiagonals(db)
                                                                         : *da == *db;
    return a->flagWords == b->flagWords && a->triggers == b->triggers && sameDiagonals;
}

std::string ClassicFormLoss::describe() const {
    std::vector<std::string> parts;
    if (roomsWithFlagWords) parts.push_back("the flag words 2-4 of " + counted(roomsWithFlagWords, "room", "rooms"));
    if (triggers)
        parts.push_back(counted(triggers, "trigger", "triggers") + " of " +
                        counted(roomsWithTriggers, "room", "rooms"));
    if (diagonalExits) parts.push_back(counted(diagonalExits, "diagonal exit", "diagonal exits"));
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) text += i + 1 == parts.size() ? " and " : ", ";
        text += parts[i];
    }
    return text;
}

ClassicFormLoss classicFormLoss(const WorldStore& store) {
    ClassicFormLoss loss;
    for (const RoomIndexNode* node = store.first(); node; node = node->next) {
        const NewerRoomFields* fields = node->room->newer.get();
        if (!fields) continue;
        if (fields->flagWords != FlagWords{}) ++loss.roomsWithFlagWords;
        if (!fields->triggers.empty()) {
            loss.triggers += fields->triggers.size();
            ++loss.roomsWithTriggers;
        }
        if (fields->diagonals)
            loss.diagonalExits += static_cast<size_t>(
                std::count_if(fields->diagonals->exitTo.begin(), fields->diagonals->exitTo.end(),
                              [](int32_t to) { return to != 0; }));
    }
    return loss;
}
