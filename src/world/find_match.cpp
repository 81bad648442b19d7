#include "world/find_match.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <string_view>

namespace {
constexpr char foldAsciiUpper(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void foldInPlace(char* from, char* to) { std::transform(from, to, from, foldAsciiUpper); }
}  // namespace

RoomIndexNode* findMatch(RoomIndexNode* start, const std::string& text, bool forward, bool checkDescription) {
    if (text.empty()) return nullptr;
    std::string needle = text;
    foldInPlace(needle.data(), needle.data() + needle.size());
    const std::boyer_moore_horspool_searcher searcher(needle.begin(), needle.end());

    // One buffer for every node's text: it only grows to the longest text met, so a walk
    // over a large zone allocates a handful of times, not once per room.
    std::string candidate;
    for (RoomIndexNode* node = start; node; node = forward ? node->next : node->prev) {
        if (!node->room) continue;
        const RoomDataType& room = *node->room;
        char number[16];
        const auto written = std::to_chars(number, number + sizeof number, node->vnum);
        candidate.assign(number, written.ptr);
        candidate += ' ';
        candidate += room.name;
        if (checkDescription) candidate += room.description;
        // The number and the blank hold no letters to fold.
        char* const letters = candidate.data() + (written.ptr - number) + 1;
        foldInPlace(letters, candidate.data() + candidate.size());
        if (std::search(candidate.begin(), candidate.end(), searcher) != candidate.end()) return node;
    }
    return nullptr;
}
