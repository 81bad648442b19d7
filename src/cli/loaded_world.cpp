#include "cli/loaded_world.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "cli/command_line.h"
#include "wldfile/world_reader.h"
#include "world/prompts.h"

namespace {

// Records what the load shows instead of putting up message boxes. The load asks no
// questions; should one come, it is recorded and answered No, the cautious answer.
class RecordingPrompts : public Prompts {
public:
    explicit RecordingPrompts(std::vector<LoadMessage>& messages) : messages_(messages) {}
    // The reader keeps this line current while a message is shown.
    void followLine(const int* line) { line_ = line; }
    void message(const std::string& text) override { messages_.push_back({line_ ? *line_ : 0, text}); }
    bool confirm(const std::string& question) override {
        message(question);
        return false;
    }

private:
    std::vector<LoadMessage>& messages_;
    const int* line_ = nullptr;
};

const char* formName(WorldForm form) { return form == WorldForm::Newer ? "newer" : "classic"; }

std::string mixedFormsWarning(const WorldFormReport& forms) {
    const WorldForm other = forms.form == WorldForm::Newer ? WorldForm::Classic : WorldForm::Newer;
    const std::string first = std::to_string(forms.firstOtherVnum);
    const std::string others = forms.otherFormRooms == 1
                                   ? "room " + first + " in the " + formName(other) + " form"
                                   : std::to_string(forms.otherFormRooms) + " rooms in the " + formName(other) +
                                         " form (the first of them room " + first + ")";
    return "warning: the file mixes the two forms of world files: its first room is in the " +
           std::string(formName(forms.form)) + " form, " + others + "; the zone is written in the " +
           formName(forms.form) + " form";
}

}  // namespace

std::vector<std::string> LoadedWorld::messageTexts() const {
    std::vector<std::string> texts;
    texts.reserve(messages.size());
    for (const LoadMessage& m : messages) texts.push_back(m.text);
    return texts;
}

bool readableFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        std::fprintf(stderr, "quendry-wld: %s: %s\n", oneLine(path).c_str(), std::strerror(errno));
        return false;
    }
    // A directory opens but cannot be read. Nothing is read here: the file may be a pipe.
    struct stat status {};
    const bool directory = fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
    std::fclose(file);
    if (directory) std::fprintf(stderr, "quendry-wld: %s: %s\n", oneLine(path).c_str(), std::strerror(EISDIR));
    return !directory;
}

void loadWorld(const std::string& path, bool checkOrder, LoadedWorld& world, bool logLines) {
    NoProgress progress;
    RecordingPrompts prompts(world.messages);
    LoadRoad road{world.store, world.map, prompts, progress, checkOrder, {}};
    prompts.followLine(&road.readerLine);
    if (logLines) road.roomLines = &world.roomLines;
    readWorldFile(path, road);
    world.mapSource = road.mapSource;
    world.forms = road.forms;
    if (road.forms.otherFormRooms > 0) world.messages.push_back({road.forms.firstOtherLine, mixedFormsWarning(road.forms)});
}

void printMessages(const std::string& path, const LoadedWorld& world) {
    const std::string name = oneLine(path);
    for (const LoadMessage& m : world.messages)
        std::fprintf(stderr, "%s:%d: %s\n", name.c_str(), m.line, oneLine(m.text).c_str());
}
