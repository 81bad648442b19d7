#include "wldfile/world_save.h"

#include "map/auto_placement.h"
#include "wldfile/file_replace.h"
#include "wldfile/world_writer.h"
#include "world/world_store.h"

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
    if (std::string error = world.commit(); !error.empty()) return error;
    return map.commit();
}
