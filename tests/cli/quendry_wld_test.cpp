// Runs the built quendry-wld binary as a user would and checks exit codes, output and files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class QuendryWld : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quendry-wld-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }

    // Runs the tool in the test's directory with the given arguments (file names are
    // relative to it, so messages show them as given).
    ToolRun run(const std::string& args) const {
        const std::string command = "cd '" + dir_.string() + "' && '" QUENDRY_WLD_BINARY "' " + args +
                                    " >stdout.txt 2>stderr.txt";
        const int status = std::system(command.c_str());
        ToolRun result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readBytes(dir_ / "stdout.txt");
        result.err = readBytes(dir_ / "stderr.txt");
        return result;
    }

    fs::path dir_;
};

// Three rooms: 3001 and 3002 linked north-south, 3005 linked to nothing.
const std::string kSmallZone =
    "#3001\n"
    "The Dark Grove~\n"
    "Old trees lean over a narrow path.\n"
    "Caf\xC3\xA9 or caf\xE9.\n"
    "~\n"
    "3 dl 2\n"
    "D0\n"
    "A path leads north.\n"
    "~\n"
    "gate~\n"
    "1 -1 3002\n"
    "E\n"
    "trees~\n"
    "They are \"very\" old.\r\n"
    "~\n"
    "S\n"
    "#3002\n"
    "North End~\n"
    "~\n"
    "3 0 1\n"
    "D2\n"
    "~\n"
    "~\n"
    "0 -1 3001\n"
    "S\n"
    "#3005\n"
    "Lonely~\n"
    "Quiet.~\n"
    "3 A 0\n"
    "S\n"
    "$\n";

TEST_F(QuendryWld, WrongUsageAndUnreadableFilesExitWithTwo) {
    for (const char* args : {"", "frobnicate", "check", "check --bogus a.wld", "convert one.wld",
                             "convert a.wld b.wld c.wld", "convert --sideways a.wld b.wld", "dump",
                             "dump a.wld b.wld", "generate", "generate --rooms", "generate --rooms ten",
                             "generate --rooms 100000", "generate --rooms 5 extra.wld", "lint", "lint --json",
                             "lint --ignore one-way a.wld", "lint --ignore off-map, a.wld",
                             "lint --zone-range 4200 a.wld", "lint --zone-range 4299-4200 a.wld",
                             "lint --zone-range -5-10 a.wld", "lint --zone-range 1-x a.wld",
                             "lint --zone-range"}) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_NE(r.err.find("quendry-wld: "), std::string::npos) << args;
    }
    const ToolRun missing = run("check missing.wld");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err.find("missing.wld"), std::string::npos);
    EXPECT_EQ(run("lint missing.wld").exitCode, 2);
    fs::create_directory(dir_ / "folder.wld");
    EXPECT_EQ(run("dump folder.wld").exitCode, 2);

    // Writing the map position file over the world file itself is refused before anything is read.
    write("small.wld", kSmallZone);
    EXPECT_EQ(run("convert small.wld out.map").exitCode, 2);
    EXPECT_FALSE(fs::exists(dir_ / "out.map"));

    const ToolRun help = run("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("convert [--dos|--unix]"), std::string::npos);
    const ToolRun version = run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("quendry-wld ", 0), 0u);
}

TEST_F(QuendryWld, CheckReportsEachMessageWithFileAndLine) {
    write("good.wld", kSmallZone);
    const ToolRun good = run("check good.wld");
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_EQ(good.err, "");

    // A stray top-level line after the first room; its message holds a CR LF and the line's own LF.
    write("bad.wld", "#3001\nRoom one~\nDesc.\n~\n1 0 0\nS\njunk\n$\n");
    const ToolRun bad = run("check good.wld bad.wld");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.err,
              "bad.wld:7: Format error in world file near room 3001 .  Offending line: junk\n"
              "bad.wld:7: Will attempt to initialize and map partial world.\n");

    EXPECT_EQ(run("check bad.wld missing.wld").exitCode, 2);

    // The same room twice is refused only while the order is checked.
    write("twice.wld", "#10\nA~\n~\n1 0 0\nS\n#10\nB~\n~\n1 0 0\nS\n$\n");
    const ToolRun ordered = run("check twice.wld");
    EXPECT_EQ(ordered.exitCode, 1);
    EXPECT_NE(ordered.err.find("twice.wld:"), std::string::npos);
    EXPECT_NE(ordered.err.find("Cannot create room #10: Vnum is already in use"), std::string::npos);
    EXPECT_EQ(run("check --no-order-check twice.wld").exitCode, 0);
}

