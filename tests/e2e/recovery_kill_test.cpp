// The real editor, killed: a separate quendryedit process (offscreen) builds a zone through
// its windows — UPDATE, a Draw on the map, an exit edit, an extra description — waits
// past the recovery delay and is killed with SIGKILL. Started again, it offers the work
// back; Yes brings the zone back byte for byte, text and map file.
//
// The processes are driven by QUENDRY_TEST_SCRIPT (src/editor/script_driver.h) and keep
// their data and settings directories in the test's own XDG_DATA_HOME and XDG_CONFIG_HOME
// (the map's zoom a builder left in their own settings would move the drawn cells).
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class RecoveryKillTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("quendry-kill-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Starts the editor on a script; its output goes to NAME.out.
    pid_t start(const std::string& name, const std::string& script) {
        std::ofstream(dir / (name + ".txt")) << script;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
            ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
            ::setenv("QUENDRY_TEST_SCRIPT", (dir / (name + ".txt")).c_str(), 1);
            if (::chdir(dir.c_str()) != 0) ::_exit(127);
            const std::string out = (dir / (name + ".out")).string();
            if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(out.c_str(), "a", stderr)) ::_exit(127);
            ::execl(QUENDRYEDIT_BINARY, QUENDRYEDIT_BINARY, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        return pid;
    }
    // Waits until the process printed the text (or 60 s went by).
    bool waitFor(const std::string& name, const std::string& text) {
        for (int i = 0; i < 600; ++i) {
            if (bytesOf(dir / (name + ".out")).find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    static int finish(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return status;
    }

    fs::path dir;
};

const char* const kEdits = R"(trigger itemNewArea
type TfrmNewZone editName The Mill
type TfrmNewZone editNumber 42
type TfrmNewZone editStart 4200
click TfrmNewZone btnOk
click TEditMain btnwld_NewRoom
type TEditMain editRoomName Mill Gate
type TEditMain memoRoom A heavy oak gate.\nThe river runs east.\n
click TEditMain btnwld_Update
click TEditMain btnwld_MakeDefault
click TEditMain btnExtra
click TExtraDesc btnAdd
type TExtraDesc editKey sign
type TExtraDesc memoRoom Beware the weir.\n
click TExtraDesc btnUpdate
click TExtraDesc btnDone
click TEditMain btnMap
click TfrmMap sb_Draw
click TfrmMap sb_ON
drag 50 50 52 50
click TfrmMap sb_Select
cell 51 50
click TfrmMap sb_E
type TfrmMap editKeywords gate
key TfrmMap editKeywords Return
click TfrmMap btnDone
state expected.wld
wait-copy
sleep 600000
)";

// What the edits give: the gate with its sign, three default rooms drawn east of it in a
// row, linked both ways, the middle one's east exit with the keyword "gate".
std::string room(int vnum, const std::string& exits, const std::string& extras = "") {
    return "#" + std::to_string(vnum) + "\nMill Gate~\nA heavy oak gate.\nThe river runs east.\n~\n42 0 0\n" + exits +
           extras + "S\n";
}
std::string exit(int d, int to, const std::string& keywords = "") {
    return "D" + std::to_string(d) + "\n~\n" + keywords + "~\n0 -1 " + std::to_string(to) + "\n";
}

TEST_F(RecoveryKillTest, AKilledEditorGivesItsWorkBackByteForByte) {
    const pid_t first = start("first", kEdits);
    // Killed in any case, also when the test stops early.
    struct Kill {
        pid_t pid;
        ~Kill() {
            ::kill(pid, SIGKILL);
            finish(pid);
        }
    };
    {
        Kill kill{first};
        ASSERT_TRUE(waitFor("first", "step: sleep 600000")) << bytesOf(dir / "first.out");
    }

    const std::string expected = room(4200, "", "E\nsign~\nBeware the weir.\n~\n") + room(4201, exit(1, 4202)) +
                                 room(4202, exit(1, 4203, "gate") + exit(3, 4201)) + room(4203, exit(3, 4202)) + "$\n";
    EXPECT_EQ(bytesOf(dir / "expected.wld"), expected);
    EXPECT_EQ(bytesOf(dir / "expected.map"), "4201 50 50 5\r\n4202 51 50 5\r\n4203 52 50 5\r\n");

    const pid_t second = start("second", "recover yes\nstate recovered.wld\nanswer yes\nquit\n");
    EXPECT_EQ(finish(second), 0) << bytesOf(dir / "second.out");
    const std::string out = bytesOf(dir / "second.out");
    EXPECT_NE(out.find("recovery question: Recover unsaved work on The Mill from "), std::string::npos) << out;
    EXPECT_EQ(out.find("message:"), std::string::npos) << out;
    EXPECT_EQ(bytesOf(dir / "recovered.wld"), expected);
    EXPECT_EQ(bytesOf(dir / "recovered.map"), bytesOf(dir / "expected.map"));
    // The normal end took the copy away.
    EXPECT_TRUE(fs::is_empty(dir / "data" / "QuendryEdit" / "recovery"));
}

}  // namespace
