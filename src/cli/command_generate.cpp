// quendry-wld generate --rooms N [--seed S] [--zone Z]
#include <cstdio>
#include <stdexcept>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/zone_generator.h"
#include "world/strict_int.h"

namespace {

std::optional<int32_t> numberOption(const ParsedArgs& parsed, const std::string& name, int32_t fallback) {
    const auto it = parsed.values.find(name);
    if (it == parsed.values.end()) return fallback;
    const auto value = strictToInt(it->second);
    if (!value) usageError(name + ": " + notValidIntegerMessage(it->second));
    return value;
}

}  // namespace

int runGenerate(const std::vector<std::string>& args) {
    const auto parsed = parseArgs(args, {}, {"--rooms", "--seed", "--zone"});
    if (!parsed) return kExitUsage;
    if (!parsed->operands.empty()) return usageError("generate takes no file: it writes to standard output");
    if (!parsed->values.count("--rooms")) return usageError("generate needs --rooms N");
    const auto rooms = numberOption(*parsed, "--rooms", 0);
    const auto seed = numberOption(*parsed, "--seed", 1);
    const auto zone = numberOption(*parsed, "--zone", 1);
    if (!rooms || !seed || !zone) return kExitUsage;
    std::string text;
    try {
        text = generateZone(*rooms, static_cast<uint32_t>(*seed), *zone);
    } catch (const std::invalid_argument& e) {
        return usageError(e.what());
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitClean : kExitMessages;
}
