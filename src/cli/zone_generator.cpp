#include "cli/zone_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "wldfile/bitvector_format.h"
#include "world/room.h"

namespace {

// splitmix64: small, fast and the same on every platform.
uint64_t mix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() { return mix(state_++ * 0x2545F4914F6CDD1Dull + 0x632BE59BD9B4E019ull); }
    // A value in 0..n-1; the tiny bias of the modulo does not matter here.
    uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() % n); }
    bool chance(uint32_t percent) { return below(100) < percent; }

private:
    uint64_t state_;
};

constexpr std::array<std::string_view, 16> kAdjectives = {
    "Dark", "Misty", "Narrow", "Quiet", "Crumbling", "Sunlit", "Damp", "Hollow",
    "Ancient", "Windy", "Silent", "Golden", "Frozen", "Mossy", "Smoky", "Café"};
constexpr std::array<std::string_view, 12> kPlaces = {
    "Grove", "Hall", "Passage", "Cellar", "Bridge", "Market", "Tower", "Chapel",
    "Crossing", "Garden", "Tunnel", "Courtyard"};
constexpr std::array<std::string_view, 40> kWords = {
    "old",   "trees", "lean",  "over",   "a",      "narrow", "path",  "the",   "wind",   "carries",
    "dust",  "from",  "far",   "away",   "stones", "lie",    "in",    "heaps", "along",  "wall",
    "light", "falls", "thin",  "through", "cracks", "water", "drips", "slowly", "into", "pools",
    "moss",  "grows", "thick", "on",     "every",  "step",   "#3",    "small", "rats",   "hide"};
constexpr std::array<std::string_view, kDirectionCount> kDirectionNames = {"north", "east",  "south",
                                                                            "west",  "above", "below"};

// The rooms fill a width x height x levels block, cell by cell (x fastest, then y, then
// level); the last row may be partial. Numbering starts at the block's centre cell, so
// the lowest room, where the automatic layout starts, sits at the middle of the grid and
// the block stays inside the grid's 100 x 100 x 10 cells.
struct Block {
    int rooms = 0, width = 1, height = 1, levels = 1;
    int centre = 0;  // cell of the lowest room number
    int32_t firstVnum = 0;

    Block(int roomCount, int zone) : rooms(roomCount) {
        levels = std::max(1, std::min(10, (rooms + 9999) / 10000));
        const int perLevel = (rooms + levels - 1) / levels;
        width = height = std::max(1, std::min(100, static_cast<int>(std::ceil(std::sqrt(perLevel)))));
        while (width * height < perLevel) ++width;  // guards against rounding of sqrt
        const int cx = (width - 1) / 2, cy = (height - 1) / 2, cz = levels / 2;
        centre = (cz * height + cy) * width + cx;
        if (centre >= rooms) centre = 0;
        firstVnum = generatedFirstVnum(rooms, zone);
    }
    int32_t vnumOfCell(int cell) const { return firstVnum + (cell - centre + rooms) % rooms; }
    int cellOfRoom(int ordinal) const { return (ordinal + centre) % rooms; }
    // The neighbouring cell in a direction, or -1 outside the block or past the last room.
    int neighbour(int cell, int direction) const {
        int x = cell % width, y = (cell / width) % height, z = cell / (width * height);
        switch (direction) {
            case North: --y; break;
            case East: ++x; break;
            case South: ++y; break;
            case West: --x; break;
            case Up: ++z; break;
            default: --z; break;
        }
        if (x < 0 || x >= width || y < 0 || y >= height || z < 0 || z >= levels) return -1;
        const int n = (z * height + y) * width + x;
        return n < rooms ? n : -1;
    }
};

void appendWords(std::string& out, Random& random, int count) {
    for (int i = 0; i < count; ++i) {
        if (i) out += ' ';
        out += kWords[random.below(kWords.size())];
    }
}

