#include "defs/definition_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "world/flag_letters.h"
#include "world/platform_files.h"
#include "world/strict_int.h"
#include "world/utf8.h"

const char* const kBitvectorLimitNote =
    "The maximum positive number is (2^31)-1, which means there is a maximum of 31 bitvector values, "
    "from 2^0-2^30, instead of the normal 32.  Sorry, it's THE COMPILER's fault for having defined "
    "ULONG's max as (2^31)-1 instead of (2^32)-1.  Please use letters a-z and A-E for your "
    "bitvectors, max value 1073741824 (2^30).  (Essentially, signed and unsigned numbers are the "
    "same thing!)";

namespace {
constexpr int kEndOfFileByte = 26;  // Ctrl-Z
// A number token longer than this cannot be a 32-bit integer worth keeping; it is read to
// its end but only this much is kept, and the cut token is refused as not a number.
constexpr size_t kMaxNumberToken = 64;

bool isBlank(int c) { return c == ' ' || c == '\t'; }
bool isLineEnd(int c) { return c == '\r' || c == '\n'; }
bool isAsciiLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Walks a definition file byte by byte, so that a line of any length costs no memory
// beyond the fields that are kept; the few bytes of one character are looked at ahead,
// so that a field is cut after a whole character. Knows the file's own line number.
class DefinitionLineReader {
public:
    static constexpr int kEnd = -1;

    // Reads through the stream, not its buffer: the stream turns a read error (which a
    // file buffer throws) into its bad state, which the caller reports.
    explicit DefinitionLineReader(std::istream& in) : in_(in) {}

    int line() const { return line_; }

    int peek() { return byteAt(0); }
    bool atEnd() { return peek() == kEnd; }
    bool atLineEnd() {
        const int c = peek();
        return c == kEnd || isLineEnd(c);
    }

    void skipBlanks() {
        while (isBlank(peek())) advance(1);
    }
    // Blanks, tabs and whole empty lines, up to the start of the next field or the end.
    void skipBlanksAndLineEnds() {
        for (;;) {
            const int c = peek();
            if (isBlank(c))
                advance(1);
            else if (isLineEnd(c))
                consumeLineEnd();
            else
                return;
        }
    }
    // Everything up to and including the end of the current line.
    void skipRestOfLine() {
        while (!atLineEnd()) advance(1);
        consumeLineEnd();
    }
    // Up to the next blank, tab or line end; at most maxKept characters are kept and the
    // second value tells whether the word was longer.
    std::pair<std::string, bool> takeWord(size_t maxKept, bool stopAtLimit) {
        std::string word;
        size_t kept = 0;
        bool cut = false;
        while (!atLineEnd() && !isBlank(peek())) {
            const size_t length = characterLength();
            if (kept == maxKept) {
                cut = true;
                if (stopAtLimit) break;
            } else {
                word.append(ahead_, 0, length);
                ++kept;
            }
            advance(length);
        }
        return {word, cut};
    }
    // Up to the line end, at most maxKept characters.
    std::string takeToLineEnd(size_t maxKept) {
        std::string text;
        for (size_t kept = 0; kept < maxKept && !atLineEnd(); ++kept) {
            const size_t length = characterLength();
            text.append(ahead_, 0, length);
            advance(length);
        }
        return text;
    }
    // The first ASCII letter of the rest of the line, passing over every other byte;
    // nullopt when the line ends first.
    std::optional<char> scanForLetter() {
        while (!atLineEnd()) {
            const int c = peek();
            advance(1);
            if (isAsciiLetter(c)) return static_cast<char>(c);
        }
        return std::nullopt;
    }

private:
    // The byte `offset` places ahead, read from the stream when needed; kEnd at the end
    // of the input or at a Ctrl-Z.
    int byteAt(size_t offset) {
        while (ahead_.size() <= offset && !ended_) {
            const auto c = in_.get();
            if (c == std::char_traits<char>::eof() || c == kEndOfFileByte)
                ended_ = true;
            else
                ahead_.push_back(static_cast<char>(c));
        }
        return offset < ahead_.size() ? static_cast<unsigned char>(ahead_[offset]) : kEnd;
    }
    // Bytes of the character at hand (not at the end): a UTF-8 sequence holds at most 4.
    size_t characterLength() {
        byteAt(3);
        return static_cast<size_t>(utf8CharacterLength(ahead_, 0));
    }
    void advance(size_t bytes) { ahead_.erase(0, bytes); }
    // CR LF, a lone LF or a lone CR each end one line.
    void consumeLineEnd() {
        const int c = peek();
        if (!isLineEnd(c)) return;
        advance(1);
        if (c == '\r' && peek() == '\n') advance(1);
        ++line_;
    }

