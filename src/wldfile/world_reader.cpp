#include "wldfile/world_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <stdexcept>

#include "map/auto_placement.h"
#include "wldfile/world_into_store.h"
#include "world/platform_files.h"

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The whole file in one go; the system's error text when it cannot be read.
bool readWholeFile(const std::string& path, std::string& contents, std::string& error) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(platform::openForReading(path));
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    // Read straight into the string at the file's size, then go on in chunks for
    // whatever is left (a file that grew, or one without a size, such as a pipe).
    contents.clear();
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(platform::fsPath(path), sizeError);
    if (!sizeError && size > 0) {
        contents.resize(static_cast<size_t>(size));
        contents.resize(std::fread(contents.data(), 1, contents.size(), file.get()));
    }
    char buffer[1 << 16];
    while (!std::feof(file.get()) && !std::ferror(file.get()))
        contents.append(buffer, std::fread(buffer, 1, sizeof buffer, file.get()));
    if (std::ferror(file.get())) {
        error = std::strerror(errno ? errno : EIO);
        return false;
    }
    return true;
}

// Rooms that neither the map position file nor the layout placed wait in the placement list.
void registerUnplacedRooms(WorldStore& store, MapModel& map) {
    for (RoomIndexNode* node = store.first(); node; node = node->next)
        if (node->room->mapX == -1) map.placement.registerUnplacedRoom(*node->room);
}

}  // namespace

void readWorldData(std::string_view data, const std::string& path, LoadRoad& road) {
    WorldStore& store = road.store;
    // A New Room still pending would keep deleteCurrentRoom from removing a failed room.
    store.endNewRoom();
    const WorldReadResult result = readWorldIntoStore(data, store, road.prompts, road.progress,
                                                      road.checkOrder, &road.readerLine, road.roomLines, &road.forms);
    road.mapSource = MapSource::None;
    // A number that is not an integer ends the load there: the rooms read stay as they are,
    // neither adopted nor placed.
    if (result == WorldReadResult::ConversionFailed) return;

    if (!store.empty()) {
        if (result == WorldReadResult::Failed)
            road.prompts.message("Will attempt to initialize and map partial world.");
        store.adoptLoadedWorld();
        // "Invalid numeric input" in the map position file keeps the positions read so far;
        // the rooms left off the map are still listed so that they can be placed by hand.
        mapLoadedWorld(store, road.map, path, road.prompts, road.helpText, &road.mapSource);
    }
    registerUnplacedRooms(store, road.map);
    if (road.helpText) road.helpText("");
}

void readWorldFile(const std::string& path, LoadRoad& road) {
    std::string contents;
    std::string error;
    bool readable = false;
    try {
        readable = readWholeFile(path, contents, error);
    } catch (const std::bad_alloc&) {
        error = std::strerror(ENOMEM);
    } catch (const std::length_error&) {
        error = std::strerror(ENOMEM);
    }
    if (!readable) {
        road.prompts.message(error);
        return;
    }
    readWorldData(contents, path, road);
}
