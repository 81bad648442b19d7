#pragma once
// The editor's command line, read before any window or display exists, so that
// --help and --version work on a machine without one.
//
//   quendryedit [--help | --version] [QT-OPTIONS] [--] [FILE.wld]
//
// Qt's own start-up options (-platform NAME, -style NAME, -reverse, ...) are let
// through for QApplication to take; any other argument beginning with '-' is a usage
// error, so that a mistyped option is not silently taken for a file name.
#include <string>
#include <vector>

struct EditorCommandLine {
    enum class Action { Run, Help, Version, UsageError, ListRecovery };
    Action action = Action::Run;
    std::string worldFile;  // the file to read at start-up; empty: none
    std::string error;      // UsageError: what was wrong, one line
};

// arguments[0] is the program's name, as in argv.
EditorCommandLine parseEditorCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
const char* editorHelpText();

// The lines printed for a usage error, ending with a pointer to --help.
std::string editorUsageErrorText(const std::string& error);
