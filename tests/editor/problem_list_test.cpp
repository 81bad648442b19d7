// The live list against the whole zone linted afresh: after random commands of every
// kind (exit edits, renumbering, new rooms, deletions, map placement), their undos and
// their redos, the list kept up to date room by room holds exactly what a whole lint
// finds, while linting only a few rooms for a change of one room.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "editor/problem_list.h"
#include "map/map_model.h"

namespace {

using Row = std::tuple<int32_t, int, int, std::string>;

std::vector<Row> rowsOf(const ProblemList& list) {
    std::vector<Row> rows;
    for (const LintFinding* f : list.rows()) rows.emplace_back(f->room, static_cast<int>(f->check), f->direction, f->message);
    return rows;
}

// The same findings as a whole lint, in the list's order.
std::vector<Row> afresh(const WorldStore& store, const MapGrid& grid, const LintOptions& options) {
    ProblemList fresh(store, grid);
    fresh.setMapFile(false, true);
    fresh.setOptions(options);
    return rowsOf(fresh);
}

class ProblemListTest : public ::testing::Test {
protected:
    WorldStore store;
    MapModel map{store};
    ZoneHistoryRecorder recorder{store, map};
    ProblemList list{store, map.grid};
    std::mt19937 random{7};

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    RoomIndexNode* anyRoom() { return store.nodeAt(static_cast<size_t>(pick(static_cast<int>(store.size())))); }

    RoomIndexNode* addRoom(int32_t vnum) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = vnum;
        room->name = "Room";
        room->description = pick(5) ? "Text." : " ";
        return store.insertOrdered(WorldStore::makeNode(std::move(room)));
    }

    // One random command, recorded as the editor records it.
    std::unique_ptr<ZoneChange> command() {
        recorder.begin();
        switch (pick(6)) {
            case 0: {  // an exit edit: to a room, to a number nobody has, or none
                RoomDataType& room = *anyRoom()->room;
                store.aboutToChange(room, kRecordExits);
                const int d = pick(kDirectionCount);
                room.exitTo[static_cast<size_t>(d)] = pick(4) ? anyRoom()->vnum : (pick(2) ? 0 : 100 + pick(150));
                room.exits[static_cast<size_t>(d)].doorFlag = pick(3);
                break;
            }
            case 1:  // renumbering
                store.renumber(anyRoom(), 100 + pick(150));
                break;
            case 2:
                addRoom(100 + pick(150));
                break;
            case 3:
                if (store.size() > 3) store.deleteRoom(anyRoom());
                break;
            case 4: {  // onto the map, linked with its neighbours
                RoomDataType& room = *anyRoom()->room;
                const int x = 1 + pick(6), y = 1 + pick(6);
                if (!room.onMap() && !map.grid.cellAt(x, y, 0)) {
                    map.grid.putRoom(room, x, y, 0);
                    map.grid.recalcExits(x, y, 0);
                }
                break;
            }
            default: {  // a text
                RoomDataType& room = *anyRoom()->room;
                store.aboutToChange(room, kRecordDescription);
                room.description = pick(2) ? "" : "Words.";
                break;
            }
        }
        return recorder.finish();
    }
};

TEST_F(ProblemListTest, KeptRoomByRoomItHoldsWhatAWholeLintFindsThroughCommandsUndoAndRedo) {
    for (int v = 100; v < 160; v += 2) addRoom(v);
    for (int i = 0; i < 40; ++i) {
        RoomDataType& room = *anyRoom()->room;
        room.exitTo[static_cast<size_t>(pick(kDirectionCount))] = anyRoom()->vnum;
    }
    LintOptions options;
    options.zoneRange = std::pair{100, 299};  // a range that holds whatever the lowest room
    list.setMapFile(false, true);
    list.setOptions(options);

    std::vector<std::unique_ptr<ZoneChange>> done;
    for (int step = 0; step < 400; ++step) {
        if (!done.empty() && pick(4) == 0) {
            // Undo the last command, check, and redo it or leave it undone.
            std::unique_ptr<ZoneChange> last = std::move(done.back());
            done.pop_back();
            last->undo();
            list.roomsTouched(last->touchedRooms());
            ASSERT_EQ(rowsOf(list), afresh(store, map.grid, options)) << "after an undo at step " << step;
            if (pick(2)) {
                last->redo();
                list.roomsTouched(last->touchedRooms());
                ASSERT_EQ(rowsOf(list), afresh(store, map.grid, options)) << "after a redo at step " << step;
                done.push_back(std::move(last));
            }
            continue;
        }
        std::unique_ptr<ZoneChange> change = command();
        list.roomsTouched(change->touchedRooms());
        ASSERT_EQ(rowsOf(list), afresh(store, map.grid, options)) << "after step " << step;
        // A command is linted again where it touched, never the whole zone.
        EXPECT_LT(list.lastLinted(), store.size()) << "at step " << step;
        done.push_back(std::move(change));
    }
    // Changes out of the history free what they held; the list holds nothing of it.
    done.clear();
}

}  // namespace
