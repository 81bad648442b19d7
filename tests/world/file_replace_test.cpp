#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "wldfile/world_save.h"
#include "wldfile/world_writer.h"
#include "world/file_replace.h"
#include "world/world_store.h"

namespace fs = std::filesystem;

namespace {

// The superuser writes into any directory whatever its permission bits.
bool mayWriteAnywhere() {
#ifdef _WIN32
    return true;  // permission bits do not stop writes on Windows
#else
    return ::geteuid() == 0;
#endif
}

class FileReplace : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quendry-replace-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string contents(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream all;
        all << in.rdbuf();
        return all.str();
    }
    size_t entries() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }
    fs::path dir_;
};

}  // namespace

TEST_F(FileReplace, CreatesAndReplacesByteForByte) {
    const std::string p = path("30.wld");
    ASSERT_EQ(replaceFile(p, std::string("new\r\n\0\x1a" "end\n", 11)), "");
    EXPECT_EQ(contents(p), std::string("new\r\n\0\x1a" "end\n", 11));
    EXPECT_EQ(replaceFile(p, "second\n"), "") << "an existing file is replaced";
    EXPECT_EQ(contents(p), "second\n");
    EXPECT_EQ(replaceFile(p, ""), "");
    EXPECT_EQ(contents(p), "");
    EXPECT_EQ(entries(), 1u) << "no temporary file left";
}

TEST_F(FileReplace, KeepsPermissionsAndFollowsLinks) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no permission bits to keep, and making links needs a privilege there";
#endif
    const std::string p = path("30.wld");
    ASSERT_EQ(replaceFile(p, "new"), "");
    ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
    EXPECT_EQ(replaceFile(p, ""), "");
    EXPECT_EQ(contents(p), "");
    struct stat st;
    ASSERT_EQ(::stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // Saving through a link replaces the file it points at; the link stays a link.
    const std::string link = path("link.wld");
    fs::create_symlink(p, link);
    EXPECT_EQ(replaceFile(link, "via link"), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(contents(p), "via link");
    EXPECT_EQ(entries(), 2u) << "no temporary file left";
}

TEST_F(FileReplace, FailuresLeaveTheOldFileAndNoTemporaryFile) {
    const std::string p = path("30.wld");
    ASSERT_EQ(replaceFile(p, "the builder's only copy"), "");

    // A write that fails half-way (a full disk).
    size_t calls = 0;
    {
        ScopedFileWriteHook hook([&](int fd, const char* data, size_t size) -> ssize_t {
            if (++calls == 1) return ::write(fd, data, size / 2);
            errno = ENOSPC;
            return -1;
        });
        const std::string error = replaceFile(p, std::string(3 << 20, 'x'));
        EXPECT_EQ(error, p + ": " + std::strerror(ENOSPC));
    }
    EXPECT_EQ(calls, 2u);
    EXPECT_EQ(contents(p), "the builder's only copy");
    EXPECT_EQ(entries(), 1u);

    // Directories that do not exist or are not directories.
    EXPECT_EQ(replaceFile(path("missing/30.wld"), "x"), path("missing/30.wld") + ": " + std::strerror(ENOENT));
    EXPECT_EQ(replaceFile(p + "/31.wld", "x"), p + "/31.wld: " + std::strerror(ENOTDIR));
    EXPECT_EQ(contents(p), "the builder's only copy");

    // A directory the user may not write to (the superuser may write anywhere).
    if (!mayWriteAnywhere()) {
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(replaceFile(p, "x"), p + ": " + std::strerror(EACCES));
        fs::permissions(dir_, fs::perms::owner_all);
        EXPECT_EQ(contents(p), "the builder's only copy");
    }
    EXPECT_EQ(entries(), 1u);

    // A directory that takes the name between staging and renaming.
    const std::string late = path("31.wld");
    {
        StagedFile staged(late, "x");
        ASSERT_EQ(staged.error(), "");
        fs::create_directory(late);
        EXPECT_EQ(staged.commit(), late + ": " + std::strerror(EISDIR));
    }
    EXPECT_TRUE(fs::is_directory(late));
    EXPECT_EQ(entries(), 2u) << "the temporary file is gone";
}

TEST_F(FileReplace, SaveWorldWritesTheChosenFormAndTheMapFile) {
    WorldStore store;
    auto room = std::make_unique<RoomDataType>();
    room->vnum = 32001;
    room->description = "one\r\ntwo\r\nthree\r\n";
    room->mapX = 50, room->mapY = 49, room->mapZ = 5;
    store.insertOrdered(WorldStore::makeNode(std::move(room)));
    const std::string text = buildWorldText(store, true);

    const std::string wld = path("320.wld");
    ASSERT_EQ(saveWorld(wld, text, true, true, store), "");
    EXPECT_EQ(contents(wld), stripCarriageReturns(text));
    EXPECT_EQ(contents(wld).find('\r'), std::string::npos);
    EXPECT_EQ(contents(path("320.map")), "32001 50 49 5\r\n") << "CR LF whatever the world file's form";

    ASSERT_EQ(saveWorld(wld, text, false, false, store), "");
    EXPECT_EQ(contents(wld), text);
    EXPECT_EQ(contents(wld).find("one\r\ntwo\r\nthree\r\n~\r\n"), contents(wld).find("one"));

    // When the world file fails, the map file is not touched.
    fs::remove(path("320.map"));
    {
        ScopedFileWriteHook hook([](int, const char*, size_t) -> ssize_t {
            errno = EIO;
            return -1;
        });
        EXPECT_EQ(saveWorld(wld, "other", false, true, store), wld + ": " + std::strerror(EIO));
    }
    EXPECT_EQ(contents(wld), text);
    EXPECT_FALSE(fs::exists(path("320.map")));
}
