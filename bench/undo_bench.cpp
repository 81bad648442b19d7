// Recording, undoing and redoing changes on a 100,000-room zone that fills the whole map:
// a DELETE over 100 x 100 cells (one level, 10,000 rooms, ReCalc Exits on) and
// single-room commands (UPDATE of one room, one exit edit).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "command_zone.h"
#include "map/map_commands.h"
#include "map/map_model.h"
#include "world/prompts.h"
#include "map/room_operations.h"
#include "world/world_store.h"
#include "world/zone_history.h"

namespace {

// Every cell of the map holds a room, linked to its neighbours, with a description and
// an extra description, as a large built zone has.
struct FullZone : CommandZone {
    FullZone() : CommandZone(100000, true) {}
    std::unique_ptr<ZoneChange> deleteLevel(int z, size_t* heapBeforeFinish = nullptr);
};

size_t heapInUse() { return mallinfo2().uordblks; }

std::unique_ptr<ZoneChange> FullZone::deleteLevel(int z, size_t* heapBeforeFinish) {
    recorder.begin();
    deleteOnLevel(z);
    if (heapBeforeFinish) *heapBeforeFinish = heapInUse();
    return recorder.finish();
}

FullZone& zone() {
    static FullZone* z = new FullZone;  // built once for every benchmark of the run
    return *z;
}

void BM_RecordedDelete10000(benchmark::State& state) {
    FullZone& z = zone();
    size_t held = 0;
    double heapGrowth = 0, heapPeak = 0;
    for (auto _ : state) {
        const size_t before = heapInUse();
        size_t recording = 0;
        std::unique_ptr<ZoneChange> change = z.deleteLevel(5, &recording);
        state.PauseTiming();
        // Held: what the change keeps. Peak: while recording, with every touched record
        // copied whole and the recording's tables, before finish keeps only what changed.
        heapGrowth = static_cast<double>(heapInUse()) - static_cast<double>(before);
        heapPeak = static_cast<double>(recording) - static_cast<double>(before);
        held = change->roomsHeld();
        change->undo();  // the zone as it was for the next round
        state.ResumeTiming();
    }
    state.counters["roomsHeld"] = static_cast<double>(held);
    state.counters["heapHeldMiB"] = heapGrowth / (1024.0 * 1024.0);
    state.counters["heapPeakMiB"] = heapPeak / (1024.0 * 1024.0);
}
BENCHMARK(BM_RecordedDelete10000)->Unit(benchmark::kMillisecond)->Iterations(5);

// The same deletion without a recording, for comparison (the rooms are freed), on a
// zone of its own that it leaves without that level.
void BM_UnrecordedDelete10000(benchmark::State& state) {
    auto own = std::make_unique<FullZone>();
    for (auto _ : state) own->deleteOnLevel(5);
}
BENCHMARK(BM_UnrecordedDelete10000)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UndoDelete10000(benchmark::State& state) {
    FullZone& z = zone();
    std::unique_ptr<ZoneChange> change = z.deleteLevel(5);
    for (auto _ : state) {
        change->undo();
        state.PauseTiming();
        change->redo();
        state.ResumeTiming();
    }
    change->undo();
}
BENCHMARK(BM_UndoDelete10000)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RedoDelete10000(benchmark::State& state) {
    FullZone& z = zone();
    std::unique_ptr<ZoneChange> change = z.deleteLevel(5);
    change->undo();
    for (auto _ : state) {
        change->redo();
        state.PauseTiming();
        change->undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RedoDelete10000)->Unit(benchmark::kMillisecond)->Iterations(5);

// A Draw of default rooms over an empty level of 100 x 100 cells in a zone of 90,000
// rooms: 10,000 rooms created, linked to each other and to the levels above and below.
// Recording, undo and redo are timed one by one (milliseconds in the counters), best of
// the iterations.
void BM_DrawDefault10000(benchmark::State& state) {
    auto own = std::make_unique<FullZone>();
    own->deleteOnLevel(5);
    copyRoom(own->store.defaultRoom, *own->store.first()->room);
    auto ms = [](auto from) {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from).count();
    };
    double record = 1e9, undo = 1e9, redo = 1e9;
    std::unique_ptr<ZoneChange> change;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        own->recorder.begin();
        for (int y = 1; y <= kMapRows; ++y)
            for (int x = 1; x <= kMapColumns; ++x) own->commands.placeDefaultRoom(x, y, 5);
        change = own->recorder.finish();
        record = std::min(record, ms(start));
        start = std::chrono::steady_clock::now();
        change->undo();
        undo = std::min(undo, ms(start));
        start = std::chrono::steady_clock::now();
        change->redo();
        redo = std::min(redo, ms(start));
        state.PauseTiming();
        change->undo();  // the level empty again for the next round
        change.reset();
        state.ResumeTiming();
    }
    state.counters["recordMs"] = record;
    state.counters["undoMs"] = undo;
    state.counters["redoMs"] = redo;
}
BENCHMARK(BM_DrawDefault10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// 100,000 rooms off the map, all waiting in the placement list; a recorded deletion of
// every tenth room takes 10,000 entries out of the middle of the list, and undo puts
// each back at its old position.
void BM_UndoDeleteListed10000(benchmark::State& state) {
    WorldStore store;
    MapModel map{store};
    YesPrompts prompts;
    RoomOperations rooms{store, map, prompts};
    ZoneHistoryRecorder recorder{store, map};
    for (int32_t vnum = 1; vnum <= 100000; ++vnum) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = vnum;
        room->name = "Room";
        room->description = "Unplaced.";
        map.placement.registerUnplacedRoom(*store.appendNode(WorldStore::makeNode(std::move(room)))->room);
    }
    std::vector<RoomIndexNode*> doomed;
    for (RoomIndexNode* n = store.first(); n; n = n->next)
        if (n->vnum % 10 == 5) doomed.push_back(n);
    recorder.begin();
    for (RoomIndexNode* n : doomed) rooms.deleteRoom(n, false);
    std::unique_ptr<ZoneChange> change = recorder.finish();
    for (auto _ : state) {
        change->undo();
        state.PauseTiming();
        change->redo();
        state.ResumeTiming();
    }
    change->undo();
    state.counters["listed"] = static_cast<double>(map.placement.size());
    state.counters["roomsHeld"] = static_cast<double>(change->roomsHeld());
}
BENCHMARK(BM_UndoDeleteListed10000)->Unit(benchmark::kMillisecond)->Iterations(5);

