#include "map/auto_placement.h"

#include <filesystem>
#include <fstream>

#include "map/auto_layout.h"
#include "map/index_cursor.h"
#include "map/map_file_reader.h"
#include "world/platform_files.h"

std::string mapFilePath(const std::string& worldPath) {
    // The replaced characters never reach into the directory: a file name shorter than
    // three characters is replaced whole, so its map file stays in the same directory
    // (and "/zones/ab" does not become the file "/zonemap" of another directory).
    const size_t nameStart = worldPath.find_last_of(platform::kSeparator == '/' ? "/" : "/\\");
    const size_t nameBegin = nameStart == std::string::npos ? 0 : nameStart + 1;
    const size_t keep = worldPath.size() >= nameBegin + 3 ? worldPath.size() - 3 : nameBegin;
    return worldPath.substr(0, keep) + "map";
}

namespace {

enum class FileOutcome { NothingPlaced, Placed, Invalid };

// Puts a room where a line of the file says. A line never takes a cell that another
// room holds (the first line for a cell keeps it); a room named by a later line moves
// there from the cell an earlier line gave it. So no room claims a cell it is not in.
bool placeFromLine(MapGrid& grid, RoomDataType* room, const MapFileLine& line) {
    if (!room || !insideMap(line.x, line.y, line.z)) return false;
    RoomDataType* holder = grid.cellAt(line.x, line.y, line.z);
    if (holder && holder != room) return false;
    grid.putRoom(*room, line.x, line.y, line.z);
    return true;
}

FileOutcome placeFromMapFile(std::istream& in, const WorldStore& store, MapGrid& grid) {
    MapFileReader reader(in);
    IndexCursor cursor(store);
    bool placedAny = false;
    MapFileLine line;
    for (;;) {
        switch (reader.next(line)) {
            case MapFileReader::Result::End:
                return placedAny ? FileOutcome::Placed : FileOutcome::NothingPlaced;
            case MapFileReader::Result::Invalid:
                return FileOutcome::Invalid;
            case MapFileReader::Result::Line:
                break;
        }
        RoomIndexNode* node = cursor.find(line.vnum);
        if (placeFromLine(grid, node ? node->room.get() : nullptr, line)) placedAny = true;
    }
}

}  // namespace

bool mapLoadedWorld(WorldStore& store, MapModel& map, const std::string& worldPath, Prompts& prompts,
                    const std::function<void(const std::string&)>& helpText, MapSource* source) {
    if (helpText) helpText("Mapping...");
    if (source) *source = MapSource::None;
    if (store.empty()) return true;

    // A path that is no regular file (missing, a directory) or cannot be opened counts as
    // no map position file.
    const std::filesystem::path mapPath = platform::fsPath(mapFilePath(worldPath));
    std::error_code error;
    if (std::filesystem::is_regular_file(mapPath, error)) {
        std::ifstream in(mapPath, std::ios::binary);
        if (in) {
            const FileOutcome outcome = placeFromMapFile(in, store, map.grid);
            if (source && outcome != FileOutcome::NothingPlaced) *source = MapSource::File;
            switch (outcome) {
                case FileOutcome::Invalid:
                    // Positions read so far stay; the layout does not run.
                    prompts.message("Invalid numeric input");
                    return false;
                case FileOutcome::Placed:
                    return true;
                case FileOutcome::NothingPlaced:
                    break;
            }
        }
    }
    layOutFromFirstRoom(store, map.grid);
    if (source) *source = MapSource::Layout;
    return true;
}
