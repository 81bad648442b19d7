#include <gtest/gtest.h>

#include <filesystem>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "defs/definition_files.h"
#include "scripted_prompts.h"

namespace fs = std::filesystem;

namespace {
class DefinitionFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("quendry_defs_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    BitvectorTable readFlags(const std::string& bytes) {
        BitvectorTable table;
        loadBitvectorFile(write(kBitvectorFileName, bytes), table, prompts);
        return table;
    }
    SectorTable readSectors(const std::string& bytes) {
        SectorTable table;
        loadSectorFile(write(kSectorFileName, bytes), table, prompts);
        return table;
    }

    fs::path dir;
    RecordingPrompts prompts;
};

std::vector<std::string> messages(std::initializer_list<std::string> list) { return list; }
}  // namespace

TEST_F(DefinitionFiles, MissingFileLeavesTheTableAsItWas) {
    BitvectorTable flags;
    setBuiltinBitvectors(flags);
    loadBitvectorFile((dir / kBitvectorFileName).string(), flags, prompts);
    EXPECT_EQ(flags.count, 11);
    SectorTable sectors;
    setBuiltinSectors(sectors);
    loadSectorFile((dir / kSectorFileName).string(), sectors, prompts);
    EXPECT_EQ(sectors.count, 10);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(definitionFilePath(dir.string(), kSectorFileName), (dir / "rsectype.txt").string());
}

