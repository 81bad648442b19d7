#pragma once
// Saving a built world-file text, and the map position file beside it.
#include <string>
#include <string_view>

class WorldStore;

// Writes the world file at path: the text as given in DOS form, or passed through
// stripCarriageReturns when unixForm. When withMap, then writes the map position file of
// the store (its path is the world file's with the last three characters replaced by
// "map"), always with CR LF lines. Both files are written completely to temporary files
// before either replaces its old copy, and the world file is put back when the map file
// cannot replace its own: a failed save changes neither file. Returns "" or
// the failing file's error message.
std::string saveWorld(const std::string& path, std::string_view text, bool unixForm, bool withMap,
                      const WorldStore& store);
