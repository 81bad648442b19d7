#pragma once
// The one place where Linux and Windows differ for the core: how a path held as UTF-8
// bytes reaches the system, binary-mode opening, the replace-existing rename, flushing a
// file to disk and the error numbers the system reports. Every file the core reads or
// writes goes through these, so the rest of the core is the same source on both.
//
// Paths are UTF-8 everywhere in the program (the file dialogs give UTF-8, and so does
// the command line after conversion); on Windows they are turned into UTF-16 here and
// nowhere else, since the narrow Windows calls would read them in the ANSI code page.
// Failures return -1 (or nullptr) with errno set, so that messages come from strerror
// on both systems.
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <sys/types.h>

namespace platform {

// The path separator of the system: '\\' on Windows, '/' elsewhere.
extern const char kSeparator;

// A std::filesystem path for UTF-8 bytes, and the UTF-8 bytes of a path.
std::filesystem::path fsPath(const std::string& utf8);
std::string utf8Path(const std::filesystem::path& path);

// directory and name joined with the system's separator (none added when directory
// already ends in one; separators of directory shown the system's way).
std::string joinPath(const std::string& directory, const std::string& name);

// The command line's arguments, argv[0] first, as UTF-8. Windows hands argv over in the
// ANSI code page, which cannot hold every file name; there they are taken from the
// system's UTF-16 command line instead, as long as argv still holds every argument of
// that line. Elsewhere they are argv's bytes as they are.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Opens for reading in binary mode: no line-ending translation, no stop at byte 26.
std::FILE* openForReading(const std::string& path);

// Creates a new file named target + ".tmp-" + a unique suffix, exclusively, for binary
// writing; its name is stored in temporary. On POSIX it gets target's permission bits,
// or the usual ones (umask) when target does not exist. The descriptor, or -1.
int createTemporaryBeside(const std::string& target, std::string& temporary);
ssize_t writeSome(int fd, const char* data, size_t size);
int flushToDisk(int fd);  // fsync, or _commit on Windows
int closeFile(int fd);
int removeFile(const std::string& path);
// Moves from over to, replacing an existing file in one step.
int replaceByRename(const std::string& from, const std::string& to);
// A second name keep for the existing file, which stays when file is replaced and can be
// moved back over it. POSIX gives it a hard link. Windows gets a copy: a second name of a
// file that another program holds open cannot be removed there until that program lets go,
// so a link would be left behind by a save that failed for that very reason.
int keepOldFile(const std::filesystem::path& file, const std::filesystem::path& keep);
// Makes a finished rename durable where the system needs that (a directory fsync on
// POSIX); failures are ignored, as the file itself is already in place.
void syncDirectoryOf(const std::string& file);

}  // namespace platform