TEST_F(DefinitionFiles, FlagLinesWithTheirFieldsAndSeparators) {
    const BitvectorTable table = readFlags(
        "1 a DARK Room is dark.\r\n"
        "\r\n"
        "  2\t\tb  DEATH\t  Deadly   place  \r\n"
        "1073741824 E TOPBIT\n"               // LF-only line end, highest flag
        "8 z INDOORS\r"                       // lone CR ends a line; letter z loses to value 8
        "16 e ABCDEFGHIJKLMNOPQRSTUVWXY rest\r\n"  // 25-character name
        "32 f\r\n"                            // ends right after the letter
        "64 g NAME " + std::string(100, 'x') + "\r\n");
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(table.count, 7);
    EXPECT_EQ(table.names[1], "DARK");
    EXPECT_EQ(table.descriptions[1], "Room is dark.");
    EXPECT_EQ(table.names[2], "DEATH");
    EXPECT_EQ(table.descriptions[2], "Deadly   place  ");
    EXPECT_EQ(table.values[3], 1073741824);
    EXPECT_EQ(table.letters[3], 'E');
    EXPECT_EQ(table.values[4], 8);
    EXPECT_EQ(table.letters[4], 'd');
    EXPECT_TRUE(table.descriptions[4].empty());
    EXPECT_EQ(table.names[5], "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(table.descriptions[5], "UVWXY rest");
    EXPECT_EQ(table.names[6], "?");
    EXPECT_EQ(table.descriptions[7], std::string(80, 'x'));
    EXPECT_EQ(table.values[8], -1);
    EXPECT_EQ(table.letters[8], '-');
}

TEST_F(DefinitionFiles, RefusedFlagLinesAndTheirMessages) {
    const BitvectorTable table = readFlags(
        "3 c FOO rescued by its letter\r\n"
        "3 Z BAR dropped\r\n"
        "2147483648 E TOOBIG\r\n"
        "\r\n"
        "abc d NOTNUMBER\r\n"
        "4 5 6\r\n"                   // digits only after the value: silently no entry
        "0 - 7 e ZERO\r\n"            // the first letter after the value counts
        "-4 F NEG\r\n");
    EXPECT_EQ(prompts.messages,
              messages({"ERROR in bitvector definition, line 1: Number must be power of two, max 2^30.",
                        "ERROR in bitvector definition, line 2: Number must be power of two, max 2^30.",
                        kBitvectorLimitNote, "ERROR in bitvector definition, line 3: Invalid number.",
                        "ERROR in bitvector definition, line 5: Invalid number.",
                        "ERROR in bitvector definition, line 7: Number must be power of two, max 2^30.",
                        "ERROR in bitvector definition, line 8: Number must be power of two, max 2^30.",
                        kBitvectorLimitNote}));
    ASSERT_EQ(table.count, 2);
    EXPECT_EQ(table.names[1], "FOO");
    EXPECT_EQ(table.values[1], 4);
    EXPECT_EQ(table.letters[1], 'c');
    EXPECT_EQ(table.names[2], "ZERO");
    EXPECT_EQ(table.values[2], 16);
}

TEST_F(DefinitionFiles, EveryLineRejectedGivesAnEmptyTable) {
    BitvectorTable table = readFlags("x\r\n3 Q\r\n7\r\n");
    EXPECT_EQ(table.count, 0);
    EXPECT_EQ(prompts.messages.size(), 3u);
    prompts.messages.clear();
    table = readFlags("");
    EXPECT_EQ(table.count, 0);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DefinitionFiles, ReadingStopsAtThirtyOneFlagsAndAtCtrlZ) {
    std::string text;
    for (int n = 0; n < 31; ++n) text += std::to_string(1 << n) + " x F" + std::to_string(n) + "\r\n";
    text += "1 a EXTRA\r\nnot a number\r\n";
    BitvectorTable table = readFlags(text);
    EXPECT_EQ(table.count, 31);
    EXPECT_EQ(table.names[31], "F30");
    EXPECT_TRUE(prompts.messages.empty());

    table = readFlags("1 a DARK Room is\x1A dark.\r\n2 b DEATH\r\n");
    ASSERT_EQ(table.count, 1);
    EXPECT_EQ(table.descriptions[1], "Room is");
}

TEST_F(DefinitionFiles, SectorLines) {
    std::string text =
        "0 INSIDE\r\n"
        "7\r\n"                  // a number alone: no entry
        "-5   NEG  below zero\r\n"
        "x FIELD\r\n"
        "-5 AGAIN repeated numbers stand\r\n";
    for (int n = 0; n < 30; ++n) text += "9 S" + std::to_string(n) + "\r\n";
    const SectorTable table = readSectors(text);
    EXPECT_EQ(prompts.messages, messages({"ERROR in sector type definition, line 4: Invalid number."}));
    ASSERT_EQ(table.count, 30);  // what the sector banks can show; later lines are ignored
    EXPECT_EQ(table.names[1], "INSIDE");
    EXPECT_EQ(table.values[1], 0);
    EXPECT_TRUE(table.descriptions[1].empty());
    EXPECT_EQ(table.values[2], -5);
    EXPECT_EQ(table.descriptions[2], "below zero");
    EXPECT_EQ(table.values[3], -5);
    EXPECT_EQ(table.names[30], "S26");
    EXPECT_EQ(table.values[31], -1);
}

TEST_F(DefinitionFiles, WrittenTextReadsBackTheSameEntries) {
    BitvectorTable flags;
    setBuiltinBitvectors(flags);
    flags.names[3].clear();
    flags.values[5] = 0;  // a free slot between entries is left out
    const std::string flagText = definitionFileText(flags);
    EXPECT_EQ(flagText.substr(0, 24), "1 a DARK Room is dark.\r\n");
    EXPECT_NE(flagText.find("\r\n4 c ? MOBs"), std::string::npos);

    SectorTable sectors;
    setBuiltinSectors(sectors);
    sectors.values[4] = -3;
    const std::string sectorText = definitionFileText(sectors);
    EXPECT_EQ(sectorText.substr(0, sectorText.find("\r\n", 70) + 2),
              "0 INSIDE Indoors - typically a small number of move points needed.\r\n"
              "1 CITY The streets of a city.\r\n");
    EXPECT_EQ(sectorText.find("FOREST"), std::string::npos);

    const BitvectorTable flagsBack = readFlags(flagText);
    const SectorTable sectorsBack = readSectors(sectorText);
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(flagsBack.count, 10);
    EXPECT_EQ(flagsBack.names[3], "?");
    EXPECT_EQ(flagsBack.values[5], 32);
    EXPECT_EQ(flagsBack.descriptions[10], flags.descriptions[11]);
    ASSERT_EQ(sectorsBack.count, 9);
    EXPECT_EQ(sectorsBack.names[9], "FLYING");
    EXPECT_EQ(sectorsBack.descriptions[1], sectors.descriptions[1]);
}

TEST_F(DefinitionFiles, UnreadablePathIsReportedAndLeavesTheTable) {
    fs::create_directories(dir / kBitvectorFileName);
    BitvectorTable flags;
    setBuiltinBitvectors(flags);
    loadBitvectorFile((dir / kBitvectorFileName).string(), flags, prompts);
    EXPECT_EQ(flags.count, 11);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("Is a directory"), std::string::npos);
}

