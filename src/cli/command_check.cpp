// quendry-wld check [--no-order-check] FILE|DIR...
#include <algorithm>
#include <cstdio>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/loaded_world.h"
#include "cli/world_files.h"

int runCheck(const std::vector<std::string>& args) {
    const auto parsed = parseArgs(args, {"--no-order-check"}, {});
    if (!parsed) return kExitUsage;
    if (parsed->operands.empty()) return usageError("check needs at least one world file or directory");
    const WorldFiles world = worldFiles(parsed->operands);
    int result = world.unreadable ? kExitUsage : kExitClean;
    const auto notes = [&](const std::vector<IndexNote>& list) {
        for (const IndexNote& n : list) {
            std::fprintf(stderr, "%s:%d: %s\n", oneLine(n.file).c_str(), n.line, oneLine(n.text).c_str());
            result = std::max<int>(result, kExitMessages);
        }
    };
    for (const WorldFiles::Item& item : world.files) {
        notes(item.notes);
        // Each file gets a fresh store and map, as after starting the editor on it.
        LoadedWorld loaded;
        loadWorld(item.path, !parsed->flags.count("--no-order-check"), loaded);
        printMessages(item.path, loaded);
        if (!loaded.messages.empty()) result = std::max<int>(result, kExitMessages);
    }
    notes(world.trailingNotes);
    return result;
}
