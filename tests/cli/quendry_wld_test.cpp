// Runs the built quendry-wld binary as a user would and checks exit codes, output and files.
#include <gtest/gtest.h>
#include <QImage>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

    QImage picture(const std::string& name) const { return QImage(QString::fromStdString(path(name))); }

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
    // Flags l and A are not among the built-in definitions.
    const std::string doorMismatch =
        "small.wld:7: room 3001 (line 1), exit north: door 1, no key, "
        "but the way back from 3002 (exit south) has no door, no key [door-mismatch]\n";
    const std::string otherFindings =
        "small.wld:17: room 3002: has no description [empty-text]\n"
        "small.wld:26: room 3005: no walk over exits from room 3001, the zone's first room, reaches it "
        "[unreachable-room]\n"
        "small.wld:26: room 3005: the bitvector definitions in use name no flag A (67108864) [unknown-flag]\n";
    const std::string unknownL =
        "small.wld:1: room 3001: the bitvector definitions in use name no flag l (2048) [unknown-flag]\n";
    const std::string smallFindings = unknownL + doorMismatch + otherFindings;
    const ToolRun small = run("lint small.wld");
    EXPECT_EQ(small.exitCode, 1);
    EXPECT_EQ(small.out, smallFindings);
    EXPECT_EQ(small.err, "");

    // The load's messages come first, in check's form; a file that cannot be read makes
    // the status 2 without hiding the others' findings.
    write("eof.wld", "#3001\nRoom one~\nDesc.\n~\n1 0 0\nD1\n~\n~\n0 -1 3009\nS\n");
    const ToolRun two = run("lint eof.wld missing.wld small.wld");
    EXPECT_EQ(two.exitCode, 2);
    // Two files are one world: both hold room 3001.
    EXPECT_EQ(two.out,
              "eof.wld:10: Unexpected EOF\n"
              "eof.wld:10: Will attempt to initialize and map partial world.\n"
              "eof.wld:6: room 3001 (line 1), exit east: leads to 3009, which no room of the world has "
              "(it falls in the numbers 3001-3100 of eof.wld) [dangling-exit]\n"
              "small.wld:1: room 3001: its number is already used by the room at line 1 of eof.wld "
              "[duplicate-number]\n" +
                  unknownL + doorMismatch + "small.wld:17: room 3002: has no description [empty-text]\n"
                  "small.wld:21: room 3002 (line 17), exit south: leads to 3001 of eof.wld, which has no exit "
                  "north back [one-way-exit]\n" +
                  otherFindings.substr(otherFindings.find('\n') + 1));
    EXPECT_NE(two.err.find("missing.wld"), std::string::npos);

    // Checks left out, and a zone range that sends the exit to another zone.
    const ToolRun ignored = run("lint --ignore empty-text,door-mismatch --ignore unreachable-room,unknown-flag small.wld");
    EXPECT_EQ(ignored.exitCode, 0);  // every --ignore counts
    EXPECT_EQ(ignored.out, "");
    const ToolRun oneIgnored = run("lint --ignore door-mismatch small.wld");
    EXPECT_EQ(oneIgnored.exitCode, 1);
    EXPECT_EQ(oneIgnored.out, unknownL + otherFindings);
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

// A room of the test worlds: header, name, description, flag line of the zone, the exits
// ("D door key to"), "S". Each room is 5 + 4 * exits lines.
std::string worldRoom(int vnum, int zone, std::vector<std::string> exits = {}) {
    std::string text = "#" + std::to_string(vnum) + "\nRoom~\nA room.\n~\n" + std::to_string(zone) + " 0 0\n";
    for (const std::string& e : exits) text += "D" + e.substr(0, 1) + "\n~\n~\n" + e.substr(2) + "\n";
    return text + "S\n";
}