TEST_F(QuendryWld, LintPrintsTheLoadsMessagesThenEveryFinding) {
    write("small.wld", kSmallZone);
    const std::string smallFindings =
        "small.wld:7: room 3001 (line 1), exit north: door 1, no key, "
        "but the way back from 3002 (exit south) has no door, no key [door-mismatch]\n"
        "small.wld:17: room 3002: has no description [empty-text]\n"
        "small.wld:26: room 3005: no walk over exits from room 3001, the zone's first room, reaches it "
        "[unreachable-room]\n";
    const ToolRun small = run("lint small.wld");
    EXPECT_EQ(small.exitCode, 1);
    EXPECT_EQ(small.out, smallFindings);
    EXPECT_EQ(small.err, "");

    // The load's messages come first, in check's form; a file that cannot be read makes
    // the status 2 without hiding the others' findings.
    write("eof.wld", "#3001\nRoom one~\nDesc.\n~\n1 0 0\nD1\n~\n~\n0 -1 3009\nS\n");
    const ToolRun two = run("lint eof.wld missing.wld small.wld");
    EXPECT_EQ(two.exitCode, 2);
    EXPECT_EQ(two.out,
              "eof.wld:10: Unexpected EOF\n"
              "eof.wld:10: Will attempt to initialize and map partial world.\n"
              "eof.wld:6: room 3001 (line 1), exit east: leads to 3009, inside the zone's numbers "
              "3001-3100, but no room of the file has that number [dangling-exit]\n" +
                  smallFindings);
    EXPECT_NE(two.err.find("missing.wld"), std::string::npos);

    // Checks left out, and a zone range that sends the exit to another zone.
    const ToolRun ignored = run("lint --ignore empty-text,door-mismatch --ignore unreachable-room small.wld");
    EXPECT_EQ(ignored.exitCode, 0);  // every --ignore counts
    EXPECT_EQ(ignored.out, "");
    const ToolRun oneIgnored = run("lint --ignore door-mismatch small.wld");
    EXPECT_EQ(oneIgnored.exitCode, 1);
    EXPECT_EQ(oneIgnored.out, smallFindings.substr(smallFindings.find('\n') + 1));
    EXPECT_EQ(run("lint --zone-range 3000-3005 eof.wld").out.find("[dangling-exit]"), std::string::npos);

    // Repeated numbers are seen when the order is not checked.
    write("twice.wld", "#10\nA~\nA.~\n1 0 0\nS\n#10\nB~\nB.~\n1 0 0\nS\n$\n");
    EXPECT_EQ(run("lint --no-order-check twice.wld").out,
              "twice.wld:6: room 10: its number is already used by the room at line 1 [duplicate-number]\n");

    // The sample zone is clean.
    const ToolRun sample = run("lint '" QUENDRY_EXAMPLES "/sample.wld'");
    EXPECT_EQ(sample.exitCode, 0);
    EXPECT_EQ(sample.out + sample.err, "");
}