// UPDATE of one room (name and description) and one exit edit: recorded, undone, redone.
void BM_SingleRoomUpdate(benchmark::State& state) {
    FullZone& z = zone();
    z.store.setCurrent(z.store.findByVnum(vnumAt(50, 50, 5)));
    RoomEntry entry{std::to_string(vnumAt(50, 50, 5)), "Renamed", "New text.\r\nSecond.", 3, 2};
    for (auto _ : state) {
        z.recorder.begin();
        z.rooms.update(entry);
        std::unique_ptr<ZoneChange> change = z.recorder.finish();
        change->undo();
        change->redo();
        change->undo();
    }
}
BENCHMARK(BM_SingleRoomUpdate)->Unit(benchmark::kMicrosecond);

void BM_SingleExitEdit(benchmark::State& state) {
    FullZone& z = zone();
    RoomDataType& room = *z.store.findByVnum(vnumAt(50, 50, 5))->room;
    for (auto _ : state) {
        z.recorder.begin();
        z.commands.setKeywords(room, East, "gate iron");
        std::unique_ptr<ZoneChange> change = z.recorder.finish();
        change->undo();
        change->redo();
        change->undo();
    }
}
BENCHMARK(BM_SingleExitEdit)->Unit(benchmark::kMicrosecond);

}  // namespace
