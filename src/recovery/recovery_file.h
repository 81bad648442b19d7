#pragma once
// The recovery file: everything needed to give a killed editor's unsaved zone back, in
// one file so that one rename replaces all of it at once (a copy is never half of one
// state and half of another). It is text:
//
//   QuendryEdit recovery 1
//   pid 4711                      the process that wrote it
//   time 1765289000               when, seconds since 1970 (UTC)
//   path /home/b/mill.wld         the zone's own file; empty for a zone never saved
//   zone 42 The Mill              the zone's number and name
//   bitvectors built-in           which definitions the banks used: a file, or built-in
//   sectors /home/b/rsectype.txt
//   world 1234                    the world file, UNIX form, flags as letters: 1234 bytes
//   ...the bytes, then a line break...
//   map 56                        the map position file: 56 bytes
//   ...the bytes, then a line break...
//   end
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct RecoveryHeader {
    int64_t pid = 0;
    int64_t time = 0;
    std::string originalPath;
    int32_t zoneNumber = 0;
    std::string zoneName;
    std::string bitvectors;  // "built-in" or the definition file read
    std::string sectors;
};

// The whole file.
std::string buildRecoveryFile(const RecoveryHeader& header, std::string_view worldText, std::string_view mapText);

struct RecoveryContents {
    RecoveryHeader header;
    bool headerRead = false;  // the zone and time lines were found
    std::string worldText;    // what could be read of it
    std::string mapText;
    // Empty when the file reads cleanly; otherwise what is wrong, one line each.
    std::vector<std::string> problems;
    bool clean() const { return problems.empty(); }
};

// Never trusts the bytes: any input gives contents and problems, never a crash.
RecoveryContents parseRecoveryFile(std::string_view bytes);

// One recovery file of a directory, read.
struct RecoveryListing {
    std::string path;
    int64_t modified = 0;  // the file's time, seconds since 1970; orders unreadable files
    RecoveryContents contents;
    int64_t time() const { return contents.headerRead ? contents.header.time : modified; }
};

// Every "*.recovery" file of the directory, newest first (an unreadable one by the
// file's own time); none when the directory does not exist.
std::vector<RecoveryListing> listRecoveryFiles(const std::string& directory);

// The file name extension of recovery files.
inline constexpr std::string_view kRecoveryExtension = ".recovery";

// The process is running (a process of this program: on Linux its name is checked too,
// so that a number the system gave to another program since does not count).
bool processRunning(int64_t pid);
int64_t currentProcessId();
