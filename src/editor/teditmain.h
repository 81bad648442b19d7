#pragma once
// The editor's main window: the zone header, the room editor page with its room
// commands, banks and navigation controls, the menus, and the help line.
//
// The window is split over several files, one purpose each:
//   teditmain.cpp        construction and layout of the controls
//   teditmain_menus.cpp  menus, Load, New Area, the buttons that open other windows, ending
//   teditmain_rooms.cpp  showRoom and the room commands
//   teditmain_store.cpp  what the window does when the store tells it about a step
//   teditmain_banks.cpp  the link to the flag and sector banks
//   teditmain_help.cpp   the help line and the window's event filter
//   teditmain_load.cpp   reading a world file into the editor
//   teditmain_drop.cpp   loading a world file dropped on the window
//   teditmain_navigation.cpp  Jump To, search, stepping, direction buttons and letters,
//                        the default room template's buttons
#include <QAction>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "defs/definition_tables.h"
#include "editor/editor_windows.h"
#include "map/room_operations.h"
#include "world/world_store.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

class ColourPreviewPanel;
class EditHistory;
class QMenu;
class ColourScheme;
class FileChooser;
class LoadProgress;
class MapModel;
class Prompts;
class FlagBanks;

class TEditMain : public QMainWindow, public StoreObserver {
    Q_OBJECT
public:
    TEditMain(WorldStore& store, MapModel& map, Prompts& prompts, FileChooser& files,
              QWidget* parent = nullptr);
    ~TEditMain() override;

    void attachWindows(const EditorWindows& windows);
    // The history behind the Edit menu: every room command becomes a step of it, its
    // clean state is the title bar's modified mark, and Load and New Area empty it.
    void setHistory(EditHistory& history);
    // After an undo or redo: the room page shows the store's current room (or nothing)
    // as after any other change; a New Room being typed is dropped. When the room shown
    // is still the room shown, what was typed into its fields (and clicked in the banks)
    // and not yet stored by UPDATE stays on the page.
    void showRestoredZone();
    void setProgress(LoadProgress& progress) { progress_ = &progress; }
    // The scheme the description preview draws with (the colour scheme dialog's).
    void setColourScheme(const ColourScheme& scheme) { colours_ = &scheme; }

    // The directory the program was started in; the side files live there.
    const std::string& startupDirectory() const { return startupDir_; }

    // The world file named on the command line, read at the first activation.
    void setStartupFile(const std::string& path) { startupFile_ = path; }
    void handleFirstActivation();
    // The command-line file has been read (or there was none to read); the progress
    // window lets events through while the read runs, so this turns on only at its end.
    bool startupFileHandled() const { return startupFileRead_; }
    // A world file is being read (the progress window lets events through meanwhile).
    bool reading() const { return reading_; }

    // The one way a room comes into the editor; none does nothing.
    void showRoom(RoomIndexNode* node);

    // Reads a world file into the (emptied) store and adopts it.
    void readWorld(const std::string& path);
    // "&Load .wld..." once a file is chosen: the question when rooms exist, the rooms
    // deleted, the file read. Dropping a world file on the window comes here too.
    void loadChosenFile(const std::string& path);
    void setHelpText(const QString& text);
    // Called when a Load or New Area is about to replace the zone (the questions answered),
    // with false, and with true once the new zone is in (or the read failed).
    void setZoneReplacing(std::function<void(bool done)> call) { zoneReplacing_ = std::move(call); }
    // Asked at the first activation, before the command-line file: true when it brought
    // a zone in (a recovered one), which the command-line file then does not replace.
    void setStartupOffer(std::function<bool()> offer) { startupOffer_ = std::move(offer); }

    WorldStore& store() { return store_; }
    // The definition tables the banks show; the definition windows fill them from their files.
    BitvectorTable& bitvectorTable() { return bitvectors_; }
    SectorTable& sectorTable() { return sectors_; }
    FlagBanks& flagBanks() const { return *banks_; }

