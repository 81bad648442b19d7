#include "cli/world_json.h"

#include "cli/json_writer.h"
#include "world/newer_fields.h"

namespace {

void appendField(std::string& out, const char* name, int64_t value) {
    out += '"';
    out += name;
    out += "\": ";
    out += std::to_string(value);
}

void appendField(std::string& out, const char* name, const std::string& value) {
    out += '"';
    out += name;
    out += "\": ";
    appendJsonString(out, value);
}

void appendExit(std::string& out, const RoomDataType& room, int direction) {
    const RoomExitType& exit = exitDetails(room, direction);
    out += '{';
    appendField(out, "exitTo", exitDestination(room, direction));
    out += ", ";
    appendField(out, "description", exit.description);
    out += ", ";
    appendField(out, "keywords", exit.keywords);
    out += ", ";
    appendField(out, "doorFlag", exit.doorFlag);
    out += ", ";
    appendField(out, "key", exit.key);
    out += '}';
}

void appendNumbers(std::string& out, const char* name, const int32_t* numbers, size_t count) {
    out += ", \"";
    out += name;
    out += "\": [";
    for (size_t i = 0; i < count; ++i) {
        if (i) out += ", ";
        out += std::to_string(numbers[i]);
    }
    out += ']';
}

// The node's number is the one the index and the writer use, so it is the one shown. The
// newer form's fields are shown for every room of a zone in that form, and in a classic
// zone for a room that holds some.
void appendRoom(std::string& out, const RoomIndexNode& node, bool newerZone) {
    const RoomDataType& room = *node.room;
    out += '{';
    appendField(out, "vnum", node.vnum);
    out += ", ";
    appendField(out, "name", room.name);
    out += ", ";
    appendField(out, "description", room.description);
    out += ", ";
    appendField(out, "zone", room.zone);
    out += ", ";
    appendField(out, "bitvector", room.bitvector);
    out += ", ";
    appendField(out, "sectorType", room.sectorType);
    const bool newer = newerZone || room.newer;
    if (newer) {
        const FlagWords more = flagWords(room);
        const int32_t words[] = {room.bitvector, more[0], more[1], more[2]};
        appendNumbers(out, "flagWords", words, 4);
        const std::vector<int32_t>& triggers = roomTriggers(room);
        appendNumbers(out, "triggers", triggers.data(), triggers.size());
    }
    out += ", \"exits\": [";
    for (int d = 0; d < kDirectionCount; ++d) {
        if (d) out += ", ";
        appendExit(out, room, d);
    }
    if (newer) {
        out += "], \"diagonalExits\": [";
        for (int d = kDirectionCount; d < kAllDirectionCount; ++d) {
            if (d > kDirectionCount) out += ", ";
            appendExit(out, room, d);
        }
    }
    out += "], \"extraDescs\": [";
    for (const ExtraDescType* e = room.extraDescs; e; e = e->next) {
        if (e != room.extraDescs) out += ", ";
        out += '{';
        appendField(out, "keywords", e->keywords);
        out += ", ";
        appendField(out, "description", e->description);
        out += '}';
    }
    out += "], \"map\": [" + std::to_string(room.mapX) + ", " + std::to_string(room.mapY) + ", " +
           std::to_string(room.mapZ) + "]}";
}

}  // namespace

std::string worldToJson(const WorldStore& store, const PlacementList& placement,
                        const std::vector<std::string>& messages) {
    std::string out;
    out.reserve(store.size() * 1024 + 256);
    out += "{\"messages\": [";
    for (size_t i = 0; i < messages.size(); ++i) {
        if (i) out += ", ";
        appendJsonString(out, messages[i]);
    }
    out += "], ";
    appendField(out, "zoneNumber", store.zoneNumber);
    out += ", ";
    appendField(out, "zoneStart", store.zoneStart);
    out += ", ";
    appendField(out, "nextFreeVnum", store.nextFreeVnum());
    const bool newerZone = store.zoneForm == WorldForm::Newer;
    out += ", ";
    appendField(out, "form", std::string(newerZone ? "newer" : "classic"));
    out += ", \"rooms\": [";
    for (const RoomIndexNode* node = store.first(); node; node = node->next) {
        if (node != store.first()) out += ", ";
        appendRoom(out, *node, newerZone);
    }
    out += "], \"placementList\": [";
    for (const PlacementEntry* entry = placement.first(); entry; entry = entry->next) {
        if (entry != placement.first()) out += ", ";
        out += std::to_string(entry->vnum);
    }
    out += "]}\n";
    return out;
}
