#pragma once
// What an editing dialog keeps of the data it edits: the working copy its fields show,
// the built-in defaults, the copy last read from or written to its file, and the copy
// taken when the dialog opened. Cancel goes back to the on-open copy, the defaults button
// to the built-in one, the revert button to the saved one; only Use hands the working
// copy to the rest of the program. The questions of the three buttons that replace the
// working copy or write the file live here too, so every dialog asks them the same way.
#include <functional>
#include <string>
#include <utility>

class Prompts;

class EditedCopies {
public:
    virtual ~EditedCopies() = default;
    virtual void keepOnOpen() = 0;       // on-open := working
    virtual void restoreOnOpen() = 0;    // working := on-open
    virtual void restoreDefaults() = 0;  // working := defaults
    virtual void restoreSaved() = 0;     // working := saved
    // True when the file was read at start-up or written since; reverting needs it.
    virtual bool fileLoaded() const = 0;
    // Writes the working copy to path through the safe writer. On success the saved copy
    // becomes the working copy and the file mark is set; on failure the system's message
    // is reported and the old file, the saved copy and the mark stay as they were.
    virtual bool writeFile(const std::string& path, Prompts& prompts) = 0;
};

// Writes bytes to path through the safe writer; false after reporting a failure.
bool writeSettingsFile(const std::string& path, const std::string& bytes, Prompts& prompts);

template <typename Data>
class Copies : public EditedCopies {
public:
    // The file's bytes for a copy of the working data; it may first complete that copy
    // as reading the file back will give it (a nameless entry is given its "?" name).
    using FileText = std::function<std::string(Data& asWritten)>;

    explicit Copies(FileText text) : text_(std::move(text)) {}

    // All four copies at once, as at start-up.
    void setAll(const Data& data) { working = defaults = saved = onOpen = data; }

    void keepOnOpen() override { onOpen = working; }
    void restoreOnOpen() override { working = onOpen; }
    void restoreDefaults() override { working = defaults; }
    void restoreSaved() override { working = saved; }
    bool fileLoaded() const override { return loaded; }
    // The working copy takes the completed form only once the file holds it: after a
    // failed write the fields and every copy are as they were.
    bool writeFile(const std::string& path, Prompts& prompts) override {
        Data asWritten = working;
        if (!writeSettingsFile(path, text_(asWritten), prompts)) return false;
        working = std::move(asWritten);
        saved = working;
        loaded = true;
        return true;
    }

    Data working, defaults, saved, onOpen;
    bool loaded = false;

private:
    FileText text_;
};

struct SettingsQuestions {
    std::string restoreDefaults;  // before the defaults replace the working copy
    std::string revertToSaved;    // before the saved copy replaces it
    std::string save;             // before anything is written
    std::string replaceFile;      // when the file exists already
};

// Each returns true when the working copy changed, so the dialog refreshes its fields.
bool askRestoreDefaults(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions);
// Does nothing, and asks nothing, until a file was read or written.
bool askRevertToSaved(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions);
// Asks "save?", then "replace?" when the file exists, and on Yes writes the working copy.
bool askSave(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions, const std::string& path);
