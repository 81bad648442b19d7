#include "wldfile/world_save.h"

#include "wldfile/file_replace.h"
#include "wldfile/world_writer.h"
#include "world/world_store.h"

namespace {

// The map position file beside a world file: its last three characters become "map".
// (The automatic placement reads the same name back.)
std::string mapPositionPath(const std::string& worldPath) {
    const size_t keep = worldPath.size() >= 3 ? worldPath.size() - 3 : 0;
    return worldPath.substr(0, keep) + "map";
}

}  // namespace

std::string saveWorld(const std::string& path, std::string_view text, bool unixForm, bool withMap,
                      const WorldStore& store) {
    const std::string error = unixForm ? replaceFile(path, stripCarriageReturns(text)) : replaceFile(path, text);
    if (!error.empty() || !withMap) return error;
    return replaceFile(mapPositionPath(path), buildMapFileText(store));
}
