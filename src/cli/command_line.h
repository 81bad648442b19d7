#pragma once
// What every quendry-wld command shares: exit codes, argument parsing, usage errors.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

enum ExitCode : int {
    kExitClean = 0,     // done, nothing to report
    kExitMessages = 1,  // a load produced messages, or the command was refused or failed
    kExitUsage = 2,     // wrong usage or an unreadable file
};

struct ParsedArgs {
    std::vector<std::string> operands;          // in the given order
    std::set<std::string> flags;                // "--unix", ...
    std::map<std::string, std::string> values;  // "--rooms" -> "1000", ...
    std::vector<std::string> order;             // every flag in the given order (the last of a pair wins)
    std::vector<std::pair<std::string, std::string>> valueOrder;  // every valued option given, in order

    // Every value given for a valued option that may be repeated.
    std::vector<std::string> allValues(const std::string& name) const;
};

// Splits the arguments after the command name. Flags are the options without a value,
// valued options take the next argument; "--" ends the options. Gives nullopt after
// printing a usage error for an unknown option or a missing value.
std::optional<ParsedArgs> parseArgs(const std::vector<std::string>& args, const std::set<std::string>& flags,
                                    const std::set<std::string>& valued);

// Prints "quendry-wld: <text>" and the hint to --help on stderr; returns kExitUsage.
int usageError(const std::string& text);

// The text of a message made fit for one output line: line breaks become blanks (a
// trailing one is dropped) and other control characters are shown as \xNN.
std::string oneLine(const std::string& text);
