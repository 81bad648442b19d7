// quendry-wld convert [--dos|--unix] [--letters|--numbers] [--classic|--newer] [--no-map] [--force] IN.wld OUT.wld
#include <cstdio>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/loaded_world.h"
#include "map/auto_placement.h"
#include "wldfile/world_save.h"
#include "wldfile/world_writer.h"
#include "world/newer_fields.h"

namespace {

// The later of two opposite flags wins; neither gives the default.
bool lastChoice(const ParsedArgs& parsed, const std::string& yes, const std::string& no, bool fallback) {
    for (auto it = parsed.order.rbegin(); it != parsed.order.rend(); ++it) {
        if (*it == yes) return true;
        if (*it == no) return false;
    }
    return fallback;
}

}  // namespace

int runConvert(const std::vector<std::string>& args) {
    const auto parsed =
        parseArgs(args, {"--dos", "--unix", "--letters", "--numbers", "--classic", "--newer", "--no-map", "--force"}, {});
    if (!parsed) return kExitUsage;
    if (parsed->operands.size() != 2) return usageError("convert needs an input and an output world file");
    const std::string& in = parsed->operands[0];
    const std::string& out = parsed->operands[1];
    const bool unixForm = lastChoice(*parsed, "--unix", "--dos", true);
    const bool letters = lastChoice(*parsed, "--letters", "--numbers", true);
    const bool withMap = !parsed->flags.count("--no-map");
    // The map position file takes the output's name with its last three characters
    // replaced by "map": for an output named so already, it would overwrite the world file.
    if (withMap && mapFilePath(out) == out)
        return usageError(out + ": its map position file would have the same name; use --no-map or another name");
    if (!readableFile(in)) return kExitUsage;

    LoadedWorld world;
    loadWorld(in, true, world);
    printMessages(in, world);
    if (!world.messages.empty() && !parsed->flags.count("--force")) {
        std::fprintf(stderr, "quendry-wld: %s: not converted: the load showed %zu message(s); --force converts anyway\n",
                     oneLine(in).c_str(), world.messages.size());
        return kExitMessages;
    }
    // The zone keeps its form unless told otherwise; the classic form cannot hold what
    // only the newer one has, and that is not dropped unasked.
    world.store.zoneForm =
        lastChoice(*parsed, "--newer", "--classic", world.store.zoneForm == WorldForm::Newer) ? WorldForm::Newer
                                                                                                : WorldForm::Classic;
    const ClassicFormLoss loss = classicFormLoss(world.store);
    if (world.store.zoneForm == WorldForm::Classic && !loss.empty() && !parsed->flags.count("--force")) {
        std::fprintf(stderr, "quendry-wld: %s: not converted: the classic form would lose %s; --force converts anyway\n",
                     oneLine(in).c_str(), loss.describe().c_str());
        return kExitMessages;
    }
    const std::string text = buildWorldText(world.store, letters);
    const std::string error = saveWorld(out, text, unixForm, withMap, world.store);
    if (!error.empty()) {
        std::fprintf(stderr, "quendry-wld: %s: %s\n", oneLine(out).c_str(), oneLine(error).c_str());
        return kExitMessages;
    }
    return kExitClean;
}
