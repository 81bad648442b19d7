#include "zone_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

#include "cli/zone_generator.h"
#include "wldfile/world_reader.h"
#include "wldfile/world_writer.h"
#include "world/newer_fields.h"
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

// The rooms of a zone given what the newer form adds.
std::string newerFormText(const std::string& classicPath) {
    auto world = loadZone(classicPath);
    int index = 0;
    for (RoomIndexNode* node = world->store.first(); node; node = node->next, ++index) {
        RoomDataType& room = *node->room;
        setFlagWords(room, {index % 3 == 0 ? 2 : 0, index % 7 == 0 ? 4 : 0, 0});
        std::vector<int32_t> triggers;
        if (index % 2 == 0) triggers.push_back(1000 + index % 500);
        if (index % 5 == 0) triggers.push_back(2000 + index % 300);
        setTriggers(room, std::move(triggers));
    }
    world->store.zoneForm = WorldForm::Newer;
    return buildWorldText(world->store, true);
}

// A zone file in the temporary directory, written by make on first use.
template <typename Make>
const std::string& benchFile(std::map<int, std::string>& paths, const char* kind, int rooms, Make&& make) {
    auto [it, added] = paths.try_emplace(rooms);
    if (added) {
        const auto path = std::filesystem::temp_directory_path() /
                          ("quendry-bench-" + std::string(kind) + std::to_string(rooms) + "-" +
                           std::to_string(::getpid()) + ".wld");
        std::ofstream(path, std::ios::binary) << make();
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

}  // namespace

const std::string& zoneFile(int rooms) {
    static std::map<int, std::string> paths;
    return benchFile(paths, "", rooms, [&] { return generateZone(rooms, 1, 1); });
}

const std::string& newerZoneFile(int rooms) {
    static std::map<int, std::string> paths;
    return benchFile(paths, "newer-", rooms, [&] { return newerFormText(zoneFile(rooms)); });
}

std::unique_ptr<BenchWorld> loadZone(const std::string& path, bool checkOrder) {
    auto world = std::make_unique<BenchWorld>();
    FailOnMessage prompts;
    NoProgress progress;
    LoadRoad road{world->store, world->map, prompts, progress, checkOrder, {}};
    readWorldFile(path, road);
    return world;
}

void fillMapWithRooms(WorldStore& store, MapGrid& grid, int32_t lastRoom, bool extraDescriptions) {
    store.setZone(0, "bench", 1);
    for (int z = 0; z < kMapLevels; ++z)
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= kMapColumns; ++x) {
                if (vnumAt(x, y, z) > lastRoom) continue;
                auto room = std::make_unique<RoomDataType>();
                room->vnum = vnumAt(x, y, z);
                room->name = "Room " + std::to_string(room->vnum);
                room->description = "A plain room of the benchmark zone.\r\nNothing to see.";
                if (extraDescriptions) room->appendExtraDesc("floor", "Dusty.");
                grid.putRoom(*store.appendNode(WorldStore::makeNode(std::move(room)))->room, x, y, z);
            }
    for (int z = 0; z < kMapLevels; ++z)
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= kMapColumns; ++x) grid.recalcExits(x, y, z);
    store.setCurrent(store.first());
    store.setNextFreeAfterLast();
}
