// Saves that fail on disk: whatever goes wrong, the system's message comes back, the old
// world file, its map position file and every other file beside them are exactly as they
// were, and no temporary file is left.
//
// The tests run as root in CI, where permission bits do not stop a write; an unwritable
// directory is therefore made immutable (the file system's "i" attribute) when the file
// system allows it, and the test is skipped otherwise. The other faults need no
// privilege: a path under a file, targets that are directories, and writes that fail
// half-way through the file-write seam. On Windows, where neither stops a write into a
// directory, a world file held open by another program takes the unwritable directory's
// place.
#include <gtest/gtest.h>

#include <fcntl.h>
#ifdef __linux__
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif
#ifdef _WIN32
#include <io.h>
#include <share.h>
#endif
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "wldfile/world_save.h"
#include "wldfile/world_writer.h"
#include "world/file_replace.h"
#include "world/world_store.h"

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

// Every entry of a directory with its size and a hash of its bytes ("<dir>" for
// directories), short enough to read in a failure message.
std::map<std::string, std::string> snapshot(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.is_directory()) {
            files[entry.path().filename().string()] = "<dir>";
            continue;
        }
        const std::string bytes = contents(entry.path());
        files[entry.path().filename().string()] =
            std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<std::string>{}(bytes));
    }
    return files;
}

bool setImmutable([[maybe_unused]] const fs::path& dir, [[maybe_unused]] bool on) {
#ifndef __linux__
    return false;
#else
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
#endif
}

class SaveFaults : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quendry-save-faults-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        setImmutable(dir_, false);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        // A zone large enough that the world file is written in several chunks.
        for (int32_t v = 1; v <= 4000; ++v) {
            auto room = std::make_unique<RoomDataType>();
            room->vnum = v;
            room->name = "Room " + std::to_string(v);
            room->description = std::string(400, 'a' + v % 26) + "\r\n";
            room->mapX = 1 + v % 100, room->mapY = 1 + v / 100, room->mapZ = 0;
            store_.insertOrdered(WorldStore::makeNode(std::move(room)));
        }
        text_ = buildWorldText(store_, true);
        ASSERT_GT(text_.size(), size_t{1} << 20);
        world_ = (dir_ / "320.wld").string();
        ASSERT_EQ(replaceFile(world_, "old world\r\n$\r\n"), "");
        ASSERT_EQ(replaceFile((dir_ / "320.map").string(), "1 50 50 5\r\n"), "");
        ASSERT_EQ(replaceFile((dir_ / "rmbitvec.txt").string(), "1 a DARK Room is dark.\r\n"), "");
        before_ = snapshot(dir_);
    }
    void TearDown() override {
        setImmutable(dir_, false);
        fs::remove_all(dir_);
    }
    void expectUntouched(const char* what) { EXPECT_EQ(snapshot(dir_), before_) << what; }

    fs::path dir_;
    WorldStore store_;
    std::string text_;
    std::string world_;
    std::map<std::string, std::string> before_;
};

}  // namespace

TEST_F(SaveFaults, AWriteThatFailsHalfWayChangesNeitherFile) {
    // The world file fails in its second chunk (a full disk).
    {
        int calls = 0;
        ScopedFileWriteHook hook([&](int fd, const char* data, size_t size) -> ssize_t {
            if (++calls == 1) return ::write(fd, data, size);
            errno = ENOSPC;
            return -1;
        });
        EXPECT_EQ(saveWorld(world_, text_, false, true, store_), world_ + ": " + std::strerror(ENOSPC));
    }
    expectUntouched("world file failed half-way");

    // The world file is complete, the map file fails: the world file must not be replaced
    // either, or the zone would come back with the old layout's positions.
    {
        const size_t worldChunks = (text_.size() + (1 << 20) - 1) >> 20;
        size_t calls = 0;
        ScopedFileWriteHook hook([&](int fd, const char* data, size_t size) -> ssize_t {
            if (++calls <= worldChunks) return ::write(fd, data, size);
            if (size > 1) return ::write(fd, data, size / 2);  // a short write first
            errno = EIO;
            return -1;
        });
        EXPECT_EQ(saveWorld(world_, text_, true, true, store_), (dir_ / "320.map").string() + ": " + std::strerror(EIO));
        EXPECT_GT(calls, worldChunks + 1);
    }
    expectUntouched("map file failed half-way");

    // And without faults both files change.
    ASSERT_EQ(saveWorld(world_, text_, false, true, store_), "");
    EXPECT_EQ(contents(world_), text_);
    EXPECT_EQ(contents(dir_ / "320.map"), buildMapFileText(store_));
    EXPECT_EQ(snapshot(dir_).size(), before_.size()) << "no temporary file left";
}

