#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "defs/definition_files.h"
#include "defs/definition_slots.h"
#include "scripted_prompts.h"
#include "uibase/settings_copies.h"
#include "world/file_replace.h"

namespace fs = std::filesystem;

TEST(FlagValueButtons, ClicksRunThroughTheThirtyOneBitsAndTheFreeSlot) {
    struct Step {
        int32_t from, left, right;
    };
    const Step steps[] = {
        {0, 1, 1073741824},          // free
        {-1, 1, 1073741824},         // free as read from a file
        {1, 2, 0},                   // bit 0: a right click frees the slot
        {1024, 2048, 512},
        {536870912, 1073741824, 268435456},
        {1073741824, 0, 536870912},  // bit 30: a left click frees the slot
    };
    for (const Step& s : steps) {
        EXPECT_EQ(increasedFlagValue(s.from), s.left) << s.from;
        EXPECT_EQ(decreasedFlagValue(s.from), s.right) << s.from;
    }
    // Left clicks from a free slot visit every bit once and come back to free.
    int32_t value = 0;
    for (int bit = 0; bit <= 30; ++bit) {
        value = increasedFlagValue(value);
        ASSERT_EQ(value, int32_t{1} << bit);
    }
    EXPECT_EQ(increasedFlagValue(value), 0);
}

TEST(FlagValueButtons, CaptionPadsTheValueToElevenCharactersBeforeTheLetter) {
    const std::pair<int32_t, std::string> cases[] = {
        {1, "1          a"},
        {16, "16         e"},
        {67108864, "67108864   A"},
        {1073741824, "1073741824 E"},
        {0, "-           "},
        {-1, "-           "},
    };
    for (const auto& [value, caption] : cases) EXPECT_EQ(flagValueCaption(value), caption) << value;
}

TEST(DefinitionSlots, UseClosesTheGapsAndSaveNamesTheNamelessInPlace) {
    BitvectorTable table;
    setBuiltinBitvectors(table);
    DefinitionSlots flags = slotsOf(table);
    ASSERT_EQ(flags.size(), 32u);
    std::swap(flags[3], flags[20]);  // NOMOB moved to the right column
    flags[5] = {"", 8, "no name"};   // a second flag with bit 3, nameless
    flags[31] = {"TOP", 1073741824, ""};

    BitvectorTable used;
    used.names[40] = "stale";
    EXPECT_EQ(useSlots(flags, used), 12);
    const std::pair<std::string, char> expected[] = {{"DARK", 'a'},    {"DEATH", 'b'},    {"INDOORS", 'd'},
                                                     {"", 'd'},        {"SOUNDPROOF", 'f'}, {"NOTRACK", 'g'},
                                                     {"NOMAGIC", 'h'}, {"TUNNEL", 'i'},   {"PRIVATE", 'j'},
                                                     {"GODROOM", 'k'}, {"NOMOB", 'c'},    {"TOP", 'E'}};
    for (int entry = 1; entry <= 12; ++entry) {
        EXPECT_EQ(used.names[entry], expected[entry - 1].first) << entry;
        EXPECT_EQ(used.letters[entry], expected[entry - 1].second) << entry;
    }
    EXPECT_EQ(used.values[11], 4);
    EXPECT_EQ(used.descriptions[11], "MOBs (monsters) cannot enter room.");
    EXPECT_EQ(used.names[40], "");
    EXPECT_EQ(used.letters[13], '-');

    const std::string text = slotsFileText<BitvectorTable>(flags);
    EXPECT_EQ(flags[5].name, "?");
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) all.push_back(line);
    ASSERT_EQ(all.size(), 12u);
    EXPECT_EQ(all[0], "1 a DARK Room is dark.\r");
    EXPECT_EQ(all[3], "8 d ? no name\r");
    EXPECT_EQ(all[10], "4 c NOMOB MOBs (monsters) cannot enter room.\r");
    EXPECT_EQ(all[11], "1073741824 E TOP \r");

    // Every slot free: nothing in use, an empty file.
    DefinitionSlots none(32);
    EXPECT_EQ(useSlots(none, used), 0);
    EXPECT_EQ(used.count, 0);
    EXPECT_EQ(slotsFileText<BitvectorTable>(none), "");
}