    std::istream& in_;
    std::string ahead_;  // read from the stream, not yet taken: at most one character
    bool ended_ = false;
    int line_ = 1;
};

// The number that starts a line, or nullopt when the token is not a 32-bit integer.
std::optional<int32_t> readNumberToken(DefinitionLineReader& reader) {
    auto [token, cut] = reader.takeWord(kMaxNumberToken, false);
    if (cut) return std::nullopt;
    return strictToInt(token);
}

// 'A'..'E' name bits 26..30; 'F' names the sign bit, which is no flag.
int32_t letterBitValue(char letter) { return int32_t{1} << flagLetterBit(letter); }

bool letterNamesAFlag(char letter) {
    const int bit = flagLetterBit(letter);
    return bit >= 0 && bit <= kHighestFlagBit;
}

// Name (one word of at most 20 characters; the rest of a longer word begins the
// description) and description (at most 80 characters) of the rest of the line.
std::pair<std::string, std::string> readNameAndDescription(DefinitionLineReader& reader) {
    reader.skipBlanks();
    std::string name = reader.takeWord(kMaxDefinitionNameLength, true).first;
    reader.skipBlanks();
    std::string description = reader.takeToLineEnd(kMaxDefinitionDescriptionLength);
    reader.skipRestOfLine();
    return {std::move(name), std::move(description)};
}

std::string lineMessage(const char* subject, int line, const std::string& problem) {
    return std::string("ERROR in ") + subject + " definition, line " + std::to_string(line) + ": " + problem;
}

void clearForReading(BitvectorTable& table) {
    table.clear();
    table.values.fill(-1);
}

// Opens path for reading. nullopt when it does not exist (silent); false after reporting
// a file that exists but cannot be read.
std::optional<bool> openDefinitionFile(const std::string& path, std::ifstream& in, Prompts& prompts) {
    std::error_code error;
    const std::filesystem::path file = platform::fsPath(path);
    if (!std::filesystem::exists(file, error)) return std::nullopt;
    if (std::filesystem::is_directory(file, error)) {
        prompts.message(path + ": " + std::strerror(EISDIR));
        return false;
    }
    errno = 0;
    in.open(file, std::ios::binary);
    if (!in.is_open()) {
        prompts.message(path + ": " + std::strerror(errno != 0 ? errno : EIO));
        return false;
    }
    return true;
}

std::string nameOrQuestionMark(const DefinitionTable& table, int slot) {
    return table.names[slot].empty() ? std::string("?") : table.names[slot];
}
}  // namespace

std::string definitionFilePath(const std::string& directory, const std::string& fileName) {
    return platform::joinPath(directory, fileName);
}

std::string bitvectorInvalidNumberMessage(int line) {
    return lineMessage("bitvector", line, "Invalid number.");
}

std::string bitvectorPowerOfTwoMessage(int line) {
    return lineMessage("bitvector", line,
                       "Number must be power of two, max 2^" + std::to_string(kHighestFlagBit) + ".");
}

std::string sectorInvalidNumberMessage(int line) {
    return lineMessage("sector type", line, "Invalid number.");
}

namespace {
struct Entry {
    std::string name;
    int32_t value;
    std::string description;
};

// Reads entry lines into slots 1.. of the cleared table, Table::kEntries at most. Every
// line starts with a number: one that is not an integer is reported (invalidNumber of
// the line) and its line skipped; otherwise entryOf reads the rest of the line after
// the number, to its end, and gives the entry, or nullopt when the line gives none.
template <typename Table, typename EntryOf>
void readEntryLines(std::istream& in, Table& table, Prompts& prompts, std::string (*invalidNumber)(int),
                    EntryOf entryOf) {
    DefinitionLineReader reader(in);
    int entry = 1;
    while (entry <= Table::kEntries) {
        reader.skipBlanksAndLineEnds();
        if (reader.atEnd()) break;
        const int line = reader.line();
        const std::optional<int32_t> value = readNumberToken(reader);
        if (!value) {
            prompts.message(invalidNumber(line));
            reader.skipRestOfLine();
            continue;
        }
        if (std::optional<Entry> read = entryOf(reader, line, *value)) {
            table.setEntry(entry, std::move(read->name), read->value, std::move(read->description));
            ++entry;
        }
    }
    table.count = entry - 1;
}
}  // namespace

