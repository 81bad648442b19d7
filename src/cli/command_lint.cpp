// quendry-wld lint [--json] [--zone-range LO-HI] [--ignore CHECK,...] [--no-order-check] FILE...
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/loaded_world.h"
#include "cli/zone_lint.h"
#include "world/strict_int.h"

namespace {

std::string checkList() {
    std::string names;
    for (int i = 0; i < kLintCheckCount; ++i) {
        if (i) names += ", ";
        names += lintCheckName(static_cast<LintCheck>(i));
    }
    return names;
}

// "LO-HI", both room numbers, LO not above HI.
bool parseZoneRange(const std::string& text, LintOptions& options) {
    const size_t dash = text.find('-', 1);
    if (dash == std::string::npos) return false;
    const auto low = strictToInt(std::string_view(text).substr(0, dash));
    const auto high = strictToInt(std::string_view(text).substr(dash + 1));
    if (!low || !high || *low < 0 || *high < *low) return false;
    options.zoneRange = std::pair{*low, *high};
    return true;
}

// "one-way-exit,off-map": each name switches its check off.
bool parseIgnore(const std::string& text, LintOptions& options) {
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string name =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const auto check = lintCheckByName(name);
        if (!check) {
            usageError("--ignore: unknown check '" + name + "'; the checks are " + checkList());
            return false;
        }
        options.enabled[static_cast<size_t>(*check)] = false;
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

// The JSON document of every file's messages and findings, built as the files are linted.
class JsonReport {
public:
    void add(const std::string& file, int line, const std::string& check, const std::string& message,
             const LintFinding* finding) {
        text_ += entries_++ ? ",\n    {" : "\n    {";
        text_ += "\"check\": ";
        appendJsonString(text_, check);
        text_ += ", \"file\": ";
        appendJsonString(text_, file);
        text_ += ", \"line\": " + std::to_string(line);
        if (finding) {
            text_ += ", \"roomLine\": " + std::to_string(finding->roomLine);
            text_ += ", \"room\": " + std::to_string(finding->room);
            text_ += ", \"direction\": ";
            if (finding->direction >= 0)
                appendJsonString(text_, directionName(finding->direction));
            else
                text_ += "null";
        } else {
            text_ += ", \"roomLine\": null, \"room\": null, \"direction\": null";
        }
        text_ += ", \"message\": ";
        appendJsonString(text_, message);
        text_ += '}';
    }
    std::string document() const {
        return "{\n  \"findings\": [" + text_ + (entries_ ? "\n  ]\n}\n" : "]\n}\n");
    }

private:
    std::string text_;
    size_t entries_ = 0;
};

void put(std::string& out, const std::string& file, int line, const std::string& text) {
    out += file;
    out += ':';
    out += std::to_string(line);
    out += ": ";
    out += text;
    out += '\n';
}

}  // namespace

int runLint(const std::vector<std::string>& args) {
    const auto parsed = parseArgs(args, {"--json", "--no-order-check"}, {"--zone-range", "--ignore"});
    if (!parsed) return kExitUsage;
    LintOptions options;
    if (const auto range = parsed->values.find("--zone-range"); range != parsed->values.end())
        if (!parseZoneRange(range->second, options))
            return usageError("--zone-range wants LO-HI, two room numbers with LO not above HI, not '" +
                              range->second + "'");
    // --ignore may be given more than once; every list counts.
    for (const std::string& list : parsed->allValues("--ignore"))
        if (!parseIgnore(list, options)) return kExitUsage;
    if (parsed->operands.empty()) return usageError("lint needs at least one world file");
    const bool json = parsed->flags.count("--json") > 0;
    const bool checkOrder = !parsed->flags.count("--no-order-check");

    int result = kExitClean;
    JsonReport report;
    for (const std::string& path : parsed->operands) {
        if (!readableFile(path)) {
            result = kExitUsage;
            continue;
        }
        LoadedWorld world;
        loadWorld(path, checkOrder, world, true);
        // Positions are known to be the file's only when the load got as far as placing rooms.
        std::error_code error;
        LintInput input{
            world.store, world.map.grid, world.roomLines,
            world.mapSource != MapSource::None && std::filesystem::is_regular_file(mapFilePath(path), error),
            world.mapSource == MapSource::File, world.forms.endMarkerLine, world.forms.endMarkerNumber, path};
        const std::vector<LintFinding> findings = lintZone(input, options);
        if (!world.messages.empty() || !findings.empty()) result = std::max<int>(result, kExitMessages);

        const std::string name = oneLine(path);
        if (json) {
            for (const LoadMessage& m : world.messages) report.add(path, m.line, "load", m.text, nullptr);
            for (const LintFinding& f : findings)
                report.add(path, f.line, std::string(lintCheckName(f.check)), f.message, &f);
            continue;
        }
        std::string out;
        for (const LoadMessage& m : world.messages) put(out, name, m.line, oneLine(m.text));
        for (const LintFinding& f : findings)
            put(out, name, f.line, oneLine(f.message) + " [" + std::string(lintCheckName(f.check)) + "]");
        std::fwrite(out.data(), 1, out.size(), stdout);
    }
    if (json) {
        const std::string document = report.document();
        std::fwrite(document.data(), 1, document.size(), stdout);
    }
    if (std::fflush(stdout) != 0) result = std::max<int>(result, kExitMessages);
    return result;
}
