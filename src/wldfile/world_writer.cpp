#include "wldfile/world_writer.h"

#include <charconv>

#include "wldfile/bitvector_format.h"
#include "world/newer_fields.h"
#include "world/world_store.h"

namespace {

// Appends to one string; every piece of a line goes in by value, the line ends CR LF.
class LineWriter {
public:
    explicit LineWriter(std::string& out) : out_(out) {}
    LineWriter& operator<<(std::string_view text) {
        out_.append(text);
        return *this;
    }
    LineWriter& operator<<(char c) {
        out_.push_back(c);
        return *this;
    }
    LineWriter& operator<<(int32_t number) {
        char digits[16];
        auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
        out_.append(digits, end);
        return *this;
    }
    void endLine() { out_.append("\r\n", 2); }

private:
    std::string& out_;
};

// Room text plus a generous allowance for the fixed lines, so that one reservation
// usually holds the whole file and the build copies nothing.
size_t estimatedSize(const WorldStore& store) {
    size_t size = 8;
    for (const RoomIndexNode* node = store.first(); node; node = node->next) {
        const RoomDataType& room = *node->room;
        size += 80 + room.name.size() + room.description.size();
        for (int d = 0; d < kAllDirectionCount; ++d) {
            if (exitDestination(room, d) == 0) continue;
            size += 48 + exitDetails(room, d).description.size() + exitDetails(room, d).keywords.size();
        }
        size += 16 * roomTriggers(room).size();
        for (const ExtraDescType* e = room.extraDescs; e; e = e->next)
            size += 16 + e->keywords.size() + e->description.size();
    }
    return size;
}

void writeFlagWord(LineWriter& w, int32_t word, bool lettersMode) {
    // A word with bit 31 set is negative as a number, and a reader takes a token that is
    // not all digits for letters: "-2147483648" would come back as 0. Such a word keeps
    // its flags only in the letters form, so it is written that way.
    if (lettersMode || word < 0)
        w << bitvectorToLetters(word);
    else
        w << word;
}

void writeRoom(LineWriter& w, int32_t vnum, const RoomDataType& room, bool lettersMode, WorldForm form) {
    const bool newer = form == WorldForm::Newer;
    w << '#' << vnum;
    w.endLine();
    w << room.name << '~';
    w.endLine();
    w << room.description << '~';
    w.endLine();
    w << room.zone << ' ';
    writeFlagWord(w, room.bitvector, lettersMode);
    if (newer)
        for (int32_t word : flagWords(room)) {
            w << ' ';
            writeFlagWord(w, word, lettersMode);
        }
    w << ' ' << room.sectorType;
    w.endLine();
    // An exit with texts but no destination is left out.
    for (int d = 0; d < (newer ? kAllDirectionCount : kDirectionCount); ++d) {
        const int32_t to = exitDestination(room, d);
        if (to == 0) continue;
        const RoomExitType& exit = exitDetails(room, d);
        w << 'D' << static_cast<char>('0' + d);
        w.endLine();
        w << exit.description << '~';
        w.endLine();
        w << exit.keywords << '~';
        w.endLine();
        w << exit.doorFlag << ' ' << exit.key << ' ' << to;
        w.endLine();
    }
    for (const ExtraDescType* e = room.extraDescs; e; e = e->next) {
        w << 'E';
        w.endLine();
        w << e->keywords << '~';
        w.endLine();
        w << e->description << '~';
        w.endLine();
    }
    w << 'S';
    w.endLine();
    if (!newer) return;
    for (int32_t trigger : roomTriggers(room)) {
        w << "T " << trigger;
        w.endLine();
    }
}

}  // namespace

void appendRoomText(std::string& out, int32_t vnum, const RoomDataType& room, bool lettersMode, WorldForm form) {
    LineWriter w(out);
    writeRoom(w, vnum, room, lettersMode, form);
}

std::string buildWorldText(const WorldStore& store, bool lettersMode,
                           const std::function<void(int32_t)>& roomStarted) {
    std::string text;
    text.reserve(estimatedSize(store));
    LineWriter w(text);
    for (const RoomIndexNode* node = store.first(); node; node = node->next) {
        // The header carries the index node's number.
        if (roomStarted) roomStarted(node->vnum);
        writeRoom(w, node->vnum, *node->room, lettersMode, store.zoneForm);
    }
    w << '$';
    w.endLine();
    return text;
}

std::string stripCarriageReturns(std::string_view text) {
    std::string lfOnly;
    lfOnly.reserve(text.size());
    // Copy the runs between carriage returns in blocks: a byte-by-byte copy is most of a save's time.
    while (!text.empty()) {
        const size_t cr = text.find('\r');
        lfOnly.append(text.substr(0, cr));
        if (cr == std::string_view::npos) break;
        text.remove_prefix(cr + 1);
    }
    return lfOnly;
}

std::string buildMapFileText(const WorldStore& store) {
    std::string text;
    LineWriter w(text);
    for (const RoomIndexNode* node = store.first(); node; node = node->next) {
        const RoomDataType& room = *node->room;
        if (room.mapX <= 0) continue;
        w << node->vnum << ' ' << room.mapX << ' ' << room.mapY << ' ' << room.mapZ;
        w.endLine();
    }
    return text;
}

std::string suggestedFileName(const WorldStore& store) {
    if (store.empty()) return {};
    return std::to_string(store.first()->room->zone);
}
