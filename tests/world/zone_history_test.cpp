#include "world/zone_history.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "build_speed.h"
#include "map/map_commands.h"
#include "map/map_model.h"
#include "map/room_operations.h"
#include "scripted_prompts.h"
#include "wldfile/world_writer.h"
#include "world/extra_desc_commands.h"
#include "world/newer_fields.h"
#include "world/world_store.h"

namespace {

constexpr int kPatchX = 20, kPatchY = 30;  // the 5 x 5 patch of cells the test works on, levels 4 and 5

// Everything a change must put back, as text: the written world in both bitvector forms
// and both line endings, the map file, every field of every record with the node and
// record objects themselves (undo links the same objects back), the number look-up, the
// cursor, the pending flag, the next free number, the template, the grid's cells and the
// placement list with its positions and selector lines.
std::string roomText(const RoomDataType& r) {
    std::ostringstream out;
    out << r.vnum << '|' << r.name << '|' << r.description << '|' << r.zone << '|' << r.bitvector << '|'
        << r.sectorType << '|' << r.mapX << ',' << r.mapY << ',' << r.mapZ;
    for (int d = 0; d < kAllDirectionCount; ++d) {
        const RoomExitType& exit = exitDetails(r, d);
        out << "|D" << d << ':' << exitDestination(r, d) << ',' << exit.description << ',' << exit.keywords << ','
            << exit.doorFlag << ',' << exit.key;
    }
    for (int32_t word : flagWords(r)) out << "|W" << word;
    for (int32_t trigger : roomTriggers(r)) out << "|T" << trigger;
    const ExtraDescType* prev = nullptr;
    for (const ExtraDescType* e = r.extraDescs; e; prev = e, e = e->next) {
        out << "|E:" << e->keywords << '=' << e->description;
        if (e->prev != prev) out << "<broken back link>";
    }
    if (r.lastExtraDesc() != prev) out << "<wrong chain end>";
    return out.str();
}

std::string zoneState(const WorldStore& store, const MapModel& map) {
    std::ostringstream out;
    const std::string dos = buildWorldText(store, false);
    out << dos << stripCarriageReturns(dos) << buildWorldText(store, true) << "\nMAP\n" << buildMapFileText(store);
    out << "\nINDEX size " << store.size() << " sorted " << store.sorted() << '\n';
    const RoomIndexNode* prev = nullptr;
    std::set<int32_t> seen;
    for (const RoomIndexNode* n = store.first(); n; prev = n, n = n->next) {
        out << n << ' ' << n->room.get() << ' ' << n->vnum << ' ' << roomText(*n->room);
        if (n->prev != prev) out << " <broken back link>";
        // The look-up by number gives the first node of that number.
        if (seen.insert(n->vnum).second && store.findByVnum(n->vnum) != n) out << " <look-up wrong>";
        out << '\n';
    }
    if (store.last() != prev) out << "<wrong last>\n";
    out << "current " << store.current() << " pending " << store.newRoomPending() << " next " << store.nextFreeVnum()
        << " lowest " << store.lowestVnum() << " highest " << store.highestVnum() << '\n';
    out << "template " << roomText(store.defaultRoom) << '\n';
    // The commands work on a patch of two levels; every room's own cell is checked too.
    out << "cells " << map.grid.roomCount() << ':';
    for (int z = 3; z <= 6; ++z)
        for (int y = kPatchY - 1; y <= kPatchY + 5; ++y)
            for (int x = kPatchX - 1; x <= kPatchX + 5; ++x)
                if (RoomDataType* r = map.grid.cellAt(x, y, z)) out << ' ' << x << ',' << y << ',' << z << '=' << r;
    for (const RoomIndexNode* n = store.first(); n; n = n->next)
        if (n->room->onMap() && map.grid.cellAt(n->room->mapX, n->room->mapY, n->room->mapZ) != n->room.get())
            out << " <room " << n->vnum << " not in its cell>";
    out << "\nplacement " << map.placement.size() << '\n';
    size_t position = 0;
    for (const PlacementEntry* e = map.placement.first(); e; e = e->next, ++position) {
        out << e << ' ' << e->room << ' ' << e->vnum;
        if (map.placement.placementEntryAt(position) != e || map.placement.positionOf(e) != position)
            out << " <position wrong>";
        if (map.placement.findByRoom(e->room) != e) out << " <room look-up wrong>";
        out << '\n';
    }
    for (const std::string& line : map.placement.selectorLines(store.defaultRoom.vnum == -1 ? "Default (undefined)" : "Default"))
        out << line << '\n';
    return out.str();
}

// The zone, the three command classes and a history with a position, as the windows keep
// them. Like the extra descriptions window, the test lets go of the chain it edits when
// its room goes away or the zone is restored.
struct Editing : StoreObserver {
    Editing() { store.addObserver(this); }
    ~Editing() override { store.removeObserver(this); }
    void roomDeleting(RoomDataType& room) override {
        if (&room == extras.editedRoom()) extras.forgetRoom();
    }
    void zoneRestored() override {
        extras.forgetRoom();
        ++restored;
    }
    int restored = 0;  // zoneRestored notices