TEST_F(QuendryWld, LintJsonHoldsEveryMessageAndFindingOfEveryFile) {
    write("small.wld", kSmallZone);
    write("eof.wld", "#3001\nRoom one~\nDesc.\n~\n1 0 0\nS\n");
    const ToolRun r = run("lint --json small.wld eof.wld");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "");
    const std::string& doc = r.out;
    EXPECT_EQ(doc.rfind("{\n  \"findings\": [\n    {", 0), 0u) << doc;
    EXPECT_EQ(doc.substr(doc.size() - 7), "\n  ]\n}\n");
    EXPECT_NE(
        doc.find(R"({"check": "door-mismatch", "file": "small.wld", "line": 7, "roomLine": 1, "room": 3001, )"
                 R"("direction": "north", "message": "room 3001 (line 1), exit north: door 1, no key, )"),
        std::string::npos)
        << doc;
    EXPECT_NE(doc.find(R"({"check": "unreachable-room", "file": "small.wld", "line": 26, "roomLine": 26, )"
                       R"("room": 3005, "direction": null, )"),
              std::string::npos);
    EXPECT_NE(doc.find(R"({"check": "load", "file": "eof.wld", "line": 6, "roomLine": null, "room": null, )"
                       R"("direction": null, "message": "Unexpected EOF"})"),
              std::string::npos);
    size_t entries = 0;
    for (size_t at = doc.find("{\"check\""); at != std::string::npos; at = doc.find("{\"check\"", at + 1))
        ++entries;
    EXPECT_EQ(entries, 5u);  // three findings, two load messages

    write("clean.wld", "#3001\nRoom one~\nDesc.\n~\n1 0 0\nS\n$\n");
    const ToolRun clean = run("lint --json clean.wld");
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out, "{\n  \"findings\": []\n}\n");
}

TEST_F(QuendryWld, DumpShowsTheLoadedWorldAsJson) {
    write("small.wld", kSmallZone);
    const ToolRun r = run("dump small.wld");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");
    const std::string noExit = R"({"exitTo": 0, "description": "", "keywords": "", "doorFlag": 0, "key": -1})";
    const std::string expected =
        R"({"messages": [], "zoneNumber": 3, "zoneStart": 3001, "nextFreeVnum": 3006, "rooms": [)"
        R"({"vnum": 3001, "name": "The Dark Grove", )"
        "\"description\": \"Old trees lean over a narrow path.\\r\\nCaf\xC3\xA9 or caf\\udce9.\\r\\n\", "
        R"("zone": 3, "bitvector": 2056, "sectorType": 2, "exits": [)"
        R"({"exitTo": 3002, "description": "A path leads north.\r\n", "keywords": "gate", "doorFlag": 1, "key": -1}, )" +
        noExit + ", " + noExit + ", " + noExit + ", " + noExit + ", " + noExit +
        R"(], "extraDescs": [{"keywords": "trees", "description": "They are \"very\" old.\r\n"}], "map": [50, 50, 5]}, )"
        R"({"vnum": 3002, "name": "North End", "description": "", "zone": 3, "bitvector": 0, "sectorType": 1, "exits": [)" +
        noExit + ", " + noExit + R"(, {"exitTo": 3001, "description": "", "keywords": "", "doorFlag": 0, "key": -1}, )" +
        noExit + ", " + noExit + ", " + noExit +
        R"(], "extraDescs": [], "map": [50, 49, 5]}, )"
        R"({"vnum": 3005, "name": "Lonely", "description": "Quiet.\r\n", "zone": 3, "bitvector": 67108864, )"
        R"("sectorType": 0, "exits": [)" +
        noExit + ", " + noExit + ", " + noExit + ", " + noExit + ", " + noExit + ", " + noExit +
        R"(], "extraDescs": [], "map": [-1, -1, -1]}], "placementList": [3005]})"
        "\n";
    EXPECT_EQ(r.out, expected);

    // Messages go into the document in the order shown; rooms in file order without the check.
    write("twice.wld", "#20\nB~\n~\n1 0 0\nS\n#10\nA~\n~\n1 0 0\nS\n#10\nC~\n~\n1 0 0\nS\n$\n");
    const ToolRun unordered = run("dump --no-order-check twice.wld");
    EXPECT_EQ(unordered.exitCode, 0);
    EXPECT_NE(unordered.out.find(R"({"messages": [], "zoneNumber": 1, "zoneStart": 10, "nextFreeVnum": 11,)"),
              std::string::npos);
    EXPECT_LT(unordered.out.find(R"("vnum": 20)"), unordered.out.find(R"("vnum": 10)"));
    const ToolRun ordered = run("dump twice.wld");
    EXPECT_EQ(ordered.out.rfind(R"({"messages": ["Cannot create room #10: Vnum is already in use", )"
                                R"("Will attempt to initialize and map partial world."], )",
                                0),
              0u);
}

