#include "editor/editor_command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// QGuiApplication's and QApplication's start-up options, which the toolkit removes
// from the arguments itself. Qt takes them with one dash or two.
constexpr std::array<std::string_view, 12> kQtOptionsWithValue = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "style",         "stylesheet"};
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "widgetcount", "nograb",
                                                      "dograb",  "sync",        "qmljsdebugger"};

// The option's name without its dashes and without an "=value" part.
std::string_view optionName(std::string_view arg, bool& hasInlineValue) {
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    const std::size_t equals = arg.find('=');
    hasInlineValue = equals != std::string_view::npos;
    return hasInlineValue ? arg.substr(0, equals) : arg;
}

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

EditorCommandLine usageError(std::string text) {
    EditorCommandLine result;
    result.action = EditorCommandLine::Action::UsageError;
    result.error = std::move(text);
    return result;
}

}  // namespace

EditorCommandLine parseEditorCommandLine(const std::vector<std::string>& arguments) {
    EditorCommandLine result;
    bool optionsEnded = false;
    bool fileSeen = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            // A lone "-" is a file name like any other.
            if (fileSeen)
                return usageError("only one world file can be opened, '" + arg + "' is one too many");
            result.worldFile = arg;
            fileSeen = true;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // --help and --version win over everything else on the line, as a user who
        // asks for help expects the help and not a complaint about another argument.
        if (arg == "--help" || arg == "-h") {
            result.action = EditorCommandLine::Action::Help;
            return result;
        }
        if (arg == "--recover") {
            result.action = EditorCommandLine::Action::ListRecovery;
            continue;
        }
        if (arg == "--version") {
            result.action = EditorCommandLine::Action::Version;
            continue;
        }
        bool inlineValue = false;
        const std::string_view name = optionName(arg, inlineValue);
        if (listed(kQtOptionsWithValue, name)) {
            if (!inlineValue && ++i >= arguments.size())
                return usageError("option " + arg + " needs a value");
            continue;
        }
        if (listed(kQtFlags, name)) continue;
        return usageError("unknown option " + arg);
    }
    // --version with a later --help gives the help (above); --version alone its line
    // even when a file is named too.
    return result;
}

const char* editorHelpText() {
    return "usage: quendryedit [OPTIONS] [FILE.wld]\n"
           "\n"
           "QuendryEdit edits the world files (.wld) of a Quendry MUD zone: rooms, exits,\n"
           "doors, extra descriptions, room flags and sectors, and the zone's map.\n"
           "FILE.wld, when it names an existing file, is read into the editor as it starts.\n"
           "\n"
           "Options:\n"
           "  -h, --help  show this text and exit\n"
           "  --version   show the version and exit\n"
           "  --recover   list the recovery files of unsaved work (and their zones) and exit\n"
           "  --          the next argument is the file, even when it begins with '-'\n"
           "\n"
           "Qt's own options (-platform NAME, -style NAME, -reverse, ...) are passed on to Qt.\n"
           "\n"
           "The side files rmbitvec.txt, rsectype.txt and colors.txt are read from and\n"
           "written to the directory the editor is started in.\n"
           "quendry-wld checks, lints, converts and draws world files from the command line\n"
           "(quendry-wld --help).\n"
           "\n"
           "When the editor is killed or crashes, a copy of the unsaved zone written a few\n"
           "seconds after each change is offered back at the next start.\n"
           "\n"
           "Exit status: 0 after a normal end, --help or --version; 2 wrong usage.\n";
}

std::string editorUsageErrorText(const std::string& error) {
    return "quendryedit: " + error + "\nTry 'quendryedit --help'.\n";
}
