#include "recovery/recovery_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "recovery/recovery_writer.h"
#include "world/file_replace.h"

namespace {

RecoveryHeader header() {
    RecoveryHeader h;
    h.pid = 4711;
    h.time = 1765289000;
    h.originalPath = "/home/b/mill\nzone.wld";  // a line break in a path cannot end the line
    h.zoneNumber = 42;
    h.zoneName = "The Mill";
    h.bitvectors = "built-in";
    h.sectors = "/home/b/rsectype.txt";
    return h;
}

const std::string kWorld = "#4200\nGate~\nA gate.\n~\n42 ad 1\nS\n$\n";
const std::string kMap = "4200 50 50 5\r\n";

TEST(RecoveryFile, ReadsBackWhatWasWrittenAndNamesWhatIsWrongWithDamagedFiles) {
    const std::string bytes = buildRecoveryFile(header(), kWorld, kMap);
    const RecoveryContents c = parseRecoveryFile(bytes);
    EXPECT_TRUE(c.clean()) << c.problems.front();
    EXPECT_TRUE(c.headerRead);
    EXPECT_EQ(c.header.pid, 4711);
    EXPECT_EQ(c.header.time, 1765289000);
    EXPECT_EQ(c.header.originalPath, "/home/b/mill zone.wld");
    EXPECT_EQ(c.header.zoneNumber, 42);
    EXPECT_EQ(c.header.zoneName, "The Mill");
    EXPECT_EQ(c.header.sectors, "/home/b/rsectype.txt");
    EXPECT_EQ(c.worldText, kWorld);
    EXPECT_EQ(c.mapText, kMap);

    const size_t worldStart = bytes.find("#4200");
    struct Case {
        const char* what;
        std::string bytes;
        const char* problem;
        bool headerRead;
        std::string world;
    };
    const Case cases[] = {
        {"empty", "", "not a recovery file", false, ""},
        {"another file", kWorld, "not a recovery file", false, ""},
        {"cut inside the world", bytes.substr(0, worldStart + 10), "ends inside its world section (10 of", true,
         kWorld.substr(0, 10)},
        {"cut before the map", bytes.substr(0, bytes.find("map ")), "ends before its map section", true, kWorld},
        {"no end line", bytes.substr(0, bytes.size() - 4), "end line is missing", true, kWorld},
        {"a bad time", std::string(bytes).replace(bytes.find("time 1"), 6, "time x"), "time is not a number", false,
         kWorld},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const RecoveryContents d = parseRecoveryFile(k.bytes);
        ASSERT_FALSE(d.clean());
        EXPECT_NE(d.problems.front().find(k.problem), std::string::npos) << d.problems.front();
        EXPECT_EQ(d.headerRead, k.headerRead);
        EXPECT_EQ(d.worldText, k.world);
    }
}

class RecoveryDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("quendry-recovery-" + std::to_string(currentProcessId()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string file(const std::string& name) const { return (dir / name).string(); }
    static std::string bytesOf(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::filesystem::path dir;
};

TEST_F(RecoveryDirectory, ListsNewestFirstWithUnreadableFilesByTheirOwnTime) {
    EXPECT_TRUE(listRecoveryFiles(dir.string()).empty());  // no directory yet
    std::filesystem::create_directories(dir);
    RecoveryHeader older = header(), newer = header();
    older.time = 1000;
    newer.time = 3000;
    std::ofstream(file("a.recovery"), std::ios::binary) << buildRecoveryFile(older, kWorld, kMap);
    std::ofstream(file("b.recovery"), std::ios::binary) << buildRecoveryFile(newer, kWorld, kMap);
    std::ofstream(file("c.recovery"), std::ios::binary) << "garbage";  // written now: newest of all
    std::ofstream(file("notes.txt"), std::ios::binary) << "not listed";
    const std::vector<RecoveryListing> list = listRecoveryFiles(dir.string());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(std::filesystem::path(list[0].path).filename(), "c.recovery");
    EXPECT_FALSE(list[0].contents.clean());
    EXPECT_EQ(std::filesystem::path(list[1].path).filename(), "b.recovery");
    EXPECT_EQ(std::filesystem::path(list[2].path).filename(), "a.recovery");
}

TEST_F(RecoveryDirectory, AFailedWriteKeepsThePreviousCopyAndRemoveDeletesIt) {
    std::vector<std::string> errors;
    const std::string path = file("sub/1-2.recovery");
    RecoveryWriter writer(path, [&](std::unique_ptr<RecoverySnapshot>, const std::string& error) {
        errors.push_back(error);
    });
    auto snapshot = [] {
        auto s = std::make_unique<RecoverySnapshot>();
        s->header = header();
        return s;
    };
    writer.write(snapshot());
    writer.wait();
    ASSERT_EQ(errors, std::vector<std::string>{""});  // the directory is made when missing
    const std::string first = bytesOf(path);
    EXPECT_TRUE(parseRecoveryFile(first).clean());
    {
        // A full disk half-way through the next copy.
        ScopedFileWriteHook full([](int, const char*, size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        });
        writer.write(snapshot());
        writer.wait();
    }
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[1].find("No space left on device"), std::string::npos) << errors[1];
    EXPECT_EQ(bytesOf(path), first);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "sub"), {}), 1);  // no temporary left

    writer.remove();
    writer.wait();
    EXPECT_FALSE(std::filesystem::exists(path));

    // A data directory that cannot be made (a file stands in its place) is an error too.
    std::ofstream(file("blocked"), std::ios::binary) << "x";
    RecoveryWriter blocked(file("blocked/recovery/1-2.recovery"),
                           [&](std::unique_ptr<RecoverySnapshot>, const std::string& error) { errors.push_back(error); });
    blocked.write(snapshot());
    blocked.wait();
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_FALSE(errors[2].empty());
}

TEST(RecoveryProcess, ThisProcessRunsAndNoneWithoutANumber) {
    EXPECT_TRUE(processRunning(currentProcessId()));
    EXPECT_FALSE(processRunning(0));
    EXPECT_FALSE(processRunning(-5));
    EXPECT_FALSE(processRunning(int64_t{1} << 40));
}

}  // namespace
