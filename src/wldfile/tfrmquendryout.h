#pragma once
// The output window: shows the world-file text built from the whole store and saves it
// in DOS or UNIX form, with the bitvectors as letters or numbers and, on request, the
// map position file beside it. Not modal: the main window stays usable.
#include <QElapsedTimer>
#include <cstddef>
#include <string>

#include "uibase/secondary_window.h"
#include "world/newer_fields.h"

class QFrame;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class FileChooser;
class Prompts;
class WorldStore;

class TfrmQuendryOut : public SecondaryWindow {
    Q_OBJECT
public:
    TfrmQuendryOut(WorldStore& store, Prompts& prompts, FileChooser& files, QWidget* parent = nullptr);

    // Builds the text of the whole store into outputText and the view, and shows the
    // window. Does nothing on an empty store.
    void buildOutput();
    // Asks for a file and writes the text (and the map file) in the form unixFormat says.
    // A text built in the classic form from a zone holding what that form cannot (flag
    // words 2-4, triggers, diagonal exits) is written only after a Yes to the question
    // that names what is lost.
    void saveOutput();
    static std::string classicLossQuestion(const ClassicFormLoss& loss);

    // Settings; they last for the whole run.
    bool lettersMode() const { return lettersMode_; }
    bool unixFormat() const { return unixFormat_; }
    bool viewReadOnly() const { return viewReadOnly_; }
    bool saveMapFile() const { return saveMapFile_; }
    bool outputTooLarge() const { return outputTooLarge_; }
    const std::string& outputText() const { return outputText_; }

    // The largest text the view is given, in bytes and in lines (the view's cost grows
    // with both). A bigger output is not shown, since laying it out would freeze the
    // window for seconds, and is saved from outputText.
    static constexpr size_t kDefaultViewCapacity = size_t{4} << 20;
    static constexpr size_t kDefaultViewLineCapacity = 150000;
    void setViewCapacity(size_t bytes, size_t lines = kDefaultViewLineCapacity) {
        viewCapacity_ = bytes;
        viewLineCapacity_ = lines;
    }

    static const char* const kTitle;
    static const char* const kTooLargeTitle;
    static std::string sizeNote();

    // Controls, named as the window's designer named them (also their objectName).
    QPlainTextEdit* Memo1;
    QFrame* Panel1;
    QToolButton* sb_edit;
    QToolButton* sb_map;
    QToolButton* sb_Bitvectors;
    QPushButton* btnDOS;
    QPushButton* btnUNIX;
    QPushButton* btnNote;
    QPushButton* btnREMAKE;
    QPushButton* btnDONE;

    // The zone's own file: the one it was read from or last saved to, or the one a
    // recovered zone came from. Setting it forgets a suggested name.
    void setZonePath(const std::string& path) {
        zonePath_ = path;
        suggestedPath_.clear();
    }
    const std::string& zonePath() const { return zonePath_; }
    // The name the save dialog suggests instead of the zone's number (a recovered zone's file).
    void suggestPath(const std::string& path) { suggestedPath_ = path; }

signals:
    // The text was built from the zone as it is now.
    void outputBuilt();
    // The built text was written to a world file.
    void worldSaved();

private:
    void sb_editClick();
    void sb_mapClick();
    void sb_BitvectorsClick();
    void btnDOSClick();
    void btnUNIXClick();
    void btnNoteClick();
    void btnDONEClick();

    void buildControls();
    void applyViewReadOnly();
    void showRoomTitle(int32_t vnum);
    std::string textToSave() const;

    WorldStore& store_;
    Prompts& prompts_;
    FileChooser& files_;

    bool lettersMode_ = true;
    bool unixFormat_ = true;
    bool viewReadOnly_ = true;
    bool saveMapFile_ = true;
    bool outputTooLarge_ = false;
    std::string outputText_;
    std::string zonePath_;
    std::string suggestedPath_;
    // What the built text left out because the zone is written in the classic form.
    ClassicFormLoss builtLoss_;
    size_t viewCapacity_ = kDefaultViewCapacity;
    size_t viewLineCapacity_ = kDefaultViewLineCapacity;
    QElapsedTimer titleTimer_;
};
