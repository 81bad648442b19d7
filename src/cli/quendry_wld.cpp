#include <cstdio>
#include <cstring>

#include "quendry_version.h"

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("quendry-wld %s\n", QUENDRY_VERSION);
        return 0;
    }
    std::fprintf(stderr, "usage: quendry-wld check|convert|dump|generate ...\n");
    return 2;
}
