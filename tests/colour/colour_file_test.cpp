#include "colour/colour_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "scripted_prompts.h"
#include "world/file_replace.h"

namespace fs = std::filesystem;

namespace {

ColourFileRead readText(const std::string& bytes) {
    std::istringstream in(bytes);
    return readColourText(in);
}

// Entries that have a code or a colour, as "f2 /cr 00FF00" lines, for readable failures.
std::vector<std::string> filledEntries(const ColourLists& lists) {
    std::vector<std::string> out;
    for (int i = 1; i <= kColourEntries; ++i) {
        if (!lists.fgCodes[i].empty() || lists.fgColours[i] != 0)
            out.push_back("f" + std::to_string(i) + " " + lists.fgCodes[i] + " " +
                          hexText(lists.fgColours[i]));
    }
    for (int i = 1; i <= kColourEntries; ++i) {
        if (!lists.bgCodes[i].empty() || lists.bgColours[i] != 0)
            out.push_back("b" + std::to_string(i) + " " + lists.bgCodes[i] + " " +
                          hexText(lists.bgColours[i]));
    }
    return out;
}

class ColourFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("quendry_colour_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    void writeColours(const std::string& bytes) {
        std::ofstream(dir / kColourFileName, std::ios::binary) << bytes;
    }
    std::string fileBytes() const {
        std::ifstream in(dir / kColourFileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir;
    ScriptedPrompts prompts;
};

}  // namespace

TEST(ColourHex, ParseHexTakesSixCharactersAndCountsOthersAsZero) {
    struct Case {
        const char* field;
        ColourValue value;
    };
    const Case cases[] = {
        {"", 0},
        {"0000FF", 0x0000FF},
        {"ff", 0x0000FF},  // fewer digits: the value of what is there
        {"FF0000", 0xFF0000},
        {"aBcDeF", 0xABCDEF},
        {"1234567", 0x123456},  // a seventh digit is not read
        {" 00FF00", 0x000FF0},  // a second blank after the number: five digits are read
        {"zz00FF", 0x0000FF},   // anything but a hex digit counts 0
        {"G0", 0x00},
        {"FFFFFFFF", 0xFFFFFF},
        {"12\xC3\x84" "345", 0x120345},  // a character of two bytes is one digit 0
        {"\xE2\x82\xAC\xFF" "1234", 0x001234},  // so is a byte that is not UTF-8
    };
    for (const Case& c : cases) EXPECT_EQ(parseHex(c.field), c.value) << '"' << c.field << '"';

    EXPECT_EQ(hexText(0x0000FF), "0000FF");
    EXPECT_EQ(hexText(0xABCDEF), "ABCDEF");
    EXPECT_EQ(hexText(0), "000000");
    for (ColourValue v : {0x000001u, 0x123456u, 0xFEDCBAu, 0xFFFFFFu}) EXPECT_EQ(parseHex(hexText(v)), v);
}

TEST(ColourHex, OutOfRangeEntriesDrawWithEntryOne) {
    ColourLists lists = ColourLists::builtIn();
    lists.bgColours[1] = 0x010203;
    EXPECT_EQ(lists.foreground(2), 0x0000FFu);
    EXPECT_EQ(lists.foreground(20), 0u);
    for (int entry : {0, -5, 21, 99, 188}) {
        EXPECT_EQ(lists.foreground(entry), 0xC0C0C0u) << entry;
        EXPECT_EQ(lists.background(entry), 0x010203u) << entry;
    }
}

TEST(ColourFileText, BuiltInSchemeWrites23RecordsIn46Lines) {
    const std::string text = colourFileText(ColourLists::builtIn());
    EXPECT_EQ(text.rfind("f1 C0C0C0\r\n/c0\r\nf2 0000FF\r\n/cr\r\n", 0), 0u);
    const std::string end = "b8 C0C0C0\r\n/bw\r\n";
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);

