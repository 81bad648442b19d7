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
//
// What a window may rely on:
// - Undo and redo put back the very node and record objects a command unlinked or
//   linked; a change owns the ones that are out of the zone in its present state and
//   frees them when it is destroyed. Extra description entries are made anew.
// - An undo or redo tells the map's views nothing of the single cells and entries it
//   puts back: they hear mapReset once (the map model hears zoneRestored) and look again.
// - A change starts done; undo of an undone change and redo of a done one do nothing
//   (so the redo that QUndoStack::push makes is harmless).
// - Undo and redo must not run while a recording is running; load and New Area free
//   every room, so the history is cleared with them.
#include <cstddef>
#include <memory>
#include <vector>

class WorldStore;
class MapModel;
struct RoomDataType;

// The records a change wrote, made, deleted or renumbered, as the zone stands now (done
// or undone): those in the zone, and those out of it (deleted, or not yet made), which
// the change keeps alive while it exists.
struct TouchedRooms {
    std::vector<const RoomDataType*> inZone;
    std::vector<const RoomDataType*> outOfZone;
};

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
    // What it touched, for views that look again at those rooms only.
    virtual TouchedRooms touchedRooms() const = 0;
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