TEST_F(SaveFaults, TargetsThatCannotBeReplacedChangeNothing) {
    // A world file under a path that is a file, not a directory.
    const std::string under = (dir_ / "rmbitvec.txt" / "320.wld").string();
    EXPECT_EQ(saveWorld(under, text_, false, true, store_), under + ": " + std::strerror(ENOTDIR));
    expectUntouched("path under a file");

    // A world file name that is a directory.
    fs::create_directory(dir_ / "321.wld");
    before_ = snapshot(dir_);
    const std::string dirWorld = (dir_ / "321.wld").string();
    EXPECT_EQ(saveWorld(dirWorld, text_, false, true, store_), dirWorld + ": " + std::strerror(EISDIR));
    expectUntouched("world file is a directory");

    // The map file's name is a directory: found before the world file is replaced.
    fs::remove(dir_ / "320.map");
    fs::create_directory(dir_ / "320.map");
    before_ = snapshot(dir_);
    EXPECT_EQ(saveWorld(world_, text_, false, true, store_), (dir_ / "320.map").string() + ": " + std::strerror(EISDIR));
    expectUntouched("map file is a directory");
}

TEST_F(SaveFaults, ADirectoryThatCannotBeWrittenChangesNothing) {
#ifdef _WIN32
    GTEST_SKIP() << "neither permission bits nor the immutable attribute stop writes into a Windows directory";
#else
    if (::geteuid() != 0) {
        // Anyone but the superuser is stopped by the permission bits.
        fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
        const std::string error = saveWorld(world_, text_, false, true, store_);
        fs::permissions(dir_, fs::perms::owner_all);
        EXPECT_EQ(error, world_ + ": " + std::strerror(EACCES));
    } else {
        if (!setImmutable(dir_, true)) GTEST_SKIP() << "the file system cannot make a directory immutable";
        const std::string error = saveWorld(world_, text_, false, true, store_);
        setImmutable(dir_, false);
        EXPECT_EQ(error, world_ + ": " + std::strerror(EPERM));
    }
    expectUntouched("directory that cannot be written");
#endif
}

TEST_F(SaveFaults, AMapFileThatCannotTakeItsPlaceLeavesTheOldWorldFile) {
    // The map file's name becomes a directory while the map file is being written (after
    // its staging checked the name), so its rename fails after the world file's rename
    // succeeded. The old world file comes back; a world file that did not exist goes again.
    for (const bool worldExisted : {true, false}) {
        SCOPED_TRACE(worldExisted ? "old world file" : "new world file");
        fs::remove_all(dir_ / "320.map");
        ASSERT_EQ(replaceFile((dir_ / "320.map").string(), "1 50 50 5\r\n"), "");
        if (!worldExisted) fs::remove(world_);
        std::map<std::string, std::string> expected = snapshot(dir_);
        expected["320.map"] = "<dir>";
        const size_t worldChunks = (text_.size() + (1 << 20) - 1) >> 20;
        size_t calls = 0;
        {
            ScopedFileWriteHook hook([&](int fd, const char* data, size_t size) -> ssize_t {
                if (++calls == worldChunks + 1) {
                    fs::remove(dir_ / "320.map");
                    fs::create_directory(dir_ / "320.map");
                }
                return ::write(fd, data, size);
            });
            EXPECT_EQ(saveWorld(world_, text_, false, true, store_),
                      (dir_ / "320.map").string() + ": " + std::strerror(EISDIR));
        }
        EXPECT_EQ(snapshot(dir_), expected);
        if (worldExisted) {
            EXPECT_EQ(contents(world_), "old world\r\n$\r\n");
        }
    }
}

#ifdef _WIN32
TEST_F(SaveFaults, AWorldFileHeldOpenByAnotherProgramChangesNothing) {
    // Another program (an editor, a virus scanner) holds the world file open without
    // sharing it: Windows refuses to replace it.
    int fd = -1;
    ASSERT_EQ(::_wsopen_s(&fd, (dir_ / "320.wld").c_str(), _O_RDONLY | _O_BINARY, _SH_DENYRW, 0), 0);
    const std::string error = saveWorld(world_, text_, false, true, store_);
    ::_close(fd);
    EXPECT_EQ(error, world_ + ": " + std::strerror(EACCES));
    expectUntouched("world file held open");
}
#endif
