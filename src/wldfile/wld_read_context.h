#pragma once
// What every step of a world-file read shares: the data being read and the way its
// messages reach the user, with the line the reader stood on kept current.
#include <optional>
#include <string>

#include "wldfile/room_lines.h"
#include "wldfile/wld_line_reader.h"
#include "world/prompts.h"

struct WldReadContext {
    WldReadContext(WldLineReader& reader, Prompts& messages, int* line = nullptr)
        : in(reader), prompts(messages), readerLine(line) {}

    WldLineReader& in;
    Prompts& prompts;
    int* readerLine = nullptr;         // may be none
    RoomLineLog* roomLines = nullptr;  // when set, every room read is logged with its lines
    bool headerTrailingBlanks = false;  // of the header line of the room about to be read
    std::optional<WorldForm> roomForm;  // of the room last read, once its flag line was read
    // Texts are built here and copied out at their final size, so that reading a text
    // costs one allocation however many lines it has.
    std::string scratch;

    void report(const std::string& text) {
        if (readerLine) *readerLine = in.lineNumber();
        prompts.message(text);
    }
};
