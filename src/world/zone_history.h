#pragma once
// Recording the changes one editing command makes to the zone, so that they can be taken
// back (undo) and made again (redo) exactly: the records byte for byte, their places in
// the room index, the current room, the next free number, the template, the map cells
// and the placement list with its order. A change keeps only what the command touched.
//
// The windows wrap every command that changes the zone:
//     recorder.begin();
//     ... room operations, map commands, extra description commands ...
//     std::unique_ptr<ZoneChange> change = recorder.finish();
//     if (!change->empty()) history.push(std::move(change));
// After ZoneChange::undo or redo the store tells its observers zoneRestored(): every
// window then lets go of the records, nodes and extra descriptions it points at and
// shows the zone again from the store.
#include <cstddef>
#include <memory>

class WorldStore;
class MapModel;

class ZoneChange {
public:
    virtual ~ZoneChange() = default;
    // Nothing was changed between begin and finish.
    virtual bool empty() const = 0;
    // Puts the zone back as it was before the command; the zone must be as the command left it.
    virtual void undo() = 0;
    // Puts the zone back as the command left it; the zone must be as it was before the command.
    virtual void redo() = 0;
    // Rooms (records) this change keeps, for bounding the history's memory.
    virtual size_t roomsHeld() const = 0;
};

class ZoneHistoryRecorder {
public:
    ZoneHistoryRecorder(WorldStore& store, MapModel& map);
    ~ZoneHistoryRecorder();
    ZoneHistoryRecorder(const ZoneHistoryRecorder&) = delete;
    ZoneHistoryRecorder& operator=(const ZoneHistoryRecorder&) = delete;

    // Starts recording; recording must not be running.
    void begin();
    bool recording() const;
    // Stops recording and hands over what changed since begin (possibly nothing).
    std::unique_ptr<ZoneChange> finish();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
