// The lint checks over small zones written here, loaded the way the editor loads them
// (with their map position file when the zone has one).
#include "cli/zone_lint.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <span>
#include <sstream>
#include <tuple>

#include "cli/zone_generator.h"
#include "scripted_prompts.h"
#include "wldfile/world_reader.h"

namespace fs = std::filesystem;

namespace {

struct Exit {
    int direction;
    int32_t to;
    int door = 0;
    int32_t key = -1;
};

// A room of 5 + 4 * exits lines: header, name, description, flag line, then one
// four-line block per exit (its "D" line first), then "S".
std::string room(int32_t vnum, std::vector<Exit> exits = {}, const std::string& name = "Room",
                 const std::string& description = "A room.") {
    std::string text = "#" + std::to_string(vnum) + "\n" + name + "~\n" + description + "~\n42 0 0\n";
    for (const Exit& e : exits)
        text += "D" + std::to_string(e.direction) + "\n~\n~\n" + std::to_string(e.door) + " " +
                std::to_string(e.key) + " " + std::to_string(e.to) + "\n";
    return text + "S\n";
}

// What the tests compare: check, line, room, direction.
using Seen = std::tuple<LintCheck, int, int32_t, int>;

struct Linted {
    WorldStore store;
    MapModel map{store};
    RoomLineLog lines;
    RecordingPrompts prompts;
    MapSource source = MapSource::None;
    std::vector<LintFinding> findings;

    std::vector<Seen> seen() const {
        std::vector<Seen> out;
        for (const LintFinding& f : findings) out.emplace_back(f.check, f.line, f.room, f.direction);
        return out;
    }
};

class ZoneLint : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quendry-lint-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Writes the zone (and its map position file unless map is none), loads it and lints it.
    std::unique_ptr<Linted> lint(const std::string& zone, const char* map = nullptr, LintOptions options = {},
                                 bool checkOrder = true) {
        const fs::path world = dir_ / "zone.wld";
        std::ofstream(world, std::ios::binary) << zone;
        fs::remove(dir_ / "zone.map");
        if (map) std::ofstream(dir_ / "zone.map", std::ios::binary) << map;
        auto out = std::make_unique<Linted>();
        NoProgress progress;
        LoadRoad road{out->store, out->map, out->prompts, progress, checkOrder, {}};
        road.roomLines = &out->lines;
        readWorldFile(world.string(), road);
        out->source = road.mapSource;
        LintInput input{out->store, out->map.grid, out->lines, map != nullptr,
                        road.mapSource == MapSource::File, road.forms.endMarkerLine, road.forms.endMarkerNumber, "zone.wld"};
        out->findings = lintZone(input, options);
        return out;
    }

    fs::path dir_;
};

constexpr int N = North, E = East, S = South, W = West, U = Up, D = Down;
constexpr int kRoom = -1;  // a finding about the whole room
const LintCheck kDangling = LintCheck::DanglingExit, kOneWay = LintCheck::OneWayExit,
                kDoor = LintCheck::DoorMismatch, kKey = LintCheck::KeyWithoutDoor,
                kUnreachable = LintCheck::UnreachableRoom, kDuplicate = LintCheck::DuplicateNumber,
                kMap = LintCheck::MapDisagrees, kOffMap = LintCheck::OffMap, kEmpty = LintCheck::EmptyText;

struct Case {
    const char* what;
    std::string zone;
    const char* map;  // none: the zone has no map position file
    std::vector<Seen> expected;
};

