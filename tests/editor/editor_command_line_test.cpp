// The editor's command line as the program reads it before Qt starts.
#include "editor/editor_command_line.h"

#include <gtest/gtest.h>

using Action = EditorCommandLine::Action;

TEST(EditorCommandLine, FileQtOptionsHelpVersionAndMistakes) {
    struct Case {
        std::vector<std::string> args;  // after the program's name
        Action action;
        std::string file;
        std::string errorPart;
    };
    const Case cases[] = {
        {{}, Action::Run, "", ""},
        {{"zone.wld"}, Action::Run, "zone.wld", ""},
        {{"-"}, Action::Run, "-", ""},
        {{"--", "-odd.wld"}, Action::Run, "-odd.wld", ""},
        {{"--", "--help"}, Action::Run, "--help", ""},
        // Qt's options pass, with their values, in either dash form.
        {{"-platform", "offscreen", "zone.wld"}, Action::Run, "zone.wld", ""},
        {{"zone.wld", "--style", "fusion", "-reverse"}, Action::Run, "zone.wld", ""},
        {{"-style=fusion", "zone.wld"}, Action::Run, "zone.wld", ""},
        {{"-qwindowtitle", "-odd"}, Action::Run, "", ""},
        {{"--help"}, Action::Help, "", ""},
        {{"-h"}, Action::Help, "", ""},
        {{"--version"}, Action::Version, "", ""},
        {{"zone.wld", "--version"}, Action::Version, "zone.wld", ""},
        {{"--version", "--help"}, Action::Help, "", ""},
        {{"--bogus", "--help"}, Action::UsageError, "", "unknown option --bogus"},
        {{"-x"}, Action::UsageError, "", "unknown option -x"},
        {{"--verbose", "zone.wld"}, Action::UsageError, "", "unknown option --verbose"},
        {{"--helpme"}, Action::UsageError, "", "unknown option --helpme"},
        {{"-platform"}, Action::UsageError, "", "option -platform needs a value"},
        {{"a.wld", "b.wld"}, Action::UsageError, "", "'b.wld' is one too many"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"quendryedit"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const EditorCommandLine parsed = parseEditorCommandLine(args);
        std::string shown;
        for (const std::string& a : c.args) shown += a + " ";
        EXPECT_EQ(parsed.action, c.action) << shown;
        if (c.action == Action::UsageError) {
            EXPECT_NE(parsed.error.find(c.errorPart), std::string::npos) << shown << "-> " << parsed.error;
            EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << shown;
        } else {
            EXPECT_EQ(parsed.worldFile, c.file) << shown;
        }
    }
}
