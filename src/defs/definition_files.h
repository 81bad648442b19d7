#pragma once
// rmbitvec.txt and rsectype.txt: the files that replace the built-in flag and sector sets.
// One entry per line, fields separated by blanks or tabs, CR LF line ends; a Ctrl-Z byte
// ends the file. Every bad line is reported through Prompts and reading goes on with the
// next line; no byte sequence makes the readers fail in any other way.
#include <iosfwd>
#include <string>

#include "defs/definition_tables.h"
#include "world/prompts.h"

inline constexpr const char* kBitvectorFileName = "rmbitvec.txt";
inline constexpr const char* kSectorFileName = "rsectype.txt";

inline constexpr size_t kMaxDefinitionNameLength = 20;
inline constexpr size_t kMaxDefinitionDescriptionLength = 80;

// The start-up directory joined with a file name by the platform's separator.
std::string definitionFilePath(const std::string& directory, const std::string& fileName);

// Shown after a power-of-two refusal whose letter names no usable bit (F..Z), and by the
// bitvector dialog's "Note..." button.
extern const char* const kBitvectorLimitNote;

std::string bitvectorInvalidNumberMessage(int line);
std::string bitvectorPowerOfTwoMessage(int line);
std::string sectorInvalidNumberMessage(int line);

// Fill the table from the file when it exists: all slots are cleared first, then up to 31
// flag lines (30 sector lines, all the banks can show) become entries 1..count. A missing
// file leaves the table as it was, so the caller keeps its built-in set. A file that exists
// but cannot be read is reported with the system's error text and leaves the table as it was.
// Line numbers in the messages are the file's own, blank lines included.
void loadBitvectorFile(const std::string& path, BitvectorTable& table, Prompts& prompts);
void loadSectorFile(const std::string& path, SectorTable& table, Prompts& prompts);

// The same from an already open stream: a read error is reported as "source: " and the
// system's error text, and leaves the table as it was.
void loadBitvectorDefinitions(std::istream& in, const std::string& source, BitvectorTable& table,
                              Prompts& prompts);
void loadSectorDefinitions(std::istream& in, const std::string& source, SectorTable& table, Prompts& prompts);

// The reading itself from an open stream (the table is cleared first); a read error
// leaves the stream bad.
void readBitvectorDefinitions(std::istream& in, BitvectorTable& table, Prompts& prompts);
void readSectorDefinitions(std::istream& in, SectorTable& table, Prompts& prompts);

// The file text of a table (BitvectorTable or SectorTable), free slots left out, one
// CR LF line per entry in slot order. A flag line is "value letter name description" for
// every slot 1..31 with a value > 0 (the letter is that of the value's bit); a sector line
// is "number name description" for every slot 1..30 with a number >= 0. An empty name is
// written as "?".
template <typename Table>
std::string definitionFileText(const Table& table);
