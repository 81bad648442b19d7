#pragma once
// The "Map" window: one level of the 100 x 100 x 10 map grid as a board of 16 x 16
// cells in view, the mouse commands that place, remove and delete rooms on it, the
// exit panel that edits the selected room's exits, and the map search.
// Created once at start-up, then only shown and hidden.
//
// The window is split over several files, one purpose each:
//   tfrmmap.cpp         construction and layout, opening and closing, levels, the buttons
//   tfrmmap_board.cpp   MapBoard: painting the cells in view, scrolling, the pointer
//   tfrmmap_draw.cpp    the mouse commands: Select and the four draw modes
//   tfrmmap_exits.cpp   the exit panel: showMapRoom, enabling, committing the fields
//   tfrmmap_search.cpp  the search field, its jump buttons, "E&xtra Descriptions..."
//
// The exit panel's fields go through the window's commit path (commit_path.h): what is
// typed reaches the selected room, or is refused with its message, before any button,
// board click, level change, undo or closing can read or replace it. Every exit edit
// becomes one step of the history in storeExitEdit. The board, the selector and the
// minimap are views of the map model: they redraw what the model says changed.
#include <QAbstractScrollArea>
#include <QPoint>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "map/cell_drawing.h"
#include "map/exit_reach.h"
#include "map/map_commands.h"
#include "map/room_details.h"
#include "map/map_model.h"
#include "uibase/secondary_window.h"
#include "world/prompts.h"
#include "world/world_store.h"

class QAction;
class QButtonGroup;
class QMenuBar;
class QSettings;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TfrmMap;
class EditHistory;
class PlacementLines;
class Tminimap;
struct BoardView;

// The board: cells of 16 x 16 pixels on a pitch of 17 (a grid line between them) at 1x,
// zoom times that at higher zoom; at the window's first size 16 x 16 cells are in view at
// 1x, and a larger window shows more. It paints from the grid whenever Qt asks, only the
// cells the paint covers (the whole view while long exits are shown, as their lines cross
// cells); the view's first visible column and row are its scroll bars' values.
class MapBoard : public QAbstractScrollArea, public MapObserver {
    Q_OBJECT
public:
    static constexpr int kCellSize = 16;
    static constexpr int kPitch = 17;
    static constexpr int kCellsInView = 16;  // each way, at 1x in the window's first size

    explicit MapBoard(TfrmMap& map, QWidget* parent = nullptr);

    int leftCol() const;
    int topRow() const;
    void setView(int leftCol, int topRow);
    bool inView(int x, int y) const;
    // The cell (1-based) under a viewport position, or (0, 0) outside the cells.
    QPoint cellAt(QPoint viewportPos) const;
    // The viewport rectangle of cell (x, y) (empty when not in view).
    QRect cellRect(int x, int y) const;
    void updateCell(int x, int y);
    BoardView view() const;
    // Cells painted since start; shows that a paint covers only what it must.
    long paintedCells() const { return paintedCells_; }

    int zoom() const { return zoom_; }
    void setZoom(int zoom);
    int pitch() const { return kPitch * zoom_; }
    // Whole cells in view each way (partly shown cells at the far edges not counted).
    int columnsInView() const;
    int rowsInView() const;
    QSize viewSize() const;
    // The long exits of the level shown, worked out again after any change of the map.
    const std::vector<LongExit>& longExits();

    // MapObserver: a changed cell of the level shown is painted again.
    void cellChanged(int x, int y, int z) override;
    void roomChanged(const RoomDataType& room) override;
    void mapReset() override;
    // The level, the zoom or an option changed: everything is painted again.
    void lookChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QPoint clampedCell(QPoint viewportPos) const;
    void updateBand();
    void updateScrollRanges();
    void paintDrag(QPainter& p);

    TfrmMap& map_;
    int zoom_ = 1;
    bool pressed_ = false;
    QPoint pressCell_;
    QPoint bandEnd_;
    long paintedCells_ = 0;
    std::vector<LongExit> longExits_;
    bool longExitsStale_ = true;
    int longExitsLevel_ = -1;
};

class TfrmMap : public SecondaryWindow, public StoreObserver {
    Q_OBJECT
public:
    enum class ClickMode { Select, Draw };
    enum class DrawMode { Toggle, On, Off, Delete };

    TfrmMap(WorldStore& store, MapModel& map, Prompts& prompts, QWidget* parent = nullptr);
    ~TfrmMap() override;

    // Where the room search reads "Search checks Room &Description also" from.
    void setSearchChecksDescription(std::function<bool()> option) {
        searchChecksDescription_ = std::move(option);
    }
    // Opens the extra descriptions dialog on a room, the map window disabled meanwhile;
    // the dialog calls extraDescsClosed() when it closes.
    void setExtraDescOpener(std::function<void(RoomDataType&)> opener) {
        openExtraDescs_ = std::move(opener);
    }
    // The minimap window that "&minimap" shows and hides.
    void setMinimap(Tminimap* minimap);
    // The history every change of the map and the exit panel becomes a step of.
    void setHistory(EditHistory* history) { history_ = history; }
    // The names of sectors and flags in the tooltip and the legend; none gives numbers.
    void setDefinitionNames(const DefinitionNames* names) { names_ = names; }
    // Where the zoom and the options are remembered between runs; none remembers nothing.
    // The remembered ones are taken at once.
    void setViewSettings(QSettings* settings);

