#include "editor/lint_in_memory.h"

#include <unordered_set>

std::vector<LintFinding> lintZone(const ZoneInMemory& zone, const LintOptions& options) {
    RoomLineLog log;
    log.reserve(zone.store.size());
    for (const RoomIndexNode* n = zone.store.first(); n; n = n->next) log.push_back(RoomLines{n->room.get(), 0, {}, false});
    return lintZone(LintInput{zone.store, zone.grid, log, zone.mapFileExists, zone.positionsFromMapFile}, options);
}

std::vector<LintFinding> lintRooms(const ZoneInMemory& zone, const LintOptions& options,
                                   std::span<const int32_t> rooms) {
    const std::unordered_set<int32_t> wanted(rooms.begin(), rooms.end());
    std::vector<LintFinding> kept;
    for (LintFinding& f : lintZone(zone, options))
        if (wanted.count(f.room)) kept.push_back(std::move(f));
    return kept;
}
