#include "colour/colour_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <optional>

#include "world/platform_files.h"
#include "world/prompts.h"
#include "world/strict_int.h"

namespace {

constexpr const char* kInvalidNumericFormat = "Invalid numeric format";
// An entry number longer than this cannot be a 32-bit integer; the rest of the token is
// passed over without being kept.
constexpr size_t kMaxNumberToken = 64;

bool isBlank(int c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}

// Walks the file byte by byte through its stream buffer.
class ColourTextReader {
public:
    static constexpr int kEnd = -1;

    explicit ColourTextReader(std::istream& in) : buffer_(in.rdbuf()) {}

    int peek() {
        if (buffer_ == nullptr) return kEnd;
        const auto c = buffer_->sgetc();
        return c == std::char_traits<char>::eof() ? kEnd : static_cast<unsigned char>(c);
    }
    bool atEnd() { return peek() == kEnd; }
    int take() {
        const int c = peek();
        if (c != kEnd) buffer_->sbumpc();
        return c;
    }

    // Up to (not including) the next line end or the end of the input.
    std::string restOfLine() {
        std::string text;
        while (!atEnd() && !isLineEnd(peek())) text.push_back(static_cast<char>(take()));
        return text;
    }
    // Past the line end at hand: CR LF, a lone CR or a lone LF.
    void nextLine() {
        const int c = peek();
        if (c == '\r') {
            take();
            if (peek() == '\n') take();
        } else if (c == '\n') {
            take();
        }
    }
    // The entry number: blanks and line ends before it are skipped, and it ends at the
    // next blank or line end. The end of the input before any digit reads as 0.
    std::optional<int32_t> number() {
        while (isBlank(peek()) || isLineEnd(peek())) take();
        if (atEnd()) return 0;
        std::string token;
        bool tooLong = false;
        while (!atEnd() && !isBlank(peek()) && !isLineEnd(peek())) {
            const int c = take();
            if (token.size() < kMaxNumberToken)
                token.push_back(static_cast<char>(c));
            else
                tooLong = true;
        }
        if (tooLong) return std::nullopt;
        return strictToInt(token);
    }

private:
    std::streambuf* buffer_;
};

bool isEntry(int32_t entry) {
    return entry >= 1 && entry <= kColourEntries;
}

void appendRecords(std::string& text, char kind, const ColourEntries<std::string>& codes,
                   const ColourEntries<ColourValue>& colours) {
    for (int i = 1; i <= kColourEntries; ++i) {
        if (codes[i].empty()) continue;
        text += kind;
        text += std::to_string(i);
        text += ' ';
        text += hexText(colours[i]);
        text += "\r\n";
        text += codes[i];
        text += "\r\n";
    }
}

}  // namespace

std::string colourFilePath(const std::string& directory) {
    return platform::joinPath(directory, kColourFileName);
}

std::string colourFileText(const ColourLists& lists) {
    std::string text;
    appendRecords(text, 'f', lists.fgCodes, lists.fgColours);
    appendRecords(text, 'b', lists.bgCodes, lists.bgColours);
    return text;
}

ColourFileRead readColourText(std::istream& in) {
    ColourFileRead read;
    ColourTextReader reader(in);
    while (!reader.atEnd()) {
        const int kind = reader.take();
        const std::optional<int32_t> entry = reader.number();
        if (!entry) {
            read.error = kInvalidNumericFormat;
            break;
        }
        if (kind != 'f' && kind != 'b') continue;
        reader.take();  // the blank between the number and the colour
        const std::string field = reader.restOfLine();
        reader.nextLine();
        std::string code = reader.restOfLine();
        reader.nextLine();
        // Entries outside 1..20 have no place in the lists; their record is passed over.
        if (!isEntry(*entry)) continue;
        if (kind == 'f') {
            read.lists.fgCodes[*entry] = std::move(code);
            read.lists.fgColours[*entry] = parseHex(field);
        } else {
            read.lists.bgCodes[*entry] = std::move(code);
            read.lists.bgColours[*entry] = parseHex(field);
        }
    }
    if (read.error.empty() && in.bad()) read.error = std::strerror(EIO);
    return read;
}

void loadColourFile(ColourScheme& scheme, const std::string& directory, Prompts& prompts) {
    scheme = ColourScheme();
    const std::string path = colourFilePath(directory);
    const std::filesystem::path file = platform::fsPath(path);
    std::error_code exists;
    if (!std::filesystem::exists(file, exists)) return;

    std::error_code kind;
    if (std::filesystem::is_directory(file, kind)) {
        prompts.message(path + ": " + std::strerror(EISDIR));
        return;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
        prompts.message(path + ": " + std::strerror(errno != 0 ? errno : EIO));
        return;
    }
    ColourFileRead read = readColourText(in);
    if (!read.error.empty()) {
        prompts.message(path + ": " + read.error);
        return;
    }
    scheme.saved = std::move(read.lists);
    scheme.working = scheme.saved;
    scheme.loaded = true;
}

bool saveColourFile(ColourScheme& scheme, const std::string& directory, Prompts& prompts) {
    return scheme.writeFile(colourFilePath(directory), prompts);
}
