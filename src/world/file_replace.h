#pragma once
// Replacing a file without ever leaving it half-written: the bytes go to a temporary
// file in the same directory, which is renamed over the old file only when it is
// complete and on disk. A failed save therefore leaves the old file as it was and
// leaves no temporary file behind.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

// Returns "" on success, otherwise the file's path, ": " and the system's error message.
// A symbolic link is followed: the file it points at is replaced, the link stays.
// A replaced file keeps its permission bits; a new one gets the usual ones (umask).
std::string replaceFile(const std::string& path, std::string_view bytes);

// The two halves of replaceFile, for saves of several files that should change together:
// every file is staged (written completely to its temporary file) before the first is
// committed (renamed over its target), so that a failed write changes none of them.
class StagedFile {
public:
    // Writes bytes to a temporary file beside path's target; error() tells how it went.
    StagedFile(const std::string& path, std::string_view bytes);
    // Removes the temporary file unless it was committed.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // "" when staged, otherwise the path, ": " and the system's error message.
    const std::string& error() const { return error_; }
    // Renames the temporary file over the target; "" or the error message.
    std::string commit();

private:
    std::string path_;
    std::string target_;
    std::string temporary_;  // empty once committed or removed
    std::string error_;
};

// Fault-injection seam for tests. replaceFile writes the temporary file in chunks
// through this function, which behaves like ::write (bytes written, or -1 with errno
// set). Setting a function makes every later replaceFile use it, so a test can make a
// write fail half-way through a save started anywhere (a window, saveWorld);
// an empty function restores ::write.
using FileWriteFunction = std::function<ssize_t(int fd, const char* data, size_t size)>;
void setFileWriteHook(FileWriteFunction write);

// Sets the hook for one scope and restores ::write when the scope ends.
class ScopedFileWriteHook {
public:
    explicit ScopedFileWriteHook(FileWriteFunction write) { setFileWriteHook(std::move(write)); }
    ~ScopedFileWriteHook() { setFileWriteHook({}); }
    ScopedFileWriteHook(const ScopedFileWriteHook&) = delete;
    ScopedFileWriteHook& operator=(const ScopedFileWriteHook&) = delete;
};
