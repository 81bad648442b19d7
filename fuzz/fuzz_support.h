#pragma once
// What the fuzz targets share: prompts that answer every question with No and count
// messages, a temporary file per process, and a hard stop that libFuzzer reports as a
// crash with the input that caused it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "world/prompts.h"

namespace fuzz {

class CountingPrompts : public Prompts {
public:
    size_t messages = 0;
    std::string lastMessage;
    void message(const std::string& text) override {
        ++messages;
        lastMessage = text;
    }
    bool confirm(const std::string&) override { return false; }
};

[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

inline void check(const std::string& problem) {
    if (!problem.empty()) fail(problem);
}

// A file in the temporary directory named for this process, rewritten by every run.
inline std::string scratchPath(const std::string& name) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/quendry-fuzz-" + std::to_string(::getpid()) + "-" + name;
}

inline void writeFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace fuzz
