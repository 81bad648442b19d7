#include "wldfile/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

FileWriteFunction& writeHook() {
    static FileWriteFunction hook;
    return hook;
}

std::string failure(const std::string& path, int error) { return path + ": " + std::strerror(error); }

// The file a save really replaces: the target of a symbolic link, else the path itself.
std::string resolvedTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return path;  // a dangling link: replace the link itself
    std::string target(real);
    std::free(real);
    return target;
}

mode_t permissionsFor(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);  // umask can only be read by setting it
    ::umask(mask);
    return 0666 & ~mask;
}

// Writes everything, resuming after short writes and interruptions; false with errno set.
bool writeAll(int fd, std::string_view bytes) {
    const FileWriteFunction& hook = writeHook();
    constexpr size_t kChunk = 1 << 20;
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t size = std::min(kChunk, bytes.size() - done);
        const ssize_t n = hook ? hook(fd, bytes.data() + done, size) : ::write(fd, bytes.data() + done, size);
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

// Makes the rename itself durable; a failure here changes nothing the user could act on.
void syncDirectoryOf(const std::string& file) {
    const size_t slash = file.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void setFileWriteHook(FileWriteFunction write) { writeHook() = std::move(write); }

StagedFile::StagedFile(const std::string& path, std::string_view bytes) : path_(path), target_(resolvedTarget(path)) {
    // A directory cannot be renamed over: refuse now, before another staged file of the
    // same save has been committed.
    struct stat st;
    if (::stat(target_.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error_ = failure(path_, EISDIR);
        return;
    }
    std::vector<char> temporary(target_.begin(), target_.end());
    const char suffix[] = ".tmp-XXXXXX";
    temporary.insert(temporary.end(), suffix, suffix + sizeof suffix);  // with the closing 0

    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        error_ = failure(path_, errno);
        return;
    }
    temporary_ = temporary.data();
    int error = 0;
    if (::fchmod(fd, permissionsFor(target_)) != 0 || !writeAll(fd, bytes) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
        error_ = failure(path_, error);
    }
}

StagedFile::~StagedFile() {
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

std::string StagedFile::commit() {
    if (!error_.empty()) return error_;
    if (temporary_.empty()) return {};  // committed before
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        temporary_.clear();
        return error_ = failure(path_, error);
    }
    temporary_.clear();
    syncDirectoryOf(target_);
    return {};
}

std::string replaceFile(const std::string& path, std::string_view bytes) {
    StagedFile staged(path, bytes);
    return staged.commit();
}
