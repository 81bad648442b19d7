#include "cli/world_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <system_error>

#include "cli/command_line.h"
#include "cli/loaded_world.h"
#include "world/platform_files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kIndexName = "index";

void tellUnreadable(const std::string& name, const std::string& reason) {
    std::fprintf(stderr, "quendry-wld: %s: %s\n", oneLine(name).c_str(), reason.c_str());
}

// The same file reached by two names is one file.
std::string identity(const std::string& path) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(platform::fsPath(path), error);
    return error ? path : platform::utf8Path(canonical);
}

class Expander {
public:
    WorldFiles run(const std::vector<std::string>& operands) {
        for (const std::string& operand : operands) {
            std::error_code error;
            if (fs::is_directory(platform::fsPath(operand), error))
                directory(operand);
            else
                file(operand, {}, 0);
        }
        out_.trailingNotes = std::move(pending_);
        return std::move(out_);
    }

private:
    void note(const std::string& index, int line, std::string text, bool missing = false) {
        pending_.push_back({index, line, std::move(text), missing});
    }

    // A file once; from an index, a repeat is told against the index's line.
    void file(const std::string& path, const std::string& index, int line) {
        if (!seen_.insert(identity(path)).second) {
            if (!index.empty())
                note(index, line, "the index lists " + platform::utf8Path(platform::fsPath(path).filename()) +
                                      ", which is named before; it is read once");
            return;
        }
        if (!readableFile(path)) {
            out_.unreadable = true;
            return;
        }
        out_.files.push_back({path, std::move(pending_)});
        pending_.clear();
    }

    void directory(const std::string& dir) {
        const std::string index = platform::joinPath(dir, kIndexName);
        std::error_code error;
        if (fs::is_regular_file(platform::fsPath(index), error)) return fromIndex(dir, index);
        std::vector<std::string> names;
        fs::directory_iterator it(platform::fsPath(dir), error);
        if (error) {
            tellUnreadable(dir, error.message());
            out_.unreadable = true;
            return;
        }
        for (; it != fs::directory_iterator(); it.increment(error)) {
            if (error) break;
            const fs::path& p = it->path();
            std::error_code kind;
            if (p.extension() == ".wld" && it->is_regular_file(kind)) names.push_back(platform::utf8Path(p.filename()));
        }
        if (error) {
            tellUnreadable(dir, error.message());
            out_.unreadable = true;
        }
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) file(platform::joinPath(dir, name), {}, 0);
    }

    void fromIndex(const std::string& dir, const std::string& index) {
        std::ifstream in(platform::fsPath(index), std::ios::binary);
        if (!in) {
            tellUnreadable(index, std::strerror(errno));
            out_.unreadable = true;
            return;
        }
        const std::string self = identity(index);
        std::string line;
        int number = 0;
        bool ended = false;
        while (std::getline(in, line)) {
            ++number;
            while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
            size_t start = 0;
            while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
            const std::string name = line.substr(start);
            if (name == "$") {
                ended = true;
                break;
            }
            if (name.empty()) continue;
            const std::string path = platform::joinPath(dir, name);
            std::error_code error;
            if (identity(path) == self) {
                note(index, number, "the index lists itself; it is no world file and is not read");
            } else if (!fs::is_regular_file(platform::fsPath(path), error)) {
                note(index, number, "the index lists " + name + ", which is no file of " + dir, true);
            } else {
                file(path, index, number);
            }
        }
        if (in.bad()) note(index, number, std::string("reading stopped: ") + std::strerror(errno));
        else if (!ended) note(index, number, "the index ends without its line $");
    }

    WorldFiles out_;
    std::set<std::string> seen_;
    std::vector<IndexNote> pending_;
};

}  // namespace

WorldFiles worldFiles(const std::vector<std::string>& operands) {
    return Expander().run(operands);
}