    std::vector<std::string> kinds;
    std::istringstream lines(text);
    std::string line;
    size_t count = 0;
    while (std::getline(lines, line)) {
        ++count;
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r');
        if (count % 2 == 1) kinds.push_back(line.substr(0, line.find(' ')));
    }
    EXPECT_EQ(count, 46u);
    const std::vector<std::string> expected = {"f1",  "f2",  "f3",  "f4",  "f5",  "f6",  "f7",  "f8",
                                               "f12", "f13", "f14", "f15", "f16", "f17", "f18", "b1",
                                               "b2",  "b3",  "b4",  "b5",  "b6",  "b7",  "b8"};
    EXPECT_EQ(kinds, expected);

    // And it reads back into the same lists.
    const ColourFileRead back = readText(text);
    EXPECT_EQ(back.error, "");
    EXPECT_EQ(back.lists, ColourLists::builtIn());
}

TEST(ColourFileText, RecordsReadAsDescribed) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> entries;  // filledEntries of what is read
        std::string error;
    };
    const std::vector<Case> cases = {
        {"one record, every other entry empty", "f2 00FF00\r\n/cr\r\n", {"f2 /cr 00FF00"}, ""},
        {"background record", "b5 800000\r\n/bb\r\n", {"b5 /bb 800000"}, ""},
        {"two blanks: the second is a digit 0", "f2  00FF00\r\n/cr\r\n", {"f2 /cr 000FF0"}, ""},
        {"trailing blanks of a code are kept", "f3 008000\r\n/cg  \r\n", {"f3 /cg   008000"}, ""},
        {"the field is read to the end of its line", "f4 12345678 rest\r\n/cy\r\n", {"f4 /cy 123456"}, ""},
        {"no final line end", "f2 00FF00\r\n/cr", {"f2 /cr 00FF00"}, ""},
        {"LF line ends", "f2 00FF00\n/cr\nb2 0000FF\n/br\n", {"f2 /cr 00FF00", "b2 /br 0000FF"}, ""},
        {"lone CR line ends", "f2 00FF00\r/cr\r", {"f2 /cr 00FF00"}, ""},
        {"number ends at the line end", "f7\r\n/cc\r\n", {"f7 /cc 000000"}, ""},
        {"a later record of an entry wins", "f2 0000FF\r\n/cr\r\nf2 00FF00\r\n/x\r\n", {"f2 /x 00FF00"}, ""},
        {"hexadecimal entry number", "f$A 112233\r\n/ten\r\n", {"f10 /ten 112233"}, ""},
        {"entries outside 1..20 are passed over",
         "f21 111111\r\n/a\r\nb0 222222\r\n/b\r\nf-1 333333\r\n/c\r\nf2 00FF00\r\n/cr\r\n",
         {"f2 /cr 00FF00"},
         ""},
        {"entry beyond 32 bits", "f99999999999 111111\r\n/a\r\n", {}, "Invalid numeric format"},
        {"blank line before a record",
         "f2 00FF00\r\n/cr\r\n\r\nf3 008000\r\n/cg\r\n",
         {"f2 /cr 00FF00"},
         "Invalid numeric format"},
        {"blank line at the end", "f2 00FF00\r\n/cr\r\n\r\n", {"f2 /cr 00FF00"}, ""},
        {"other kinds store nothing", "f2 00FF00\r\n/cr\r\nx7\r\n", {"f2 /cr 00FF00"}, ""},
        {"other kind followed by text", "x7 abc\r\n", {}, "Invalid numeric format"},
        {"kind without a number", "f", {}, ""},
        {"empty file", "", {}, ""},
    };
    for (const Case& c : cases) {
        const ColourFileRead read = readText(c.bytes);
        EXPECT_EQ(read.error, c.error) << c.name;
        EXPECT_EQ(filledEntries(read.lists), c.entries) << c.name;
    }
}

