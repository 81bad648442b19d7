#include "recovery/recovery_file.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "world/platform_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace {

constexpr std::string_view kFirstLine = "QuendryEdit recovery 1";

// A header value on one line: line breaks would end it early.
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

template <typename T>
bool parseNumber(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Reads the file line by line and section by section.
class Cursor {
public:
    explicit Cursor(std::string_view bytes) : rest_(bytes) {}
    bool atEnd() const { return rest_.empty(); }
    // The next line without its LF; false at the end.
    bool line(std::string_view& out) {
        if (rest_.empty()) return false;
        const size_t lf = rest_.find('\n');
        out = rest_.substr(0, lf);
        rest_.remove_prefix(lf == std::string_view::npos ? rest_.size() : lf + 1);
        return true;
    }
    // Up to size bytes; the number taken.
    std::string_view take(size_t size) {
        const std::string_view out = rest_.substr(0, size);
        rest_.remove_prefix(out.size());
        return out;
    }

private:
    std::string_view rest_;
};

// "world 1234" and its bytes; false (with a problem) when it is not there whole.
bool readSection(Cursor& in, std::string_view name, std::string& out, std::vector<std::string>& problems) {
    std::string_view line;
    if (!in.line(line)) {
        problems.push_back("the file ends before its " + std::string(name) + " section");
        return false;
    }
    size_t size = 0;
    if (!line.starts_with(std::string(name) + " ") || !parseNumber(line.substr(name.size() + 1), size)) {
        problems.push_back("the " + std::string(name) + " section is missing; found \"" +
                           std::string(line.substr(0, 60)) + "\"");
        return false;
    }
    out.assign(in.take(size));
    if (out.size() < size) {
        problems.push_back("the file ends inside its " + std::string(name) + " section (" + std::to_string(out.size()) +
                           " of " + std::to_string(size) + " bytes)");
        return false;
    }
    std::string_view end;
    if (!in.line(end) || !end.empty()) {
        problems.push_back("the " + std::string(name) + " section is longer than it says");
        return false;
    }
    return true;
}

}  // namespace

std::string buildRecoveryFile(const RecoveryHeader& h, std::string_view worldText, std::string_view mapText) {
    std::string out;
    out.reserve(worldText.size() + mapText.size() + 512);
    out.append(kFirstLine).append("\n");
    out.append("pid ").append(std::to_string(h.pid)).append("\n");
    out.append("time ").append(std::to_string(h.time)).append("\n");
    out.append("path ").append(oneLine(h.originalPath)).append("\n");
    out.append("zone ").append(std::to_string(h.zoneNumber)).append(" ").append(oneLine(h.zoneName)).append("\n");
    out.append("bitvectors ").append(oneLine(h.bitvectors)).append("\n");
    out.append("sectors ").append(oneLine(h.sectors)).append("\n");
    out.append("world ").append(std::to_string(worldText.size())).append("\n").append(worldText).append("\n");
    out.append("map ").append(std::to_string(mapText.size())).append("\n").append(mapText).append("\n");
    out.append("end\n");
    return out;
}

RecoveryContents parseRecoveryFile(std::string_view bytes) {
    RecoveryContents c;
    Cursor in(bytes);
    std::string_view line;
    if (!in.line(line) || line != kFirstLine) {
        c.problems.push_back("it is not a recovery file of this program (its first line is not \"" +
                             std::string(kFirstLine) + "\")");
        return c;
    }
    bool zone = false, time = false;
    // Header lines up to the world section, in any order; unknown ones are skipped.
    while (true) {
        Cursor before = in;
        if (!in.line(line)) break;
        if (line.starts_with("world ")) {
            in = before;
            break;
        }
        const size_t space = line.find(' ');
        const std::string_view key = line.substr(0, space);
        const std::string_view value = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        if (key == "pid") {
            if (!parseNumber(value, c.header.pid)) c.problems.push_back("its process number is not a number");
        } else if (key == "time") {
            time = parseNumber(value, c.header.time);
            if (!time) c.problems.push_back("its time is not a number");
        } else if (key == "path") {
            c.header.originalPath = std::string(value);
        } else if (key == "zone") {
            const size_t gap = value.find(' ');
            zone = parseNumber(value.substr(0, gap), c.header.zoneNumber);
            if (!zone) c.problems.push_back("its zone number is not a number");
            if (gap != std::string_view::npos) c.header.zoneName = std::string(value.substr(gap + 1));
        } else if (key == "bitvectors") {
            c.header.bitvectors = std::string(value);
        } else if (key == "sectors") {
            c.header.sectors = std::string(value);
        }
    }
    c.headerRead = zone && time;
    if (!zone && c.problems.empty()) c.problems.push_back("its zone line is missing");
    if (!time && c.problems.empty()) c.problems.push_back("its time line is missing");
    if (!readSection(in, "world", c.worldText, c.problems)) return c;
    if (!readSection(in, "map", c.mapText, c.problems)) return c;
    if (!in.line(line) || line != "end") c.problems.push_back("its end line is missing");
    return c;
}

std::vector<RecoveryListing> listRecoveryFiles(const std::string& directory) {
    std::vector<RecoveryListing> out;
    std::error_code error;
    const std::filesystem::path dir = platform::fsPath(directory);
    if (!std::filesystem::is_directory(dir, error)) return out;
    for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::filesystem::path& file = it->path();
        if (file.extension() != kRecoveryExtension || !it->is_regular_file(error)) continue;
        RecoveryListing listing;
        listing.path = platform::utf8Path(file);
        const auto modified = std::filesystem::last_write_time(file, error);
        if (!error)
            listing.modified = std::chrono::duration_cast<std::chrono::seconds>(
                                   (std::chrono::system_clock::now() +
                                    std::chrono::duration_cast<std::chrono::system_clock::duration>(
                                        modified - std::filesystem::file_time_type::clock::now()))
                                       .time_since_epoch())
                                   .count();
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad())
            listing.contents.problems.push_back("it cannot be read");
        else
            listing.contents = parseRecoveryFile(bytes);
        out.push_back(std::move(listing));
    }
    std::stable_sort(out.begin(), out.end(), [](const RecoveryListing& a, const RecoveryListing& b) {
        return a.time() != b.time() ? a.time() > b.time() : a.path < b.path;
    });
    return out;
}

#ifdef _WIN32
bool processRunning(int64_t pid) {
    if (pid <= 0) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return false;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}
int64_t currentProcessId() { return static_cast<int64_t>(GetCurrentProcessId()); }
#else
namespace {
std::string processName(const std::string& pid) {
    std::ifstream in("/proc/" + pid + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}
}  // namespace

bool processRunning(int64_t pid) {
    if (pid <= 0 || pid > INT32_MAX) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
    // Where the system names its processes, a number now held by another program is no
    // editor of ours.
    const std::string name = processName(std::to_string(pid));
    const std::string own = processName("self");
    return name.empty() || own.empty() || name == own;
}
int64_t currentProcessId() { return static_cast<int64_t>(::getpid()); }
#endif
