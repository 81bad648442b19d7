#include "wldfile/room_reader.h"

#include <array>
#include <memory>
#include <string>

#include "wldfile/bitvector_format.h"
#include "wldfile/wld_strings.h"
#include "world/newer_fields.h"
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

constexpr size_t kNewerFlagFields = 6;  // zone, four flag words, sector

// The fields of a flag line, separated by bytes of 32 or less; counting stops past six.
struct FlagLineFields {
    std::array<std::string_view, kNewerFlagFields> field;
    size_t count = 0;
    size_t end = 0;  // offset just after the last field taken
};

FlagLineFields splitFlagLine(std::string_view line) {
    FlagLineFields fields;
    size_t i = 0;
    for (;;) {
        while (i < line.size() && static_cast<unsigned char>(line[i]) <= 32) ++i;
        if (i == line.size()) return fields;
        const size_t start = i;
        while (i < line.size() && static_cast<unsigned char>(line[i]) > 32) ++i;
        if (fields.count == kNewerFlagFields) {
            ++fields.count;  // a seventh field: not the newer form
            return fields;
        }
        fields.field[fields.count++] = line.substr(start, i - start);
        fields.end = i;
    }
}

// The classic flag line: zone, exactly one blank, the bitvector token, then the sector
// after any whitespace.
ReadStep readClassicFlags(WldReadContext& ctx, WorldStore& store, RoomDataType& room) {
    const std::optional<int32_t> zone = ctx.in.readNumber();
    if (!zone) return failRoom(ctx, store, roomFormatError(room.vnum));
    room.zone = *zone;
    ctx.in.skipPastBlankOrLf();
    const std::string_view bitvectorToken = ctx.in.readUntilBlankOrLf();
    const std::optional<int32_t> sector = ctx.in.readNumber();
    if (!sector) return failRoom(ctx, store, roomFormatError(room.vnum));
    room.sectorType = *sector;
    ctx.in.readLine();  // the rest of the flag line
    const std::optional<int32_t> bitvector = parseBitvector(bitvectorToken);
    if (!bitvector) {
        ctx.report(notValidIntegerMessage(bitvectorToken));
        return ReadStep::ConversionFailed;
    }
    room.bitvector = *bitvector;
    return ReadStep::Ok;
}

// The newer flag line: zone, flag words 1 to 4 (each a number or letters, as the
// bitvector), sector. The faults give the classic reading's messages.
ReadStep readNewerFlags(WldReadContext& ctx, WorldStore& store, RoomDataType& room, const FlagLineFields& fields) {
    const std::optional<int32_t> zone = strictToInt(fields.field[0]);
    if (!zone) return failRoom(ctx, store, roomFormatError(room.vnum));
    room.zone = *zone;
    const std::optional<int32_t> sector = strictToInt(fields.field[5]);
    if (!sector) return failRoom(ctx, store, roomFormatError(room.vnum));
    room.sectorType = *sector;
    ctx.in.skip(fields.end);
    ctx.in.readLine();  // the rest of the flag line
    std::array<int32_t, 4> words{};
    for (size_t i = 0; i < words.size(); ++i) {
        const std::optional<int32_t> word = parseBitvector(fields.field[i + 1]);
        if (!word) {
            ctx.report(notValidIntegerMessage(fields.field[i + 1]));
            return ReadStep::ConversionFailed;
        }
        words[i] = *word;
    }
    room.bitvector = words[0];
    setFlagWords(room, {words[1], words[2], words[3]});
    return ReadStep::Ok;
}

}  // namespace

ReadStep readExit(WldReadContext& ctx, RoomDataType& room, int32_t direction, WorldForm form) {
    std::string description = freadString(ctx, "");
    std::string keywords = freadOneLine(ctx, "");
    auto fail = [&] {
        ctx.report("Format error, room #" + std::to_string(room.vnum) + ", direction D" +
                   std::to_string(direction));
        return ReadStep::Failed;
    };
    const int32_t directions = form == WorldForm::Newer ? kAllDirectionCount : kDirectionCount;
    if (direction < 0 || direction >= directions) return fail();
    RoomExitType& exit = exitDetailsToWrite(room, direction);
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
    exitDestinationToWrite(room, direction) = *to;
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
    if (ctx.roomLines) ctx.roomLines->push_back({&room, headerLine, {}, ctx.headerTrailingBlanks});

    // The flag line, which starts where the zone number does: six fields make it the
    // newer form's, any other count the classic one's. A flag line longer than a piece is
    // not the newer form's; looking no further keeps a hostile file from being scanned
    // again for every room.
    ctx.in.skipSpace();
    const FlagLineFields fields = splitFlagLine(ctx.in.peekLine(kLinePieceBytes));
    const WorldForm form = fields.count == kNewerFlagFields ? WorldForm::Newer : WorldForm::Classic;
    ctx.roomForm = form;
    const ReadStep flags =
        form == WorldForm::Newer ? readNewerFlags(ctx, store, room, fields) : readClassicFlags(ctx, store, room);
    if (flags != ReadStep::Ok) return flags;

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
                const int32_t directions = form == WorldForm::Newer ? kAllDirectionCount : kDirectionCount;
                if (ctx.roomLines && *direction >= 0 && *direction < directions)
                    ctx.roomLines->back().exits[*direction] = ctx.in.lineNumber();
                // A failed exit block has been reported; its door line then stops the room below.
                readExit(ctx, room, *direction, form);
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