TEST_F(QuendryWld, LintAndCheckTakeAWorldDirectoryAndResolveExitsAcrossItsFiles) {
    fs::create_directories(dir_ / "world");
    write("world/a.wld", worldRoom(3000, 30, {"1 1 -1 3100", "0 0 -1 3001"}) +
                             worldRoom(3001, 30, {"2 0 -1 3000", "0 0 -1 3150", "4 0 -1 9999"}) +
                             worldRoom(3002, 30, {"4 0 -1 3200"}) + "$\n");
    write("world/b.wld", worldRoom(3100, 31, {"3 0 -1 3000"}) + worldRoom(3101, 31, {"0 0 -1 3100"}) + "$\n");
    write("world/c.wld", worldRoom(3200, 32, {"5 0 -1 3001"}) + worldRoom(3101, 32) + "$\n");
    write("world/index", "a.wld\nb.wld\nmissing.wld\n\nc.wld\na.wld\nindex\n$\nnever.wld\n");
    // Every cross-file case, one line each, in the files' order; the index's notes before
    // the file after them, or at the end.
    const std::vector<std::string> expected = {
        "world/a.wld:6: room 3000 (line 1), exit east: door 1, no key, but the way back from 3100 of "
        "world/b.wld (exit west) has no door, no key [door-mismatch]",
        "world/a.wld:24: room 3001 (line 15), exit north: leads to 3150, which no room of the world has "
        "(it falls in the numbers 3100-3199 of world/b.wld) [dangling-exit]",
        "world/a.wld:28: room 3001 (line 15), exit up: leads to 9999, which no room of the world has "
        "(it falls in no file's numbers) [dangling-exit]",
        "world/a.wld:33: room 3002: no walk over exits from room 3000, the zone's first room, reaches it "
        "[unreachable-room]",
        "world/a.wld:38: room 3002 (line 33), exit up: leads to 3200 of world/c.wld, whose exit down leads "
        "to 3001, not back here [one-way-exit]",
        "world/b.wld:11: room 3101: no walk over exits from room 3100, the zone's first room, reaches it "
        "[unreachable-room]",
        "world/b.wld:16: room 3101 (line 11), exit north: leads to 3100, which has no exit south back "
        "[one-way-exit]",
        "world/index:3: the index lists missing.wld, which is no file of world [missing-file]",
        "world/c.wld:1: room 3200: no walk over exits from room 3101, the zone's first room, reaches it "
        "[unreachable-room]",
        "world/c.wld:6: room 3200 (line 1), exit down: leads to 3001 of world/a.wld, whose exit up leads to "
        "9999, not back here [one-way-exit]",
        "world/c.wld:11: room 3101: its number is already used by the room at line 11 of world/b.wld "
        "[duplicate-number]",
        "world/index:6: the index lists a.wld, which is named before; it is read once",
        "world/index:7: the index lists itself; it is no world file and is not read",
    };
    std::string all;
    for (const std::string& line : expected) all += line + "\n";
    const ToolRun lint = run("lint world");
    EXPECT_EQ(lint.exitCode, 1);
    EXPECT_EQ(lint.out, all);
    EXPECT_EQ(lint.err, "");

    // The files named one by one are the same world; --world-reach walks it from one room.
    EXPECT_EQ(run("lint world/a.wld world/b.wld --ignore missing-file world/c.wld").out.substr(0, 200),
              all.substr(0, 200));
    const ToolRun reach = run("lint --world-reach 3000 --ignore door-mismatch,dangling-exit,one-way-exit,"
                              "duplicate-number,missing-file world");
    EXPECT_EQ(reach.out.substr(0, reach.out.find("world/index")),
              "world/a.wld:33: room 3002: no walk over exits from room 3000, the world's start room, reaches it "
              "[unreachable-room]\n"
              "world/b.wld:11: room 3101: no walk over exits from room 3000, the world's start room, reaches it "
              "[unreachable-room]\n"
              "world/c.wld:1: room 3200: no walk over exits from room 3000, the world's start room, reaches it "
              "[unreachable-room]\n"
              "world/c.wld:11: room 3101: no walk over exits from room 3000, the world's start room, reaches it "
              "[unreachable-room]\n");
    EXPECT_EQ(run("lint --world-reach 4000 world").exitCode, 2);

    // --json stays one document, the index's notes in it.
    const ToolRun json = run("lint --json world");
    EXPECT_EQ(json.out.rfind("{\n  \"findings\": [\n", 0), 0u);
    EXPECT_NE(json.out.find(R"({"check": "missing-file", "file": "world/index", "line": 3, )"), std::string::npos);
    EXPECT_NE(json.out.find(R"({"check": "load", "file": "world/index", "line": 7, )"), std::string::npos);

    // check loads each file and tells the index's notes; without an index every *.wld is read.
    const ToolRun check = run("check world");
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.err,
              "world/index:3: the index lists missing.wld, which is no file of world\n"
              "world/index:6: the index lists a.wld, which is named before; it is read once\n"
              "world/index:7: the index lists itself; it is no world file and is not read\n");
    fs::remove(dir_ / "world/index");
    write("world/notes.txt", "not a zone\n");
    EXPECT_EQ(run("check world").exitCode, 0);
    EXPECT_EQ(run("lint world").out, all.substr(0, all.find("world/index")) +
                                         all.substr(all.find("world/c.wld:1:"), all.find("world/index:6") -
                                                                                    all.find("world/c.wld:1:")));
    // A directory that cannot be read, and one without a world file.
    fs::create_directories(dir_ / "empty");
    EXPECT_EQ(run("lint empty").exitCode, 0);
    if (::geteuid() != 0) {  // permissions do not stop root
        fs::permissions(dir_ / "world", fs::perms::none);
        const ToolRun closed = run("lint world");
        EXPECT_EQ(closed.exitCode, 2);
        EXPECT_NE(closed.err.find("quendry-wld: world: "), std::string::npos) << closed.err;
        fs::permissions(dir_ / "world", fs::perms::owner_all);
    }
}