TEST(DefinitionSlots, SectorNumbersFromZeroUpAreInUseRepeatsIncluded) {
    SectorTable table;
    setBuiltinSectors(table);
    DefinitionSlots sectors = slotsOf(table);
    ASSERT_EQ(sectors.size(), 31u);
    EXPECT_EQ(sectors[11].value, -1);
    sectors[2].value = -3;             // freed
    sectors[11] = {"", 12, ""};        // a new one, nameless
    sectors[30] = {"AGAIN", 0, "x"};  // a repeated number

    SectorTable used;
    EXPECT_EQ(useSlots(sectors, used), 11);
    EXPECT_EQ(used.names[1], "INSIDE");
    EXPECT_EQ(used.names[2], "FIELD");
    EXPECT_EQ(used.values[10], 12);
    EXPECT_EQ(used.values[11], 0);
    EXPECT_EQ(used.values[12], -1);

    const std::string text = slotsFileText<SectorTable>(sectors);
    EXPECT_EQ(text.substr(0, text.find('\n') + 1),
              "0 INSIDE Indoors - typically a small number of move points needed.\r\n");
    EXPECT_EQ(text.find("CITY"), std::string::npos);
    EXPECT_NE(text.find("\r\n12 ? \r\n0 AGAIN x\r\n"), std::string::npos);
    EXPECT_EQ(sectors[11].name, "?");
}

