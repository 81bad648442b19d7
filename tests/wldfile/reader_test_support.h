#pragma once
// Scripted stand-ins for the message boxes and the progress window, and helpers that
// read world data and describe the resulting store.
#include <string>
#include <string_view>
#include <vector>

#include "wldfile/world_into_store.h"
#include "scripted_prompts.h"
#include "world/prompts.h"
#include "world/world_store.h"

// Records every message; a Yes/No question fails the test (the reader never asks one).
// Records the progress window's life as lines ("show", "title 32001", "progress 25",
// "hide", "clear"); asks to cancel once cancelAfterTitles titles have been set (-1: never).
class RecordingProgress : public LoadProgress {
public:
    std::vector<std::string> events;
    std::vector<int> percentages;
    int cancelAfterTitles = -1;
    bool visible = false;

    void show() override;
    void hide() override;
    void setTitle(const std::string& title) override;
    void setProgress(int percentage) override;
    bool cancelRequested() override;
    void clearCancel() override;

private:
    int titles_ = 0;
    bool cancel_ = false;
};

std::string testDataPath(const std::string& name);
std::string readTestFile(const std::string& name);

// A read of world data into a fresh store.
struct ReadOutcome {
    WorldStore store;
    RecordingPrompts prompts;
    RecordingProgress progress;
    WorldReadResult result = WorldReadResult::Success;
    int readerLine = 0;
};
void readInto(ReadOutcome& out, std::string_view data, bool checkOrder = true);

std::vector<int32_t> vnumsInOrder(const WorldStore& store);
// Every field of every room, in index order, as readable text (CR and LF shown as \r \n).
std::string describeStore(const WorldStore& store);
// Links agree both ways, the ends have no outer neighbour, node numbers match rooms.
void expectIndexConsistent(const WorldStore& store);