TEST_F(QuendryWld, ConvertRoundTripsInEveryForm) {
    ASSERT_EQ(run("generate --rooms 300 --seed 3 --zone 12").exitCode, 0);
    fs::rename(dir_ / "stdout.txt", dir_ / "gen.wld");
    EXPECT_EQ(run("check gen.wld").exitCode, 0);

    // Letters and UNIX by default; converting the result again changes nothing.
    ASSERT_EQ(run("convert gen.wld a.wld").exitCode, 0);
    ASSERT_EQ(run("convert a.wld b.wld").exitCode, 0);
    const std::string a = readBytes(dir_ / "a.wld");
    EXPECT_EQ(a, readBytes(dir_ / "b.wld"));
    EXPECT_EQ(readBytes(dir_ / "a.map"), readBytes(dir_ / "b.map"));
    EXPECT_EQ(a.find('\r'), std::string::npos);
    EXPECT_EQ(a.substr(a.size() - 4), "S\n$\n");
    EXPECT_FALSE(readBytes(dir_ / "a.map").empty());

    // DOS and numbers: every line ends CR LF, no flag line has letters; read back, the
    // world is the same, so converting it to the defaults gives a.wld again.
    ASSERT_EQ(run("convert --dos --numbers a.wld c.wld").exitCode, 0);
    const std::string c = readBytes(dir_ / "c.wld");
    EXPECT_NE(c, a);
    size_t lines = 0;
    for (size_t i = c.find('\n'); i != std::string::npos; i = c.find('\n', i + 1), ++lines)
        ASSERT_EQ(c[i - 1], '\r') << "line " << lines;
    EXPECT_EQ(lines, static_cast<size_t>(std::count(a.begin(), a.end(), '\n')));
    EXPECT_EQ(c.find("12 a"), std::string::npos);
    ASSERT_EQ(run("convert --unix --letters c.wld d.wld").exitCode, 0);
    EXPECT_EQ(readBytes(dir_ / "d.wld"), a);
    // The last of two opposite choices counts.
    ASSERT_EQ(run("convert --dos --unix --numbers --letters a.wld e.wld").exitCode, 0);
    EXPECT_EQ(readBytes(dir_ / "e.wld"), a);

    ASSERT_EQ(run("convert --no-map a.wld f.wld").exitCode, 0);
    EXPECT_TRUE(fs::exists(dir_ / "f.wld"));
    EXPECT_FALSE(fs::exists(dir_ / "f.map"));
}

TEST_F(QuendryWld, ConvertRefusesAWorldWhoseLoadShowedMessagesUnlessForced) {
    write("bad.wld", "#3001\nRoom one~\nDesc.\n~\n1 0 0\nS\njunk\n$\n");
    const ToolRun refused = run("convert bad.wld out.wld");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("bad.wld:7: Format error in world file near room 3001"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ / "out.wld"));
    EXPECT_FALSE(fs::exists(dir_ / "out.map"));

    const ToolRun forced = run("convert --force bad.wld out.wld");
    EXPECT_EQ(forced.exitCode, 0);
    EXPECT_EQ(readBytes(dir_ / "out.wld"), "#3001\nRoom one~\nDesc.\n~\n1 0 0\nS\n$\n");
    EXPECT_EQ(readBytes(dir_ / "out.map"), "3001 50 50 5\r\n");

    // A failed write says so and leaves no world file behind.
    write("good.wld", kSmallZone);
    const ToolRun unwritable = run("convert good.wld no-such-dir/out.wld");
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("no-such-dir/out.wld: "), std::string::npos);
}

}  // namespace
