#include "wldfile/world_save.h"

#include "map/auto_placement.h"
#include "wldfile/file_replace.h"
#include "wldfile/world_writer.h"
#include "world/world_store.h"

std::string saveWorld(const std::string& path, std::string_view text, bool unixForm, bool withMap,
                      const WorldStore& store) {
    const std::string error = unixForm ? replaceFile(path, stripCarriageReturns(text)) : replaceFile(path, text);
    if (!error.empty() || !withMap) return error;
    return replaceFile(mapFilePath(path), buildMapFileText(store));
}
