// The built quendryedit run as a user runs it: --help and --version without a display,
// usage errors, and a start on the offscreen platform that reads the file it is given.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class EditorBinary : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quendryedit-binary-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // env: assignments put before the program, e.g. "env -u DISPLAY QT_QPA_PLATFORM=xcb".
    ProgramRun run(const std::string& env, const std::string& args) const {
        const std::string command = "cd '" + dir_.string() + "' && " + env + " '" QUENDRYEDIT_BINARY "' " +
                                    args + " >out.txt 2>err.txt </dev/null";
        const int status = std::system(command.c_str());
        ProgramRun result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readAll(dir_ / "out.txt");
        result.err = readAll(dir_ / "err.txt");
        return result;
    }

    fs::path dir_;
};

// Without a display, and with the display platform asked for: building the application
// would fail here, so these only pass when the program answers before it does.
const std::string kNoDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb";

}  // namespace

TEST_F(EditorBinary, HelpAndVersionPrintAndEndWithoutADisplay) {
    const ProgramRun help = run(kNoDisplay, "--help");
    EXPECT_EQ(help.exitCode, 0) << help.err;
    EXPECT_EQ(help.out.rfind("usage: quendryedit [OPTIONS] [FILE.wld]\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_EQ(help.out.find("QUENDRY_REPORT_READY"), std::string::npos);  // the timing hook stays hidden
    EXPECT_TRUE(help.err.empty()) << help.err;

    const ProgramRun version = run(kNoDisplay, "--version");
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out.rfind("quendryedit " QUENDRY_VERSION_TEXT " (Qt 6.", 0), 0u) << version.out;
    EXPECT_EQ(version.out.back(), '\n');
    EXPECT_TRUE(version.err.empty()) << version.err;
}

TEST_F(EditorBinary, WrongUsageSaysSoOnStderrAndEndsWithTwo) {
    for (const char* args : {"--bogus", "-x zone.wld", "a.wld b.wld", "-style"}) {
        const ProgramRun r = run(kNoDisplay, args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_EQ(r.err.rfind("quendryedit: ", 0), 0u) << args << ": " << r.err;
        EXPECT_NE(r.err.find("Try 'quendryedit --help'."), std::string::npos) << args;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << args;
    }
}

TEST_F(EditorBinary, StartsAndReadsTheFileNamedOnTheCommandLine) {
    // A name beginning with '-' comes after "--"; the zone is written here.
    std::ofstream(dir_ / "-two.wld", std::ios::binary) << "#101\nHall~\nA hall.\n~\n1 0 0\nS\n"
                                                       << "#102\nYard~\nA yard.\n~\n1 0 1\nS\n$\n";
    const std::string env = "env QT_QPA_PLATFORM=offscreen QUENDRY_REPORT_READY=1";
    const ProgramRun loaded = run(env, "-- -two.wld");
    EXPECT_EQ(loaded.exitCode, 0) << loaded.err;
    EXPECT_EQ(loaded.out, "ready: 2 rooms\n");

    const ProgramRun empty = run(env, "-platform offscreen");  // Qt's option passes to Qt
    EXPECT_EQ(empty.exitCode, 0) << empty.err;
    EXPECT_EQ(empty.out, "ready: 0 rooms\n");

    const ProgramRun missing = run(env, "no-such-zone.wld");  // ignored, as the editor always has
    EXPECT_EQ(missing.exitCode, 0) << missing.err;
    EXPECT_EQ(missing.out, "ready: 0 rooms\n");
}