    WorldStore store;
    MapModel map{store};
    ScriptedPrompts prompts;
    RoomOperations rooms{store, map, prompts};
    MapRoomCommands mapCommands{store, map, prompts};
    ExtraDescCommands extras{store, prompts};
    ZoneHistoryRecorder recorder{store, map};
    std::vector<std::unique_ptr<ZoneChange>> history;
    size_t done = 0;  // changes history[0..done) are done

    template <typename F>
    void command(F&& f) {
        recorder.begin();
        f();
        std::unique_ptr<ZoneChange> change = recorder.finish();
        prompts.forgetAnswers();
        history.resize(done);  // a new command drops what was undone
        history.push_back(std::move(change));
        ++done;
    }
    void undo() { history[--done]->undo(); }
    void redo() { history[done++]->redo(); }
};

RoomDataType& addRoom(WorldStore& store, bool inOrder, int32_t vnum, const std::string& name) {
    auto room = std::make_unique<RoomDataType>();
    room->vnum = vnum;
    room->name = name;
    room->description = "A room called " + name + ".\r\nSecond line.";
    room->zone = 32;
    room->bitvector = vnum % 7;
    room->sectorType = vnum % 3;
    RoomIndexNode* node = inOrder ? store.insertOrdered(WorldStore::makeNode(std::move(room)))
                                  : store.appendNode(WorldStore::makeNode(std::move(room)));
    return *node->room;
}

// A small zone: twelve rooms, some on the patch linked to each other, some waiting in the
// placement list, a few with doors and extra descriptions, and a template. With fileOrder
// the index is unsorted and two rooms share a number.
void buildZone(Editing& e, bool fileOrder) {
    e.store.setZone(32, "Testing grounds", 3200, WorldForm::Newer);
    const int32_t numbers[] = {3201, 3202, 3203, 3204, 3205, 3206, 3207, 3208, 3209, 3210, 3211, 3212};
    const int32_t fileNumbers[] = {3205, 3201, 3203, 3203, 3220, 3202, 3207, 3206, 3210, 3209, 3204, 3208};
    std::vector<RoomDataType*> made;
    for (int i = 0; i < 12; ++i)
        made.push_back(&addRoom(e.store, !fileOrder, fileOrder ? fileNumbers[i] : numbers[i], "Room " + std::to_string(i)));
    made[1]->exits[East] = {"An oak door.", "door oak", 2, 3050};
    made[2]->appendExtraDesc("sign", "A sign.");
    made[2]->appendExtraDesc("well", "A deep well.\r\nDark.");
    made[5]->appendExtraDesc("tree", "A tree.");
    made[4]->exitTo[Down] = 3299;
    // The newer form's fields, also on the room the template is made from.
    setFlagWords(*made[2], {4, 0, 1 << 31});
    setTriggers(*made[2], {3201, 3205});
    exitDestinationToWrite(*made[3], NorthEast) = 3210;
    exitDetailsToWrite(*made[3], NorthEast) = {"A narrow lane.", "lane", 1, 7};
    for (int i = 0; i < 7; ++i) {
        e.map.grid.putRoom(*made[i], kPatchX + i % 3, kPatchY + i / 3, 4 + (i == 6));
        e.map.grid.recalcExits(made[i]->mapX, made[i]->mapY, made[i]->mapZ);
    }
    for (int i = 7; i < 11; ++i) e.map.placement.registerUnplacedRoom(*made[i]);
    copyRoom(e.store.defaultRoom, *made[2]);
    e.store.setCurrent(e.store.first()->next);
    e.store.setNextFreeAfterLast();
}

constexpr int kCommandKinds = 27;

RoomIndexNode* randomNode(const WorldStore& store, std::mt19937& rng) {
    if (store.empty()) return nullptr;
    return store.nodeAt(std::uniform_int_distribution<size_t>(0, store.size() - 1)(rng));
}

// One random command of the three command classes (or moving the cursor, as the
// windows' navigation does); returns its name for the failure report.
std::string randomCommand(Editing& e, std::mt19937& rng, std::vector<int>& changed) {
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto coin = [&] { return pick(2) == 1; };
    auto cellX = [&] { return kPatchX + pick(5); };
    auto cellY = [&] { return kPatchY + pick(5); };
    auto cellZ = [&] { return 4 + pick(2); };
    const char* names[] = {"Hall", "Cellar", "Tower top", "Default", "Yard"};
    auto entry = [&](int32_t number) {
        RoomEntry r;
        r.number = std::to_string(number);
        r.name = names[pick(5)];
        r.description = pick(6) == 0 ? "" : "Walls.\r\nA floor.";
        r.bitvector = pick(64);
        r.sectorType = pick(10);
        if (pick(3) == 0) r.flagWords = std::to_string(pick(3)) + " 0 " + std::to_string(pick(2));
        if (pick(3) == 0) {
            const int count = pick(3);
            const std::string trigger = std::to_string(3200 + pick(9));
            r.triggers = count == 0 ? "" : count == 1 ? trigger : trigger + " " + trigger;
        }
        return r;
    };
    auto number = [&]() -> int32_t {
        switch (pick(5)) {
            case 0: return e.store.nextFreeVnum();
            case 1: return 3199;  // below the zone start
            case 2: return randomNode(e.store, rng) ? randomNode(e.store, rng)->vnum : 3201;
            case 3: return e.store.current() ? e.store.current()->vnum : 3201;
            default: return 3200 + pick(60);
        }
    };
    RoomDataType* somewhere = nullptr;
    if (RoomIndexNode* n = randomNode(e.store, rng)) somewhere = n->room.get();

    const int kind = pick(kCommandKinds);
    std::string name;
    e.command([&] {
        switch (kind) {
            case 0: name = "New Room"; e.rooms.beginNewRoom(); break;
            case 1: name = "abandon New Room"; e.rooms.abandonNewRoom(); break;
            case 2: case 3: case 4: {
                RoomEntry r = entry(number());
                if (pick(8) == 0) r.number = "12x";
                name = "UPDATE " + r.number;
                e.rooms.update(r);
                break;
            }
            case 5: name = "create room"; e.rooms.createRoom(entry(number())); break;
            case 6: {
                const bool ask = coin();
                if (ask) e.prompts.answer(coin());
                name = "Clear Room";
                if (e.store.current() && e.extras.editedRoom() == e.store.current()->room.get()) e.extras.forgetRoom();
                e.rooms.clearRoom(ask);
                break;
            }
            case 7: case 8: {
                const bool ask = coin();
                if (ask) e.prompts.answer(coin());
                RoomIndexNode* n = coin() ? e.store.current() : randomNode(e.store, rng);
                name = "Delete Room " + (n ? std::to_string(n->vnum) : std::string("none"));
                e.rooms.deleteRoom(n, ask);
                break;
            }
            case 9: name = "Make Default"; e.rooms.makeDefault(); break;
            case 10: name = "Clear Default"; e.rooms.clearDefault(); break;
            case 11: name = "add default room"; e.rooms.addDefaultRoom(pick(6)); break;
            case 12: name = "create default room"; e.rooms.createDefaultRoom(); break;
            case 13: {
                name = "place on map";
                if (somewhere) e.rooms.placeOnMap(*somewhere, cellX(), cellY(), cellZ());
                break;
            }
            case 14: name = "take off map"; e.rooms.takeOffMap(cellX(), cellY(), cellZ()); break;
            case 15: name = "map: place default"; e.mapCommands.placeDefaultRoom(cellX(), cellY(), cellZ()); break;
            case 16: name = "map: place listed"; e.mapCommands.placeListedRoom(pick(5), cellX(), cellY(), cellZ()); break;
            case 17: name = "map: remove"; e.mapCommands.removeRoom(cellX(), cellY(), cellZ()); break;
            case 18: name = "map: delete"; e.mapCommands.deleteRoom(cellX(), cellY(), cellZ()); break;
            case 19: {
                name = "exit edit";
                if (!somewhere) break;
                const int d = pick(6);
                switch (pick(5)) {
                    case 0: e.mapCommands.setExitTo(*somewhere, d, 3200 + pick(30)); break;
                    case 1: e.mapCommands.setDoorFlag(*somewhere, d, pick(3)); break;
                    case 2: e.mapCommands.setKey(*somewhere, d, pick(5000)); break;
                    case 3: e.mapCommands.setKeywords(*somewhere, d, "gate iron"); break;
                    default: e.mapCommands.setExitDescription(*somewhere, d, "Stairs.\r\nSteep."); break;
                }
                break;
            }
            case 20: name = "extra: add"; e.extras.add(); break;
            case 21: case 22: name = "extra: update"; e.extras.update(coin() ? "key words" : "", "Text.\r\nMore."); break;
            case 23: name = "extra: delete"; e.extras.deleteCurrent(); break;
            case 24: name = "extra: click"; e.extras.listLines(); e.extras.clickLine(pick(3)); break;
            case 25: name = "extra: close"; e.extras.close(); break;
            default: {
                name = "show room";
                e.store.setCurrent(randomNode(e.store, rng));
                break;
            }
        }
    });
    // The extra descriptions dialog follows the room on display, as the window does.
    if (!e.history.back()->empty()) ++changed[static_cast<size_t>(kind)];
    if (e.store.current() && e.extras.editedRoom() != e.store.current()->room.get() && pick(3) == 0)
        e.extras.open(*e.store.current()->room);
    if (pick(10) == 0) e.map.recalcOnChange = !e.map.recalcOnChange;
    return name;
}

// Applies a random sequence, each command one change; then undoes everything, redoes
// everything, and walks the history back and forth at random, comparing the zone with the
// state after each command; stops at the first difference.
void runSeed(unsigned seed, bool fileOrder, std::vector<int>& changed) {
    SCOPED_TRACE("seed " + std::to_string(seed) + (fileOrder ? " (file order)" : ""));
    std::mt19937 rng(seed);
    Editing e;
    buildZone(e, fileOrder);
    std::vector<std::string> states{zoneState(e.store, e.map)};
    std::vector<std::string> names{"start"};
    const int count = std::uniform_int_distribution<int>(30, 60)(rng);
    for (int i = 0; i < count; ++i) {
        names.push_back(randomCommand(e, rng, changed));
        states.push_back(zoneState(e.store, e.map));
    }
    auto check = [&](const char* what) {
        const std::string now = zoneState(e.store, e.map);
        EXPECT_EQ(now, states[e.done]) << what << " to step " << e.done << " (after " << names[e.done] << ")";
        return now == states[e.done];
    };
    while (e.done > 0) {
        e.undo();
        if (!check("undo")) return;
    }
    while (e.done < e.history.size()) {
        e.redo();
        if (!check("redo")) return;
    }
    for (int i = 0; i < 40; ++i) {
        const bool back = e.done == e.history.size() || (e.done > 0 && std::uniform_int_distribution<int>(0, 1)(rng));
        const int steps = std::uniform_int_distribution<int>(1, 6)(rng);
        for (int k = 0; k < steps; ++k) {
            if (back && e.done > 0) {
                e.undo();
                if (!check("undo")) return;
            } else if (!back && e.done < e.history.size()) {
                e.redo();
                if (!check("redo")) return;
            }
        }
    }
    // New commands in the middle of the history drop the changes that were undone (and
    // what they hold); the rest still undoes exactly.
    states.resize(e.done + 1);
    names.resize(e.done + 1);
    for (int i = 0; i < 10; ++i) {
        names.push_back(randomCommand(e, rng, changed));
        states.push_back(zoneState(e.store, e.map));
    }
    while (e.done > 0) {
        e.undo();
        if (!check("undo after new commands")) return;
    }
}

TEST(ZoneHistory, RandomCommandSequencesUndoAndRedoExactly) {
    std::vector<int> changed(kCommandKinds, 0);  // per kind of command, how often it changed the zone
    for (unsigned seed = 1; seed <= 40; ++seed) {
        runSeed(seed, false, changed);
        if (HasFailure()) return;
        runSeed(1000 + seed, true, changed);
        if (HasFailure()) return;
    }
    // The sequences did reach every operation.
    for (int kind = 0; kind < kCommandKinds; ++kind) EXPECT_GT(changed[static_cast<size_t>(kind)], 0) << "kind " << kind;
}

// Single commands: whether the change is empty, how many rooms it holds, and that undo
// and redo each restore the zone exactly and tell the observers once. Room 3202 stands
// at (21, 30, 4) with neighbours to the west, east and south; 3206 at (22, 31, 4).
TEST(ZoneHistory, SingleCommandsUndoExactlyAndHoldOnlyWhatTheyChanged) {
    struct Case {
        const char* name;
        std::function<void(Editing&)> command;
        bool empty;
        size_t roomsHeld;
        int roomsLeft = -1;  // rooms kept of the zone before the command (the current one first); -1 all
    };
    auto entry = [](const char* number, const char* name) {
        return RoomEntry{number, name, "Walls.\r\nFloor.", 5, 2};
    };
    const Case cases[] = {
        {"UPDATE refused: number in use", [&](Editing& e) { e.rooms.update(entry("3203", "Hall")); }, true, 0},
        {"UPDATE of the name", [&](Editing& e) { e.rooms.update(entry("3202", "Hall")); }, false, 1},
        {"UPDATE renumbering", [&](Editing& e) { e.rooms.update(entry("3250", "Hall")); }, false, 1},
        {"UPDATE of flag words 2-4 and triggers", [&](Editing& e) {
             RoomEntry r = entry("3202", "Room 1");
             r.flagWords = "0 9 0";
             r.triggers = "3299";
             e.rooms.update(r);
         }, false, 1},
        {"New Room and UPDATE", [&](Editing& e) {
             e.rooms.beginNewRoom();
             e.rooms.update(entry("3240", "New"));
         }, false, 1},
        {"Delete Room on the map", [&](Editing& e) { e.rooms.deleteRoom(e.store.current(), false); }, false, 4},
        {"map: delete the cell's room", [&](Editing& e) { e.mapCommands.deleteRoom(21, 30, 4); }, false, 4},
        {"map: default room south of 3206", [&](Editing& e) { e.mapCommands.placeDefaultRoom(22, 32, 4); }, false, 2},
        {"map: place the second listed room", [&](Editing& e) { e.mapCommands.placeListedRoom(1, 24, 34, 4); }, false, 1},
        {"map: remove 3202", [&](Editing& e) { e.mapCommands.removeRoom(21, 30, 4); }, false, 4},
        {"exit edit to the same value", [&](Editing& e) {
             RoomDataType& r = *e.store.current()->room;
             e.mapCommands.setKey(r, North, r.exits[North].key);
         }, true, 0},
        {"exit keywords", [&](Editing& e) { e.mapCommands.setKeywords(*e.store.current()->room, North, "arch"); }, false, 1},
        {"Clear Default", [&](Editing& e) { e.rooms.clearDefault(); }, false, 1},
        {"Make Default", [&](Editing& e) { e.rooms.makeDefault(); }, false, 1},
        {"Clear Room", [&](Editing& e) { e.rooms.clearRoom(false); }, false, 1},
        {"extra description added and updated", [&](Editing& e) {
             e.extras.open(*e.store.current()->room);
             e.extras.add();
             e.extras.update("gate", "A gate.");
         }, false, 1},
        {"show another room", [&](Editing& e) { e.store.setCurrent(e.store.first()); }, false, 0},
        {"renumbering the only room", [&](Editing& e) { e.rooms.update(entry("3299", "Alone")); }, false, 1, 1},
        {"the first room of an empty zone", [&](Editing& e) { e.rooms.update(entry("3201", "First")); }, false, 1, 0},
        {"map: default room in an empty zone", [&](Editing& e) { e.mapCommands.placeDefaultRoom(1, 1, 0); }, false, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Editing e;
        buildZone(e, false);
        if (c.roomsLeft >= 0) {
            RoomIndexNode* keep = c.roomsLeft ? e.store.current() : nullptr;
            while (e.store.size() > static_cast<size_t>(c.roomsLeft))
                e.store.deleteRoom(e.store.first() == keep ? e.store.last() : e.store.first());
            e.store.setCurrent(keep);
        }
        const std::string before = zoneState(e.store, e.map);
        struct Resets : MapObserver {
            int count = 0;
            void mapReset() override { ++count; }
        } resets;
        e.map.addObserver(&resets);
        int& listChanged = resets.count;
        e.command([&] { c.command(e); });
        const std::string after = zoneState(e.store, e.map);
        ZoneChange& change = *e.history.back();
        EXPECT_EQ(change.empty(), c.empty);
        EXPECT_EQ(change.roomsHeld(), c.roomsHeld);
        if (!c.empty) {
            EXPECT_NE(after, before);
        }
        listChanged = 0;
        change.redo();  // already done: nothing happens
        EXPECT_EQ(zoneState(e.store, e.map), after);
        e.undo();
        EXPECT_EQ(zoneState(e.store, e.map), before);
        change.undo();  // already undone
        EXPECT_EQ(zoneState(e.store, e.map), before);
        e.redo();
        EXPECT_EQ(zoneState(e.store, e.map), after);
        EXPECT_EQ(e.restored, 2) << "one notice per undo and per redo";
        EXPECT_EQ(listChanged, 2) << "the selector refreshes once per undo and per redo";
        e.map.removeObserver(&resets);
    }
}

// A deletion of 20,000 rooms of a 100,000-room zone, half of them on one full level of
// the map and half taken from the middle of the placement list: recording, undo and redo
// each cost time for those rooms only, and undo puts every entry back at its position.
TEST(ZoneHistoryTimed, UndoOfALargeDeletionCostsOnlyTheDeletedRooms) {
    WorldStore store;
    MapModel map(store);
    ScriptedPrompts prompts;
    RoomOperations rooms(store, map, prompts);
    ZoneHistoryRecorder recorder(store, map);
    std::vector<RoomIndexNode*> doomed;
    for (int32_t vnum = 1; vnum <= 100000; ++vnum) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = vnum;
        room->name = "Room";
        RoomIndexNode* node = store.appendNode(WorldStore::makeNode(std::move(room)));
        const int cell = vnum - 1;
        if (cell < 50000)
            map.grid.putRoom(*node->room, 1 + cell % 100, 1 + cell / 100 % 100, cell / 10000);
        else
            map.placement.registerUnplacedRoom(*node->room);
        if ((cell >= 20000 && cell < 30000) || (cell >= 50000 && cell % 5 == 0)) doomed.push_back(node);
    }
    for (int x = 1; x <= kMapColumns; ++x)
        for (int y = 1; y <= kMapRows; ++y)
            for (int z = 0; z < 5; ++z) map.grid.recalcExits(x, y, z);
    const PlacementEntry* middle = map.placement.placementEntryAt(20001);
    auto seconds = [](auto from) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
    };

