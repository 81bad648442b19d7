// Big and hostile world files for scripts/long.sh: generates them on the fly and loads
// them through the whole load road (read, adoption, placement, listing of unplaced rooms),
// then builds the world-file text again, printing what happened and how long each step took.
//
//   quendry_big_input generate-big FILE BYTES         rooms 0..99998 with long descriptions
//   quendry_big_input generate-long-line FILE BYTES   one room whose description is one line
//   quendry_big_input generate-hashes FILE COUNT      COUNT lines of "#"
//   quendry_big_input generate-chain FILE ROOMS       rooms 0..ROOMS-1, each leading East to the next
//   quendry_big_input load FILE [--file-order]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "map/map_model.h"
#include "wldfile/world_reader.h"
#include "wldfile/world_writer.h"
#include "world/world_store.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class CountingPrompts : public Prompts {
public:
    size_t count = 0;
    void message(const std::string& text) override {
        if (++count <= 3) std::printf("  message: %.200s\n", text.c_str());
    }
    bool confirm(const std::string&) override { return false; }
};

void room(std::ofstream& out, int32_t vnum, const std::string& description, int32_t east) {
    out << '#' << vnum << "\r\nRoom " << vnum << "~\r\n" << description << "~\r\n1 0 0\r\n";
    if (east) out << "D1\r\n~\r\n~\r\n0 -1 " << east << "\r\n";
    out << "S\r\n";
}

int generateBig(const char* path, long long bytes) {
    std::ofstream out(path, std::ios::binary);
    const long long perRoom = bytes / 99999;
    std::string line(70, 'x');
    line += "\r\n";
    std::string description;
    while (static_cast<long long>(description.size()) + 72 < perRoom) description += line;
    for (int32_t v = 0; v < 99999; ++v) room(out, v, description, v + 1 < 99999 ? v + 1 : 0);
    out << "$\r\n";
    return out ? 0 : 1;
}

int generateLongLine(const char* path, long long bytes) {
    std::ofstream out(path, std::ios::binary);
    room(out, 1, std::string(static_cast<size_t>(bytes), 'y') + "\r\n", 0);
    out << "$\r\n";
    return out ? 0 : 1;
}

int generateHashes(const char* path, long long count) {
    std::ofstream out(path, std::ios::binary);
    std::string lines;
    for (long long i = 0; i < count; ++i) lines += "#\r\n";
    out << lines;
    return out ? 0 : 1;
}

int generateChain(const char* path, long long rooms) {
    std::ofstream out(path, std::ios::binary);
    for (int32_t v = 0; v < rooms; ++v) room(out, v, "A room of the chain.\r\n", v + 1 < rooms ? v + 1 : 0);
    out << "$\r\n";
    return out ? 0 : 1;
}

int load(const char* path, bool checkOrder) {
    WorldStore store;
    MapModel map(store);
    CountingPrompts prompts;
    NoProgress progress;
    LoadRoad road{store, map, prompts, progress, checkOrder, {}};
    const auto start = Clock::now();
    readWorldFile(path, road);
    const double readSeconds = secondsSince(start);
    const auto writeStart = Clock::now();
    const size_t textBytes = buildWorldText(store, true).size();
    const double writeSeconds = secondsSince(writeStart);
    std::printf("  rooms %zu, on the map %zu, listed %zu, messages %zu\n", store.size(), map.grid.roomCount(),
                map.placement.size(), prompts.count);
    std::printf("  load %.2f s, write %.2f s (%zu bytes)\n", readSeconds, writeSeconds, textBytes);
    const auto freeStart = Clock::now();
    store.deleteAllRooms();
    std::printf("  delete all %.2f s\n", secondsSince(freeStart));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: see the head of big_input.cpp\n");
        return 2;
    }
    const std::string mode = argv[1];
    const long long amount = argc > 3 ? std::atoll(argv[3]) : 0;
    if (mode == "generate-big") return generateBig(argv[2], amount);
    if (mode == "generate-long-line") return generateLongLine(argv[2], amount);
    if (mode == "generate-hashes") return generateHashes(argv[2], amount);
    if (mode == "generate-chain") return generateChain(argv[2], amount);
    if (mode == "load") return load(argv[2], !(argc > 3 && std::string(argv[3]) == "--file-order"));
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
}
