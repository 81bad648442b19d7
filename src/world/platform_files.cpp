#include "world/platform_files.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include <atomic>
#include <random>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>
#endif

namespace platform {

std::filesystem::path fsPath(const std::string& utf8) {
    // Bytes that are not UTF-8 name no file on Windows; the empty path then fails to open.
    try {
        return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
    } catch (const std::exception&) {
        return {};
    }
}

std::string utf8Path(const std::filesystem::path& path) {
    try {
        const std::u8string bytes = path.u8string();
        return std::string(bytes.begin(), bytes.end());
    } catch (const std::exception&) {
        return path.string();
    }
}

std::string joinPath(const std::string& directory, const std::string& name) {
    std::filesystem::path joined = fsPath(directory) / fsPath(name);
    return utf8Path(joined.make_preferred());
}

#ifdef _WIN32

const char kSeparator = '\\';

namespace {

// errno for the Win32 errors a save or a rename can meet.
int errnoFor(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
        case ERROR_CURRENT_DIRECTORY:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return EINVAL;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        default:
            return EIO;
    }
}

// Windows says "not found" where a part of the path is a file; POSIX says "not a
// directory". Both systems give the user the second, the more helpful.
int refineNotFound(const std::filesystem::path& path) {
    std::error_code error;
    for (std::filesystem::path parent = path.parent_path(); !parent.empty() && parent != parent.parent_path();
         parent = parent.parent_path()) {
        const std::filesystem::file_status status = std::filesystem::status(parent, error);
        if (status.type() == std::filesystem::file_type::not_found) continue;
        return std::filesystem::is_directory(status) ? ENOENT : ENOTDIR;
    }
    return ENOENT;
}

bool convertible(const std::string& utf8, const std::filesystem::path& path) {
    if (!utf8.empty() && path.empty()) {
        errno = EILSEQ;
        return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    // When argv has lost arguments the system's line still holds (options a library took
    // out), the two no longer pair up, and argv is taken as it is.
    if (wide && count == argc)
        for (int i = 0; i < count; ++i) arguments.push_back(utf8Path(std::filesystem::path(wide[i])));
    else
        arguments.assign(argv, argv + argc);
    if (wide) ::LocalFree(wide);
    return arguments;
}

std::FILE* openForReading(const std::string& path) {
    const std::filesystem::path wide = fsPath(path);
    if (!convertible(path, wide)) return nullptr;
    std::FILE* file = ::_wfopen(wide.c_str(), L"rb");
    // Say what POSIX says of a path under a file and of a directory.
    if (!file && errno == ENOENT) errno = refineNotFound(wide);
    std::error_code error;
    if (!file && errno == EACCES && std::filesystem::is_directory(wide, error)) errno = EISDIR;
    return file;
}

int createTemporaryBeside(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{std::random_device{}()};
    const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned n = counter.fetch_add(0x9e3779b9u) ^ ::GetCurrentProcessId();
        std::string name = target + ".tmp-";
        for (int i = 0; i < 6; ++i, n /= 36) name += digits[n % 36];
        const std::filesystem::path wide = fsPath(name);
        if (!convertible(name, wide)) return -1;
        int fd = -1;
        const errno_t error = ::_wsopen_s(&fd, wide.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                          _SH_DENYNO, _S_IREAD | _S_IWRITE);
        if (error == 0) {
            temporary = name;
            return fd;
        }
        if (error == EEXIST) continue;
        errno = error == ENOENT ? refineNotFound(wide) : error;
        return -1;
    }
    errno = EEXIST;
    return -1;
}

ssize_t writeSome(int fd, const char* data, size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(size));
}

int flushToDisk(int fd) { return ::_commit(fd); }

int closeFile(int fd) { return ::_close(fd); }

int removeFile(const std::string& path) {
    const std::filesystem::path wide = fsPath(path);
    if (!convertible(path, wide)) return -1;
    return ::_wunlink(wide.c_str());
}

int replaceByRename(const std::string& from, const std::string& to) {
    const std::filesystem::path wideFrom = fsPath(from);
    const std::filesystem::path wideTo = fsPath(to);
    if (!convertible(from, wideFrom) || !convertible(to, wideTo)) return -1;
    // Plain rename refuses an existing target on Windows. MoveFileEx replaces it in one
    // step, and write-through returns only when the move is on disk.
    if (::MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
    errno = errnoFor(::GetLastError());
    // A directory in the way is "access denied" to Windows, "is a directory" to POSIX.
    std::error_code error;
    if (errno == EACCES && std::filesystem::is_directory(wideTo, error)) errno = EISDIR;
    return -1;
}

int keepOldFile(const std::filesystem::path& file, const std::filesystem::path& keep) {
    if (::CopyFileW(file.c_str(), keep.c_str(), TRUE)) return 0;
    errno = errnoFor(::GetLastError());
    return -1;
}

void syncDirectoryOf(const std::string&) {}  // the write-through move is durable already

#else

const char kSeparator = '/';

namespace {

mode_t permissionsFor(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);  // umask can only be read by setting it
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::FILE* openForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

int createTemporaryBeside(const std::string& target, std::string& temporary) {
    std::vector<char> name(target.begin(), target.end());
    const char suffix[] = ".tmp-XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);  // with the closing 0
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return -1;
    if (::fchmod(fd, permissionsFor(target)) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(name.data());
        errno = error;
        return -1;
    }
    temporary = name.data();
    return fd;
}

ssize_t writeSome(int fd, const char* data, size_t size) { return ::write(fd, data, size); }

int flushToDisk(int fd) { return ::fsync(fd); }

int closeFile(int fd) { return ::close(fd); }

int removeFile(const std::string& path) { return ::unlink(path.c_str()); }

int replaceByRename(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()); }

int keepOldFile(const std::filesystem::path& file, const std::filesystem::path& keep) {
    return ::link(file.c_str(), keep.c_str());
}

void syncDirectoryOf(const std::string& file) {
    const size_t slash = file.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

#endif

}  // namespace platform