TEST_F(DefinitionFiles, HostileBytesNeverBreakTheReaders) {
    // One endless line, a huge number token, and random byte soup.
    BitvectorTable flags = readFlags(std::string(3'000'000, '7') + " a LONG\r\n1 a OK\r\n");
    EXPECT_EQ(flags.count, 1);
    EXPECT_EQ(prompts.messages, messages({"ERROR in bitvector definition, line 1: Invalid number."}));
    flags = readFlags("1 " + std::string(3'000'000, '#') + "a NAME desc\r\n");
    EXPECT_EQ(flags.names[1], "NAME");

    std::mt19937 rng(77);
    const char alphabet[] = "0123456789 \t\r\n-+$aZzE\x1A\xFF\x80";
    for (int round = 0; round < 300; ++round) {
        std::string bytes(rng() % 400, '\0');
        for (char& c : bytes) c = rng() % 3 ? alphabet[rng() % (sizeof alphabet - 1)] : static_cast<char>(rng());
        std::istringstream flagIn(bytes), sectorIn(bytes);
        BitvectorTable f;
        SectorTable s;
        readBitvectorDefinitions(flagIn, f, prompts);
        readSectorDefinitions(sectorIn, s, prompts);
        ASSERT_TRUE(f.count >= 0 && f.count <= 31);
        ASSERT_TRUE(s.count >= 0 && s.count <= 30);
        for (int slot = 1; slot <= f.count; ++slot) {
            ASSERT_NE(bitPosition(f.values[slot]), -1);
            ASSERT_LE(f.names[slot].size(), 20u);
            ASSERT_LE(f.descriptions[slot].size(), 80u);
        }
    }
}

namespace {
// A file buffer whose disk fails after the first bytes: like a file buffer meeting an
// input/output error, it sets errno and throws from underflow.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string head) : head_(std::move(head)) { setg(head_.data(), head_.data(), head_.data() + head_.size()); }

protected:
    int_type underflow() override {
        errno = EIO;
        throw std::ios_base::failure("read error");
    }

private:
    std::string head_;
};
}  // namespace

TEST_F(DefinitionFiles, ReadErrorIsReportedWithTheSystemTextAndLeavesTheTable) {
    for (const std::string& head : {std::string(), std::string("1 a DARK Dark.\r\n2 b"), std::string("4 c")}) {
        SCOPED_TRACE(head);
        prompts.clear();
        FailingBuffer flagBuffer(head), sectorBuffer(head);
        std::istream flagIn(&flagBuffer), sectorIn(&sectorBuffer);
        BitvectorTable flags;
        setBuiltinBitvectors(flags);
        SectorTable sectors;
        setBuiltinSectors(sectors);
        EXPECT_NO_THROW(loadBitvectorDefinitions(flagIn, "defs/rmbitvec.txt", flags, prompts));
        EXPECT_NO_THROW(loadSectorDefinitions(sectorIn, "defs/rsectype.txt", sectors, prompts));
        EXPECT_EQ(flags.count, 11);
        EXPECT_EQ(flags.names[1], "DARK");
        EXPECT_EQ(sectors.count, 10);
        EXPECT_EQ(prompts.messages, messages({"defs/rmbitvec.txt: " + std::string(std::strerror(EIO)),
                                              "defs/rsectype.txt: " + std::string(std::strerror(EIO))}));
    }
}
