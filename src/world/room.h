#pragma once
// The records of one zone: rooms, their exits and extra descriptions.
// Texts are the bytes of the world file; multi-line texts keep CR LF between lines.
#include <array>
#include <cstdint>
#include <string>

enum Direction : int { North = 0, East = 1, South = 2, West = 3, Up = 4, Down = 5 };
constexpr int kDirectionCount = 6;

constexpr int reverseDirection(int d) {
    constexpr int reverse[kDirectionCount] = {South, West, North, East, Down, Up};
    return reverse[d];
}

struct RoomExitType {
    std::string description;  // multi-line
    std::string keywords;     // one line
    int32_t doorFlag = 0;     // 0, 1 or 2
    int32_t key = -1;         // -1: no key

    bool operator==(const RoomExitType&) const = default;
};

// One extra description; a room's entries form a doubly linked chain that the room owns.
struct ExtraDescType {
    std::string keywords;     // one line
    std::string description;  // multi-line
    ExtraDescType* next = nullptr;
    ExtraDescType* prev = nullptr;
};

struct RoomDataType {
    int32_t vnum = 0;
    std::string name;
    std::string description;
    int32_t zone = 0;
    int32_t bitvector = 0;
    int32_t sectorType = 0;
    std::array<int32_t, kDirectionCount> exitTo{};  // 0: no exit
    std::array<RoomExitType, kDirectionCount> exits{};
    ExtraDescType* extraDescs = nullptr;            // first entry of the owned chain
    int32_t mapX = -1;                              // column 1..100, -1 when off the map
    int32_t mapY = -1;                              // row 1..100
    int32_t mapZ = -1;                              // level 0..9

    RoomDataType() = default;
    ~RoomDataType() { freeExtraDescs(); }
    // Records are copied only on purpose, through copyRoom.
    RoomDataType(const RoomDataType&) = delete;
    RoomDataType& operator=(const RoomDataType&) = delete;

    bool onMap() const { return mapX >= 1; }
    ExtraDescType* lastExtraDesc() const { return extraDescTail_; }
    // Appends a new entry at the end of the chain and returns it; the room keeps the
    // chain's last entry, so appending costs the same on a chain of any length. The
    // chain is changed only through these members.
    ExtraDescType* appendExtraDesc(std::string keywords, std::string description);
    // Unlinks and frees one entry of this room's chain.
    void removeExtraDesc(ExtraDescType* entry);
    void freeExtraDescs();
    size_t extraDescCount() const;

private:
    ExtraDescType* extraDescTail_ = nullptr;  // last entry of the chain
};

// Sets the values of a new room: no exits, exits without texts and keys, no extra
// descriptions, off the map. Number, name, description, zone, bitvector and sector stay.
void initNewRoom(RoomDataType& room);

// A text typed into the editor, made fit for a world file, which ends a text at its
// first "~", a line at a byte 0 and the whole file at a byte 26: every "~" becomes "-"
// (as MUD servers treat what players type) and bytes 0 and 26 are left out. Without
// this, one "~" in a description makes the saved zone unreadable from that room on.
std::string textForWorldFile(std::string text);

// Copies every field of source into target; target gets its own copy of the chain.
void copyRoom(RoomDataType& target, const RoomDataType& source);

// Field-by-field equality, extra description chains compared entry by entry.
bool sameRoomContent(const RoomDataType& a, const RoomDataType& b);
