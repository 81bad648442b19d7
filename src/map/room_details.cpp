#include "map/room_details.h"

#include "map/exit_reach.h"
#include "world/newer_fields.h"

const char* const kDirectionNames[kAllDirectionCount] = {"North", "East",      "South",     "West",      "Up",
                                                         "Down",  "NorthWest", "NorthEast", "SouthEast", "SouthWest"};

namespace {

std::string sectorLine(const RoomDataType& room, const DefinitionNames* names) {
    const std::string name = names ? names->sectorName(room.sectorType) : std::string();
    const std::string number = std::to_string(room.sectorType);
    return "Sector: " + (name.empty() ? number : name + " (" + number + ")");
}

std::string flagsLine(const RoomDataType& room, const DefinitionNames* names) {
    std::string flags;
    const uint32_t bits = static_cast<uint32_t>(room.bitvector);
    for (int bit = 0; bit < 32; ++bit) {
        if (!(bits & (1u << bit))) continue;
        const int32_t value = static_cast<int32_t>(1u << bit);
        std::string name = names && bit < 31 ? names->flagName(value) : std::string();
        if (name.empty()) name = "bit " + std::to_string(bit);
        flags += (flags.empty() ? "" : ", ") + name;
    }
    return "Flags: " + (flags.empty() ? std::string("none") : flags);
}

std::string exitLine(const MapGrid& grid, const WorldStore& store, const RoomDataType& room, int d) {
    const int32_t to = exitDestination(room, d);
    const RoomExitType& exit = exitDetails(room, d);
    std::string line = std::string(kDirectionNames[d]) + ": " + std::to_string(to);
    const ExitTarget target = exitTarget(grid, store, room, d);
    if (target.room && !target.room->name.empty()) line += " " + target.room->name;
    if (exit.doorFlag != 0) line += ", door " + std::to_string(exit.doorFlag);
    if (exit.key > 0) line += ", key " + std::to_string(exit.key);
    switch (target.reach) {
    case ExitReach::Missing: line += "  [no such room in the zone]"; break;
    case ExitReach::SameLevel:
    case ExitReach::Elsewhere:
        if (room.onMap()) line += "  [not the " + std::string(kDirectionNames[d]) + " neighbour]";
        break;
    default: break;
    }
    return line;
}

}  // namespace

std::vector<std::string> roomDetails(const MapGrid& grid, const WorldStore& store, const RoomDataType& room,
                                     const DefinitionNames* names) {
    std::vector<std::string> lines;
    lines.push_back("Room " + std::to_string(room.vnum) + (room.name.empty() ? "" : "  " + room.name));
    lines.push_back(sectorLine(room, names));
    lines.push_back(flagsLine(room, names));
    bool anyExit = false;
    for (int d = 0; d < kAllDirectionCount; ++d) {
        if (exitDestination(room, d) == 0) continue;
        lines.push_back(exitLine(grid, store, room, d));
        anyExit = true;
    }
    if (!anyExit) lines.push_back("No exits");
    return lines;
}
