// The live list against the whole zone linted afresh: after random commands of every
// kind (exit edits, renumbering, new rooms in and out of number order, deletions, map
// placement), their undos and their redos, on a zone of a few hundred rooms whose exits
// run in cycles, the list kept up to date room by room holds exactly what a whole lint
// finds (the reach among it what the whole walk finds), while linting only a few rooms
// for a change of one room.
#include <gtest/gtest.h>

#include <algorithm>
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

std::vector<Row> sortedRows(const std::vector<LintFinding>& findings) {
    std::vector<Row> rows;
    for (const LintFinding& f : findings) rows.emplace_back(f.room, static_cast<int>(f.check), f.direction, f.message);
    std::sort(rows.begin(), rows.end());
    return rows;
}

// What only one of two sorted lists holds, one line each: "+" only the first, "-" only the second.
std::string differences(const std::vector<Row>& listed, const std::vector<Row>& expected) {
    std::vector<Row> more, fewer;
    std::set_difference(listed.begin(), listed.end(), expected.begin(), expected.end(), std::back_inserter(more));
    std::set_difference(expected.begin(), expected.end(), listed.begin(), listed.end(), std::back_inserter(fewer));
    std::string lines;
    for (const auto& [rows, sign] : {std::pair{&more, '+'}, std::pair{&fewer, '-'}})
        for (const Row& r : *rows) lines += std::string(1, sign) + std::get<3>(r) + "\n";
    return lines;
}

// The same findings as a whole lint, in the list's order.
std::vector<Row> afresh(const WorldStore& store, const MapGrid& grid, const LintOptions& options) {
    ProblemList fresh(store, grid);
    fresh.setMapFile(false, true);
    fresh.setOptions(options);
    return rowsOf(fresh);
}

// As the Problems window does: a room being deleted is told to the list.
struct Forgetting : StoreObserver {
    ProblemList* list = nullptr;
    void roomDeleting(RoomDataType& room) override { list->forget(room); }
};

class ProblemListTest : public ::testing::Test {
protected:
    void SetUp() override {
        forgetting.list = &list;
        store.addObserver(&forgetting);
    }
    void TearDown() override { store.removeObserver(&forgetting); }

    WorldStore store;
    MapModel map{store};
    ZoneHistoryRecorder recorder{store, map};
    ProblemList list{store, map.grid};
    Forgetting forgetting;
    std::mt19937 random{7};

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    RoomIndexNode* anyRoom() { return store.nodeAt(static_cast<size_t>(pick(static_cast<int>(store.size())))); }

    int32_t anyNumber() { return 100 + pick(700); }
    RoomIndexNode* addRoom(int32_t vnum, bool inOrder = true) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = vnum;
        room->name = "Room";
        room->description = pick(5) ? "Text." : " ";
        auto node = WorldStore::makeNode(std::move(room));
        return inOrder ? store.insertOrdered(std::move(node)) : store.appendNode(std::move(node));
    }

    // One random command, recorded as the editor records it.
    std::unique_ptr<ZoneChange> command() {
        recorder.begin();
        switch (pick(6)) {
            case 0: {  // an exit edit: to a room, to a number nobody has, or none
                RoomDataType& room = *anyRoom()->room;
                store.aboutToChange(room, kRecordExits);
                const int d = pick(kDirectionCount);
                room.exitTo[static_cast<size_t>(d)] = pick(4) ? anyRoom()->vnum : (pick(2) ? 0 : anyNumber());
                room.exits[static_cast<size_t>(d)].doorFlag = pick(3);
                break;
            }
            case 1:  // renumbering
                store.renumber(anyRoom(), anyNumber());
                break;
            case 2:  // at its place, or at the end (out of number order), maybe with a number in use
                addRoom(pick(3) ? anyNumber() : anyRoom()->vnum, pick(4) != 0);
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
    for (int v = 100; v < 800; v += 2) addRoom(v);
    // Three exits a room, most into rooms of the zone: ways in cycles, a few dead ends.
    for (int i = 0; i < 3 * 350; ++i) {
        RoomDataType& room = *anyRoom()->room;
        room.exitTo[static_cast<size_t>(pick(kDirectionCount))] = pick(8) ? anyRoom()->vnum : anyNumber();
    }
    LintOptions options;
    options.zoneRange = std::pair{100, 899};  // a range that holds whatever the lowest room
    list.setMapFile(false, true);
    list.setOptions(options);

    // The list's rows in its order against a fresh list, and as a whole against a whole
    // lint and the whole walk alone.
    const auto check = [&](const char* what, int step) {
        const ZoneInMemory zone{store, map.grid, false, true};
        const std::vector<Row> rows = rowsOf(list);
        std::vector<Row> sorted = rows;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(differences(sorted, sortedRows(lintZone(zone, options))), "") << what << " at step " << step;
        ASSERT_EQ(rows, afresh(store, map.grid, options)) << what << " at step " << step;
        std::erase_if(sorted, [](const Row& r) { return std::get<1>(r) != static_cast<int>(LintCheck::UnreachableRoom); });
        ASSERT_EQ(differences(sorted, sortedRows(lintUnreachable(zone, options))), "") << what << " at step " << step;
    };
    check("at the start", 0);

    std::vector<std::unique_ptr<ZoneChange>> done;
    for (int step = 0; step < 400; ++step) {
        if (!done.empty() && pick(4) == 0) {
            // Undo the last command, check, and redo it or leave it undone.
            std::unique_ptr<ZoneChange> last = std::move(done.back());
            done.pop_back();
            last->undo();
            list.roomsTouched(last->touchedRooms());
            ASSERT_NO_FATAL_FAILURE(check("after an undo", step));
            if (pick(2)) {
                last->redo();
                list.roomsTouched(last->touchedRooms());
                ASSERT_NO_FATAL_FAILURE(check("after a redo", step));
                done.push_back(std::move(last));
            }
            continue;
        }
        std::unique_ptr<ZoneChange> change = command();
        list.roomsTouched(change->touchedRooms());
        ASSERT_NO_FATAL_FAILURE(check("after the command", step));
        // A command is linted again where it touched, never the whole zone.
        EXPECT_LT(list.lastLinted(), store.size()) << "at step " << step;
        done.push_back(std::move(change));
    }
    // Changes out of the history free what they held; the list holds nothing of it.
    done.clear();
}

}  // namespace
