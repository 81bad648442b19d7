#include "cli/json_writer.h"

#include "world/utf8.h"

namespace {

void appendEscapedUnit(std::string& out, unsigned unit) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

}  // namespace

void appendJsonString(std::string& out, std::string_view bytes) {
    out += '"';
    for (size_t i = 0; i < bytes.size();) {
        char32_t c;
        const int length = decodeUtf8(bytes, i, c);
        if (length == 0) {
            appendEscapedUnit(out, 0xDC00 + static_cast<unsigned char>(bytes[i]));
            ++i;
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            default:
                if (c < 0x20 || c == 0x7F)
                    appendEscapedUnit(out, c);
                else
                    out.append(bytes.substr(i, length));
        }
        i += length;
    }
    out += '"';
}

std::string jsonString(std::string_view bytes) {
    std::string out;
    appendJsonString(out, bytes);
    return out;
}
