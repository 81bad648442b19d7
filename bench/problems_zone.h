#pragma once
// What the Problems benchmarks share: a zone of 99,999 rooms that fills the map, the
// commands they time on it, and the loop that times a view's catching up with a recorded
// command (the undo after it, and the change's own memory, untimed).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "map/map_commands.h"
#include "map/room_operations.h"
#include "world/zone_history.h"
#include "zone_files.h"

struct ProblemsZone {
    WorldStore store;
    MapModel map{store};
    YesPrompts prompts;
    RoomOperations rooms{store, map, prompts};
    MapRoomCommands commands{store, map, prompts};
    ZoneHistoryRecorder recorder{store, map};

    ProblemsZone() { fillMapWithRooms(store, map.grid); }

    // UPDATE of a room in the middle with a new name and description.
    void updateMiddleRoom() {
        store.setCurrent(store.findByVnum(vnumAt(50, 50, 5)));
        rooms.update(RoomEntry{std::to_string(vnumAt(50, 50, 5)), "Renamed", "New text.\r\nSecond.", 3, 2});
    }
    // The first room's exit east removed: the way in of the room east of it, and so of
    // nearly every room of the zone, ran through that exit.
    void removeFirstRoomsExitEast() {
        commands.editExit(*store.first()->room, ExitEdit{ExitEdit::Part::Destination, East, 0, {}});
    }
    // DELETE over the cells of level z in columns 1..columns.
    void deleteOnLevel(int z, int columns = kMapColumns) {
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= columns; ++x) commands.deleteRoom(x, y, z);
    }

    // Times catchUp(touched) after each recorded command(); after, untimed, undoes the
    // command, lets catchUp follow the undo and calls after() for the counters.
    template <typename Command, typename CatchUp, typename After>
    void timeCatchingUp(benchmark::State& state, Command command, CatchUp catchUp, After after) {
        for (auto _ : state) {
            state.PauseTiming();
            recorder.begin();
            command();
            std::unique_ptr<ZoneChange> change = recorder.finish();
            const TouchedRooms touched = change->touchedRooms();
            state.ResumeTiming();
            catchUp(touched);
            state.PauseTiming();
            after();
            change->undo();
            catchUp(change->touchedRooms());
            change.reset();  // the change's own memory is the history's work, not the view's
            state.ResumeTiming();
        }
    }
};
