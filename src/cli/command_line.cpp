#include "cli/command_line.h"

#include <cstdio>

std::optional<ParsedArgs> parseArgs(const std::vector<std::string>& args, const std::set<std::string>& flags,
                                    const std::set<std::string>& valued) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            parsed.operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (flags.count(arg)) {
            parsed.flags.insert(arg);
            parsed.order.push_back(arg);
        } else if (valued.count(arg)) {
            if (i + 1 >= args.size()) {
                usageError("option " + arg + " needs a value");
                return std::nullopt;
            }
            parsed.values[arg] = args[++i];
            parsed.valueOrder.emplace_back(arg, args[i]);
        } else {
            usageError("unknown option " + arg);
            return std::nullopt;
        }
    }
    return parsed;
}

std::vector<std::string> ParsedArgs::allValues(const std::string& name) const {
    std::vector<std::string> given;
    for (const auto& [option, value] : valueOrder)
        if (option == name) given.push_back(value);
    return given;
}

int usageError(const std::string& text) {
    std::fprintf(stderr, "quendry-wld: %s\nTry 'quendry-wld --help'.\n", oneLine(text).c_str());
    return kExitUsage;
}

std::string oneLine(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n')) --end;  // a final line break says nothing
    std::string line;
    line.reserve(end);
    for (size_t i = 0; i < end; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < end && text[i + 1] == '\n') continue;  // CR LF is one break
        if (c == '\r' || c == '\n') {
            line += ' ';
        } else if (c < 0x20 || c == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            line += "\\x";
            line += kHex[c >> 4];
            line += kHex[c & 0xF];
        } else {
            line += static_cast<char>(c);
        }
    }
    return line;
}
