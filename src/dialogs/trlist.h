#pragma once
// The "Room List" window: every room of the store, one line each in index order, and
// the choice of one of them for the main window's editor. Created once at start-up,
// then only shown and hidden; the main window is disabled while it is shown.
#include <functional>

#include "uibase/secondary_window.h"

class QListView;
class QPushButton;
class QToolButton;
class RoomListModel;
class WorldStore;
struct RoomIndexNode;

class TRlist : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TRlist(WorldStore& store, QWidget* parent = nullptr);

    // Fills the list from the store, shows the window and disables the opener. A chosen
    // room goes to `chosen`; with an empty store nothing opens.
    void open(QWidget* opener, std::function<void(RoomIndexNode*)> chosen);

    QListView* ListBox1 = nullptr;
    QToolButton* sb_single = nullptr;
    QToolButton* sb_double = nullptr;
    QPushButton* btnCancel = nullptr;

    bool singleClickMode() const { return singleClickMode_; }
    RoomListModel& model() const { return *model_; }

    void btnCancelClick();
    // After an undo or redo: lines that are shown are listed again from the store.
    void showRestoredZone();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void takeClickMode();
    // Chooses the line: the room goes to the main window and the window closes.
    void chooseLine(int line);
    void chooseSelectedLine();

    WorldStore& store_;
    RoomListModel* model_ = nullptr;
    std::function<void(RoomIndexNode*)> chosen_;
    bool singleClickMode_ = true;
};
