#pragma once
// "Problems": every lint finding of the zone in memory, sorted by room, beside the main
// window (it disables no opener, like the output window). The list follows the zone:
// after every change, undo and redo the rooms the change touched and their neighbours
// are linted again; the whole zone after a load or a New Area. A filter box and a
// check-name filter narrow what is listed; the caption counts what is listed.
// Double-clicking a finding shows its room in the main window and, when the map is
// open, selects its cell there.
//
// The checks the builder ignores and the zone range are the window's settings, kept
// between runs; they apply as soon as they change.
#include <QAbstractTableModel>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "editor/problem_list.h"
#include "uibase/secondary_window.h"

class QComboBox;
class QLineEdit;
class QSettings;
class QTableView;
class QToolButton;
class QAction;
class Prompts;

// The listed findings as a table: check, room, direction, message.
class ProblemTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<const LintFinding*> rows);
    const LintFinding* finding(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<const LintFinding*> rows_;
};

class TfrmProblems : public SecondaryWindow, public StoreObserver {
    Q_OBJECT
public:
    // The settings are read from and written to `settings`.
    TfrmProblems(WorldStore& store, const MapGrid& grid, Prompts& prompts, QSettings& settings,
                 QWidget* parent = nullptr);
    ~TfrmProblems() override;

    // What double-clicking a finding does with its room.
    void setNavigation(std::function<void(RoomIndexNode&)> navigate) { navigate_ = std::move(navigate); }

    // The bits and sectors the definitions in use name (unknown-flag); the built-in sets
    // until set.
    void setFlagNames(std::function<FlagNames()> names) {
        flagNames_ = std::move(names);
        applyOptions();
    }
    // The definitions in use changed: the whole zone again.
    void definitionsChanged() { applyOptions(); }

    // Shows the window, the first time to the right of `main`; it disables nothing.
    void openBeside(QWidget& main);

    // After a change, an undo or a redo: the rooms it touched.
    void zoneChanged(const TouchedRooms& touched);
    // Shows the finding of a listed row's room (the double-click).
    void showFindingRoom(int row);

    const ProblemList& problems() const { return problems_; }
    const ProblemTableModel& listed() const { return model_; }

    // Controls, named as their objectName().
    QLineEdit* editFilter = nullptr;     // words every listed finding's line holds
    QComboBox* cbCheck = nullptr;        // "All checks" or one check's name
    QToolButton* sbIgnore = nullptr;     // the menu of checks, ticked when run
    QLineEdit* editRangeLow = nullptr;   // the zone range; both empty: from the lowest room
    QLineEdit* editRangeHigh = nullptr;
    QTableView* listProblems = nullptr;
    std::vector<QAction*> checkItems;    // one per check, in the checks' order

    // StoreObserver: a load or a New Area lints the whole zone; a freed room is forgotten.
    void zoneHeaderChanged() override;
    void worldAdopted() override;
    void roomDeleting(RoomDataType& room) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void readSettings();
    void writeSettings();
    // The options from the controls; false (after saying why) when the range is no range.
    bool commitRange();
    void applyOptions();
    void refreshList();
    bool passesFilter(const LintFinding& finding) const;

    WorldStore& store_;
    Prompts& prompts_;
    QSettings& settings_;
    ProblemList problems_;
    ProblemTableModel model_;
    std::function<void(RoomIndexNode&)> navigate_;
    std::function<FlagNames()> flagNames_;
    uint64_t listedVersion_ = ~uint64_t{0};
    std::optional<LintFinding> selected_;
    bool placed_ = false;  // a copy: the rows change under it
};
