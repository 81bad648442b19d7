#include "wldfile/world_save.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <system_error>

#include "map/auto_placement.h"
#include "wldfile/file_replace.h"
#include "wldfile/world_writer.h"
#include "world/world_store.h"

namespace {

// The bytes of the file at path as it is now; none when there is no such file or it
// cannot be read.
std::optional<std::string> currentBytes(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

}  // namespace

std::string saveWorld(const std::string& path, std::string_view text, bool unixForm, bool withMap,
                      const WorldStore& store) {
    // Both files are written out before either replaces its old copy, so that a failed
    // write leaves the old world file and map file together as they were.
    const std::string unixText = unixForm ? stripCarriageReturns(text) : std::string();
    StagedFile world(path, unixForm ? std::string_view(unixText) : text);
    if (!world.error().empty()) return world.error();
    if (!withMap) return world.commit();
    StagedFile map(mapFilePath(path), buildMapFileText(store));
    if (!map.error().empty()) return map.error();

    // Should the map file fail to take its place after the world file has taken its own,
    // the old world file is put back from a copy staged beside it (a rename, like the
    // commits), or a world file that did not exist before is removed again.
    const std::optional<std::string> oldWorld = currentBytes(path);
    std::unique_ptr<StagedFile> restore;
    if (oldWorld) {
        restore = std::make_unique<StagedFile>(path, *oldWorld);
        if (!restore->error().empty()) return restore->error();
    }
    const std::filesystem::path created = std::filesystem::weakly_canonical(path);

    if (std::string error = world.commit(); !error.empty()) return error;
    std::string error = map.commit();
    if (error.empty()) return error;
    if (restore) {
        restore->commit();
    } else {
        std::error_code ignored;
        std::filesystem::remove(created, ignored);
    }
    return error;
}