    // Controls, named as their objectName().
    QWidget* Panel1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* pnlZoneName = nullptr;
    QLabel* pnlZoneNumber = nullptr;
    QLabel* pnlZoneStart = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* tabWorld = nullptr;
    QLineEdit* editRoomNumber = nullptr;
    QLineEdit* editRoomName = nullptr;
    QPlainTextEdit* memoRoom = nullptr;
    QLabel* labelRoomNumber = nullptr;
    QLabel* labelRoomName = nullptr;
    QLabel* labelRoomDescription = nullptr;
    // Under the banks: flag words 2..4 of the newer form and the room's triggers, stored
    // by UPDATE with the rest of the page.
    QLineEdit* editFlagWords = nullptr;
    QLineEdit* editTriggers = nullptr;
    QLabel* labelFlagWords = nullptr;
    QLabel* labelTriggers = nullptr;
    QToolButton* sb_WordWrap = nullptr;
    QToolButton* sb_Draw = nullptr;
    QPushButton* btnSetColor = nullptr;
    ColourPreviewPanel* ColorPanel = nullptr;
    QPushButton* btnwld_NewRoom = nullptr;
    QPushButton* btnwld_Update = nullptr;
    QPushButton* btnwld_Clear = nullptr;
    QPushButton* btnwld_DeleteRoom = nullptr;
    QToolButton* sb_confirm = nullptr;
    QPushButton* btnwld_MakeDefault = nullptr;
    QPushButton* btnwld_ClearDefault = nullptr;
    QPushButton* btnMap = nullptr;
    QPushButton* btnExtra = nullptr;
    QPushButton* btnwld_Jumpto = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* editJump = nullptr;
    QPushButton* btnJp = nullptr;
    QPushButton* btnJn = nullptr;
    QPushButton* btnPrev = nullptr;
    QPushButton* btnNext = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QToolButton* sb_ct_Navigate = nullptr;
    QToolButton* sb_ct_Add = nullptr;
    QPushButton* ex_N = nullptr;
    QPushButton* ex_E = nullptr;
    QPushButton* ex_S = nullptr;
    QPushButton* ex_W = nullptr;
    QPushButton* ex_U = nullptr;
    QPushButton* ex_D = nullptr;
    // The six direction buttons, indexed by Direction.
    const std::array<QPushButton*, kDirectionCount>& directionButtons() const { return directionButtons_; }
    QLineEdit* edit_Dir = nullptr;
    QLabel* pnlWorldHelp = nullptr;

    // Menu items.
    QAction* itemLoad = nullptr;
    QAction* itemSavewld = nullptr;
    QAction* itemSaveNewer = nullptr;  // checked: the zone is written in the newer form
    QAction* itemQuit = nullptr;
    QMenu* menuEdit = nullptr;
    QAction* itemUndo = nullptr;  // "&Undo <what>", Ctrl+Z
    QAction* itemRedo = nullptr;  // "&Redo <what>", Ctrl+Y and Ctrl+Shift+Z
    QAction* itemNewArea = nullptr;
    QAction* itemNewProject = nullptr;
    QAction* itemSelectProject = nullptr;
    QAction* itemQuendryOutput = nullptr;
    QAction* itemProblems = nullptr;  // "&Problems", Ctrl+Shift+P
    QAction* itemSetupColors = nullptr;
    QAction* itemSetupBitvectors = nullptr;
    QAction* itemSetupSectors = nullptr;
    QAction* itemcheckorder = nullptr;
    QAction* itemCheckDesc = nullptr;
    QAction* itemFirst = nullptr;
    QAction* itemVersionInfo = nullptr;
    QAction* itemWhatHelp = nullptr;

    // Menu actions (also reachable from tests without opening a menu).
    void itemLoadClick();
    void itemNewAreaClick();
    void itemQuitClick();
    void itemSavewldClick();
    void itemProblemsClick();
    // The builder ticked or unticked "Save in &Newer Form": the zone's form follows as
    // one step of the history, and an output window on screen is built again in it.
    void itemSaveNewerClick();
    void itemFirstClick();
    void itemVersionInfoClick();
    void itemSetupColorsClick();
    void itemSetupBitvectorsClick();
    void itemSetupSectorsClick();

