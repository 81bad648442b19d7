#include "wldfile/world_save.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <random>
#include <system_error>

#include "map/auto_placement.h"
#include "wldfile/world_writer.h"
#include "world/file_replace.h"
#include "world/platform_files.h"
#include "world/world_store.h"

namespace {

// The bytes of the file at path as it is now; none when there is no such file or it
// cannot be read.
std::optional<std::string> currentBytes(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file = platform::fsPath(path);
    if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

// A second name for the old world file, beside it, so that it survives the world file's
// commit and can be renamed back (a hard link, or a copy on Windows). None where neither
// can be made.
std::optional<std::filesystem::path> linkOldFile(const std::filesystem::path& target) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(target, error)) return std::nullopt;
    std::random_device random;
    std::filesystem::path link = target;
    link += ".old-" + std::to_string(random() % 1000000000u);
    if (platform::keepOldFile(target, link) != 0) return std::nullopt;
    return link;
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
    // the old world file is put back by a rename, like the commits: from a hard link
    // made beside it, or where there are none from a copy staged beside it. A world file
    // that did not exist before is removed again.
    std::error_code ignored;
    const std::filesystem::path target = std::filesystem::weakly_canonical(platform::fsPath(path), ignored);
    const std::optional<std::filesystem::path> oldLink = linkOldFile(target);
    std::unique_ptr<StagedFile> oldCopy;
    if (!oldLink) {
        if (const std::optional<std::string> oldWorld = currentBytes(path)) {
            oldCopy = std::make_unique<StagedFile>(path, *oldWorld);
            if (!oldCopy->error().empty()) return oldCopy->error();
        }
    }

    std::string error = world.commit();
    if (error.empty()) error = map.commit();
    if (!error.empty() && world.error().empty()) {
        // The world file took its place; the map file did not.
        if (oldLink)
            std::filesystem::rename(*oldLink, target, ignored);
        else if (oldCopy)
            oldCopy->commit();
        else
            std::filesystem::remove(target, ignored);
    }
    if (oldLink) std::filesystem::remove(*oldLink, ignored);
    return error;
}
