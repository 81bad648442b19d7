// quendry-wld check [--no-order-check] FILE...
#include <algorithm>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/loaded_world.h"

int runCheck(const std::vector<std::string>& args) {
    const auto parsed = parseArgs(args, {"--no-order-check"}, {});
    if (!parsed) return kExitUsage;
    if (parsed->operands.empty()) return usageError("check needs at least one world file");
    int result = kExitClean;
    for (const std::string& path : parsed->operands) {
        if (!readableFile(path)) {
            result = kExitUsage;
            continue;
        }
        // Each file gets a fresh store and map, as after starting the editor on it.
        LoadedWorld world;
        loadWorld(path, !parsed->flags.count("--no-order-check"), world);
        printMessages(path, world);
        if (!world.messages.empty()) result = std::max<int>(result, kExitMessages);
    }
    return result;
}
