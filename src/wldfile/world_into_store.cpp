#include "wldfile/world_into_store.h"

#include <cstdint>
#include <string>

#include "wldfile/room_reader.h"
#include "wldfile/wld_strings.h"
#include "world/newer_fields.h"
#include "world/strict_int.h"

namespace {

constexpr int32_t kEndOfRoomNumbers = 99999;  // a header with this number or more ends the file

bool blankOrTab(char c) { return c == ' ' || c == '\t'; }

// The room number of a header line's text after the "#". The servers of both forms read
// "#5233 " as room 5233, and files they wrote hold such lines: blanks and tabs after the
// number are forgiven (trailingBlanks tells), anything else is not.
std::optional<int32_t> headerRoomNumber(std::string_view text, bool& trailingBlanks) {
    trailingBlanks = false;
    if (const std::optional<int32_t> number = strictToInt(text)) return number;
    size_t end = text.size();
    while (end > 0 && blankOrTab(text[end - 1])) --end;
    if (end == text.size() || end == 0) return std::nullopt;
    const std::optional<int32_t> number = strictToInt(text.substr(0, end));
    trailingBlanks = number.has_value();
    return number;
}

// The number of a "T" line: "T", blanks, the number, nothing after it but blanks.
std::optional<int32_t> triggerNumber(std::string_view line) {
    std::string_view text = line.substr(1);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || blankOrTab(text.back())))
        text.remove_suffix(1);
    while (!text.empty() && blankOrTab(text.front())) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    return strictToInt(text);
}

// Notes the form of every room read; the first room's is the zone's.
class FormLog {
public:
    explicit FormLog(WorldFormReport& report) : report_(report) {}
    void note(WorldForm form, int32_t vnum, size_t headerPosition, const WldLineReader& in) {
        if (!any_) {
            any_ = true;
            report_.form = form;
        } else if (form != report_.form && report_.otherFormRooms++ == 0) {
            report_.firstOtherVnum = vnum;
            report_.firstOtherLine = in.lineAt(headerPosition);
        }
    }

    void endMarker(int line, int32_t number) {
        report_.endMarkerLine = line;
        report_.endMarkerNumber = number;
    }

private:
    WorldFormReport& report_;
    bool any_ = false;
};

// The main loop over the top-level lines.
WorldReadResult readRooms(WldReadContext& ctx, WorldStore& store, LoadProgress& progress, bool checkOrder,
                          int64_t hashCount, FormLog& forms) {
    int32_t headerNumber = -1;
    int64_t roomsRead = 0;
    // The room that "T" lines go to: the last room read, when it is of the newer form.
    RoomDataType* triggerRoom = nullptr;
    const auto offendingLine = [&](std::string_view line) {
        std::string message = "Format error in world file near room " + std::to_string(headerNumber) +
                              "\r\n.  Offending line: ";
        message.append(line);
        ctx.report(message);
        return WorldReadResult::Failed;
    };
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
                const size_t headerPosition = ctx.in.position() - line.text.size();
                const std::string numberText = stripLineBreaks(line.text.substr(1));
                const std::optional<int32_t> number = headerRoomNumber(numberText, ctx.headerTrailingBlanks);
                if (!number) {
                    ctx.report(notValidIntegerMessage(numberText));
                    return WorldReadResult::ConversionFailed;
                }
                headerNumber = *number;
                if (headerNumber < 0) {
                    ctx.report("Format error after room " + std::to_string(previousNumber));
                    return WorldReadResult::Failed;
                }
                if (headerNumber >= kEndOfRoomNumbers) {
                    forms.endMarker(ctx.in.lineAt(headerPosition), headerNumber);
                    return WorldReadResult::Success;
                }
                progress.setTitle(std::to_string(headerNumber));
                ++roomsRead;
                triggerRoom = nullptr;
                ctx.roomForm.reset();
                const ReadStep step = readRoom(ctx, store, headerNumber, checkOrder);
                if (ctx.roomForm) forms.note(*ctx.roomForm, headerNumber, headerPosition, ctx.in);
                switch (step) {
                    case ReadStep::Ok:
                        if (*ctx.roomForm == WorldForm::Newer) triggerRoom = store.current()->room.get();
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
            case 'T': {
                // A trigger of the room just read; after a room of the classic form, or
                // before any room, the line is as wrong as it always was.
                const std::optional<int32_t> trigger = triggerRoom ? triggerNumber(line.text) : std::nullopt;
                if (!trigger) return offendingLine(line.text);
                addTrigger(*triggerRoom, *trigger);
                break;
            }
            case '\r':
            case '\n':
                break;  // blank lines between rooms
            default:
                return offendingLine(line.text);
        }
    }
}

}  // namespace

WorldReadResult readWorldIntoStore(std::string_view data, WorldStore& store, Prompts& prompts,
                                   LoadProgress& progress, bool checkOrder, int* readerLine,
                                   RoomLineLog* roomLines, WorldFormReport* forms) {
    WldLineReader in(data);
    const int64_t hashCount = in.countHashes();
    progress.clearCancel();
    progress.show();
    WldReadContext ctx{in, prompts, readerLine};
    ctx.roomLines = roomLines;
    WorldFormReport report;
    FormLog formLog(report);
    const WorldReadResult result = readRooms(ctx, store, progress, checkOrder, hashCount, formLog);
    store.zoneForm = report.form;
    if (forms) *forms = report;
    // Hidden on every path, a conversion failure included.
    progress.hide();
    return result;
}
