#include "uibase/edit_history.h"

#include <QAction>
#include <QMetaMethod>

#include "uibase/commit_path.h"

namespace {

// One step of the zone's history: the recorded change of one command.
class ZoneStep : public QUndoCommand {
public:
    ZoneStep(const QString& text, std::unique_ptr<ZoneChange> change, EditHistory& history)
        : QUndoCommand(text), change_(std::move(change)), history_(history) {}

    void undo() override {
        change_->undo();
        history_.announceRestored();
        history_.announceChanged(*change_);
    }
    void redo() override {
        // Pushed after the command ran: the zone is already as the step leaves it.
        if (firstRedo_) {
            firstRedo_ = false;
            return;
        }
        change_->redo();
        history_.announceRestored();
        history_.announceChanged(*change_);
    }

private:
    std::unique_ptr<ZoneChange> change_;
    EditHistory& history_;
    bool firstRedo_ = true;
};

}  // namespace

EditHistory::EditHistory(WorldStore& store, MapModel& map, QObject* parent)
    : QObject(parent), recorder_(store, map) {
    stack_.setUndoLimit(kDefaultLimit);
    connect(&stack_, &QUndoStack::indexChanged, this, [this] { ++moves_; });
}

EditHistory::~EditHistory() {
    // The steps go before the recorder they came from.
    stack_.clear();
}

void EditHistory::record(const std::function<void()>& command, const std::function<QString()>& text) {
    if (nesting_ > 0 || recorder_.recording()) {
        // Part of the step being recorded.
        command();
        return;
    }
    ++nesting_;
    recorder_.begin();
    try {
        command();
    } catch (...) {
        --nesting_;
        pushChange(recorder_.finish(), text());
        throw;
    }
    --nesting_;
    pushChange(recorder_.finish(), text());
}

void EditHistory::begin() {
    if (recorder_.recording()) return;
    recorder_.begin();
}

void EditHistory::finish(const QString& text) {
    if (!recorder_.recording()) return;
    pushChange(recorder_.finish(), text);
}

void EditHistory::finishUnchanged() {
    if (recorder_.recording()) recorder_.finish();
}

void EditHistory::pushChange(std::unique_ptr<ZoneChange> change, const QString& text) {
    if (!change || change->empty()) return;
    ZoneChange& done = *change;
    stack_.push(new ZoneStep(text, std::move(change), *this));
    announceChanged(done);
}

void EditHistory::announceChanged(const ZoneChange& change) {
    // Built only for someone who listens: a large deletion touches many rooms.
    if (isSignalConnected(QMetaMethod::fromSignal(&EditHistory::zoneChanged))) emit zoneChanged(change.touchedRooms());
}

QAction* EditHistory::createUndoAction(QObject* parent) {
    QAction* action = stack_.createUndoAction(parent, QStringLiteral("&Undo"));
    disconnect(action, &QAction::triggered, &stack_, &QUndoStack::undo);
    connect(action, &QAction::triggered, this, &EditHistory::undo);
    return action;
}

QAction* EditHistory::createRedoAction(QObject* parent) {
    QAction* action = stack_.createRedoAction(parent, QStringLiteral("&Redo"));
    disconnect(action, &QAction::triggered, &stack_, &QUndoStack::redo);
    connect(action, &QAction::triggered, this, &EditHistory::redo);
    return action;
}

void EditHistory::undo() {
    if (CommitPath::commitEverywhere()) stack_.undo();
}

void EditHistory::redo() {
    if (CommitPath::commitEverywhere()) stack_.redo();
}

void EditHistory::pushDone(QUndoCommand* command) { stack_.push(command); }

void EditHistory::clear() {
    stack_.clear();
    stack_.setClean();
    ++moves_;  // a text built before belongs to another zone
    emit cleared();
}

void EditHistory::setLimit(int steps) {
    stack_.clear();
    stack_.setUndoLimit(steps);
}

void EditHistory::outputBuilt() { builtAt_ = moves_; }

void EditHistory::outputSaved() {
    if (builtAt_ == moves_) stack_.setClean();
}
