#include "world/strict_int.h"

#include "world/prompts.h"

namespace {
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::optional<int32_t> strictToInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    if (i == text.size()) return std::nullopt;
    // Accumulate the magnitude; the limit allows -2147483648 but not +2147483648.
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = base == 16 ? hexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -value : value);
}

std::string notValidIntegerMessage(std::string_view text) {
    std::string message = "'";
    message.append(text);
    message += "' is not a valid integer value";
    return message;
}

std::optional<int32_t> strictToIntOrSay(std::string_view text, Prompts& prompts) {
    const std::optional<int32_t> value = strictToInt(text);
    if (!value) prompts.message(notValidIntegerMessage(text));
    return value;
}
