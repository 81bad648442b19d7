#pragma once
// A room's fields of the newer form (flag words 2..4, triggers, diagonal exits), which
// the room keeps behind one pointer that stays none while they are all empty, and exits
// addressed by Direction 0..9 alike for the six inline exits and the four diagonal ones.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "world/room.h"

class Prompts;
class WorldStore;

using FlagWords = std::array<int32_t, 3>;  // flag words 2, 3 and 4

FlagWords flagWords(const RoomDataType& room);
void setFlagWords(RoomDataType& room, const FlagWords& words);
const std::vector<int32_t>& roomTriggers(const RoomDataType& room);
void setTriggers(RoomDataType& room, std::vector<int32_t> triggers);
void addTrigger(RoomDataType& room, int32_t trigger);

// The room page's "Flags 2-4" and "Triggers" lines: decimal numbers, one blank between.
std::string flagWordsText(const FlagWords& words);
std::string triggersText(const std::vector<int32_t>& triggers);
// What was typed into those lines, read back: numbers separated by blanks (spaces or
// tabs, any number of them, before and after too), each by the strict conversion.
// "Flags 2-4" takes exactly three (none: all three 0), "Triggers" any number (none: no
// triggers). A refusal
// shows its message -- the integer message with the word that is no number, or for a
// count other than three "'%s' is not three valid integer values" with the whole text --
// and gives none.
std::optional<FlagWords> flagWordsFromText(std::string_view text, Prompts& prompts);
std::optional<std::vector<int32_t>> triggersFromText(std::string_view text, Prompts& prompts);

// Direction 0..9; a diagonal exit the room does not hold leads nowhere (0) and has the
// texts and numbers of a new exit.
int32_t exitDestination(const RoomDataType& room, int direction);
const RoomExitType& exitDetails(const RoomDataType& room, int direction);
// For writing: a diagonal exit is made when first written.
int32_t& exitDestinationToWrite(RoomDataType& room, int direction);
RoomExitType& exitDetailsToWrite(RoomDataType& room, int direction);

// Lets go of the newer fields when nothing is left in them.
void dropEmptyNewerFields(RoomDataType& room);
// A copy of the fields; none when there are none or they are empty.
std::unique_ptr<NewerRoomFields> copyNewerFields(const NewerRoomFields* fields);
// Equal content; none is the same as empty fields.
bool sameNewerFields(const NewerRoomFields* a, const NewerRoomFields* b);

// What the classic form cannot hold, counted over the zone: a flag word 2..4 not 0, a
// trigger, a diagonal exit that leads somewhere (one that leads nowhere is written in
// neither form).
struct ClassicFormLoss {
    size_t roomsWithFlagWords = 0;
    size_t triggers = 0;
    size_t roomsWithTriggers = 0;
    size_t diagonalExits = 0;

    bool empty() const { return roomsWithFlagWords == 0 && triggers == 0 && diagonalExits == 0; }
    // "the flag words 2-4 of 2 rooms, 3 triggers of 2 rooms and 1 diagonal exit"
    std::string describe() const;
};
ClassicFormLoss classicFormLoss(const WorldStore& store);
