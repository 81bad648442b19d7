// The input is a world file, read with the order check on or off (QUENDRY_FUZZ_CHECK_ORDER).
// Whatever it holds, the load road leaves the store, the grid and the placement list
// consistent. What was read is then written in both forms of world files and both
// bitvector forms and read back: the text reads without a single message into the same
// rooms (with the same layout when the first read was laid out), in the form it was
// written in; the only changes allowed are the line break that a read gives every
// multi-line text and, in the classic form, the loss of the newer form's fields.
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "store_invariants.h"
#include "wldfile/world_reader.h"
#include "wldfile/world_writer.h"
#include "world/newer_fields.h"

namespace {

constexpr bool kCheckOrder = QUENDRY_FUZZ_CHECK_ORDER != 0;
const std::string kWorldPath = "/nonexistent-quendry-fuzz/zone.wld";  // no map position file: the layout runs

struct Loaded {
    WorldStore store;
    MapModel map{store};
    fuzz::CountingPrompts prompts;
    NoProgress progress;

    // Reads into the emptied store; deleting every room must leave store, grid and list
    // as good as new, which the checks after every read make sure of.
    void read(std::string_view data) {
        store.deleteAllRooms();
        prompts = {};
        LoadRoad road{store, map, prompts, progress, kCheckOrder, {}};
        readWorldData(data, kWorldPath, road);
    }
};

bool anyRoomOnMap(const WorldStore& store) {
    for (const RoomIndexNode* n = store.first(); n; n = n->next)
        if (n->room->onMap()) return true;
    return false;
}

// The writer leaves out an exit without a destination, texts and all.
void forgetExitsWithoutDestination(WorldStore& store) {
    for (RoomIndexNode* n = store.first(); n; n = n->next) {
        RoomDataType& room = *n->room;
        for (int d = 0; d < kAllDirectionCount; ++d)
            if (exitDestination(room, d) == 0 && exitDetails(room, d) != RoomExitType{})
                exitDetailsToWrite(room, d) = RoomExitType{};
        dropEmptyNewerFields(room);
    }
}

// A multi-line text read from a file ends with CR LF, except when a byte 0 cut its last
// line or its "~" began a 512-byte piece of the line. The writer puts "~" right after
// such a text; reading it back, a "~" inside a piece adds CR LF, one that begins a piece
// (the last line's length a multiple of 512) adds nothing.
void endWithLineBreak(std::string& text) {
    if (text.empty() || text.ends_with("\r\n")) return;
    const size_t lineStart = text.rfind("\r\n");
    const size_t lastLine = lineStart == std::string::npos ? text.size() : text.size() - lineStart - 2;
    if (lastLine % 512 != 0) text += "\r\n";
}

void expectSameRooms(const WorldStore& first, const WorldStore& second, bool withPositions) {
    if (first.size() != second.size()) fuzz::fail("the written world reads back with another number of rooms");
    if (second.zoneForm != first.zoneForm) fuzz::fail("the written world reads back in the other form");
    RoomDataType expected;
    const RoomIndexNode* b = second.first();
    for (const RoomIndexNode* a = first.first(); a; a = a->next, b = b->next) {
        copyRoom(expected, *a->room);
        if (first.zoneForm == WorldForm::Classic) expected.newer.reset();
        endWithLineBreak(expected.description);
        for (int d = 0; d < kAllDirectionCount; ++d)
            if (exitDestination(expected, d) != 0) endWithLineBreak(exitDetailsToWrite(expected, d).description);
        for (ExtraDescType* e = expected.extraDescs; e; e = e->next) endWithLineBreak(e->description);
        if (!withPositions) {
            expected.mapX = b->room->mapX;
            expected.mapY = b->room->mapY;
            expected.mapZ = b->room->mapZ;
        }
        if (a->vnum != b->vnum || !sameRoomContent(expected, *b->room))
            fuzz::fail("room " + std::to_string(a->vnum) + " changes when written and read back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static unsigned runs = 0;
    const bool fullScan = runs++ % 64 == 0;
    // Three stores for the whole run: a grid is 100,000 cells.
    static Loaded first, second;
    first.read(std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::check(worldProblem(first.store, first.map, fullScan));
    if (first.store.empty()) return 0;

    forgetExitsWithoutDestination(first.store);
    const bool laidOut = anyRoomOnMap(first.store);
    for (WorldForm form : {WorldForm::Newer, WorldForm::Classic}) {
        first.store.zoneForm = form;
        for (bool letters : {true, false}) {
            const std::string text = buildWorldText(first.store, letters);
            second.read(text);
            if (second.prompts.messages != 0)
                fuzz::fail("the written world reads back with the message: " + second.prompts.lastMessage);
            fuzz::check(worldProblem(second.store, second.map, fullScan));
            expectSameRooms(first.store, second.store, laidOut);
        }
    }
    return 0;
}
