#pragma once
// Until the linter takes a zone in memory itself: the same names over lintZone, which
// wants a load's line log. Every call lints the whole zone and keeps the rooms asked for.
#include <cstdint>
#include <span>
#include <vector>

#include "cli/zone_lint.h"

struct ZoneInMemory {
    const WorldStore& store;
    const MapGrid& grid;
    bool mapFileExists = false;
    bool positionsFromMapFile = false;
};
std::vector<LintFinding> lintZone(const ZoneInMemory& zone, const LintOptions& options);
std::vector<LintFinding> lintRooms(const ZoneInMemory& zone, const LintOptions& options,
                                   std::span<const int32_t> rooms);
