#include "wldfile/wld_strings.h"

#include <cstring>

namespace {

const char* findByte(std::string_view text, char byte) {
    return static_cast<const char*>(std::memchr(text.data(), byte, text.size()));
}

// Appends text without its CR bytes.
void appendWithoutCr(std::string& out, std::string_view text) {
    while (const char* cr = findByte(text, '\r')) {
        const size_t at = static_cast<size_t>(cr - text.data());
        out.append(text.data(), at);
        text.remove_prefix(at + 1);
    }
    out.append(text);
}

// Appends one line's characters (a line holds an LF only as its last byte): LF becomes
// CR LF, CR is dropped, the first "~" adds CR LF and ends the text, a byte 0 drops the
// rest of the line. Gives true when a "~" ended the text.
bool appendLine(std::string& text, std::string_view line) {
    const bool endsWithLf = !line.empty() && line.back() == '\n';
    std::string_view body = endsWithLf ? line.substr(0, line.size() - 1) : line;
    const char* tilde = findByte(body, '~');
    if (tilde) body = body.substr(0, static_cast<size_t>(tilde - body.data()));
    if (const char* nul = findByte(body, '\0')) {
        appendWithoutCr(text, body.substr(0, static_cast<size_t>(nul - body.data())));
        return false;
    }
    appendWithoutCr(text, body);
    if (tilde || endsWithLf) text += "\r\n";
    return tilde != nullptr;
}

// A "~" ends the file's line it stands on, however long that line is: the pieces of it
// that follow are dropped too, so they cannot turn into the start of the next text.
void dropRestOfLine(WldReadContext& ctx, LinePiece piece) {
    while (piece.text.back() != '\n' && piece.status == LineStatus::MoreData) piece = ctx.in.readLine();
}

// Reads one text into ctx.scratch.
void readTildeText(WldReadContext& ctx, std::string_view context) {
    std::string& text = ctx.scratch;
    text.clear();
    for (;;) {
        const LinePiece line = ctx.in.readLine();
        if (line.status == LineStatus::NoLine) {
            std::string message = "SYSERR: fread_string: format error at or near ";
            message.append(context);
            ctx.report(message);
            return;
        }
        if (line.text.front() == '~' || appendLine(text, line.text)) {
            dropRestOfLine(ctx, line);
            return;
        }
        // A line that ended the data ends the text too.
        if (line.status != LineStatus::MoreData) return;
    }
}

}  // namespace

std::string freadString(WldReadContext& ctx, std::string_view context) {
    readTildeText(ctx, context);
    return ctx.scratch;
}

std::string freadOneLine(WldReadContext& ctx, std::string_view context) {
    readTildeText(ctx, context);
    return stripLineBreaks(ctx.scratch);
}

std::string stripLineBreaks(std::string_view text) {
    size_t kept = 0;
    size_t end = 0;
    for (; end < text.size() && text[end] != 0 && text[end] != kEndOfDataByte; ++end)
        kept += text[end] != '\r' && text[end] != '\n';
    std::string stripped;
    stripped.reserve(kept);
    for (size_t i = 0; i < end; ++i)
        if (text[i] != '\r' && text[i] != '\n') stripped += text[i];
    return stripped;
}
