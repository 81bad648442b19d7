#include "wldfile/wld_line_reader.h"

#include <algorithm>
#include <cstring>

#include "world/strict_int.h"

std::string_view worldDataBeforeCtrlZ(std::string_view data) {
    const void* stop = std::memchr(data.data(), kEndOfDataByte, data.size());
    if (!stop) return data;
    return data.substr(0, static_cast<size_t>(static_cast<const char*>(stop) - data.data()));
}

namespace {

// The LF bytes among n bytes, eight at a time: a tool that asks for the line of every
// room and exit block counts the whole file once, and a byte-by-byte count of a large
// zone would cost more than reading it.
size_t countLineFeeds(const char* p, size_t n) {
    constexpr uint64_t kOnes = 0x0101010101010101ull;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    constexpr uint64_t kLowByte = 0x00FF00FF00FF00FFull;
    size_t count = 0;
    size_t i = 0;
    while (i + 8 <= n) {
        // Byte counters in one word; at most 255 rounds before they are added up.
        uint64_t counters = 0;
        for (int round = 0; round < 255 && i + 8 <= n; ++round, i += 8) {
            uint64_t word;
            std::memcpy(&word, p + i, 8);
            word ^= kOnes * '\n';  // an LF becomes a zero byte
            // The high bit of each byte is set exactly when the byte is zero.
            const uint64_t zero = ~(((word & kLow7) + kLow7) | word | kLow7);
            counters += zero >> 7;
        }
        const uint64_t pairs = (counters & kLowByte) + ((counters >> 8) & kLowByte);
        count += static_cast<size_t>((pairs * 0x0001000100010001ull) >> 48);
    }
    for (; i < n; ++i) count += p[i] == '\n';
    return count;
}

}  // namespace

int64_t WldLineReader::countHashes() const {
    int64_t count = 0;
    for (const char *p = data_.data(), *end = p + data_.size();
         (p = static_cast<const char*>(std::memchr(p, '#', static_cast<size_t>(end - p)))); ++p)
        ++count;
    return count;
}

LinePiece WldLineReader::readLine() {
    if (atEnd()) return {{}, LineStatus::NoLine};
    const size_t limit = std::min(kLinePieceBytes, data_.size() - pos_);
    const char* start = data_.data() + pos_;
    const void* lf = std::memchr(start, '\n', limit);
    const size_t length = lf ? static_cast<size_t>(static_cast<const char*>(lf) - start) + 1 : limit;
    pos_ += length;
    return {std::string_view(start, length), atEnd() ? LineStatus::LastLine : LineStatus::MoreData};
}

std::optional<int32_t> WldLineReader::readNumber() {
    while (!atEnd() && static_cast<unsigned char>(data_[pos_]) <= 32) ++pos_;
    if (atEnd()) return 0;
    const size_t start = pos_;
    while (!atEnd() && pos_ - start<kNumberTokenBytes&& static_cast<unsigned char>(data_[pos_])> 32) ++pos_;
    return strictToInt(data_.substr(start, pos_ - start));
}

void WldLineReader::skipSpace() {
    while (!atEnd() && static_cast<unsigned char>(data_[pos_]) <= 32) ++pos_;
}

std::string_view WldLineReader::peekLine(size_t limit) const {
    const std::string_view rest = data_.substr(pos_, limit);
    const void* lf = std::memchr(rest.data(), '\n', rest.size());
    return lf ? rest.substr(0, static_cast<size_t>(static_cast<const char*>(lf) - rest.data())) : rest;
}

void WldLineReader::skipPastBlankOrLf() {
    while (!atEnd()) {
        const char c = data_[pos_++];
        if (c == ' ' || c == '\n') return;
    }
}

std::string_view WldLineReader::readUntilBlankOrLf() {
    const size_t start = pos_;
    while (!atEnd() && data_[pos_] != ' ' && data_[pos_] != '\n') ++pos_;
    std::string_view token = data_.substr(start, pos_ - start);
    if (!atEnd()) ++pos_;
    return token;
}

int WldLineReader::lineAt(size_t position) const {
    return static_cast<int>(countLineFeeds(data_.data(), std::min(position, data_.size()))) + 1;
}

int WldLineReader::lineNumber() {
    // The last byte read belongs to the line that it is part of (an LF to the line it ends).
    const size_t lastRead = pos_ == 0 ? 0 : pos_ - 1;
    if (lastRead > countedUpTo_) {
        linesBefore_ +=
            static_cast<int>(countLineFeeds(data_.data() + countedUpTo_, lastRead - countedUpTo_));
        countedUpTo_ = lastRead;
    }
    return linesBefore_ + 1;
}
