// quendry-wld dump [--no-order-check] FILE.wld
#include <cstdio>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/loaded_world.h"
#include "cli/world_json.h"

int runDump(const std::vector<std::string>& args) {
    const auto parsed = parseArgs(args, {"--no-order-check"}, {});
    if (!parsed) return kExitUsage;
    if (parsed->operands.size() != 1) return usageError("dump needs exactly one world file");
    const std::string& path = parsed->operands.front();
    if (!readableFile(path)) return kExitUsage;
    LoadedWorld world;
    loadWorld(path, !parsed->flags.count("--no-order-check"), world);
    const std::string json = worldToJson(world.store, world.map.placement, world.messageTexts());
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitClean : kExitMessages;
}