    auto start = std::chrono::steady_clock::now();
    recorder.begin();
    for (RoomIndexNode* node : doomed) rooms.deleteRoom(node, false);
    std::unique_ptr<ZoneChange> change = recorder.finish();
    const double recordSeconds = seconds(start);
    EXPECT_EQ(store.size(), 80000u);
    EXPECT_EQ(map.placement.size(), 40000u);
    EXPECT_EQ(change->roomsHeld(), 20000u + 2 * 10000u);  // the deleted rooms and their neighbours above and below

    start = std::chrono::steady_clock::now();
    change->undo();
    const double undoSeconds = seconds(start);
    EXPECT_EQ(store.size(), 100000u);
    EXPECT_EQ(map.grid.roomCount(), 50000u);
    EXPECT_EQ(map.placement.placementEntryAt(20001), middle);
    EXPECT_EQ(map.placement.positionOf(middle), 20001u);

    start = std::chrono::steady_clock::now();
    change->redo();
    const double redoSeconds = seconds(start);
    EXPECT_EQ(store.size(), 80000u);
    RecordProperty("record_undo_redo_seconds",
                   std::to_string(recordSeconds) + " " + std::to_string(undoSeconds) + " " + std::to_string(redoSeconds));
    EXPECT_LT(recordSeconds, 2.0 * kSlowBuildFactor);
    EXPECT_LT(undoSeconds, 2.0 * kSlowBuildFactor);
    EXPECT_LT(redoSeconds, 2.0 * kSlowBuildFactor);
}

}  // namespace
