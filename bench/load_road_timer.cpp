// quendry_load_timer FILE [RUNS]: times the editor's whole load road (read, adopt,
// place, register the rooms off the map) on one world file and prints the best run as
// "N rooms in S s". Freeing the zone afterwards is not timed.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "zone_files.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: quendry_load_timer FILE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    double best = 1e300;
    size_t rooms = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        auto world = loadZone(argv[1]);
        const auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(end - start).count());
        rooms = world->store.size();
    }
    std::printf("%zu rooms in %.3f s\n", rooms, best);
    return 0;
}
