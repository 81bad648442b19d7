#pragma once
// The "Extra Descriptions" window: edits one room's chain of extra descriptions (list,
// Add, UPDATE, Delete) with a coloured preview of the entry's text. Created once at
// start-up, then only shown and hidden.
//
// Two windows open it, each disabling itself until the dialog closes:
//   the main window: openFromMain(mainWindow, room of the store's current node);
//   the map window:  openFromMap(mapWindow, the map's selected room). When a dialog
//   opened from the map closes, it emits closedFromMap() so that the map redraws its
//   visible part (connect it to the map's redraw).
// The editing itself is ExtraDescCommands (core); this window gathers the fields and
// shows the result. Every route of closing (Done, Escape, the window system) removes
// an entry still pending from Add and enables the window that opened it.
#include <cstdint>
#include <functional>

#include "uibase/secondary_window.h"
#include "world/extra_desc_commands.h"
#include "world/world_store.h"

class ColourPreviewPanel;
class EditHistory;
class ColourScheme;
class Prompts;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

class TExtraDesc : public SecondaryWindow, public StoreObserver {
    Q_OBJECT
public:
    TExtraDesc(WorldStore& store, Prompts& prompts, const ColourScheme& colours, QWidget* parent = nullptr);
    ~TExtraDesc() override;

    // Opened from the main window on the room shown there.
    void openFromMain(QWidget* opener, RoomDataType& room);
    // Opened from the map window on the map's selected room.
    void openFromMap(QWidget* opener, RoomDataType& room);

    // Opens the colour scheme dialog with this window as its opener ("Set...").
    void setColourSetup(std::function<void(QWidget* opener)> openColourSetup) {
        openColourSetup_ = std::move(openColourSetup);
    }

    // The history Add, UPDATE and Delete become steps of. An entry from "&Add" becomes a
    // step with its UPDATE; an entry that goes without one leaves no step.
    void setHistory(EditHistory* history) { history_ = history; }
    // After an undo or redo: the dialog lets go of its entries and lists its room again,
    // or nothing when the room has left the zone.
    void showRestoredZone();

    // The entry the dialog was on is gone (its room changed or its chain was freed, a
    // room was deleted). While the dialog is open its fields are emptied and disabled
    // too, so that nothing typed there looks as if UPDATE could still store it.
    void noCurrentEntry();

    RoomDataType* room() const { return commands_.editedRoom(); }
    ExtraDescType* currentEntry() const { return commands_.currentEntry(); }
    bool addPending() const { return commands_.addPending(); }
    bool openedFromMap() const { return openedFromMap_; }
    bool previewShown() const;

    // Controls, named as their objectName().
    QLabel* Panel1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLineEdit* editKey = nullptr;
    QPlainTextEdit* memoRoom = nullptr;
    ColourPreviewPanel* ColorPanel = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnUpdate = nullptr;
    QToolButton* sb_WordWrap = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QToolButton* sb_Draw = nullptr;
    QPushButton* btnSetColor = nullptr;
    QPushButton* btnDone = nullptr;

    void btnAddClick();
    void btnUpdateClick();
    void btnDeleteClick();
    void ListBox1Click(int row);
    void sb_WordWrapClick();
    void sb_DrawClick();
    void btnSetColorClick();
    void btnDoneClick();

signals:
    // A dialog opened from the map has closed: the map redraws its visible part.
    void closedFromMap();

protected:
    bool aboutToClose() override;
    // StoreObserver: the room being edited is deleted (through the map).
    void roomDeleting(RoomDataType& room) override;

private:
    void openOn(QWidget* opener, RoomDataType& room, bool fromMap);
    void buildLayout();
    void listChain();
    // The current entry's texts in the two fields, or both fields empty and disabled.
    void showCurrentEntry();
    void setFieldsEnabled(bool enabled);
    void renderPreview();
    void hidePreview();
    void selectCurrentLine();
    // An "&Add" being recorded ends: as a step once its entry was completed, without one
    // when the entry went again.
    void endAddStep();
    QString stepText(const char* what) const;

    WorldStore& store_;
    const ColourScheme& colours_;
    ExtraDescCommands commands_;
    std::function<void(QWidget*)> openColourSetup_;
    bool openedFromMap_ = false;
    EditHistory* history_ = nullptr;
    bool recordingAdd_ = false;
    int32_t roomVnum_ = 0;  // the edited room's number when the dialog opened
};
