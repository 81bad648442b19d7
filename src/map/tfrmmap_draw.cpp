// The map window's mouse commands: Select, and Draw in its four modes over the rectangle
// from the press cell to the release cell.
#include <QComboBox>
#include <algorithm>

#include "map/tfrmmap.h"
#include "uibase/edit_history.h"
#include "world/default_room.h"

void TfrmMap::MapGridMouseUp(QPoint pressCell, QPoint releaseCell, Qt::KeyboardModifiers modifiers) {
    if (clickMode_ == ClickMode::Select) {
        if (!dragAt(pressCell, releaseCell, modifiers)) selectAt(releaseCell.x(), releaseCell.y());
        return;
    }
    const int x0 = std::min(pressCell.x(), releaseCell.x()), x1 = std::max(pressCell.x(), releaseCell.x());
    const int y0 = std::min(pressCell.y(), releaseCell.y()), y1 = std::max(pressCell.y(), releaseCell.y());
    // Column by column from the left, each column from the top. Each placed room becomes
    // the selected one and each removal empties the panel; only the last cell's outcome
    // can be seen, so the panel is filled once, after the last cell visited.
    panelAfterDraw_ = PanelAfterDraw::Unchanged;
    bool completed = true;  // false: no template or no number left, the rest not visited
    // The whole rectangle is one step of the history.
    tally_ = {};
    recordStep(
        history_, [&] {
            for (int x = x0; x <= x1 && completed; ++x)
                for (int y = y0; y <= y1 && completed; ++y) completed = drawAt(x, y);
        },
        [this] { return drawStepText(); });
    if (panelAfterDraw_ == PanelAfterDraw::Room) {
        enableExitPanel();
        showMapRoom(lastPlaced_);
    } else if (panelAfterDraw_ == PanelAfterDraw::None) {
        showMapRoom(nullptr);
        disableExitPanel();
    }
    lastPlaced_ = nullptr;
}

QString TfrmMap::drawStepText() const {
    const int kinds = (tally_.placed > 0) + (tally_.removed > 0) + (tally_.deleted > 0);
    const int total = tally_.placed + tally_.removed + tally_.deleted;
    if (kinds != 1) return QStringLiteral("Draw on Map");
    const QString number = QString::number(tally_.vnum);
    const QString count = QString::number(total);
    if (tally_.placed > 0)
        return total == 1 ? QStringLiteral("Place Room ") + number + QStringLiteral(" on Map")
                          : QStringLiteral("Place ") + count + QStringLiteral(" Rooms on Map");
    if (tally_.removed > 0)
        return total == 1 ? QStringLiteral("Remove Room ") + number + QStringLiteral(" from Map")
                          : QStringLiteral("Remove ") + count + QStringLiteral(" Rooms from Map");
    return total == 1 ? QStringLiteral("Delete Room ") + number
                      : QStringLiteral("Delete ") + count + QStringLiteral(" Rooms");
}

// A drag in Select mode from a room: without Shift it moves the room to an empty cell,
// with Shift it links the room with the one it is dropped on, with Ctrl+Shift it unlinks
// them. Dropped on a cell that does not fit (a taken cell for a move, an empty one or the
// room itself for a link) it does nothing. Each is one step of the history.
bool TfrmMap::dragAt(QPoint pressCell, QPoint releaseCell, Qt::KeyboardModifiers modifiers) {
    const int z = currentLevel_;
    RoomDataType* from = map_.grid.cellAt(pressCell.x(), pressCell.y(), z);
    const bool link = modifiers & Qt::ShiftModifier;
    // Released where it was pressed it is a click, Shift or not: it selects.
    if (!from || pressCell == releaseCell) return false;
    if (!commits().commitPending()) return true;
    RoomDataType* to = map_.grid.cellAt(releaseCell.x(), releaseCell.y(), z);
    const QString number = QString::number(from->vnum);
    if (!link) {
        if (to) return true;
        recordStep(
            history_, [&] { commands_.moveRoom(*from, releaseCell.x(), releaseCell.y()); },
            [&] { return QStringLiteral("Move Room ") + number; });
        selectedCell_ = releaseCell;
        enableExitPanel();
        showMapRoom(from);
        return true;
    }
    if (!to || to == from) return true;
    const int direction = MapRoomCommands::linkDirection(pressCell.x(), pressCell.y(), releaseCell.x(), releaseCell.y());
    const bool unlink = modifiers & Qt::ControlModifier;
    const QString pair = number + QStringLiteral(" and ") + QString::number(to->vnum);
    recordStep(
        history_,
        [&] {
            if (unlink)
                commands_.unlinkRooms(*from, *to, direction);
            else
                commands_.linkRooms(*from, *to, direction);
        },
        [&] { return (unlink ? QStringLiteral("Unlink Rooms ") : QStringLiteral("Link Rooms ")) + pair; });
    // The panel shows the exits as they now are.
    if (panelRoom() == from || panelRoom() == to) showMapRoom(selectedRoom_);
    return true;
}

void TfrmMap::selectAt(int x, int y) {
    if (RoomDataType* room = map_.grid.cellAt(x, y, currentLevel_)) {
        selectedCell_ = {x, y};
        enableExitPanel();
        showMapRoom(room);
    } else {
        disableExitPanel();
        showMapRoom(nullptr);
    }
}

bool TfrmMap::drawAt(int x, int y) {
    const int z = currentLevel_;
    RoomDataType* room = map_.grid.cellAt(x, y, z);
    enum class Action { Nothing, Place, Remove, Delete } action = Action::Nothing;
    switch (drawMode_) {
        case DrawMode::Toggle:
            action = room ? Action::Remove : Action::Place;
            break;
        case DrawMode::On:
            action = room ? Action::Nothing : Action::Place;
            break;
        case DrawMode::Off:
            action = room ? Action::Remove : Action::Nothing;
            break;
        case DrawMode::Delete:
            action = room ? Action::Delete : Action::Nothing;
            break;
    }

    switch (action) {
        case Action::Place: {
            // The selected cell moves only with a room placed: a Draw that stops here
            // leaves the panel on the room it shows, at its cell.
            const int choice = placeChoice();
            RoomDataType* placed = nullptr;
            if (choice == 0) {
                if (!hasDefaultRoom(store_)) return false;
                placed = commands_.placeDefaultRoom(x, y, z);
                if (!placed) return false;  // no number left: told already
            } else {
                // The entry's selector line goes with it; the line above is chosen next, so
                // a drag places the listed rooms upwards and then new default rooms.
                placed = commands_.placeListedRoom(static_cast<size_t>(choice - 1), x, y, z);
                if (!placed) return false;
                selboxPlaceRoom->setCurrentIndex(choice - 1);
            }
            selectedCell_ = {x, y};
            panelAfterDraw_ = PanelAfterDraw::Room;
            lastPlaced_ = placed;
            ++tally_.placed;
            tally_.vnum = placed->vnum;
            break;
        }
        case Action::Remove:
            ++tally_.removed;
            tally_.vnum = room->vnum;
            commands_.removeRoom(x, y, z);
            panelAfterDraw_ = PanelAfterDraw::None;
            break;
        case Action::Delete:
            ++tally_.deleted;
            tally_.vnum = room->vnum;
            commands_.deleteRoom(x, y, z);
            panelAfterDraw_ = PanelAfterDraw::None;
            break;
        case Action::Nothing:
            break;
    }
    return true;
}
