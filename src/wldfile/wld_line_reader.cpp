#include "wldfile/wld_line_reader.h"

#include <algorithm>
#include <cstring>

#include "world/strict_int.h"

std::string_view worldDataBeforeCtrlZ(std::string_view data) {
    const void* stop = std::memchr(data.data(), kEndOfDataByte, data.size());
    if (!stop) return data;
    return data.substr(0, static_cast<size_t>(static_cast<const char*>(stop) - data.data()));
}

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

int WldLineReader::lineNumber() {
    // The last byte read belongs to the line that it is part of (an LF to the line it ends).
    const size_t lastRead = pos_ == 0 ? 0 : pos_ - 1;
    if (lastRead > countedUpTo_) {
        linesBefore_ +=
            static_cast<int>(std::count(data_.begin() + countedUpTo_, data_.begin() + lastRead, '\n'));
        countedUpTo_ = lastRead;
    }
    return linesBefore_ + 1;
}
