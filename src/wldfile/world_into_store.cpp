#include "wldfile/world_into_store.h"

#include <cstdint>
#include <string>

#include "wldfile/room_reader.h"
#include "wldfile/wld_strings.h"
#include "world/strict_int.h"

namespace {

constexpr int32_t kEndOfRoomNumbers = 99999;  // a header with this number or more ends the file

// The main loop over the top-level lines.
WorldReadResult readRooms(WldReadContext& ctx, WorldStore& store, LoadProgress& progress, bool checkOrder,
                          int64_t hashCount) {
    int32_t headerNumber = -1;
    int64_t roomsRead = 0;
    for (;;) {
        if (progress.cancelRequested()) {
            ctx.report("Cancelled");
            return WorldReadResult::Failed;
        }
        const LinePiece line = ctx.in.readLine();
        if (line.status == LineStatus::NoLine) {
            ctx.report("Unexpected EOF");
            return WorldReadResult::Failed;
        }
        switch (line.text.front()) {
            case '$':
                return WorldReadResult::Success;
            case '#': {
                const int32_t previousNumber = headerNumber;
                const std::string numberText = stripLineBreaks(line.text.substr(1));
                const std::optional<int32_t> number = strictToInt(numberText);
                if (!number) {
                    ctx.report(notValidIntegerMessage(numberText));
                    return WorldReadResult::ConversionFailed;
                }
                headerNumber = *number;
                if (headerNumber < 0) {
                    ctx.report("Format error after room " + std::to_string(previousNumber));
                    return WorldReadResult::Failed;
                }
                if (headerNumber >= kEndOfRoomNumbers) return WorldReadResult::Success;
                progress.setTitle(std::to_string(headerNumber));
                ++roomsRead;
                switch (readRoom(ctx, store, headerNumber, checkOrder)) {
                    case ReadStep::Ok:
                        break;
                    case ReadStep::Failed:
                        return WorldReadResult::Failed;
                    case ReadStep::ConversionFailed:
                        return WorldReadResult::ConversionFailed;
                }
                // Every "#" counts, also those inside texts, so the bar may end short of 100.
                progress.setProgress(static_cast<int>(roomsRead * 100 / hashCount));
                break;
            }
            case '\r':
            case '\n':
                break;  // blank lines between rooms
            default: {
                std::string message = "Format error in world file near room " + std::to_string(headerNumber) +
                                      "\r\n.  Offending line: ";
                message.append(line.text);
                ctx.report(message);
                return WorldReadResult::Failed;
            }
        }
    }
}

}  // namespace

WorldReadResult readWorldIntoStore(std::string_view data, WorldStore& store, Prompts& prompts,
                                   LoadProgress& progress, bool checkOrder, int* readerLine,
                                   RoomLineLog* roomLines) {
    WldLineReader in(data);
    const int64_t hashCount = in.countHashes();
    progress.clearCancel();
    progress.show();
    WldReadContext ctx{in, prompts, readerLine};
    ctx.roomLines = roomLines;
    const WorldReadResult result = readRooms(ctx, store, progress, checkOrder, hashCount);
    // Hidden on every path, a conversion failure included.
    progress.hide();
    return result;
}
