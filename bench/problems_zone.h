#pragma once
// What the Problems benchmarks share: a zone of 99,999 rooms that fills the map, the
// commands they time on it, and the loop that times a view's catching up with a recorded
// command (the undo after it, and the change's own memory, untimed).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "command_zone.h"

struct ProblemsZone : CommandZone {

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
