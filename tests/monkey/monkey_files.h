#pragma once
// The small world files the monkey loads, written at start into its own directory, and
// the file dialogs and questions answered at random from the run's seed.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "world/prompts.h"

namespace monkey {

using Random = std::mt19937_64;

inline uint64_t below(Random& random, uint64_t n) { return n ? random() % n : 0; }
inline bool chance(Random& random, int percent) { return below(random, 100) < static_cast<uint64_t>(percent); }

// Writes the world files (and a map position file) into `dir`; returns the paths of the
// ones a load may pick, the first being the zone the monkey starts on.
std::vector<std::string> writeWorldFiles(const std::string& dir, uint64_t seed);

class MonkeyPrompts : public Prompts {
public:
    explicit MonkeyPrompts(Random& random) : random_(random) {}
    void message(const std::string& text) override;
    bool confirm(const std::string& question) override;
    long messages = 0;
    long questions = 0;

private:
    Random& random_;
};

class MonkeyFiles : public FileChooser {
public:
    MonkeyFiles(Random& random, std::string dir, std::vector<std::string> worlds)
        : random_(random), dir_(std::move(dir)), worlds_(std::move(worlds)) {}
    std::string openFile(const std::string& title, const FileFilter& filter) override;
    std::string saveFile(const std::string& title, const FileFilter& filter, const std::string& defaultExtension,
                         const std::string& suggestedName) override;

private:
    Random& random_;
    std::string dir_;
    std::vector<std::string> worlds_;
};

class MonkeyColours : public ColourPicker {
public:
    explicit MonkeyColours(Random& random) : random_(random) {}
    std::optional<uint32_t> pickColour(uint32_t initial) override;

private:
    Random& random_;
};

}  // namespace monkey
