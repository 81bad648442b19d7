#include "wldfile/wld_strings.h"

#include <array>

namespace {

// Bytes that freadString does not simply copy.
constexpr std::array<bool, 256> specialInText = [] {
    std::array<bool, 256> table{};
    table['\n'] = table['\r'] = table['~'] = table[0] = table[kEndOfDataByte] = true;
    return table;
}();

bool isSpecial(char c) { return specialInText[static_cast<unsigned char>(c)]; }

// Appends one line's characters; gives true when a "~" ended the text.
bool appendLine(std::string& text, std::string_view line) {
    size_t runStart = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (!isSpecial(c)) continue;
        text.append(line.data() + runStart, i - runStart);
        runStart = i + 1;
        switch (c) {
            case '\n':
                text += "\r\n";
                break;
            case '\r':
                break;
            case '~':
                text += "\r\n";
                return true;
            default:  // byte 0 or 26: the rest of the line is dropped
                return false;
        }
    }
    text.append(line.data() + runStart, line.size() - runStart);
    return false;
}

}  // namespace

std::string freadString(WldReadContext& ctx, std::string_view context) {
    std::string text;
    for (;;) {
        const LinePiece line = ctx.in.readLine();
        if (line.status == LineStatus::NoLine) {
            std::string message = "SYSERR: fread_string: format error at or near ";
            message.append(context);
            ctx.report(message);
            return {};
        }
        if (line.text.front() == '~') return text;
        if (appendLine(text, line.text)) return text;
        // A line that ended the data ends the text too.
        if (line.status != LineStatus::MoreData) return text;
    }
}

std::string stripLineBreaks(std::string_view text) {
    std::string stripped;
    stripped.reserve(text.size());
    for (const char c : text) {
        if (c == 0 || c == kEndOfDataByte) break;
        if (c != '\r' && c != '\n') stripped += c;
    }
    return stripped;
}
