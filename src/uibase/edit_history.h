#pragma once
// The program's one history of changes, behind Edit | Undo and Redo: a QUndoStack whose
// commands are the windows' editing commands.
//
// A window runs each command that may change the zone through record(): the zone's
// recorder watches it, and what it changed becomes one step of the history, named by
// the window ("Delete Room 4201"). A command that changed nothing leaves no step. The
// command has already been done when its step is pushed, so the step's first redo does
// nothing; later redos and undos put the zone back through the recorded change, and
// every window is then told to show the zone afresh (zoneRestored).
//
// The set-up dialogs' "&Use" changes tables, not the zone: those steps hold the table
// before and after (TakeBackCommand).
#include <QObject>
#include <QString>

class QAction;
#include <QUndoCommand>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <utility>

#include "world/zone_history.h"

class MapModel;
class WorldStore;

class EditHistory : public QObject {
    Q_OBJECT
public:
    // The number of steps kept; older steps (and the rooms they hold) are let go.
    static constexpr int kDefaultLimit = 1000;

    EditHistory(WorldStore& store, MapModel& map, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack& stack() { return stack_; }

    // Edit | Undo and Redo ("&Undo <what>"): what any window's fields hold typed is
    // committed first, and a refusal stops them, so that an undo never replaces the data
    // behind an edit that has not reached it.
    QAction* createUndoAction(QObject* parent);
    QAction* createRedoAction(QObject* parent);
    void undo();
    void redo();

    // Runs a command; what it changed in the zone becomes one step named `text`, asked
    // once the command has run (so it can name what the command did). A command run
    // while another is being recorded is part of that other's step.
    void record(const std::function<void()>& command, const std::function<QString()>& text);
    void record(const QString& text, const std::function<void()>& command) {
        record(command, [&text] { return text; });
    }

    // A step that spans several calls (an extra description from "&Add" to its "&UPDATE").
    // begin() does nothing when a recording is running already.
    void begin();
    bool recording() const { return recorder_.recording(); }
    // Ends the recording begun by begin() and pushes what changed as one step.
    void finish(const QString& text);
    // Ends it without a step: the zone is as it was at begin() (what was added went again).
    void finishUnchanged();

    // A command that has done its work already; the stack owns it. Its first redo must
    // do nothing (see TakeBackCommand).
    void pushDone(QUndoCommand* command);

    // Load and New Area: no step to undo or redo, and the zone counts as saved.
    void clear();
    // The number of steps kept; empties the history.
    void setLimit(int steps);

    // The output window built the world-file text from the zone as it is now...
    void outputBuilt();
    // ...and wrote that text: the zone counts as saved when no step was done or undone since.
    void outputSaved();

    // Called by the zone steps after they put the zone back.
    void announceRestored() { emit zoneRestored(); }
    // Called after every command's step is pushed and after every undo and redo of one.
    void announceChanged(const ZoneChange& change);

signals:
    // The history was emptied for a new zone (Load, New Area): the records of the old
    // zone may be gone.
    void cleared();

    // After every undo and redo of a zone step: windows let go of the records, index
    // nodes and extra descriptions they point at and show the zone from the store.
    void zoneRestored();
    // After every command that changed the zone, and after every undo and redo of one
    // (after zoneRestored): the rooms it touched, as the zone now stands.
    void zoneChanged(const TouchedRooms& rooms);

private:
    void pushChange(std::unique_ptr<ZoneChange> change, const QString& text);

    ZoneHistoryRecorder recorder_;
    QUndoStack stack_;
    int nesting_ = 0;
    long moves_ = 0;  // every change of the stack's index
    long builtAt_ = -1;
};

// Runs a window's command as one step of the history; a window built without a history
// (alone, in a test) just runs it.
inline void recordStep(EditHistory* history, const std::function<void()>& command,
                       const std::function<QString()>& text) {
    if (history)
        history->record(command, text);
    else
        command();
}

// A step that swaps a value between what it was before a command and what the command
// made it: redo applies `after`, undo `before`. The command has run when the step is
// pushed, so the first redo does nothing.
template <typename T>
class TakeBackCommand : public QUndoCommand {
public:
    TakeBackCommand(const QString& text, T before, T after, std::function<void(const T&)> apply)
        : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)), apply_(std::move(apply)) {}

    void undo() override { apply_(before_); }
    void redo() override {
        if (firstRedo_) {
            firstRedo_ = false;
            return;
        }
        apply_(after_);
    }

private:
    T before_;
    T after_;
    std::function<void(const T&)> apply_;
    bool firstRedo_ = true;
};
