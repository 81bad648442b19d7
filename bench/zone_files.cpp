#include "zone_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

#include "cli/zone_generator.h"
#include "wldfile/world_reader.h"
#include "world/prompts.h"

namespace {

class FailOnMessage : public Prompts {
public:
    void message(const std::string& text) override {
        std::fprintf(stderr, "benchmark zone gave a message: %s\n", text.c_str());
        std::abort();
    }
    bool confirm(const std::string& question) override {
        message(question);
        return false;
    }
};

}  // namespace

const std::string& zoneFile(int rooms) {
    static std::map<int, std::string> paths;
    auto [it, added] = paths.try_emplace(rooms);
    if (added) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("quendry-bench-" + std::to_string(rooms) + "-" + std::to_string(::getpid()) + ".wld");
        std::ofstream(path, std::ios::binary) << generateZone(rooms, 1, 1);
        it->second = path.string();
        // Removed when the run ends; a run that aborts leaves the file in the temporary directory.
        static struct Cleanup {
            std::map<int, std::string>& files;
            ~Cleanup() {
                for (const auto& [n, p] : files) std::filesystem::remove(p);
            }
        } cleanup{paths};
    }
    return it->second;
}

std::unique_ptr<BenchWorld> loadZone(const std::string& path, bool checkOrder) {
    auto world = std::make_unique<BenchWorld>();
    FailOnMessage prompts;
    NoProgress progress;
    LoadRoad road{world->store, world->map, prompts, progress, checkOrder, {}};
    readWorldFile(path, road);
    return world;
}
