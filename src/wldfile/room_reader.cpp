#include "wldfile/room_reader.h"

#include <memory>
#include <string>

#include "wldfile/bitvector_format.h"
#include "wldfile/wld_strings.h"
#include "world/strict_int.h"

namespace {

std::string roomFormatError(int32_t vnum) {
    return "Format error in room #" + std::to_string(vnum);
}

ReadStep failRoom(WldReadContext& ctx, WorldStore& store, const std::string& message) {
    ctx.report(message);
    // The room goes again, and with it its place in the log.
    if (ctx.roomLines && !ctx.roomLines->empty() && store.current() &&
        ctx.roomLines->back().room == store.current()->room.get())
        ctx.roomLines->pop_back();
    store.deleteCurrentRoom();
    return ReadStep::Failed;
}

// Appends an entry at the end of the room's chain.
void readExtraDesc(WldReadContext& ctx, RoomDataType& room, std::string_view markerLine) {
    ExtraDescType* entry = room.appendExtraDesc({}, {});
    entry->keywords = freadOneLine(ctx, markerLine);
    entry->description = freadString(ctx, markerLine);
}

}  // namespace

ReadStep readExit(WldReadContext& ctx, RoomDataType& room, int32_t direction) {
    std::string description = freadString(ctx, "");
    std::string keywords = freadOneLine(ctx, "");
    auto fail = [&] {
        ctx.report("Format error, room #" + std::to_string(room.vnum) + ", direction D" +
                   std::to_string(direction));
        return ReadStep::Failed;
    };
    if (direction < 0 || direction >= kDirectionCount) return fail();
    RoomExitType& exit = room.exits[direction];
    exit.description = std::move(description);
    exit.keywords = std::move(keywords);

    const std::optional<int32_t> doorFlag = ctx.in.readNumber();
    if (!doorFlag) return fail();
    exit.doorFlag = *doorFlag >= 0 && *doorFlag <= 2 ? *doorFlag : 0;
    const std::optional<int32_t> key = ctx.in.readNumber();
    if (!key) return fail();
    exit.key = *key;
    const std::optional<int32_t> to = ctx.in.readNumber();
    if (!to) return fail();
    room.exitTo[direction] = *to;
    ctx.in.readLine();  // the rest of the door line
    return ReadStep::Ok;
}

ReadStep readRoom(WldReadContext& ctx, WorldStore& store, int32_t vnum, bool checkOrder) {
    // The header line has just been read.
    const int headerLine = ctx.roomLines ? ctx.in.lineNumber() : 0;
    auto record = std::make_unique<RoomDataType>();
    record->vnum = vnum;
    record->name = freadOneLine(ctx, "");
    record->description = freadString(ctx, "");

    if (checkOrder && store.findByVnum(vnum)) {
        ctx.report("Cannot create room #" + std::to_string(vnum) + ": Vnum is already in use");
        return ReadStep::Failed;
    }
    RoomDataType& room = *record;
    initNewRoom(room);
    auto node = WorldStore::makeNode(std::move(record));
    store.setCurrent(checkOrder ? store.insertOrdered(std::move(node)) : store.appendNode(std::move(node)));
    if (ctx.roomLines) ctx.roomLines->push_back({&room, headerLine, {}});

    // The flag line: zone, exactly one blank, the bitvector token, then the sector.
    const std::optional<int32_t> zone = ctx.in.readNumber();
    if (!zone) return failRoom(ctx, store, roomFormatError(vnum));
    room.zone = *zone;
    ctx.in.skipPastBlankOrLf();
    const std::string_view bitvectorToken = ctx.in.readUntilBlankOrLf();
    const std::optional<int32_t> sector = ctx.in.readNumber();
    if (!sector) return failRoom(ctx, store, roomFormatError(vnum));
    room.sectorType = *sector;
    ctx.in.readLine();  // the rest of the flag line
    const std::optional<int32_t> bitvector = parseBitvector(bitvectorToken);
    if (!bitvector) {
        ctx.report(notValidIntegerMessage(bitvectorToken));
        return ReadStep::ConversionFailed;
    }
    room.bitvector = *bitvector;

    // Exit and extra description blocks in any order, up to the "S" line.
    for (;;) {
        const LinePiece line = ctx.in.readLine();
        if (line.status == LineStatus::NoLine)
            return failRoom(ctx, store, roomFormatError(vnum) + " (expecting D/E/S)");
        switch (line.text.front()) {
            case 'D': {
                // The one character after the "D", taken alone.
                const std::string_view digit = line.text.substr(1, 1);
                const std::optional<int32_t> direction = strictToInt(digit);
                if (!direction) {
                    ctx.report(notValidIntegerMessage(digit));
                    return ReadStep::ConversionFailed;
                }
                if (ctx.roomLines && *direction >= 0 && *direction < kDirectionCount)
                    ctx.roomLines->back().exits[*direction] = ctx.in.lineNumber();
                // A failed exit block has been reported; its door line then stops the room below.
                readExit(ctx, room, *direction);
                break;
            }
            case 'E':
                readExtraDesc(ctx, room, line.text);
                break;
            case 'S':
                return ReadStep::Ok;
            default:
                return failRoom(ctx, store, "(2)" + roomFormatError(vnum) + " (expecting D/E/S)");
        }
    }
}
