#pragma once
// A file chooser for window tests: it returns the paths the test put in place.
#include <string>

#include "scripted_prompts.h"

class ScriptedFiles : public FileChooser {
public:
    std::string nextOpen;  // empty: the dialog is cancelled
    std::string nextSave;
    int opened = 0;

    std::string openFile(const std::string&, const FileFilter&) override {
        ++opened;
        return nextOpen;
    }
    std::string saveFile(const std::string&, const FileFilter&, const std::string&, const std::string&) override {
        return nextSave;
    }
};
