#pragma once
// Reads the lines of a map position file: four integers (room number, column, row,
// level) separated by any bytes of value 32 or less, line breaks included; the rest of
// the line after the fourth number is skipped. The file is untrusted: any bytes, any
// line length and any token length are read in constant memory.
#include <cstdint>
#include <istream>

struct MapFileLine {
    int32_t vnum = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
};

class MapFileReader {
public:
    explicit MapFileReader(std::istream& in) : in_(*in.rdbuf()) {}

    enum class Result {
        Line,     // line holds the four numbers
        End,      // the data ended; a last line with fewer than four numbers is dropped
        Invalid,  // a token that is not a 32-bit integer: "Invalid numeric input"
    };
    Result next(MapFileLine& line);

private:
    enum class Token { Number, End, Invalid };
    Token readNumber(int32_t& value);
    void skipRestOfLine();

    std::streambuf& in_;
};