TEST_F(QuendryWld, TenThousandFindingsComeWholeAndFast) {
    std::string zone;
    for (int vnum = 1; vnum <= 10000; ++vnum) zone += worldRoom(vnum, 0);
    write("many.wld", zone + "$\n");
    const ToolRun text = run("lint many.wld");
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_EQ(std::count(text.out.begin(), text.out.end(), '\n'), 9999);  // every room but the first unreached
    const ToolRun json = run("lint --json many.wld");
    EXPECT_EQ(json.out.substr(json.out.size() - 7), "\n  ]\n}\n");
    size_t entries = 0;
    for (size_t at = json.out.find("{\"check\""); at != std::string::npos; at = json.out.find("{\"check\"", at + 1))
        ++entries;
    EXPECT_EQ(entries, 9999u);
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
    EXPECT_EQ(entries, 8u);  // six findings of the two files as one world, two load messages

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
        R"({"messages": [], "zoneNumber": 3, "zoneStart": 3001, "nextFreeVnum": 3006, "form": "classic", "rooms": [)"
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
    EXPECT_NE(unordered.out.find(R"({"messages": [], "zoneNumber": 1, "zoneStart": 10, "nextFreeVnum": 11, "form": "classic",)"),
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

// A zone of the newer form: flag words, a trigger attached twice, diagonal exits of which
// one leads to no room and one does not lead back.
const std::string kNewerZone =
    "#4200\nGate~\nA gate.\n~\n42 dl b 0 F 3\nD0\n~\ngate~\n0 -1 4201\nD6\n~\n~\n0 -1 4201\n"
    "D7\n~\n~\n0 -1 4250\nS\nT 4217\nT 4217\n"
    "#4201\nYard~\nA yard.\n~\n42 0 0 0 0 1\nD2\n~\n~\n0 -1 4200\nD8\n~\n~\n0 -1 4200\n"
    "D9\n~\n~\n0 -1 4200\nS\n$\n";

TEST_F(QuendryWld, TheNewerFormInEveryCommand) {
    write("newer.wld", kNewerZone);
    const ToolRun check = run("check newer.wld");
    EXPECT_EQ(check.exitCode, 0);
    EXPECT_EQ(check.err, "");

    const ToolRun dump = run("dump newer.wld");
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_NE(dump.out.find(R"("nextFreeVnum": 4202, "form": "newer", "rooms": [)"), std::string::npos);
    EXPECT_NE(dump.out.find(R"("sectorType": 3, "flagWords": [2056, 2, 0, -2147483648], "triggers": [4217, 4217], )"),
              std::string::npos);
    EXPECT_NE(dump.out.find(R"(], "diagonalExits": [{"exitTo": 4201, "description": "", "keywords": "", )"
                            R"("doorFlag": 0, "key": -1}, {"exitTo": 4250, )"),
              std::string::npos);

    // The diagonal exits are linted with their own reverse directions; a trigger twice is found.
    const ToolRun lint = run("lint newer.wld");
    EXPECT_EQ(lint.exitCode, 1);
    EXPECT_EQ(lint.out,
              "newer.wld:1: room 4200: the bitvector definitions in use name no flag l (2048) [unknown-flag]\n"
              "newer.wld:1: room 4200: trigger 4217 is attached 2 times [duplicate-trigger]\n"
              "newer.wld:14: room 4200 (line 1), exit northeast: leads to 4250, inside the zone's numbers "
              "4200-4299, but no room of the file has that number [dangling-exit]\n"
              "newer.wld:34: room 4201 (line 21), exit southwest: leads to 4200, whose exit northeast leads to "
              "4250, not back here [one-way-exit]\n");

    // convert keeps the form; the classic form is refused while it would lose anything.
    ASSERT_EQ(run("convert newer.wld same.wld").exitCode, 0);
    EXPECT_EQ(readBytes(dir_ / "same.wld"), kNewerZone);
    const ToolRun lossy = run("convert --classic newer.wld classic.wld");
    EXPECT_EQ(lossy.exitCode, 1);
    EXPECT_EQ(lossy.err,
              "quendry-wld: newer.wld: not converted: the classic form would lose the flag words 2-4 of 1 room, "
              "2 triggers of 1 room and 4 diagonal exits; --force converts anyway\n");
    EXPECT_FALSE(fs::exists(dir_ / "classic.wld"));
    ASSERT_EQ(run("convert --classic --force newer.wld classic.wld").exitCode, 0);
    const std::string classic = readBytes(dir_ / "classic.wld");
    EXPECT_NE(classic.find("\n42 dl 3\nD0\n"), std::string::npos);
    EXPECT_EQ(classic.find("D6"), std::string::npos);
    EXPECT_EQ(classic.find("\nT "), std::string::npos);
    ASSERT_EQ(run("convert --newer classic.wld back.wld").exitCode, 0);
    EXPECT_NE(readBytes(dir_ / "back.wld").find("\n42 dl 0 0 0 3\nD0\n"), std::string::npos);

    // A file that mixes the forms is read, with a warning at its first room of the other form.
    write("mixed.wld", "#1\nOne~\n~\n1 0 0\nS\n#2\nTwo~\n~\n1 0 b 0 0 0\nS\nT 7\n$\n");
    const ToolRun mixed = run("check mixed.wld");
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_EQ(mixed.err,
              "mixed.wld:6: warning: the file mixes the two forms of world files: its first room is in the "
              "classic form, room 2 in the newer form; the zone is written in the classic form\n");
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

// ---------------------------------------------------------------------------------
// render

namespace {

// Two rooms side by side on level 5 joined through a door, the east one with a stair up
// to a loft on level 6 whose way down has a door. The automatic layout puts room 100 at
// (50, 50, 5), room 101 at (51, 50, 5) and room 102 at (51, 50, 6).
const std::string kTwoLevels =
    "#100\nWest Room~\n~\n1 0 0\nD1\n~\noak door~\n1 -1 101\nS\n"
    "#101\nEast Room~\n~\n1 0 0\nD3\n~\noak door~\n1 -1 100\nD4\n~\n~\n0 -1 102\nS\n"
    "#102\nLoft~\n~\n1 0 0\nD5\n~\nhatch~\n2 -1 101\nS\n$\n";

using Rows = std::vector<std::string>;

// W white, S silver, G grey, K black, P purple.
char letterOf(QRgb pixel) {
    switch (pixel & 0xFFFFFF) {
        case 0xFFFFFF: return 'W';
        case 0xC0C0C0: return 'S';
        case 0x808080: return 'G';
        case 0x000000: return 'K';
        case 0x800080: return 'P';
        default: return '?';
    }
}

Rows lettersOf(const QImage& image) {
    Rows rows(image.height(), std::string(image.width(), ' '));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) rows[y][x] = letterOf(image.pixel(x, y));
    return rows;
}

// An empty board of cols x rows cells: white cells, silver lines between them.
Rows emptyBoard(int cols, int rows) {
    Rows board(rows * 17 - 1, std::string(cols * 17 - 1, 'W'));
    for (int y = 0; y < int(board.size()); ++y)
        for (int x = 0; x < int(board[y].size()); ++x)
            if (x % 17 == 16 || y % 17 == 16) board[y][x] = 'S';
    return board;
}

// A room tile with the given rows changed, put at the cell's column and row in the board.
void putTile(Rows& board, int col, int row, const std::vector<std::pair<int, std::string>>& changedRows) {
    Rows tile = {"WWWWWWWWWWWWWWWG"};
    for (int i = 1; i < 15; ++i) tile.push_back("WSSSSSSSSSSSSSSG");
    tile.push_back("WGGGGGGGGGGGGGGG");
    for (const auto& [y, text] : changedRows) tile[y] = text;
    for (int y = 0; y < 16; ++y) board[row * 17 + y].replace(col * 17, 16, tile[y]);
}

std::string joined(const Rows& rows) {
    std::string text;
    for (const auto& row : rows) text += row + "\n";
    return text;
}

}  // namespace

TEST_F(QuendryWld, RenderDrawsEachLevelCutToItsRooms) {
    write("zone.wld", kTwoLevels);

    // Level 5: columns 49 to 52 and rows 49 to 51 (the rooms and one cell round them).
    Rows level5 = emptyBoard(4, 3);
    putTile(level5, 1, 1,  // room 100: East notch with a purple door
            {{5, "WSSSSSSSSSSSGGGG"}, {6, "WSSSSSSSSSSSGPPP"}, {7, "WSSSSSSSSSSSGPPP"},
             {8, "WSSSSSSSSSSSGPPP"}, {9, "WSSSSSSSSSSSGPPP"}, {10, "WSSSSSSSSSSSWWWW"}});
    putTile(level5, 2, 1,  // room 101: West notch with a purple door, black arrow up
            {{5, "GGGGSSSKKSSSSSSG"}, {6, "PPPWSSKKKKSSSSSG"}, {7, "PPPWSKKKKKKSSSSG"},
             {8, "PPPWSSSSSSSSSSSG"}, {9, "PPPWSSSSSSSSSSSG"}, {10, "WWWWSSSSSSSSSSSG"}});
    // Level 6: the loft alone, columns 50 to 52, rows 49 to 51; purple arrow down.
    Rows level6 = emptyBoard(3, 3);
    putTile(level6, 1, 1, {{9, "WSSSSPPPPPPSSSSG"}, {10, "WSSSSSPPPPSSSSSG"}, {11, "WSSSSSSPPSSSSSSG"}});

    // By default the first room's level, beside the world file.
    const ToolRun first = run("render zone.wld");
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(first.out, "zone-level5.png\n");
    EXPECT_EQ(first.err, "");
    const QImage five = picture("zone-level5.png");
    ASSERT_FALSE(five.isNull());
    EXPECT_EQ(joined(lettersOf(five)), joined(level5));

    const ToolRun all = run("render --all-levels -o pics/out.png zone.wld");
    EXPECT_EQ(all.exitCode, 1);  // a failed write, as for convert
    EXPECT_EQ(all.err, "quendry-wld: pics/out-level5.png: No such file or directory\n"
                       "quendry-wld: pics/out-level6.png: No such file or directory\n");
    EXPECT_EQ(all.out, "");
    fs::create_directory(dir_ / "pics");
    const ToolRun both = run("render zone.wld --all-levels -o pics/out.png");
    EXPECT_EQ(both.exitCode, 0) << both.err;
    EXPECT_EQ(both.out, "pics/out-level5.png\npics/out-level6.png\n");
    EXPECT_EQ(joined(lettersOf(picture("pics/out-level5.png"))), joined(level5));
    EXPECT_EQ(joined(lettersOf(picture("pics/out-level6.png"))), joined(level6));

    // --scale: every pixel as an N x N block.
    EXPECT_EQ(run("render zone.wld --level 6 --scale 3 -o big.png").exitCode, 0);
    const QImage big = picture("big.png");
    ASSERT_EQ(big.size(), QSize(3 * 50, 3 * 50));
    const QImage six = picture("pics/out-level6.png");
    int differing = 0;
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) differing += big.pixel(x, y) != six.pixel(x / 3, y / 3);
    EXPECT_EQ(differing, 0);

    // --full: the whole board, the rooms at their own cells.
    EXPECT_EQ(run("render zone.wld --full -o full.png").exitCode, 0);
    const QImage full = picture("full.png");
    ASSERT_EQ(full.size(), QSize(100 * 17 - 1, 100 * 17 - 1));
    EXPECT_EQ(full.copy(48 * 17, 48 * 17, 4 * 17 - 1, 3 * 17 - 1), five);
    EXPECT_EQ(full.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(full.pixel(16, 0), qRgb(0xC0, 0xC0, 0xC0));

    // --zoom, --sectors, --long-exits: the window's options; at their defaults, today's picture.
    EXPECT_EQ(run("render zone.wld --level 6 --zoom 1 -o one.png").exitCode, 0);
    EXPECT_EQ(picture("one.png"), six);
    EXPECT_EQ(run("render zone.wld --level 6 --zoom 3 --sectors --long-exits -o zoomed.png").exitCode, 0);
    EXPECT_EQ(picture("zoomed.png").size(), QSize(3 * 51 - 3, 3 * 51 - 3));
}

TEST_F(QuendryWld, RenderRefusalsAndTheirExitCodes) {
    write("zone.wld", kTwoLevels);
    for (const char* args : {"render", "render zone.wld other.wld", "render zone.wld --level 10",
                             "render zone.wld --level -1", "render zone.wld --level five",
                             "render zone.wld --level 5 --all-levels", "render zone.wld --scale 0",
                             "render zone.wld --scale 17", "render zone.wld --scale", "render zone.wld -o",
                             "render zone.wld --sideways", "render missing.wld",
                             "render zone.wld --zoom 5", "render zone.wld --zoom 0"}) {
        const ToolRun r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_NE(r.err.find("quendry-wld: "), std::string::npos) << args;
    }
    EXPECT_FALSE(fs::exists(dir_ / "zone-level5.png"));

    // A level without rooms is drawn only as the full board.
    const ToolRun empty = run("render zone.wld --level 3");
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "quendry-wld: zone.wld: no room on level 3 (--full draws the empty board)\n");
    EXPECT_FALSE(fs::exists(dir_ / "zone-level3.png"));
    EXPECT_EQ(run("render zone.wld --level 3 --full").exitCode, 0);
    EXPECT_EQ(picture("zone-level3.png").size(), QSize(1699, 1699));

    // A load with messages still draws what was read, reports them and exits with 1.
    write("broken.wld", "#3001\nRoom one~\nDesc.\n~\n1 0 0\nS\njunk\n$\n");
    const ToolRun broken = run("render broken.wld -o broken.png");
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("broken.wld:7: Format error"), std::string::npos);
    EXPECT_EQ(broken.out, "broken.png\n");
    EXPECT_EQ(picture("broken.png").size(), QSize(3 * 17 - 1, 3 * 17 - 1));

    // Never over the world file or its map position file, refused before anything is read.
    write("zone.map", "keep");
    for (const char* args : {"render zone.wld -o zone.wld", "render zone.wld -o ./zone.map"}) {
        const ToolRun over = run(args);
        EXPECT_EQ(over.exitCode, 2) << args;
        EXPECT_NE(over.err.find("is the world file or its map position file"), std::string::npos) << args;
    }
    EXPECT_EQ(readBytes(dir_ / "zone.wld"), kTwoLevels);
    EXPECT_EQ(readBytes(dir_ / "zone.map"), "keep");
    fs::remove(dir_ / "zone.map");
    // Nor a picture of gigabytes.
    const ToolRun huge = run("render zone.wld --full --scale 5");
    EXPECT_EQ(huge.exitCode, 1);
    EXPECT_EQ(huge.err, "quendry-wld: zone.wld: level 5 would be 8495 x 8495 pixels, more than 8192 each way; use a smaller --scale\n");
    EXPECT_FALSE(fs::exists(dir_ / "zone-level5.png"));

    // A zone with no room on the map has no level to draw.
    write("nothing.wld", "$\n");
    const ToolRun nothing = run("render nothing.wld --all-levels");
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_NE(nothing.err.find("no room is on the map"), std::string::npos);
}
