#include "recovery/recovery_snapshot.h"

#include <gtest/gtest.h>

#include <random>

#include "map/map_commands.h"
#include "map/map_model.h"
#include "scripted_prompts.h"
#include "wldfile/world_writer.h"
#include "world/extra_desc_commands.h"
#include "world/world_store.h"
#include "world/zone_history.h"

namespace {

// The snapshot's file, from a copy taken now and texts built as the writer's thread does.
RecoveryContents written(RecoverySnapshotter& snapshotter, const WorldStore& store, bool learn = true) {
    std::unique_ptr<RecoverySnapshot> s = snapshotter.take(store, {});
    const RecoveryContents c = parseRecoveryFile(s->fileBytes());
    if (learn) snapshotter.learn(*s);
    return c;
}

// Random map commands (default rooms, deletions, exit edits, extra descriptions) each
// recorded as a step, with random undos and redos; after each, the snapshot — mostly
// kept texts, a few copies — must give exactly the world and map files of the store.
TEST(RecoverySnapshot, KeptTextsAndCopiesAlwaysGiveTheStoreAsItIs) {
    WorldStore store;
    MapModel map{store};
    RecordingPrompts prompts;
    MapRoomCommands commands{store, map, prompts};
    ZoneHistoryRecorder recorder{store, map};
    RecoverySnapshotter snapshotter;
    auto touched = [&](const ZoneChange& change) { snapshotter.roomsTouched(change.touchedRooms()); };

    store.setZone(42, "Mill", 4200);
    auto first = std::make_unique<RoomDataType>();
    first->vnum = 4200;
    first->name = "Gate";
    first->description = "A gate.\r\nOld.";
    copyRoom(store.defaultRoom, *first);
    store.defaultRoom.name = "Copy";
    map.grid.putRoom(*store.appendNode(WorldStore::makeNode(std::move(first)))->room, 10, 10, 5);
    store.setNextFreeAfterLast();

    std::vector<std::unique_ptr<ZoneChange>> done, undone;
    std::mt19937 rng(7);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    size_t copiesSeen = 0;
    for (int step = 0; step < 300; ++step) {
        const int what = pick(10);
        if (what == 0 && !done.empty()) {
            done.back()->undo();
            touched(*done.back());
            undone.push_back(std::move(done.back()));
            done.pop_back();
        } else if (what == 1 && !undone.empty()) {
            undone.back()->redo();
            touched(*undone.back());
            done.push_back(std::move(undone.back()));
            undone.pop_back();
        } else {
            recorder.begin();
            const int x = 8 + pick(5), y = 8 + pick(5);
            RoomDataType* cell = map.grid.cellAt(x, y, 5);
            if (!cell)
                commands.placeDefaultRoom(x, y, 5);
            else if (what == 2)
                commands.deleteRoom(x, y, 5);
            else if (what < 6)
                commands.setExitDescription(*cell, pick(6), "Way " + std::to_string(step) + ".\r\n");
            else {
                ExtraDescCommands extras(store, prompts);
                extras.open(*cell);
                extras.add();
                extras.update("k" + std::to_string(step), "Seen.");
            }
            std::unique_ptr<ZoneChange> change = recorder.finish();
            touched(*change);
            done.push_back(std::move(change));
            undone.clear();
        }
        const RecoveryContents c = written(snapshotter, store);
        ASSERT_TRUE(c.clean()) << step;
        ASSERT_EQ(c.worldText, stripCarriageReturns(buildWorldText(store, true))) << "step " << step;
        ASSERT_EQ(c.mapText, buildMapFileText(store)) << "step " << step;
        copiesSeen += snapshotter.take(store, {})->copied;
        // Assembled ahead in slices of a few rooms, the same texts.
        int calls = 0;
        while (!snapshotter.assemble(store, [&calls] { return ++calls % 3 != 0; })) {
        }
        const RecoveryContents a = parseRecoveryFile(snapshotter.takeAssembled(store, {})->fileBytes());
        ASSERT_EQ(a.worldText, c.worldText) << "step " << step;
        ASSERT_EQ(a.mapText, c.mapText) << "step " << step;
    }
    // Most rooms came from kept texts: only the touched ones were copied.
    EXPECT_LT(copiesSeen, 300u * store.size() / 4);

    // A text built from a copy taken before a later touch is not learnt.
    RoomDataType& room = *store.first()->room;
    std::unique_ptr<RecoverySnapshot> stale = snapshotter.take(store, {});
    snapshotter.roomTouched(&room);
    store.aboutToChange(room);
    room.name = "Renamed";
    stale->fileBytes();
    snapshotter.learn(*stale);
    EXPECT_EQ(written(snapshotter, store).worldText, stripCarriageReturns(buildWorldText(store, true)));

    // The other form: every text again, and nothing assembled before counts.
    store.zoneForm = WorldForm::Newer;
    EXPECT_FALSE(snapshotter.assembled(store));
    EXPECT_EQ(snapshotter.take(store, {})->copied, store.size());
    EXPECT_EQ(written(snapshotter, store).worldText, stripCarriageReturns(buildWorldText(store, true)));
}

}  // namespace