TEST_F(ColourFile, StartUpReadingKeepsBuiltInSchemeUnlessTheFileReadsCleanly) {
    ColourScheme scheme;
    scheme.working.fgCodes[3].clear();  // loading starts over
    loadColourFile(scheme, dir.string(), prompts);
    EXPECT_EQ(scheme.working, ColourLists::builtIn()) << "no file";
    EXPECT_EQ(scheme.saved, ColourLists::builtIn());
    EXPECT_FALSE(scheme.fileLoaded());
    EXPECT_TRUE(prompts.messages.empty());

    writeColours("f2 00FF00\r\n/cr\r\n");
    loadColourFile(scheme, dir.string(), prompts);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(scheme.fileLoaded());
    EXPECT_EQ(filledEntries(scheme.working), std::vector<std::string>{"f2 /cr 00FF00"});
    EXPECT_EQ(scheme.saved, scheme.working);
    EXPECT_EQ(scheme.defaults, ColourLists::builtIn());

    writeColours("\r\nf2 00FF00\r\n/cr\r\n");
    loadColourFile(scheme, dir.string(), prompts);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{(dir / kColourFileName).string() + ": Invalid numeric format"});
    EXPECT_EQ(scheme.working, ColourLists::builtIn()) << "a stopped read";
    EXPECT_EQ(scheme.saved, ColourLists::builtIn());
    EXPECT_FALSE(scheme.fileLoaded());

    prompts.clear();
    fs::remove(dir / kColourFileName);
    fs::create_directory(dir / kColourFileName);
    loadColourFile(scheme, dir.string(), prompts);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{(dir / kColourFileName).string() + ": " + std::strerror(EISDIR)});
    EXPECT_EQ(scheme.working, ColourLists::builtIn());
    EXPECT_FALSE(scheme.fileLoaded());
}

TEST_F(ColourFile, SaveWritesCurrentAndTheNextStartReadsIt) {
    ColourScheme scheme;
    EXPECT_FALSE(scheme.fileLoaded()) << "nothing saved yet";

    scheme.working.fgCodes[5].clear();
    scheme.working.fgColours[2] = 0x00FF00;
    scheme.working.bgCodes[12] = "/b!  ";
    scheme.working.bgColours[12] = 0x123456;
    ASSERT_TRUE(saveColourFile(scheme, dir.string(), prompts));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(scheme.fileLoaded());
    EXPECT_EQ(scheme.saved, scheme.working);
    EXPECT_EQ(fileBytes(), colourFileText(scheme.working));
    EXPECT_EQ(fileBytes().find("f5 "), std::string::npos);

    ColourScheme restarted;
    loadColourFile(restarted, dir.string(), prompts);
    EXPECT_TRUE(restarted.fileLoaded());
    EXPECT_EQ(restarted.working.fgCodes[5], "");
    EXPECT_EQ(restarted.working.fgColours[5], 0u);
    ColourLists expected = scheme.working;
    expected.fgColours[5] = 0;  // an entry without a code is not written
    EXPECT_EQ(filledEntries(restarted.working), filledEntries(expected));

    // Revert, cancel and restore move between the copies.
    restarted.keepOnOpen();
    restarted.working.fgCodes[1] = "/off";
    restarted.restoreOnOpen();
    EXPECT_EQ(restarted.working.fgCodes[1], "/c0");
    restarted.restoreDefaults();
    EXPECT_EQ(restarted.working, ColourLists::builtIn());
    restarted.restoreSaved();
    EXPECT_EQ(filledEntries(restarted.working), filledEntries(expected));
}

TEST_F(ColourFile, FailedSaveKeepsOldFileSavedCopyAndMark) {
    writeColours("f2 00FF00\r\n/cr\r\n");
    ColourScheme scheme;
    loadColourFile(scheme, dir.string(), prompts);
    const ColourLists savedBefore = scheme.saved;
    scheme.working = ColourLists::builtIn();
    {
        ScopedFileWriteHook hook([](int, const char*, size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        });
        EXPECT_FALSE(saveColourFile(scheme, dir.string(), prompts));
    }
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{(dir / kColourFileName).string() + ": " + std::strerror(ENOSPC)});
    EXPECT_EQ(scheme.saved, savedBefore);
    EXPECT_EQ(fileBytes(), "f2 00FF00\r\n/cr\r\n");

    // Without a file read before, a failed save leaves the mark off.
    fs::remove(dir / kColourFileName);
    ColourScheme fresh;
    {
        ScopedFileWriteHook hook([](int, const char*, size_t) -> ssize_t {
            errno = EIO;
            return -1;
        });
        EXPECT_FALSE(saveColourFile(fresh, dir.string(), prompts));
    }
    EXPECT_FALSE(fresh.fileLoaded());
    EXPECT_FALSE(fs::exists(dir / kColourFileName));
}