TEST_F(ZoneLint, EachCheckFindsItsMistakeAndNothingInTheMendedZone) {
    // Line numbers: a room's header is followed by its name, description and flag line;
    // its first "D" line is header + 4, the next header + 8, and the room ends after 5 + 4 * exits lines.
    const std::vector<Case> cases = {
        {"dangling exit inside the zone's numbers",
         room(4200, {{E, 4205}}),
         nullptr,
         {{kDangling, 5, 4200, E}}},
        {"exit past the zone's hundred numbers leads to another zone", room(4200, {{E, 4300}}), nullptr, {}},
        {"exit below the zone's numbers leads to another zone", room(4200, {{E, 4199}}), nullptr, {}},

        {"one-way: no exit back", room(4200, {{N, 4201}}) + room(4201), nullptr, {{kOneWay, 5, 4200, N}}},
        {"one-way: the exit back leads elsewhere",
         room(4200, {{N, 4201}, {E, 4202}}) + room(4201, {{S, 4202}}) + room(4202, {{W, 4200}}),
         nullptr,
         {{kOneWay, 5, 4200, N}, {kOneWay, 18, 4201, S}}},
        {"two-way exit", room(4200, {{N, 4201}}) + room(4201, {{S, 4200}}), nullptr, {}},
        {"two-way exit up and down", room(4200, {{U, 4201}}) + room(4201, {{D, 4200}}), nullptr, {}},

        {"door on one side only, reported once",
         room(4200, {{N, 4201, 1}}) + room(4201, {{S, 4200, 0}}),
         nullptr,
         {{kDoor, 5, 4200, N}}},
        {"door kinds differ",
         room(4200, {{N, 4201, 1}}) + room(4201, {{S, 4200, 2}}),
         nullptr,
         {{kDoor, 5, 4200, N}}},
        {"keys differ",
         room(4200, {{N, 4201, 1, 10}}) + room(4201, {{S, 4200, 1, 11}}),
         nullptr,
         {{kDoor, 5, 4200, N}}},
        {"the second side comes first in the file",
         room(4201, {{S, 4200, 2, 7}}) + room(4200, {{N, 4201, 2, -1}}),
         nullptr,
         {{kDoor, 5, 4201, S}}},
        {"same door and key on both sides",
         room(4200, {{N, 4201, 2, 10}}) + room(4201, {{S, 4200, 2, 10}}),
         nullptr,
         {}},
        {"keys -1 and 0 both open nothing",
         room(4200, {{N, 4201, 1, -1}}) + room(4201, {{S, 4200, 1, 0}}),
         nullptr,
         {}},

        {"key without a door", room(4200, {{E, 5000, 0, 10}}), nullptr, {{kKey, 5, 4200, E}}},
        {"key with a door", room(4200, {{E, 5000, 1, 10}}), nullptr, {}},
        {"no key without a door", room(4200, {{E, 5000, 0, -1}, {W, 5001, 0, 0}}), nullptr, {}},

        {"room that no exit reaches", room(4200) + room(4201), nullptr, {{kUnreachable, 6, 4201, kRoom}}},
        {"room reached only through another room",
         room(4200, {{N, 4201}}) + room(4201, {{S, 4200}, {N, 4202}}) + room(4202, {{S, 4201}}),
         nullptr,
         {}},
        {"room with exits out that no exit reaches",
         room(4200, {{N, 4201}}) + room(4201, {{S, 4200}}) + room(4202, {{W, 5000}}),
         nullptr,
         {{kUnreachable, 19, 4202, kRoom}}},

        {"name missing", room(4200, {}, ""), nullptr, {{kEmpty, 1, 4200, kRoom}}},
        {"description missing", room(4200, {}, "Hall", ""), nullptr, {{kEmpty, 1, 4200, kRoom}}},
        {"name of blanks and an empty description",
         room(4200, {}, "  \t", "\n"),
         nullptr,
         {{kEmpty, 1, 4200, kRoom}, {kEmpty, 1, 4200, kRoom}}},
        {"name and description of one character", room(4200, {}, "x", "y"), nullptr, {}},

        // Map: 4200 at 50,50,5 with 4201 east of it (51,50,5).
        {"exit leads past the room the map puts next to it",
         room(4200, {{E, 4202}}) + room(4201) + room(4202, {{W, 4200}}),
         "4200 50 50 5\r\n4201 51 50 5\r\n4202 50 52 5\r\n",
         {{kMap, 5, 4200, E}, {kUnreachable, 10, 4201, kRoom}, {kMap, 19, 4202, W}}},
        {"two-way exit between placed rooms that are not neighbours",
         room(4200, {{E, 4201}}) + room(4201, {{W, 4200}}),
         "4200 50 50 5\r\n4201 53 50 5\r\n",
         {{kMap, 5, 4200, E}, {kMap, 14, 4201, W}}},
        {"up to a room on the level below",
         room(4200, {{U, 4201}}) + room(4201, {{D, 4200}}),
         "4200 50 50 5\r\n4201 50 50 4\r\n",
         {{kMap, 5, 4200, U}, {kMap, 14, 4201, D}}},
        {"map and exits agree, walls between neighbours without exits",
         room(4200, {{E, 4201}, {U, 4204}, {W, 5000}}) + room(4201, {{W, 4200}, {S, 4202}}) +
             room(4202, {{N, 4201}, {W, 4203}}) + room(4203, {{E, 4202}}) + room(4204, {{D, 4200}}),
         "4200 50 50 5\r\n4201 51 50 5\r\n4202 51 51 5\r\n4203 50 51 5\r\n4204 50 50 6\r\n",
         {}},
        {"without a map position file the layout is not judged",
         room(4200, {{E, 4201}}) + room(4201, {{W, 4200}}) + room(4202, {{E, 4200}}),
         nullptr,
         {{kUnreachable, 19, 4202, kRoom}, {kOneWay, 23, 4202, E}}},

        {"room the map position file leaves out",
         room(4200, {{E, 4201}}) + room(4201, {{W, 4200}}),
         "4200 50 50 5\r\n",
         {{kOffMap, 10, 4201, kRoom}}},
        {"map position file that places no room (the layout ran)",
         room(4200, {{E, 4201}}) + room(4201, {{W, 4200}}),
         "4200 0 0 0\r\n",
         {{kOffMap, 1, 4200, kRoom}, {kOffMap, 10, 4201, kRoom}}},
        {"two lines for one cell: the later room stays off the map",
         room(4200, {{E, 4201}}) + room(4201, {{W, 4200}}),
         "4200 50 50 5\r\n4201 50 50 5\r\n",
         {{kOffMap, 10, 4201, kRoom}}},
        {"every room placed",
         room(4200, {{E, 4201}}) + room(4201, {{W, 4200}}),
         "4200 50 50 5\r\n4201 51 50 5\r\n",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto linted = lint(c.zone + "$\n", c.map);
        EXPECT_TRUE(linted->prompts.messages.empty()) << linted->prompts.messages.front();
        EXPECT_EQ(linted->seen(), c.expected);
    }
}

TEST_F(ZoneLint, EachLimitOfTheServerIsFound) {
    const auto with = [](auto change) {
        LintOptions options;
        change(options);
        return options;
    };
    const LintOptions defaults;
    struct Row {
        const char* what;
        std::string zone;
        LintOptions options;
        bool checkOrder;
        std::vector<Seen> expected;
    };
    // 80 lines of 100 bytes and one of 31: 8,193 bytes with the CR LF of each line (the
    // server, as the reader, ends the last one with CR LF too).
    std::string bigText;
    for (int i = 0; i < 80; ++i) bigText += std::string(100, 'x') + "\n";
    bigText += std::string(31, 'x');
    const std::string longLine = std::string(511, 'y') + "\nshort";
    const std::vector<Row> rows = {
        {"order: a room below the one before it, read in file order",
         room(4201, {{S, 4200}}) + room(4200, {{N, 4201}}), defaults, false, {{LintCheck::Order, 10, 4200, kRoom}}},
        {"end-marker: the header that stops the read", room(4200) + "#99999\nLost~\n~\n42 0 0\nS\n" + room(4201),
         with([](LintOptions& o) { o.enabled[static_cast<size_t>(LintCheck::UnreachableRoom)] = false; }), true,
         {{LintCheck::EndMarker, 6, 99999, kRoom}}},
        {"exit-to-zero", room(4200, {{N, 0}, {E, 4200}, {W, 4200}}), defaults, true,
         {{LintCheck::ExitToZero, 5, 4200, N}}},
        {"long-text: one byte over the limit", room(4200, {}, "Hall", bigText), defaults, true,
         {{LintCheck::LongText, 1, 4200, kRoom}}},
        {"long-text: the limit is a setting",
         room(4200, {{N, 4200, 0, -1}, {S, 4200}}, "A long name"),
         with([](LintOptions& o) { o.maxText = 10; }), true, {{LintCheck::LongText, 1, 4200, kRoom}}},
        {"long-text: exactly the limit", room(4200, {}, "Hall", bigText.substr(0, bigText.size() - 1)), defaults, true, {}},
        {"long-line: a line of 511 bytes, and 510 is fine",
         room(4200, {}, "Hall", longLine) + room(4201, {}, std::string(510, 'z')), defaults, true,
         {{LintCheck::LongLine, 1, 4200, kRoom}, {kUnreachable, 7, 4201, kRoom}}},
        {"room-number-range: above a top of 32767", room(32767, {{N, 32768}}) + room(32768, {{S, 32767}}),
         with([](LintOptions& o) { o.maxRoom = 32767; }), true, {{LintCheck::RoomNumberRange, 10, 32768, kRoom}}},
        {"unknown-flag: bit l and sector 12 have no built-in name",
         "#4200\nHall~\nA hall.\n~\n42 kl 12\nS\n#4201\nYard~\nA yard.\n~\n42 ak 9\nD0\n~\n~\n0 -1 4200\nS\n",
         with([](LintOptions& o) { o.enabled[static_cast<size_t>(LintCheck::UnreachableRoom)] = false; }), true,
         {{LintCheck::UnknownFlag, 1, 4200, kRoom}, {LintCheck::UnknownFlag, 1, 4200, kRoom},
          {kOneWay, 12, 4201, N}}},
        {"unknown-flag: the definitions in use name them",
         "#4200\nHall~\nA hall.\n~\n42 kl 12\nS\n",
         with([](LintOptions& o) { o.flagNames = {0xFFFu, {12}}; }), true, {}},
        {"trailing-blank", "#4200 \t\nHall~\nA hall.\n~\n42 0 0\nS\n", defaults, true,
         {{LintCheck::TrailingBlank, 1, 4200, kRoom}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const auto linted = lint(row.zone + "$\n", nullptr, row.options, row.checkOrder);
        EXPECT_TRUE(linted->prompts.messages.empty());
        EXPECT_EQ(linted->seen(), row.expected);
    }
}

TEST_F(ZoneLint, RepeatedNumbersAreFoundWhenReadInFileOrder) {
    const std::string zone =
        room(4201, {{S, 4200}}) + room(4200, {{N, 4201}}) + room(4201, {{S, 4200}}) + "$\n";
    const auto linted = lint(zone, nullptr, {}, false);
    EXPECT_TRUE(linted->prompts.messages.empty());
    // The repeat is reached with the number: no unreachable finding for it.
    EXPECT_EQ(linted->seen(), (std::vector<Seen>{{LintCheck::Order, 10, 4200, kRoom}, {kDuplicate, 19, 4201, kRoom}}));
    EXPECT_NE(linted->findings[1].message.find("line 1"), std::string::npos) << linted->findings[1].message;

    // Out of order but each number once: only the order is found, and only when the load kept it.
    EXPECT_EQ(lint(room(4201, {{S, 4200}}) + room(4200, {{N, 4201}}) + "$\n", nullptr, {}, false)->seen(),
              (std::vector<Seen>{{LintCheck::Order, 10, 4200, kRoom}}));
    EXPECT_TRUE(lint(room(4201, {{S, 4200}}) + room(4200, {{N, 4201}}) + "$\n")->findings.empty());

    // With the order check the load refuses the repeat itself; lint adds nothing about it.
    const auto checked = lint(zone);
    EXPECT_EQ(checked->prompts.messages.size(), 2u);  // the refusal and the partial world
    EXPECT_TRUE(checked->findings.empty());
}

TEST_F(ZoneLint, ZoneRangeAndIgnoredChecks) {
    const std::string zone = room(4200, {{E, 4350}, {W, 4199, 0, 5}}, "") + "$\n";
    EXPECT_EQ(lint(zone)->seen(), (std::vector<Seen>{{kEmpty, 1, 4200, kRoom}, {kKey, 9, 4200, W}}));

    LintOptions wide;
    wide.zoneRange = std::pair{4100, 4399};
    EXPECT_EQ(
        lint(zone, nullptr, wide)->seen(),
        (std::vector<Seen>{
            {kEmpty, 1, 4200, kRoom}, {kDangling, 5, 4200, E}, {kDangling, 9, 4200, W}, {kKey, 9, 4200, W}}));

    LintOptions quiet = wide;
    quiet.enabled[static_cast<size_t>(LintCheck::EmptyText)] = false;
    quiet.enabled[static_cast<size_t>(LintCheck::DanglingExit)] = false;
    EXPECT_EQ(lint(zone, nullptr, quiet)->seen(), (std::vector<Seen>{{kKey, 9, 4200, W}}));

    for (int i = 0; i < kLintCheckCount; ++i)
        EXPECT_EQ(lintCheckByName(lintCheckName(static_cast<LintCheck>(i))), static_cast<LintCheck>(i));
    EXPECT_FALSE(lintCheckByName("one-way"));
    EXPECT_FALSE(lintCheckByName(""));
}

TEST_F(ZoneLint, FindingsPointAtTheLinesOfTheFileAsWritten) {
    // CR LF lines, a long description line read in pieces, an extra description between
    // the exit blocks, the south block before the north one, and a second east block
    // that replaces the first.
    const std::string longLine(1300, 'w');
    // clang-format off
    const std::string zone =
        "#4200\r\n"                      // 1
        "Hall~\r\n" +                    // 2
        longLine + "\r\n" +              // 3
        "~\r\n"                          // 4
        "42 0 0\r\n"                     // 5
        "D2\r\n~\r\n~\r\n0 -1 4205\r\n"  // 6..9
        "E\r\nsign~\r\nOld.\r\n~\r\n"    // 10..13
        "D0\r\n~\r\n~\r\n0 5 4206\r\n"   // 14..17
        "D1\r\n~\r\n~\r\n0 -1 4207\r\n"  // 18..21
        "D1\r\n~\r\n~\r\n0 -1 4208\r\n"  // 22..25
        "S\r\n"                          // 26
        "\r\n"                           // 27
        "#4201\r\n"                      // 28
        "~\r\n~\r\n42 0 0\r\nS\r\n$\r\n";
    // clang-format on
    const auto linted = lint(zone);
    ASSERT_TRUE(linted->prompts.messages.empty()) << linted->prompts.messages.front();
    EXPECT_EQ(linted->seen(), (std::vector<Seen>{{LintCheck::LongLine, 1, 4200, kRoom},
                                                 {kDangling, 6, 4200, S},
                                                 {kDangling, 14, 4200, N},
                                                 {kKey, 14, 4200, N},
                                                 {kDangling, 22, 4200, E},
                                                 {kEmpty, 28, 4201, kRoom},
                                                 {kEmpty, 28, 4201, kRoom},
                                                 {kUnreachable, 28, 4201, kRoom}}));
    for (const LintFinding& f : linted->findings) EXPECT_EQ(f.roomLine, f.room == 4200 ? 1 : 28);
    EXPECT_EQ(linted->findings[4].message.substr(0, 35), "room 4200 (line 1), exit east: lead");
}

TEST_F(ZoneLint, RoomsTheReaderDropsAgainLeaveNoLines) {
    // The second room's exit block is broken, so the reader deletes that room again;
    // the third is never read. The first room's exit into it is then dangling.
    const std::string zone =
        room(4200, {{N, 4201}}) + "#4201\nBroken~\n~\n42 0 0\nD9\n~\n~\n0 -1 4200\nS\n" + room(4202) + "$\n";
    const auto linted = lint(zone);
    EXPECT_FALSE(linted->prompts.messages.empty());
    ASSERT_EQ(linted->lines.size(), 1u);
    EXPECT_EQ(linted->lines[0].room, linted->store.first()->room.get());
    EXPECT_EQ(linted->seen(), (std::vector<Seen>{{kDangling, 5, 4200, N}}));

    // A number that is no integer ends the read at once, keeping the room being read: no placement.
    const auto stopped = lint(room(4200) + "#4201\nHalf~\n~\n42 99999999999 0\nS\n$\n", "4200 50 50 5\r\n");
    EXPECT_EQ(stopped->lines.size(), 2u);
    EXPECT_EQ(stopped->source, MapSource::None);
}

TEST_F(ZoneLint, TheZoneInMemoryGivesTheFileFindingsWithoutLinesAndRoomByRoom) {
    // Every kind of finding the memory shows, among rooms with neighbours on both sides.
    const std::string zone =
        room(4200, {{N, 4201, 1}, {E, 4205}, {W, 4300, 0, 7}}) + room(4201, {{S, 4200}, {E, 4202}}, "") +
        room(4202, {{N, 4299}, {W, 4201}}, "Well", "") + room(4203, {{S, 4202}}) +
        room(4204, {{U, 4201}, {D, 4204}}) + room(4210, {{W, 4201}}) + "$\n";
    const auto linted = lint(zone, "4200 50 50 5\r\n4201 50 49 5\r\n4202 52 49 5\r\n");
    ASSERT_TRUE(linted->prompts.messages.empty());
    const ZoneInMemory memory{linted->store, linted->map.grid, true, true};
    const std::vector<LintFinding> whole = lintZone(memory, {});
    // The file's findings, less their lines (and the room's own line in exit messages).
    ASSERT_EQ(whole.size(), linted->findings.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        const LintFinding& f = linted->findings[i];
        EXPECT_EQ(std::make_tuple(whole[i].check, whole[i].room, whole[i].direction, whole[i].line, whole[i].roomLine),
                  std::make_tuple(f.check, f.room, f.direction, 0, 0));
        std::string fileMessage = f.message;
        if (const size_t at = fileMessage.find(" (line "); at != std::string::npos)
            fileMessage.erase(at, fileMessage.find(')', at) + 1 - at);
        if (const size_t at = fileMessage.find("of the file"); at != std::string::npos)
            fileMessage.replace(at, 11, "of the zone");
        EXPECT_EQ(whole[i].message, fileMessage);
    }
    // Room by room, and all rooms at once, as the whole zone has them; reachability apart.
    const auto only = [&](std::span<const int32_t> rooms, bool reach) {
        std::vector<LintFinding> wanted;
        for (const LintFinding& f : whole)
            if ((f.check == LintCheck::UnreachableRoom) == reach &&
                std::find(rooms.begin(), rooms.end(), f.room) != rooms.end())
                wanted.push_back(f);
        std::stable_sort(wanted.begin(), wanted.end(),
                         [](const LintFinding& a, const LintFinding& b) { return a.room < b.room; });
        std::vector<std::pair<int32_t, std::string>> seen;
        for (const LintFinding& f : wanted) seen.emplace_back(f.room, f.message);
        return seen;
    };
    const auto messages = [](const std::vector<LintFinding>& findings) {
        std::vector<std::pair<int32_t, std::string>> seen;
        for (const LintFinding& f : findings) seen.emplace_back(f.room, f.message);
        return seen;
    };
    const std::vector<int32_t> all{4210, 4204, 4203, 4202, 4201, 4200, 4201, 9999};
    for (int32_t vnum : all) {
        SCOPED_TRACE(vnum);
        EXPECT_EQ(messages(lintRooms(memory, {}, std::span(&vnum, 1))), only(std::span(&vnum, 1), false));
    }
    EXPECT_EQ(messages(lintRooms(memory, {}, all)), only(all, false));
    EXPECT_EQ(messages(lintUnreachable(memory, {})), only(all, true));
    EXPECT_EQ(only(all, true).size(), 3u);  // 4203, 4204 and 4210

    // A repeated number (read in file order): both rooms are looked at through their number.
    const auto repeated = lint(room(4200, {{N, 4201}}) + room(4201, {{S, 4200}}) + room(4201) + "$\n", nullptr,
                               {}, false);
    const ZoneInMemory twice{repeated->store, repeated->map.grid, false, false};
    const int32_t number = 4201;
    EXPECT_EQ(messages(lintRooms(twice, {}, std::span(&number, 1))),
              (std::vector<std::pair<int32_t, std::string>>{
                  {4201, "room 4201: its number is already used by another room"}}));
}

TEST_F(ZoneLint, AWorldsFindingsComeFileByFileAndAnEmptyFileKeepsItsPlace) {
    // The first file's first header is the end marker: it holds no room but a finding.
    const auto empty = lint("#99999\nLost~\n~\n0 0 0\nS\n$\n");
    const auto rooms = lint(room(4200, {{N, 4201}}) + "$\n");
    std::vector<LintInput> world;
    world.push_back({empty->store, empty->map.grid, empty->lines, false, false, 1, 99999, "a.wld"});
    world.push_back({rooms->store, rooms->map.grid, rooms->lines, false, false, 0, 0, "b.wld"});
    const std::vector<LintFinding> findings = lintWorld(world, {});
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(std::make_tuple(findings[0].check, findings[0].file, findings[0].line),
              std::make_tuple(LintCheck::EndMarker, size_t{0}, 1));
    EXPECT_EQ(std::make_tuple(findings[1].check, findings[1].file), std::make_tuple(kDangling, size_t{1}));
    EXPECT_NE(findings[1].message.find("no room of the world has (it falls in the numbers 4200-4299 of b.wld)"),
              std::string::npos)
        << findings[1].message;
}

TEST(ZoneLintGenerated, GeneratedZonesAreClean) {
    // The generator links every room both ways with the same door on both sides.
    const auto path =
        fs::temp_directory_path() / ("quendry-lint-generated-" + std::to_string(::getpid()) + ".wld");
    for (int rooms : {1, 7, 250, 2000}) {
        SCOPED_TRACE(rooms);
        std::ofstream(path, std::ios::binary) << generateZone(rooms, 3, 42);
        WorldStore store;
        MapModel map(store);
        RoomLineLog lines;
        RecordingPrompts prompts;
        NoProgress progress;
        LoadRoad road{store, map, prompts, progress, true, {}};
        road.roomLines = &lines;
        readWorldFile(path.string(), road);
        ASSERT_EQ(lines.size(), static_cast<size_t>(rooms));
        LintOptions all;
        all.zoneRange = std::pair{0, 99998};  // every exit is looked up
        EXPECT_TRUE(lintZone({store, map.grid, lines, false, false, 0, 0, {}}, all).empty());
    }
    fs::remove(path);
}

}  // namespace
