#pragma once
// The program's data and windows, created once in the order the program starts them
// and kept until it ends. The desktop program and the window tests both build this.
//
// The store and the map model live here rather than inside a window, so that every
// window can be handed references to them when it is created and they outlive all
// windows when the program ends.
#include <memory>
#include <string>
#include <vector>

#include "colour/colour_scheme.h"
#include "editor/editor_windows.h"
#include "map/map_model.h"
#include "recovery/recovery_keeper.h"
#include "recovery/recovery_offer.h"
#include "uibase/edit_history.h"
#include "world/prompts.h"
#include "world/world_store.h"

class QSettings;
class QWidget;
class TEditMain;
class DefinitionNames;

// The other windows are the EditorWindows pointers; the program owns them.
class QuendryApp : public EditorWindows {
public:
    // Without a colour picker the platform's colour dialog is used.
    QuendryApp(Prompts& prompts, FileChooser& files, ColourPicker* colourPicker = nullptr);
    ~QuendryApp();

    // Creates every window, hidden, in start-up order, and shows the main window.
    void createWindows(const std::string& startupFile = {});

    Prompts& prompts;
    FileChooser& files;
    ColourPicker* colourPicker;  // never null
    WorldStore store;
    MapModel map{store};
    // The one colour scheme: the colour scheme dialog edits it, every preview reads it.
    ColourScheme colours;
    // Edit | Undo and Redo over every window's changes; it goes before the zone it holds
    // rooms of.
    EditHistory history{store, map};

    std::unique_ptr<TEditMain> mainWindow;
    // The names the map's tooltip and legend give sectors and flags: the main window's tables.
    std::unique_ptr<DefinitionNames> tableNames;
    // The windows' settings kept between runs (an INI file in the user's configuration).
    std::unique_ptr<QSettings> settings;

    // Recovery files in the directory: this run's copy of unsaved work, and the offer of
    // earlier runs' copies at the first activation. Call before createWindows.
    void enableRecovery(const std::string& directory, RecoveryQuestion& question,
                        int delayMs = RecoveryKeeper::kDefaultDelayMs);
    std::unique_ptr<RecoveryKeeper> recovery;
    // Loads the zone of a recovery file, marked as not saved, and makes the file this run's.
    void recoverZone(const RecoveryListing& listing);

    // How many steps Undo can go back (EditHistory::kDefaultLimit); empties the history.
    void setHistoryLimit(int steps);

private:
    void connectHistory();
    void startRecovery();
    struct RecoverySettings {
        std::string directory;
        RecoveryQuestion* question = nullptr;
        int delayMs = 0;
    } recoverySettings_;
    template <typename W>
    W* own(std::unique_ptr<W> window) {
        W* raw = window.get();
        owned_.push_back(std::move(window));
        return raw;
    }
    std::vector<std::unique_ptr<QWidget>> owned_;  // in creation order
    std::unique_ptr<ColourPicker> ownPicker_;
};