namespace {
class SettingsCopiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("quendry_copies_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "settings.txt").string();
        copies.setAll("built-in");
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string fileBytes() const {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    const SettingsQuestions questions{"defaults?", "revert?", "save?", "replace?"};
    Copies<std::string> copies{[](std::string& working) {
        if (working.empty()) working = "?";
        return working + "\r\n";
    }};
    ScriptedPrompts prompts;
    fs::path dir;
    std::string path;
};
}  // namespace

TEST_F(SettingsCopiesTest, OnlyYesReplacesTheWorkingCopyAndRevertWaitsForAFile) {
    copies.working = "edited";
    prompts.answer(false);
    EXPECT_FALSE(askRestoreDefaults(copies, prompts, questions));
    EXPECT_EQ(copies.working, "edited");
    prompts.answer(true);
    EXPECT_TRUE(askRestoreDefaults(copies, prompts, questions));
    EXPECT_EQ(copies.working, "built-in");

    // No file read or written yet: nothing is asked (an unexpected question fails).
    copies.working = "edited";
    EXPECT_FALSE(askRevertToSaved(copies, prompts, questions));
    EXPECT_EQ(copies.working, "edited");
    EXPECT_EQ(prompts.questions, (std::vector<std::string>{"defaults?", "defaults?"}));

    copies.onOpen = "when opened";
    copies.restoreOnOpen();
    EXPECT_EQ(copies.working, "when opened");
}

TEST_F(SettingsCopiesTest, SaveAsksTwiceWritesThroughTheSafeWriterAndKeepsTheOldFileOnFailure) {
    copies.working = "";
    prompts.answer(false);  // "save?" No
    EXPECT_FALSE(askSave(copies, prompts, questions, path));
    EXPECT_FALSE(fs::exists(path));

    prompts.answer(true);  // no file yet: only "save?" is asked
    EXPECT_TRUE(askSave(copies, prompts, questions, path));
    EXPECT_EQ(fileBytes(), "?\r\n");
    EXPECT_EQ(copies.working, "?");
    EXPECT_EQ(copies.saved, "?");
    EXPECT_TRUE(copies.fileLoaded());

    copies.working = "second";
    prompts.answer(true);
    prompts.answer(false);  // "replace?" No
    EXPECT_FALSE(askSave(copies, prompts, questions, path));
    EXPECT_EQ(fileBytes(), "?\r\n");

    {
        ScopedFileWriteHook failing([](int, const char*, size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        });
        prompts.answer(true);
        prompts.answer(true);
        EXPECT_FALSE(askSave(copies, prompts, questions, path));
    }
    EXPECT_EQ(prompts.lastMessage(), path + ": " + std::strerror(ENOSPC));
    EXPECT_EQ(fileBytes(), "?\r\n");
    EXPECT_EQ(copies.saved, "?");

    prompts.answer(true);  // revert, now that a file was written
    EXPECT_TRUE(askRevertToSaved(copies, prompts, questions));
    EXPECT_EQ(copies.working, "?");
    EXPECT_EQ(prompts.questions,
              (std::vector<std::string>{"save?", "save?", "save?", "replace?", "save?", "replace?", "revert?"}));
}

TEST(DefinitionSlots, WhatSaveWritesReadsBackAsTheDialogShowsIt) {
    struct Case {
        DefinitionSlot typed;
        const char* line;  // as written
        DefinitionSlot shown;  // the slot afterwards, and what reading the line gives back
    };
    const std::string long25 = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    const std::string long90(90, 'd');
    // Limits count characters: a UTF-8 sequence is one, and so is a byte that is not part of one.
    auto times = [](int n, const std::string& character) {
        std::string text;
        for (int i = 0; i < n; ++i) text += character;
        return text;
    };
    const std::string umlaut = "\xC3\x84", euro = "\xE2\x82\xAC", smile = "\xF0\x9F\x98\x80";
    const std::string name20 = "a" + times(19, umlaut);
    const Case cases[] = {
        {{"BIG ROOM", 2, "Wide."}, "2 b BIG_ROOM Wide.\r\n", {"BIG_ROOM", 2, "Wide."}},
        {{"TAB\tBED", 4, ""}, "4 c TAB_BED \r\n", {"TAB_BED", 4, ""}},
        {{long25, 8, "x"}, "8 d ABCDEFGHIJKLMNOPQRST x\r\n", {long25.substr(0, 20), 8, "x"}},
        {{"", 16, "  padded"}, "16 e ? padded\r\n", {"?", 16, "padded"}},
        {{"LONG", 32, long90}, nullptr, {"LONG", 32, std::string(80, 'd')}},
        {{name20, 64, "x"}, nullptr, {name20, 64, "x"}},
        {{name20 + umlaut, 64, "x"}, nullptr, {name20, 64, "x"}},
        {{times(21, smile), 64, times(81, euro)}, nullptr, {times(20, smile), 64, times(80, euro)}},
        {{times(25, "\xFF"), 64, times(79, "d") + umlaut + umlaut}, nullptr,
         {times(20, "\xFF"), 64, times(79, "d") + umlaut}},
    };
    for (const Case& c : cases) {
        DefinitionSlots slots(32);
        slots[1] = c.typed;
        const std::string text = slotsFileText<BitvectorTable>(slots);
        if (c.line) {
            EXPECT_EQ(text, c.line) << c.typed.name;
        }
        EXPECT_EQ(slots[1], c.shown) << c.typed.name;
        std::istringstream in(text);
        ScriptedPrompts prompts;
        BitvectorTable read;
        readBitvectorDefinitions(in, read, prompts);
        ASSERT_EQ(read.count, 1) << c.typed.name;
        EXPECT_EQ(slotsOf(read)[1], c.shown) << c.typed.name;
        EXPECT_TRUE(prompts.messages.empty());
    }
    // A name longer than the reader keeps (not one Save writes) goes on in the description.
    std::istringstream longer("1 a " + times(25, umlaut) + " rest\r\n");
    ScriptedPrompts quiet;
    BitvectorTable read;
    readBitvectorDefinitions(longer, read, quiet);
    EXPECT_EQ(read.names[1], times(20, umlaut));
    EXPECT_EQ(read.descriptions[1], times(5, umlaut) + " rest");

    // Sector names follow the same rules.
    DefinitionSlots sectors = slotsOf(SectorTable{});
    sectors[1] = {"DEEP WATER", 7, " Wet."};
    EXPECT_EQ(slotsFileText<SectorTable>(sectors), "7 DEEP_WATER Wet.\r\n");
}
