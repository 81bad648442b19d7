#pragma once
// The records of one zone: rooms, their exits and extra descriptions.
// Texts are the bytes of the world file; multi-line texts keep CR LF between lines.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The digit of an exit's "D" line. Every room has the first six; the four diagonal ones
// exist in the newer form of world files only.
enum Direction : int {
    North = 0, East = 1, South = 2, West = 3, Up = 4, Down = 5,
    NorthWest = 6, NorthEast = 7, SouthEast = 8, SouthWest = 9,
};
constexpr int kDirectionCount = 6;       // North..Down, the exits every room holds inline
constexpr int kDiagonalCount = 4;        // NorthWest..SouthWest
constexpr int kAllDirectionCount = kDirectionCount + kDiagonalCount;

constexpr int reverseDirection(int d) {
    constexpr int reverse[kAllDirectionCount] = {South, West, North, East, Down, Up,
                                                 SouthEast, SouthWest, NorthWest, NorthEast};
    return reverse[d];
}

// The two forms of world files. The classic flag line has three fields; the newer one six
// (zone, four flag words, sector), and only the newer form has trigger lines after "S"
// and diagonal exits.
enum class WorldForm : unsigned char { Classic, Newer };

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

// The diagonal exits of a room, indexed by direction - NorthWest.
struct DiagonalExits {
    std::array<int32_t, kDiagonalCount> exitTo{};  // 0: no exit
    std::array<RoomExitType, kDiagonalCount> exits{};

    bool operator==(const DiagonalExits&) const = default;
};

// The fields only the newer form has. Most rooms leave them empty, so a room keeps them
// out of line (RoomDataType::newer), and the diagonal exits, rarer still, once more.
struct NewerRoomFields {
    std::array<int32_t, 3> flagWords{};  // flag words 2, 3 and 4; word 1 is the bitvector
    std::vector<int32_t> triggers;       // the numbers of the room's "T" lines, in order
    std::unique_ptr<DiagonalExits> diagonals;
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
    // Flag words 2..4, triggers and diagonal exits; none while all are empty. Read and
    // written through world/newer_fields.h.
    std::unique_ptr<NewerRoomFields> newer;

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

// Sets the values of a new room: no exits (diagonal ones included), exits without texts
// and keys, no extra descriptions, off the map. Number, name, description, zone, the
// flag words, triggers and sector stay.
void initNewRoom(RoomDataType& room);

// A text typed into the editor, made fit for a world file, which ends a text at its
// first "~", a line at a byte 0 and the whole file at a byte 26: every "~" becomes "-"
// (as MUD servers treat what players type) and bytes 0 and 26 are left out. Without
// this, one "~" in a description makes the saved zone unreadable from that room on.
std::string textForWorldFile(std::string text);

// Copies every field of source into target; target gets its own copy of the chain and
// of the newer form's fields.
void copyRoom(RoomDataType& target, const RoomDataType& source);

// Field-by-field equality, extra description chains compared entry by entry.
bool sameRoomContent(const RoomDataType& a, const RoomDataType& b);