    // The View menu: zoom 1x..4x, sector colours, long exits.
    int zoom() const { return MapGrid->zoom(); }
    void setZoom(int zoom);
    bool sectorColours() const { return sectorColours_; }
    void setSectorColours(bool on);
    // Long exits are on by default from 2x and off at 1x; the choice is kept for each.
    bool longExitsShown() const;
    void setLongExitsShown(bool on);
    // The tooltip's text for the room in cell (X, Y) of the level shown; empty for an empty cell.
    QString roomTooltip(int x, int y) const;
    const WorldStore& store() const { return store_; }
    // Selects the room and brings its cell into view on its level (the Problems window).
    void selectAndShowRoom(RoomDataType& room);

    // After an undo or redo: the board, minimap and selector show the zone as it now is;
    // the selection follows the selected cell, the exit panel shows its room or nothing.
    void showRestoredZone();

    // Operations used by the main window, the minimap and the extra descriptions dialog.
    void openMap(QWidget* opener);
    void drawCell(int x, int y, int z);
    void redrawView();
    void scrollToCell(int x, int y, int z);
    void showMapRoom(RoomDataType* room);
    // Selects a room's cell, scrolled into view on its level, its exits in the panel; a
    // room off the map changes nothing. False when a typed exit edit was refused first.
    bool selectRoomOnMap(RoomDataType& room);
    void enableExitPanel();
    void disableExitPanel();
    void extraDescsClosed();
    // The board's first visible column or row changed: the minimap's frame follows.
    void viewScrolled();
    // The room the exit panel edits: the selected room while the panel is enabled.
    RoomDataType* panelRoom() const;

    // State, as the board and the tests see it.
    int currentLevel() const { return currentLevel_; }
    QPoint selectedCell() const { return selectedCell_; }
    RoomDataType* selectedRoom() const { return selectedRoom_; }
    RoomDataType* framedRoom() const { return framedRoom_; }
    ClickMode clickMode() const { return clickMode_; }
    DrawMode drawMode() const { return drawMode_; }
    bool recalcOn() const;
    int placeChoice() const;
    int exitDirection() const { return exitDirection_; }
    int leftCol() const { return MapGrid->leftCol(); }
    int topRow() const { return MapGrid->topRow(); }
    const MapModel& model() const { return map_; }
    bool minimapShown() const;

    // Mouse commands, in cells (1-based): carried out when the button is released. In
    // Select mode a press on a room and a release on another cell of the level moves the
    // room there (an empty cell), or with Shift links it with the room there, with
    // Ctrl+Shift unlinks them.
    void MapGridMouseUp(QPoint pressCell, QPoint releaseCell, Qt::KeyboardModifiers modifiers = {});
    void MapGridMouseMove(QPoint cell);

    // Handlers.
    void btnPlusZClick();
    void btnMinusZClick();
    void showLevel(int level);
    bool showSelectedCellRoom();
    void btnRefreshClick();
    void btnDoneClick();
    void btnDFCClick();
    void btnJpClick();
    void btnJnClick();
    void btnExtraClick();
    void editGoToEnter();
    void directionButtonClick(int direction);
    void doorFlagButtonClick(int flag);

