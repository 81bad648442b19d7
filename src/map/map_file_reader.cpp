#include "map/map_file_reader.h"

#include <string>

#include "world/strict_int.h"

namespace {
constexpr int kEof = std::char_traits<char>::eof();

bool separator(int byte) {
    return byte <= 32;
}  // byte is an unsigned char's value here

// No 32-bit integer needs more characters once its leading zeros are folded into one
// ("-$" and 8 hexadecimal digits, or a sign and 10 decimal digits).
constexpr size_t kLongestNumber = 16;

bool onlyPrefix(const std::string& text) {
    for (char c : text)
        if (c != '-' && c != '+' && c != '$') return false;
    return true;
}
}  // namespace

MapFileReader::Token MapFileReader::readNumber(int32_t& value) {
    int byte = in_.sgetc();
    while (byte != kEof && separator(byte)) byte = in_.snextc();
    if (byte == kEof) return Token::End;
    std::string text;
    bool tooLong = false;
    bool leadingZero = false;  // text ends in a zero that only a prefix stands before
    for (; byte != kEof && !separator(byte); byte = in_.snextc()) {
        const char c = static_cast<char>(byte);
        if (c == '0' && leadingZero) continue;  // a run of leading zeros counts as one
        leadingZero = c == '0' && onlyPrefix(text);
        if (text.size() < kLongestNumber)
            text.push_back(c);
        else
            tooLong = true;
    }
    if (tooLong) return Token::Invalid;
    std::optional<int32_t> number = strictToInt(text);
    if (!number) return Token::Invalid;
    value = *number;
    return Token::Number;
}

void MapFileReader::skipRestOfLine() {
    int byte = in_.sgetc();
    while (byte != kEof && byte != '\n') byte = in_.snextc();
    if (byte == '\n') in_.sbumpc();
}

MapFileReader::Result MapFileReader::next(MapFileLine& line) {
    for (int32_t* field : {&line.vnum, &line.x, &line.y, &line.z}) {
        switch (readNumber(*field)) {
            case Token::Number:
                break;
            case Token::End:
                return Result::End;
            case Token::Invalid:
                return Result::Invalid;
        }
    }
    skipRestOfLine();
    return Result::Line;
}