void readBitvectorDefinitions(std::istream& in, BitvectorTable& table, Prompts& prompts) {
    clearForReading(table);
    readEntryLines(in, table, prompts, bitvectorInvalidNumberMessage,
                   [&prompts](DefinitionLineReader& reader, int line, int32_t value) -> std::optional<Entry> {
                       const std::optional<char> letter = reader.scanForLetter();
                       if (!letter) {  // a number and no letter: not an entry, and not worth a message
                           reader.skipRestOfLine();
                           return std::nullopt;
                       }
                       if (bitPosition(value) == -1) {
                           prompts.message(bitvectorPowerOfTwoMessage(line));
                           if (!letterNamesAFlag(*letter)) {
                               prompts.message(kBitvectorLimitNote);
                               reader.skipRestOfLine();
                               return std::nullopt;
                           }
                           value = letterBitValue(*letter);  // the letter rescues the line
                       }
                       auto [name, description] = readNameAndDescription(reader);
                       // A line that ends right after its letter still defines the flag;
                       // "?" is what the writer puts for a nameless flag, so the entry
                       // reads back the same after a save. The value wins over the
                       // file's letter: the entry takes the letter of its value's bit.
                       if (name.empty()) name = "?";
                       return Entry{std::move(name), value, std::move(description)};
                   });
}

void readSectorDefinitions(std::istream& in, SectorTable& table, Prompts& prompts) {
    table.clear();
    readEntryLines(in, table, prompts, sectorInvalidNumberMessage,
                   [](DefinitionLineReader& reader, int, int32_t value) -> std::optional<Entry> {
                       reader.skipBlanks();
                       if (reader.atLineEnd()) {  // a number alone: not an entry
                           reader.skipRestOfLine();
                           return std::nullopt;
                       }
                       auto [name, description] = readNameAndDescription(reader);
                       return Entry{std::move(name), value, std::move(description)};
                   });
}

namespace {
template <typename Table, typename Read>
void loadDefinitions(std::istream& in, const std::string& source, Table& table, Prompts& prompts, Read read) {
    Table result;
    errno = 0;
    read(in, result, prompts);
    if (in.bad()) {
        prompts.message(source + ": " + std::strerror(errno != 0 ? errno : EIO));
        return;
    }
    table = std::move(result);
}
}  // namespace

void loadBitvectorDefinitions(std::istream& in, const std::string& source, BitvectorTable& table,
                              Prompts& prompts) {
    loadDefinitions(in, source, table, prompts, readBitvectorDefinitions);
}

void loadSectorDefinitions(std::istream& in, const std::string& source, SectorTable& table, Prompts& prompts) {
    loadDefinitions(in, source, table, prompts, readSectorDefinitions);
}

void loadBitvectorFile(const std::string& path, BitvectorTable& table, Prompts& prompts) {
    std::ifstream in;
    if (openDefinitionFile(path, in, prompts) == true) loadBitvectorDefinitions(in, path, table, prompts);
}

void loadSectorFile(const std::string& path, SectorTable& table, Prompts& prompts) {
    std::ifstream in;
    if (openDefinitionFile(path, in, prompts) == true) loadSectorDefinitions(in, path, table, prompts);
}

namespace {
// The fields before the name: the flag's value and its bit's letter, the sector's number.
std::string valueFields(const BitvectorTable&, int32_t value) { return std::to_string(value) + ' ' + bitLetter(value); }
std::string valueFields(const SectorTable&, int32_t value) { return std::to_string(value); }
}  // namespace

template <typename Table>
std::string definitionFileText(const Table& table) {
    std::string text;
    for (int slot = 1; slot <= Table::kEntries; ++slot) {
        const int32_t value = table.values[slot];
        if (!Table::inUse(value)) continue;  // a free slot
        text += valueFields(table, value) + ' ' + nameOrQuestionMark(table, slot) + ' ' + table.descriptions[slot] +
                "\r\n";
    }
    return text;
}

template std::string definitionFileText(const BitvectorTable&);
template std::string definitionFileText(const SectorTable&);