    // Controls, named as their objectName().
    MapBoard* MapGrid = nullptr;
    QLabel* pnlCurrentRoom = nullptr;
    QLabel* pnlRoomName = nullptr;
    QLabel* pnlVnum = nullptr;
    QLabel* pnlXY = nullptr;
    QLabel* pnlZ = nullptr;
    QPushButton* btnPlusZ = nullptr;
    QPushButton* btnMinusZ = nullptr;
    QToolButton* sb_Select = nullptr;
    QToolButton* sb_Draw = nullptr;
    QToolButton* sb_Toggle = nullptr;
    QToolButton* sb_ON = nullptr;
    QToolButton* sb_OFF = nullptr;
    QToolButton* sb_DELETE = nullptr;
    QComboBox* selboxPlaceRoom = nullptr;
    QCheckBox* cb_Recalc = nullptr;
    QLabel* LabelReCalc = nullptr;
    QLabel* LabelExits = nullptr;
    QToolButton* sb_minimap = nullptr;
    QPushButton* btnRefresh = nullptr;
    QPushButton* btnDone = nullptr;
    // The exit panel and the search.
    std::array<QLineEdit*, kDirectionCount> editExit{};       // editN, editE, editS, editW, editU, editD
    std::array<QToolButton*, kDirectionCount> sbDirection{};  // sb_N .. sb_D
    std::array<QLabel*, kDirectionCount> labelExit{};         // "&N" .. "&Down"
    std::array<QToolButton*, 3> sbDoorFlag{};                 // sb_doorflag0 .. 2
    QPlainTextEdit* editGenDesc = nullptr;
    QPushButton* btnDFC = nullptr;
    QLineEdit* editVkey = nullptr;
    QLineEdit* editKeywords = nullptr;
    QLabel* LabelGenDesc = nullptr;
    QLabel* LabelVkey = nullptr;
    QLabel* LabelKeywords = nullptr;
    QLineEdit* editGoTo = nullptr;
    QPushButton* btnJp = nullptr;
    QPushButton* btnJn = nullptr;
    QPushButton* btnExtra = nullptr;
    // The View menu and the legend of the sector colours.
    QMenuBar* menuBar = nullptr;
    std::array<QAction*, kMaxZoom> itemZoom{};  // "Zoom &1x" .. "Zoom &4x"
    QAction* itemZoomIn = nullptr;
    QAction* itemZoomOut = nullptr;
    QAction* itemZoomReset = nullptr;
    QAction* itemSectorColours = nullptr;
    QAction* itemLongExits = nullptr;
    QLabel* pnlLegend = nullptr;
    // The selected room's diagonal exits (northwest, northeast, southeast, southwest of
    // the newer form), listed read-only: destination, door flag and key of each.
    QLabel* pnlDiagonals = nullptr;

    // A room leaving the store is no longer selected or framed.
    void roomDeleting(RoomDataType& room) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void buildViewMenu();
    void layOut();
    void fillLegend();
    void rememberView() const;
    // Select-mode drags: false when the drag was none of them (a plain selection).
    bool dragAt(QPoint pressCell, QPoint releaseCell, Qt::KeyboardModifiers modifiers);
    void buildExitPanel();
    void mirrorPlacementList();
    void setDefaultLine();
    void setCaption(const RoomDataType* room);
    void showNoRoomSelected();
    void fillAtOpening(const RoomDataType& room);
    void clearDetailFields();
    void showExitDetails(const RoomDataType& room);
    void showDiagonalExits(const RoomDataType* room);
    void setLevel(int level);
    // The minimap shows the level and the view of the board while the map is shown and
    // "&minimap" is down, and is hidden otherwise; called whenever one of those changes.
    void minimapFollowsView();
    void pressExclusive(std::array<QToolButton*, 3>& buttons, int index);
    template <size_t N>
    void releaseAll(std::array<QToolButton*, N>& buttons);

    // The mouse commands' per-cell steps.
    bool drawAt(int x, int y);  // false ends the command
    void selectAt(int x, int y);

    // The panel's fields committed into the panel's room; false when a number was refused.
    void watchPanelFields();
    bool commitNumber(QLineEdit* field, ExitEdit::Part part, int direction);
    bool commitText(ExitEdit::Part part, std::string text);
    // Every exit edit: one step of the history when it changes the room.
    void storeExitEdit(const ExitEdit& edit);
    void jump(bool forward);
    QString drawStepText() const;
    QString exitStepText(const ExitEdit& edit) const;
    void selectFound(RoomIndexNode* node);

    WorldStore& store_;
    MapModel& map_;
    Prompts& prompts_;
    MapRoomCommands commands_;
    EditHistory* history_ = nullptr;
    // What a Draw command did, to name its step.
    struct DrawTally {
        int placed = 0, removed = 0, deleted = 0;
        int32_t vnum = 0;  // the last room it touched
    } tally_;
    std::function<bool()> searchChecksDescription_;
    std::function<void(RoomDataType&)> openExtraDescs_;
    QPointer<Tminimap> minimap_;  // destroyed before this window when the program ends
    PlacementLines* lines_ = nullptr;
    QButtonGroup* clickGroup_ = nullptr;
    QButtonGroup* drawGroup_ = nullptr;

    int currentLevel_ = 5;
    QPoint selectedCell_{42, 42};
    RoomDataType* selectedRoom_ = nullptr;
    RoomDataType* framedRoom_ = nullptr;
    ClickMode clickMode_ = ClickMode::Select;
    DrawMode drawMode_ = DrawMode::Toggle;
    int exitDirection_ = North;
    int exitDoorFlag_ = 0;
    // What the panel shows once a Draw command has visited its cells.
    enum class PanelAfterDraw { Unchanged, Room, None } panelAfterDraw_ = PanelAfterDraw::Unchanged;
    RoomDataType* lastPlaced_ = nullptr;  // the room the Draw placed last
    const DefinitionNames* names_ = nullptr;
    QSettings* settings_ = nullptr;
    bool sectorColours_ = false;
    std::array<bool, 2> longExits_{false, true};  // at 1x, from 2x
    // Every control's place at the window's first size; a larger window moves the ones
    // right of and below the board and gives the board the difference.
    std::vector<std::pair<QWidget*, QRect>> firstPlaces_;
    QSize firstSize_;
};
