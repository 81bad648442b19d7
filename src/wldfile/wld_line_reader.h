#pragma once
// Sequential reading of world-file data held in memory. The data ends at its last byte
// or at the first byte 26 (Ctrl-Z), whichever comes first: nothing after a Ctrl-Z exists.
//
// Lines come in pieces of at most 512 bytes; a longer physical line is returned as
// several pieces, each counting as a line. Number tokens are at most 32 bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

constexpr size_t kLinePieceBytes = 512;
constexpr size_t kNumberTokenBytes = 32;
constexpr char kEndOfDataByte = 26;

// The data as far as it is read: up to the first byte 26.
std::string_view worldDataBeforeCtrlZ(std::string_view data);

enum class LineStatus {
    MoreData = 0,  // a line was read and the data goes on
    LastLine = 1,  // a line was read and the data ended with it
    NoLine = 2,    // the data had already ended
};

struct LinePiece {
    std::string_view text;  // keeps its CR and LF; empty only with NoLine
    LineStatus status;
};

class WldLineReader {
public:
    // Reads data up to its first byte 26.
    explicit WldLineReader(std::string_view data) : data_(worldDataBeforeCtrlZ(data)) {}

    // Number of "#" bytes in the data, those inside texts included.
    int64_t countHashes() const;

    bool atEnd() const { return pos_ >= data_.size(); }
    size_t position() const { return pos_; }

    // Up to and including the next LF, at most 512 bytes.
    LinePiece readLine();

    // One token of bytes above 32 after any bytes of 32 or less, at most 32 bytes; the
    // byte that stops it stays unread. At the end of the data: 0 and valid. nullopt when
    // the token is not a valid integer.
    std::optional<int32_t> readNumber();

    // Drops the bytes of 32 or less before the next token, as readNumber does.
    void skipSpace();
    // The bytes from here up to the next LF (not included), at most limit of them; nothing is read.
    std::string_view peekLine(size_t limit) const;
    // Drops n bytes (at most the rest of the data).
    void skip(size_t n) { pos_ += std::min(n, data_.size() - pos_); }

    // Drops bytes up to and including the first blank or LF.
    void skipPastBlankOrLf();
    // The bytes up to the next blank or LF (or the end of the data); the stopping byte is
    // consumed. A CR before an LF stays in the token.
    std::string_view readUntilBlankOrLf();

    // 1-based number of the line holding the last byte read (1 before any byte).
    int lineNumber();
    // 1-based number of the line holding the byte at position, counted from the start:
    // for a question asked once per read.
    int lineAt(size_t position) const;

private:
    std::string_view data_;
    size_t pos_ = 0;
    // Lines are counted lazily and incrementally, so asking often stays linear.
    size_t countedUpTo_ = 0;
    int linesBefore_ = 0;
};