// One to several lines, each ending in LF, then the "~" line.
void appendDescription(std::string& out, Random& random, int minLines, int maxLines) {
    const int lines = minLines + static_cast<int>(random.below(maxLines - minLines + 1));
    for (int i = 0; i < lines; ++i) {
        out += i == 0 ? "The " : "";
        appendWords(out, random, 6 + static_cast<int>(random.below(7)));
        out += ".\n";
    }
    out += "~\n";
}

void appendNumber(std::string& out, int64_t value) { out += std::to_string(value); }

// Door flag, keywords and key belong to the passage, not to one side of it, so both
// rooms derive them from the same value.
void appendExit(std::string& out, const Block& block, uint32_t seed, Random& random, int cell, int direction,
                int other) {
    const int axis = direction == North || direction == South ? 0 : direction == East || direction == West ? 1 : 2;
    const uint64_t passage = mix(seed ^ mix(static_cast<uint64_t>(std::min(cell, other)) * 3 + axis));
    const int doorFlag = passage % 10 == 0 ? 1 : passage % 10 == 1 ? 2 : 0;
    out += 'D';
    appendNumber(out, direction);
    out += '\n';
    if (random.chance(50)) {
        out += "A way leads ";
        out += kDirectionNames[direction];
        out += ".\n";
    }
    out += "~\n";
    if (doorFlag) out += (passage >> 8) % 2 ? "door oak" : "gate iron";
    out += "~\n";
    const int64_t key = doorFlag && (passage >> 9) % 2 ? block.firstVnum + (passage >> 10) % block.rooms : -1;
    appendNumber(out, doorFlag);
    out += ' ';
    appendNumber(out, key);
    out += ' ';
    appendNumber(out, block.vnumOfCell(other));
    out += '\n';
}

void appendRoom(std::string& out, const Block& block, uint32_t seed, int zone, int ordinal) {
    const int cell = block.cellOfRoom(ordinal);
    Random random(mix(seed) ^ mix(static_cast<uint64_t>(cell) + 1));
    out += '#';
    appendNumber(out, block.vnumOfCell(cell));
    out += '\n';
    out += "The ";
    out += kAdjectives[random.below(kAdjectives.size())];
    out += ' ';
    out += kPlaces[random.below(kPlaces.size())];
    out += "~\n";
    appendDescription(out, random, 2, 6);

    int32_t bitvector = 0;
    // Flags the built-in definitions name (DARK .. GODROOM), so that lint finds nothing.
    for (uint32_t i = random.below(4); i > 0; --i) bitvector |= int32_t{1} << random.below(11);
    appendNumber(out, zone);
    out += ' ';
    out += bitvectorToLetters(bitvector);
    out += ' ';
    appendNumber(out, random.below(10));
    out += '\n';

    for (int d = 0; d < kDirectionCount; ++d) {
        const int other = block.neighbour(cell, d);
        // An exit to room 0 would read as no exit; that room is the first and is
        // reached by the layout without one.
        if (other >= 0 && block.vnumOfCell(other) != 0) appendExit(out, block, seed, random, cell, d, other);
    }
    if (random.chance(25)) {
        for (uint32_t i = 1 + random.below(2); i > 0; --i) {
            out += "E\nsign old~\n";
            appendDescription(out, random, 1, 2);
        }
    }
    out += "S\n";
}

}  // namespace

int32_t generatedFirstVnum(int rooms, int zone) {
    const int64_t fromZone = static_cast<int64_t>(zone) * 100;
    return fromZone + rooms <= kMaxGeneratedRooms ? static_cast<int32_t>(fromZone) : 0;
}

std::string generateZone(int rooms, uint32_t seed, int zone) {
    if (rooms < 0 || rooms > kMaxGeneratedRooms)
        throw std::invalid_argument("the room count must lie between 0 and " + std::to_string(kMaxGeneratedRooms));
    if (zone < 0) throw std::invalid_argument("the zone number must not be negative");
    std::string out;
    if (rooms > 0) {
        const Block block(rooms, zone);
        out.reserve(static_cast<size_t>(rooms) * 640);
        for (int ordinal = 0; ordinal < rooms; ++ordinal) appendRoom(out, block, seed, zone, ordinal);
    }
    out += "$\n";
    return out;
}
