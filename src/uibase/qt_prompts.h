#pragma once
// The prompts and file dialogs of the desktop program: message boxes titled with the
// application title, and the platform's file dialogs.
#include "world/prompts.h"

class QtPrompts : public Prompts {
public:
    void message(const std::string& text) override;
    bool confirm(const std::string& question) override;
};

class QtFileChooser : public FileChooser {
public:
    std::string openFile(const std::string& title, const FileFilter& filter) override;
    std::string saveFile(const std::string& title, const FileFilter& filter, const std::string& defaultExtension,
                         const std::string& suggestedName) override;
};

class QtColourPicker : public ColourPicker {
public:
    std::optional<uint32_t> pickColour(uint32_t initial) override;
};
