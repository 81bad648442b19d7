// quendry-wld lint [--json] [--zone-range LO-HI] [--ignore CHECK,...] [--no-order-check]
//                  [--max-text N] [--max-room N] [--world-reach ROOM] FILE|DIR...
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/json_writer.h"
#include "cli/loaded_world.h"
#include "cli/world_files.h"
#include "cli/zone_lint.h"
#include "defs/definition_files.h"
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

// Messages of the definition files go to stderr; they do not stop the lint.
class DefinitionPrompts : public Prompts {
public:
    void message(const std::string& text) override { std::fprintf(stderr, "quendry-wld: %s\n", oneLine(text).c_str()); }
    bool confirm(const std::string& question) override {
        message(question);
        return false;
    }
};

// The flags and sectors named by rmbitvec.txt and rsectype.txt of the directory the tool
// runs in, as the editor reads them from the one it starts in; the built-in sets otherwise.
FlagNames definitionsInUse() {
    BitvectorTable bitvectors;
    SectorTable sectors;
    setBuiltinBitvectors(bitvectors);
    setBuiltinSectors(sectors);
    DefinitionPrompts prompts;
    loadBitvectorFile(kBitvectorFileName, bitvectors, prompts);
    loadSectorFile(kSectorFileName, sectors, prompts);
    return flagNamesOf(bitvectors, sectors);
}

// A number option within bounds, or a usage error.
bool numberOption(const ParsedArgs& parsed, const std::string& name, int32_t low, int32_t high,
                  std::optional<int32_t>& value) {
    const auto it = parsed.values.find(name);
    if (it == parsed.values.end()) return true;
    const auto number = strictToInt(it->second);
    if (!number || *number < low || *number > high) {
        usageError(name + " wants a number from " + std::to_string(low) + " to " + std::to_string(high) +
                   ", not '" + it->second + "'");
        return false;
    }
    value = number;
    return true;
}

}  // namespace

int runLint(const std::vector<std::string>& args) {
    const auto parsed = parseArgs(args, {"--json", "--no-order-check"},
                                  {"--zone-range", "--ignore", "--max-text", "--max-room", "--world-reach"});
    if (!parsed) return kExitUsage;
    LintOptions options;
    if (const auto range = parsed->values.find("--zone-range"); range != parsed->values.end())
        if (!parseZoneRange(range->second, options))
            return usageError("--zone-range wants LO-HI, two room numbers with LO not above HI, not '" +
                              range->second + "'");
    // --ignore may be given more than once; every list counts.
    for (const std::string& list : parsed->allValues("--ignore"))
        if (!parseIgnore(list, options)) return kExitUsage;
    std::optional<int32_t> maxText, maxRoom;
    if (!numberOption(*parsed, "--max-text", 1, INT32_MAX, maxText) ||
        !numberOption(*parsed, "--max-room", 0, INT32_MAX, maxRoom) ||
        !numberOption(*parsed, "--world-reach", INT32_MIN, INT32_MAX, options.worldStart))
        return kExitUsage;
    if (maxText) options.maxText = static_cast<size_t>(*maxText);
    if (maxRoom) options.maxRoom = *maxRoom;
    if (parsed->operands.empty()) return usageError("lint needs at least one world file or directory");
    const bool json = parsed->flags.count("--json") > 0;
    const bool checkOrder = !parsed->flags.count("--no-order-check");
    if (options.runs(LintCheck::UnknownFlag)) options.flagNames = definitionsInUse();

    const WorldFiles world = worldFiles(parsed->operands);
    int result = world.unreadable ? kExitUsage : kExitClean;
    std::vector<std::unique_ptr<LoadedWorld>> loaded;
    std::vector<LintInput> inputs;
    loaded.reserve(world.files.size());
    inputs.reserve(world.files.size());
    for (const WorldFiles::Item& item : world.files) {
        auto& w = *loaded.emplace_back(std::make_unique<LoadedWorld>());
        loadWorld(item.path, checkOrder, w, true);
        // Positions are known to be the file's only when the load got as far as placing rooms.
        std::error_code error;
        inputs.push_back({w.store, w.map.grid, w.roomLines,
                          w.mapSource != MapSource::None &&
                              std::filesystem::is_regular_file(mapFilePath(item.path), error),
                          w.mapSource == MapSource::File, w.forms.endMarkerLine, w.forms.endMarkerNumber,
                          oneLine(item.path)});
    }
    if (options.worldStart) {
        const bool found = std::any_of(loaded.begin(), loaded.end(),
                                       [&](const auto& w) { return w->store.findByVnum(*options.worldStart); });
        if (!found)
            return usageError("--world-reach: no file given holds room " + std::to_string(*options.worldStart));
    }
    const std::vector<LintFinding> findings = lintWorld(inputs, options);

    JsonReport report;
    std::string out;
    const auto notes = [&](const std::vector<IndexNote>& list) {
        for (const IndexNote& n : list) {
            if (n.missingFile && !options.runs(LintCheck::MissingFile)) continue;
            result = std::max<int>(result, kExitMessages);
            const std::string check = n.missingFile ? std::string(lintCheckName(LintCheck::MissingFile)) : "load";
            if (json)
                report.add(n.file, n.line, check, n.text, nullptr);
            else
                put(out, oneLine(n.file), n.line, oneLine(n.text) + (n.missingFile ? " [" + check + "]" : ""));
        }
    };
    size_t next = 0;  // findings come file by file
    for (size_t i = 0; i < world.files.size(); ++i) {
        notes(world.files[i].notes);
        const std::string& path = world.files[i].path;
        const LoadedWorld& w = *loaded[i];
        if (!w.messages.empty()) result = std::max<int>(result, kExitMessages);
        for (const LoadMessage& m : w.messages) {
            if (json)
                report.add(path, m.line, "load", m.text, nullptr);
            else
                put(out, inputs[i].name, m.line, oneLine(m.text));
        }
        for (; next < findings.size() && findings[next].file == i; ++next) {
            const LintFinding& f = findings[next];
            result = std::max<int>(result, kExitMessages);
            if (json)
                report.add(path, f.line, std::string(lintCheckName(f.check)), f.message, &f);
            else
                put(out, inputs[i].name, f.line,
                    oneLine(f.message) + " [" + std::string(lintCheckName(f.check)) + "]");
        }
        if (!json) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    notes(world.trailingNotes);
    if (json) out = report.document();
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0) result = std::max<int>(result, kExitMessages);
    return result;
}