    // Room commands.
    void btnwld_NewRoomClick();
    void btnwld_UpdateClick();
    void btnwld_ClearClick();
    void btnwld_DeleteRoomClick();
    void editRoomNameExit();

    // Navigation, search and the default room template.
    void btnwld_MakeDefaultClick();
    void btnwld_ClearDefaultClick();
    void btnwld_JumptoClick();
    void editJumpEnter();
    void btnJpClick();
    void btnJnClick();
    void btnPrevClick();
    void btnNextClick();
    void directionClick(int direction);
    void edit_DirKeyPress(QChar key);
    // What choosing a line of the room list does: a pending New Room ends, the room shows.
    void roomChosenFromList(RoomIndexNode* node);

    void btnMapClick();
    void btnExtraClick();
    void sb_WordWrapClick();
    void sb_DrawClick();
    // The description preview is showing.
    bool previewShown() const;
    void Label9Click();

signals:
    // The main window was closed for good: the program ends.
    void programEnding();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    // StoreObserver
    void editorFieldsCleared() override;
    void pendingNewRoomEnded() override;
    void extraDescsReleased(const RoomDataType& room) override;
    void zoneHeaderChanged() override;
    void worldAdopted() override;

private:
    void buildLayout();
    void buildZoneHeader(QWidget* central);
    void buildRoomPage();
    void buildRoomFields(QWidget* page);
    void buildRoomButtons(QWidget* page);
    void buildNavigation(QWidget* page);
    void buildBanks(QWidget* page);
    void buildMenus();
    void setHelpLines();
    void showZoneForm();  // the Save item's check mark from the store's form
    void installEventFilters();

    void connectNavigation();
    RoomIndexNode* searchFrom(RoomIndexNode* start, bool forward) const;
    bool moveThroughExit(int direction);  // false: no exit, or none to a room of this store
    bool directionFieldKey(QEvent* event);
    // A drag or drop carrying a world file, on the window or any of its controls:
    // accepted (the drop loads the file) and true; false for every other event.
    bool worldFileDrag(QEvent* event);

    void setFieldsEditable(bool editable);
    // showRoom; with keepTyped, the fields and banks holding the user's edits keep them.
    void fillPage(RoomIndexNode* node, bool keepTyped);
    // UPDATE stored what the page holds: nothing on it is the user's unstored edit any more.
    void markPageStored();
    void setDirectionButtonsForMode();
    RoomEntry roomEntry() const;  // what the room page holds, for UPDATE
    void hidePreview();
    // Draws the description field's text into the preview panel and shows it.
    void showPreview();
    void tellExtraDescNoCurrentEntry();

    // The link to the banks.
    int32_t flagsBitvector() const;
    int32_t currentSectorValue() const;
    void showFlags(int32_t bitvector, int32_t sectorType);
    void clearFlagsAndDefaults();

    WorldStore& store_;
    MapModel& map_;
    Prompts& prompts_;
    RoomOperations rooms_;
    FileChooser& files_;
    LoadProgress* progress_ = nullptr;
    const ColourScheme* colours_ = nullptr;
    EditorWindows windows_;
    EditHistory* history_ = nullptr;
    std::array<QPushButton*, kDirectionCount> directionButtons_{};
    BitvectorTable bitvectors_;
    SectorTable sectors_;
    FlagBanks* banks_ = nullptr;

    std::string startupDir_;
    std::string startupFile_;
    std::function<void(bool)> zoneReplacing_;
    std::function<bool()> startupOffer_;
    bool startupFileDone_ = false;
    bool startupFileRead_ = false;
    // A world file is being read. The progress window lets queued events through while
    // it reads, so a drop could otherwise start a second read inside the first.
    bool reading_ = false;
    bool quitConfirmed_ = false;
    bool fieldsCleared_ = true;
    // The room the page shows (none: no room, or a New Room being typed).
    RoomIndexNode* shownNode_ = nullptr;
    bool navigateMode_ = true;
    QString directionWord_;  // what the direction letter field shows
};
