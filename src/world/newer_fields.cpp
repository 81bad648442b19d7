#include "world/newer_fields.h"

#include <algorithm>

#include "world/prompts.h"
#include "world/strict_int.h"
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

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The blank-separated words of a typed line.
std::vector<std::string_view> wordsOf(std::string_view text) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i])) ++i;
        const size_t start = i;
        while (i < text.size() && !isBlank(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

// Every word by the strict conversion; none at the first refusal, after its message.
std::optional<std::vector<int32_t>> numbersOrSay(const std::vector<std::string_view>& words, Prompts& prompts) {
    std::vector<int32_t> numbers;
    numbers.reserve(words.size());
    for (std::string_view word : words) {
        const std::optional<int32_t> n = strictToIntOrSay(word, prompts);
        if (!n) return std::nullopt;
        numbers.push_back(*n);
    }
    return numbers;
}

template <typename Numbers>
std::string numbersText(const Numbers& numbers) {
    std::string text;
    for (int32_t n : numbers) {
        if (!text.empty()) text += ' ';
        text += std::to_string(n);
    }
    return text;
}

}  // namespace

std::string flagWordsText(const FlagWords& words) { return numbersText(words); }

std::string triggersText(const std::vector<int32_t>& triggers) { return numbersText(triggers); }

std::optional<FlagWords> flagWordsFromText(std::string_view text, Prompts& prompts) {
    const std::vector<std::string_view> words = wordsOf(text);
    // A word that is no number is named before a count that is wrong.
    const std::optional<std::vector<int32_t>> numbers = numbersOrSay(words, prompts);
    if (!numbers) return std::nullopt;
    // An empty line is no flag words at all, as the field of a new zone's first room is.
    if (numbers->empty()) return FlagWords{};
    if (numbers->size() != FlagWords{}.size()) {
        prompts.message("'" + std::string(text) + "' is not three valid integer values");
        return std::nullopt;
    }
    return FlagWords{(*numbers)[0], (*numbers)[1], (*numbers)[2]};
}

std::optional<std::vector<int32_t>> triggersFromText(std::string_view text, Prompts& prompts) {
    return numbersOrSay(wordsOf(text), prompts);
}

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
