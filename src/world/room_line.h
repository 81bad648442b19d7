#pragma once
// The one-line form of a room in the room list and the map's room selector: the number
// in decimal, blanks up to 12 characters, then the name.
#include <cstdint>
#include <string>

constexpr size_t kRoomLineNumberWidth = 12;

inline std::string roomLine(int32_t vnum, const std::string& name) {
    std::string line = std::to_string(vnum);
    if (line.size() < kRoomLineNumberWidth) line.append(kRoomLineNumberWidth - line.size(), ' ');
    return line + name;
}
