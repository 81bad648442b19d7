#pragma once
// The seams through which the core reports and asks. The windows implement them with
// message boxes and dialogs; the tests implement them with recorders and scripted answers.
#include <cstdint>
#include <optional>
#include <string>

class Prompts {  // modal message box and Yes/No question
public:
    virtual ~Prompts() = default;
    virtual void message(const std::string& text) = 0;
    virtual bool confirm(const std::string& question) = 0;  // true = Yes
};

class LoadProgress {  // the loading progress window
public:
    virtual ~LoadProgress() = default;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void setProgress(int percentage) = 0;  // 0..100; other values are ignored
    virtual bool cancelRequested() = 0;
    virtual void clearCancel() = 0;
};

// A progress report that shows nothing and is never cancelled.
class NoProgress : public LoadProgress {
public:
    void show() override {}
    void hide() override {}
    void setTitle(const std::string&) override {}
    void setProgress(int) override {}
    bool cancelRequested() override { return false; }
    void clearCancel() override {}
};

struct FileFilter {
    std::string description;  // "Quendry World Files (.wld)"
    std::string pattern;      // "*.wld"
};

class FileChooser {  // file open and save dialogs; an empty path means cancelled
public:
    virtual ~FileChooser() = default;
    virtual std::string openFile(const std::string& title, const FileFilter& filter) = 0;
    virtual std::string saveFile(const std::string& title, const FileFilter& filter,
                                 const std::string& defaultExtension, const std::string& suggestedName) = 0;
};

// The platform's colour dialog. Colours are as the colour scheme holds them (red in the
// low byte, blue in the high byte); nullopt when the user cancels.
class ColourPicker {
public:
    virtual ~ColourPicker() = default;
    virtual std::optional<uint32_t> pickColour(uint32_t initial) = 0;
};
