#pragma once
// The frame the three set-up windows share (room flags, sector types, colours): the copies
// of their data, and the five buttons "defaults", "revert", "&Save", "&Use" and "&Cancel".
// A window built on it supplies its rows: how the working copy fills its fields, and what
// taking the working copy into use means; its fields that store into the working copy on
// leaving are watched by its commit path (commits()).
//
// Defaults, Revert, Save and Use commit what the fields hold first; a refused number
// stops them. Cancel, Escape and the close box let go of what is typed and put the
// on-open copy back; only Use keeps the working copy and hands it to the rest of the
// program.
#include <QString>
#include <string>

#include "uibase/secondary_window.h"
#include "uibase/settings_copies.h"

class QPushButton;
class Prompts;
class EditHistory;

class SettingsWindow : public SecondaryWindow {
    Q_OBJECT
public:
    // The two captions that differ between the windows.
    struct Captions {
        QString defaults;  // "Use &Defaults" / "Restore &Defaults"
        QString revert;    // "&Revert to Saved" / "&Revert to saved"
    };

    // The buttons, named as their objectName(); the window places them.
    QPushButton* btnDefaults = nullptr;
    QPushButton* btnRevert = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnUse = nullptr;
    QPushButton* btnCancel = nullptr;

    void btnDefaultsClick();
    void btnRevertClick();
    void btnSaveClick();
    void btnUseClick();
    void btnCancelClick();

    // The history "&Use" becomes a step of; undoing it takes the earlier data back into use.
    void setHistory(EditHistory* history) { history_ = history; }

    // The file Save writes.
    const std::string& filePath() const { return filePath_; }
    bool fileLoaded() const { return copies_.fileLoaded(); }

protected:
    SettingsWindow(EditedCopies& copies, Prompts& prompts, SettingsQuestions questions, std::string filePath,
                   const Captions& captions, QWidget* parent = nullptr);

    // Every field from the working copy.
    virtual void showWorkingCopy() = 0;
    // Use: hands the working copy to the rest of the program, before the window closes.
    virtual void takeIntoUse() = 0;
    // After a Save wrote the file: the fields show what was written.
    virtual void showSaved() { showWorkingCopy(); }
    // After the window was shown by openFrom (the focus goes where the window wants it).
    virtual void opened() {}

    Prompts& prompts() { return prompts_; }
    EditHistory* history() const { return history_; }

    void aboutToOpen() override;
    bool aboutToClose() override;
    // Closing is Cancel: what is typed is let go with the working copy.
    bool closeKeepsEdits() const override { return false; }
    void showEvent(QShowEvent* event) override;

private:
    EditedCopies& copies_;
    Prompts& prompts_;
    EditHistory* history_ = nullptr;
    SettingsQuestions questions_;
    std::string filePath_;
    bool keepWorkingCopy_ = false;  // set by Use for the close that follows
    bool justOpened_ = false;
};
