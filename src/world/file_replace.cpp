#include "world/file_replace.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "world/platform_files.h"

namespace {

FileWriteFunction& writeHook() {
    static FileWriteFunction hook;
    return hook;
}

std::string failure(const std::string& path, int error) { return path + ": " + std::strerror(error); }

// The file a save really replaces: the target of a symbolic link, else the path itself.
std::string resolvedTarget(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file = platform::fsPath(path);
    if (!std::filesystem::is_symlink(file, error)) return path;
    const std::filesystem::path real = std::filesystem::canonical(file, error);
    if (error) return path;  // a dangling link: replace the link itself
    return platform::utf8Path(real);
}

// Writes everything, resuming after short writes and interruptions; false with errno set.
bool writeAll(int fd, std::string_view bytes) {
    const FileWriteFunction& hook = writeHook();
    constexpr size_t kChunk = 1 << 20;
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t size = std::min(kChunk, bytes.size() - done);
        const ssize_t n = hook ? hook(fd, bytes.data() + done, size) : platform::writeSome(fd, bytes.data() + done, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

void setFileWriteHook(FileWriteFunction write) { writeHook() = std::move(write); }

StagedFile::StagedFile(const std::string& path, std::string_view bytes) : path_(path), target_(resolvedTarget(path)) {
    // A directory cannot be renamed over: refuse now, before another staged file of the
    // same save has been committed.
    std::error_code isDirectoryError;
    if (std::filesystem::is_directory(platform::fsPath(target_), isDirectoryError)) {
        error_ = failure(path_, EISDIR);
        return;
    }
    const int fd = platform::createTemporaryBeside(target_, temporary_);
    if (fd < 0) {
        error_ = failure(path_, errno);
        return;
    }
    int error = 0;
    if (!writeAll(fd, bytes) || platform::flushToDisk(fd) != 0) error = errno;
    if (platform::closeFile(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        platform::removeFile(temporary_);
        temporary_.clear();
        error_ = failure(path_, error);
    }
}

StagedFile::~StagedFile() {
    if (!temporary_.empty()) platform::removeFile(temporary_);
}

std::string StagedFile::commit() {
    if (!error_.empty()) return error_;
    if (temporary_.empty()) return {};  // committed before
    if (platform::replaceByRename(temporary_, target_) != 0) {
        const int error = errno;
        platform::removeFile(temporary_);
        temporary_.clear();
        return error_ = failure(path_, error);
    }
    temporary_.clear();
    platform::syncDirectoryOf(target_);
    return {};
}

std::string replaceFile(const std::string& path, std::string_view bytes) {
    StagedFile staged(path, bytes);
    return staged.commit();
}
