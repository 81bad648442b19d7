// The map window driven as a builder drives it: real mouse presses, moves and releases on
// the board's cells, the level buttons, the exit panel's fields and the map search.
#include "dialogs/textradesc.h"
#include "map/tfrmmap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <QToolButton>
#include <fstream>
#include <functional>

#include "editor_fixture.h"
#include "map/tminimap.h"
#include "world/newer_fields.h"
#include "wldfile/tfrmquendryout.h"

namespace {

class MapWindowTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        map = app->mapWindow;
        app->store.setZone(30, "Midgaard", 3000);
    }

    // A room in the store, on the map at (x, y, z) or, with x 0, listed as not on the map.
    RoomDataType& room(int32_t vnum, const std::string& name, int x = 0, int y = 0, int z = 5) {
        auto record = std::make_unique<RoomDataType>();
        record->vnum = vnum;
        record->name = name;
        RoomDataType& r = *record;
        app->store.insertOrdered(WorldStore::makeNode(std::move(record)));
        app->store.setNextFreeAfterLast();
        if (x > 0)
            app->map.grid.putRoom(r, x, y, z);
        else
            app->map.placement.registerUnplacedRoom(r);
        return r;
    }
    RoomDataType* cell(int x, int y, int z = 5) const { return app->map.grid.cellAt(x, y, z); }

    void open(int32_t currentVnum = 0) {
        app->store.setCurrent(currentVnum ? app->store.findByVnum(currentVnum) : app->store.first());
        main->btnMapClick();
        ASSERT_TRUE(map->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    }
    void makeTemplate(const std::string& name) {
        app->store.defaultRoom.vnum = 1;
        app->store.defaultRoom.name = name;
    }

    // The centre of cell (x, y) on the board as it is scrolled now.
    QPoint at(int x, int y) const {
        const int pitch = map->MapGrid->pitch();
        return {(x - 1 - map->leftCol()) * pitch + pitch / 2, (y - 1 - map->topRow()) * pitch + pitch / 2};
    }
    QWidget* board() const { return map->MapGrid->viewport(); }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mousePress(board(), b, m, p);
        held_ = b;
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {}) {
        QTest::mouseRelease(board(), b, m, p);
        held_ = Qt::NoButton;
    }
    // The move as the window system delivers it, with the button still held during a drag
    // (QTest's own move only places the cursor on this platform).
    void move(QPoint p) {
        QMouseEvent event(QEvent::MouseMove, QPointF(p), QPointF(board()->mapToGlobal(p)), Qt::NoButton,
                          held_, Qt::NoModifier);
        QApplication::sendEvent(board(), &event);
    }
    Qt::MouseButtons held_ = Qt::NoButton;
    void click(int x, int y) {
        press(at(x, y));
        release(at(x, y));
    }
    void drag(int x0, int y0, int x1, int y1, Qt::KeyboardModifiers m = {}) {
        press(at(x0, y0), Qt::LeftButton, m);
        move(at((x0 + x1) / 2, (y0 + y1) / 2));
        move(at(x1, y1));
        release(at(x1, y1), Qt::LeftButton, m);
    }
    void drawMode(QToolButton* mode) {
        map->sb_Draw->click();
        mode->click();
    }
    std::vector<QString> selectorLines() const {
        std::vector<QString> lines;
        for (int i = 0; i < map->selboxPlaceRoom->count(); ++i)
            lines.push_back(map->selboxPlaceRoom->itemText(i));
        return lines;
    }
    bool panelEnabled() const { return map->editExit[North]->isEnabled(); }
    void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }

    TfrmMap* map = nullptr;
};

TEST_F(MapWindowTest, OpeningShowsTheCurrentRoomInViewFramedAndDisablesTheMainWindow) {
    // A zone laid out by the loader: its first room sits at (50, 50, 5).
    QTemporaryDir dir;
    const std::string path = dir.filePath("two.wld").toStdString();
    std::ofstream(path, std::ios::binary) << "#3001\nTemple~\nA hall.\n~\n30 0 0\nD1\n~\n~\n0 -1 3002\nS\n"
                                             "#3002\nAltar~\nStone.\n~\n30 0 0\nD3\n~\n~\n0 -1 3001\nS\n$\n";
    files.nextOpen = path;
    main->itemLoadClick();
    ASSERT_EQ(app->store.size(), 2u);
    EXPECT_EQ(map->windowTitle(), "Map");
    EXPECT_EQ(map->selboxPlaceRoom->itemText(0), "ERROR: You should not see this");

    main->btnMapClick();
    EXPECT_TRUE(map->isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(map->windowTitle(), "Map: 3001   Temple");
    EXPECT_EQ(map->pnlCurrentRoom->text(), "3001");
    EXPECT_EQ(map->currentLevel(), 5);
    EXPECT_EQ(map->pnlZ->text(), "5");
    // Room 3001 at (50, 50) brings its cell to the view's ninth column and row.
    EXPECT_EQ(map->leftCol(), 42);
    EXPECT_EQ(map->topRow(), 42);
    EXPECT_TRUE(map->MapGrid->inView(50, 50));
    EXPECT_TRUE(map->MapGrid->inView(43, 58));
    EXPECT_FALSE(map->MapGrid->inView(59, 50));
    EXPECT_EQ(map->framedRoom(), cell(50, 50));
    EXPECT_TRUE(panelEnabled());
    EXPECT_EQ(map->editExit[East]->text(), "3002");
    EXPECT_EQ(map->editExit[North]->text(), "0");
    EXPECT_EQ(map->selboxPlaceRoom->itemText(0), "Default (undefined)");

    // Every way of closing gives the main window back; the state stays for the next opening.
    map->btnPlusZClick();
    map->btnDone->click();
    EXPECT_FALSE(map->isVisible());
    EXPECT_TRUE(main->isEnabled());
    main->btnMapClick();
    EXPECT_EQ(map->currentLevel(), 5) << "the opening brings the current room's level back";
    QTest::keyClick(map, Qt::Key_Escape);
    EXPECT_FALSE(map->isVisible());
    EXPECT_TRUE(main->isEnabled());
    main->btnMapClick();
    map->close();
    EXPECT_TRUE(main->isEnabled());
    EXPECT_FALSE(app->minimap->isVisible());
}

TEST_F(MapWindowTest, OpeningOnARoomOffTheMapSelectsItWithThePanelGreyed) {
    RoomDataType& r = room(3001, "Temple");
    r.exitTo[North] = 0;
    r.exitTo[East] = 3005;
    r.exitTo[South] = -1;
    open();
    EXPECT_EQ(map->selectedRoom(), &r);
    EXPECT_EQ(map->framedRoom(), nullptr);
    EXPECT_EQ(map->windowTitle(), "Map");
    EXPECT_EQ(map->pnlCurrentRoom->text(), "none");
    EXPECT_FALSE(panelEnabled());
    // At the opening only real destinations are shown.
    EXPECT_EQ(map->editExit[North]->text(), "");
    EXPECT_EQ(map->editExit[East]->text(), "3005");
    EXPECT_EQ(map->editExit[South]->text(), "");
    EXPECT_EQ(map->editVkey->text(), "-1");
    EXPECT_EQ(map->leftCol(), 42);
}

TEST_F(MapWindowTest, SelectTakesTheRoomUnderTheReleaseAndAnEmptyCellGreysThePanel) {
    RoomDataType& a = room(3001, "Temple", 50, 50);
    RoomDataType& b = room(3002, "Altar", 51, 50);
    open();
    click(51, 50);
    EXPECT_EQ(map->selectedRoom(), &b);
    EXPECT_EQ(map->selectedCell(), QPoint(51, 50));
    EXPECT_EQ(map->windowTitle(), "Map: 3002   Altar");
    EXPECT_EQ(map->pnlXY->text(), "51,50");
    EXPECT_TRUE(panelEnabled());

    // Pressed on an empty cell, released on a room: the release counts. (Pressed on a
    // room, a release elsewhere is a drag: the drag tests below.)
    press(at(49, 50));
    move(at(50, 50));
    release(at(50, 50));
    EXPECT_EQ(map->selectedRoom(), &a);

    click(45, 45);
    EXPECT_EQ(map->selectedRoom(), nullptr);
    EXPECT_EQ(map->framedRoom(), nullptr);
    EXPECT_FALSE(panelEnabled());
    EXPECT_EQ(map->pnlCurrentRoom->text(), "none");
    EXPECT_EQ(map->windowTitle(), "Map");
    EXPECT_EQ(map->selectedCell(), QPoint(50, 50)) << "an empty cell leaves the selected cell";

    // Only the left button works the board.
    press(at(51, 50), Qt::RightButton);
    release(at(51, 50), Qt::RightButton);
    EXPECT_EQ(map->selectedRoom(), nullptr);
}

// The diagonal exits of the newer form are listed beside the panel, read-only, for the
// room selected; the six exit fields and the board stay as they are.
TEST_F(MapWindowTest, TheSelectedRoomsDiagonalExitsAreListedReadOnly) {
    RoomDataType& a = room(3001, "Temple", 50, 50);
    room(3002, "Altar", 51, 50);
    exitDestinationToWrite(a, NorthWest) = 3040;
    exitDestinationToWrite(a, SouthWest) = 3041;
    exitDetailsToWrite(a, SouthWest).doorFlag = 1;
    exitDetailsToWrite(a, SouthWest).key = 3099;
    exitDetailsToWrite(a, NorthEast).keywords = "no way";  // leads nowhere: not listed
    open(3001);
    EXPECT_EQ(map->pnlDiagonals->text(), "NW 3040\n  door 0\n  key -1\nSW 3041\n  door 1\n  key 3099");
    click(51, 50);
    EXPECT_EQ(map->pnlDiagonals->text(), "none");
    click(45, 45);
    EXPECT_EQ(map->pnlDiagonals->text(), "");
    click(50, 50);
    EXPECT_TRUE(map->pnlDiagonals->text().startsWith("NW 3040"));
    EXPECT_EQ(map->pnlDiagonals->findChildren<QWidget*>().size(), 0);  // nothing to type into
}

TEST_F(MapWindowTest, ThePointerPanelsFollowThePointer) {
    room(3001, "Temple", 50, 50);
    open();
    move(at(50, 50));
    EXPECT_EQ(map->pnlXY->text(), "50,50");
    EXPECT_EQ(map->pnlRoomName->text(), "Temple");
    EXPECT_EQ(map->pnlVnum->text(), "3001");
    move(at(43, 58));
    EXPECT_EQ(map->pnlXY->text(), "43,58");
    EXPECT_EQ(map->pnlRoomName->text(), "");
    EXPECT_EQ(map->pnlVnum->text(), "");
}

TEST_F(MapWindowTest, ToggleDragPlacesDefaultRoomsColumnByColumn) {
    room(3001, "Temple", 50, 50);
    room(3020, "Last");
    makeTemplate("Road");
    open();
    map->scrollToCell(10, 10, 5);
    drawMode(map->sb_Toggle);
    drag(10, 10, 11, 11);
    const std::pair<QPoint, int32_t> expected[] = {
        {{10, 10}, 3021}, {{10, 11}, 3022}, {{11, 10}, 3023}, {{11, 11}, 3024}};
    for (const auto& [where, vnum] : expected) {
        ASSERT_NE(cell(where.x(), where.y()), nullptr) << vnum;
        EXPECT_EQ(cell(where.x(), where.y())->vnum, vnum);
        EXPECT_EQ(cell(where.x(), where.y())->name, "Road");
        EXPECT_NE(app->store.findByVnum(vnum), nullptr);
    }
    EXPECT_GE(app->store.nextFreeVnum(), 3025);
    // Recalculation linked them: 3021 (10, 10) has 3023 east and 3022 south.
    EXPECT_EQ(cell(10, 10)->exitTo[East], 3023);
    EXPECT_EQ(cell(10, 10)->exitTo[South], 3022);
    EXPECT_EQ(cell(11, 11)->exitTo[North], 3023);
    // The last placed room is selected and framed.
    EXPECT_EQ(map->selectedRoom(), cell(11, 11));
    EXPECT_EQ(map->framedRoom(), cell(11, 11));
    EXPECT_TRUE(panelEnabled());

    // The same rectangle dragged the other way round takes them all off again.
    drag(11, 11, 10, 10);
    for (const auto& [where, vnum] : expected) EXPECT_EQ(cell(where.x(), where.y()), nullptr) << vnum;
    EXPECT_EQ(app->map.placement.size(), 5u) << "3020 and the four new rooms";
}

TEST_F(MapWindowTest, UndefinedTemplateStopsTheDragAtTheFirstPlacement) {
    room(3001, "Temple", 10, 10);
    room(3003, "Yard", 10, 12);
    open();
    map->scrollToCell(10, 10, 5);
    EXPECT_EQ(map->selboxPlaceRoom->itemText(0), "Default (undefined)");
    drawMode(map->sb_Toggle);
    drag(10, 10, 10, 12);
    EXPECT_EQ(cell(10, 10), nullptr) << "the first cell is taken off";
    EXPECT_EQ(cell(10, 11), nullptr) << "nothing to place";
    ASSERT_NE(cell(10, 12), nullptr) << "the drag ended before this cell";
    EXPECT_EQ(cell(10, 12)->vnum, 3003);
    EXPECT_EQ(app->store.size(), 2u);
}

TEST_F(MapWindowTest, ListedRoomsArePlacedUpwardsFromTheChosenLineThenDefaults) {
    room(3001, "Temple", 50, 50);
    room(3002, "Alpha");
    room(3003, "Beta");
    room(30010, "Gamma");
    makeTemplate("Road");
    open();
    ASSERT_EQ(selectorLines(), (std::vector<QString>{"Default", "3002        Alpha", "3003        Beta",
                                                     "30010       Gamma"}));
    map->selboxPlaceRoom->setCurrentIndex(3);
    drawMode(map->sb_ON);
    drag(45, 45, 45, 48);
    EXPECT_EQ(cell(45, 45)->vnum, 30010);
    EXPECT_EQ(cell(45, 46)->vnum, 3003);
    EXPECT_EQ(cell(45, 47)->vnum, 3002);
    EXPECT_EQ(cell(45, 48)->vnum, 30011) << "then a new default room";
    EXPECT_EQ(map->placeChoice(), 0);
    EXPECT_EQ(selectorLines(), std::vector<QString>{"Default"});
    EXPECT_EQ(app->map.placement.size(), 0u);
}

TEST_F(MapWindowTest, ToggleOnARoomListsItAtTheEndOfTheSelector) {
    room(3001, "The Temple", 50, 50);
    room(3002, "Alpha");
    open();
    drawMode(map->sb_Toggle);
    click(50, 50);
    EXPECT_EQ(cell(50, 50), nullptr);
    EXPECT_EQ(selectorLines(),
              (std::vector<QString>{"Default (undefined)", "3002        Alpha", "3001        The Temple"}));
    EXPECT_EQ(map->selectedRoom(), nullptr);
    EXPECT_FALSE(panelEnabled());
    EXPECT_NE(app->store.findByVnum(3001), nullptr) << "taken off, not deleted";
}

// What each draw mode does to an empty and to an occupied cell.
TEST_F(MapWindowTest, DrawModesActOnEmptyAndOccupiedCellsAsTheirTableSays) {
    struct Case {
        const char* mode;
        bool occupied;
        bool occupiedAfter;
        bool roomInStore;  // the room that was there, or the one placed
        bool listed;
    };
    const Case cases[] = {
        {"sb_Toggle", false, true, true, false},   {"sb_Toggle", true, false, true, true},
        {"sb_ON", false, true, true, false},       {"sb_ON", true, true, true, false},
        {"sb_OFF", false, false, false, false},    {"sb_OFF", true, false, true, true},
        {"sb_DELETE", false, false, false, false}, {"sb_DELETE", true, false, false, false},
    };
    room(3001, "Temple", 50, 50);
    makeTemplate("Road");
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.occupied ? " occupied" : " empty"));
        RoomDataType* before = nullptr;
        if (c.occupied) before = &room(4000, "Victim", 20, 20);
        const size_t storeBefore = app->store.size();
        map->scrollToCell(20, 20, 5);
        drawMode(map->findChild<QToolButton*>(c.mode));
        click(20, 20);
        EXPECT_EQ(cell(20, 20) != nullptr, c.occupiedAfter);
        if (c.occupied) {
            EXPECT_EQ(app->store.findByVnum(4000) != nullptr, c.roomInStore);
            EXPECT_EQ(app->map.placement.findByRoom(before) != nullptr, c.listed);
        } else {
            EXPECT_EQ(app->store.size(), storeBefore + (c.roomInStore ? 1 : 0));
        }
        // Clean up for the next case.
        if (RoomDataType* r = cell(20, 20)) {
            app->store.setCurrent(app->store.findByVnum(r->vnum));
            app->store.deleteCurrentRoom();
        }
        if (RoomIndexNode* n = app->store.findByVnum(4000)) {
            app->store.setCurrent(n);
            app->store.deleteCurrentRoom();
        }
    }
}

TEST_F(MapWindowTest, DeleteRemovesTheRoomAndZeroesItsNeighboursExitsWithoutAQuestion) {
    RoomDataType& west = room(3001, "West", 49, 50);
    room(3002, "Middle", 50, 50);
    RoomDataType& up = room(3003, "Above", 50, 50, 6);
    app->map.grid.recalcExits(50, 50, 5);
    ASSERT_EQ(west.exitTo[East], 3002);
    ASSERT_EQ(up.exitTo[Down], 3002);
    open(3002);
    drawMode(map->sb_DELETE);
    click(50, 50);
    EXPECT_EQ(app->store.findByVnum(3002), nullptr);
    EXPECT_EQ(cell(50, 50), nullptr);
    EXPECT_EQ(west.exitTo[East], 0);
    EXPECT_EQ(up.exitTo[Down], 0);
    EXPECT_EQ(map->selectedRoom(), nullptr);
    EXPECT_EQ(map->framedRoom(), nullptr);
    EXPECT_TRUE(prompts.questions.empty());
    // REFRESH after the selected room is gone touches nothing freed.
    map->btnRefresh->click();
    EXPECT_EQ(map->pnlCurrentRoom->text(), "none");
}

TEST_F(MapWindowTest, UnsortedIndexDeletesTheRecordUnderThePointerNotAnotherOfItsNumber) {
    auto add = [&](const char* name, int x) -> RoomDataType& {
        auto record = std::make_unique<RoomDataType>();
        record->vnum = 3001;
        record->name = name;
        RoomDataType& r = *record;
        app->store.appendNode(WorldStore::makeNode(std::move(record)));
        app->map.grid.putRoom(r, x, 50, 5);
        return r;
    };
    add("First", 49);
    RoomDataType& second = add("Second", 51);
    open();
    drawMode(map->sb_DELETE);
    click(49, 50);
    ASSERT_EQ(app->store.size(), 1u);
    EXPECT_EQ(app->store.first()->room.get(), &second);
    EXPECT_EQ(cell(51, 50), &second);
}

TEST_F(MapWindowTest, ADefaultRoomInAnEmptiedStoreTakesTheZoneStart) {
    room(3007, "Only", 50, 50);
    makeTemplate("Road");
    open();
    drawMode(map->sb_DELETE);
    click(50, 50);
    ASSERT_TRUE(app->store.empty());
    drawMode(map->sb_ON);
    click(51, 51);
    ASSERT_NE(cell(51, 51), nullptr);
    EXPECT_EQ(cell(51, 51)->vnum, 3000);
    EXPECT_EQ(app->store.size(), 1u);
}

TEST_F(MapWindowTest, ADragReleasedBeyondTheBoardIsCancelled) {
    room(3001, "Temple", 50, 50);
    makeTemplate("Road");
    open();
    drawMode(map->sb_ON);
    press(at(57, 57));
    move(at(58, 58) + QPoint(40, 40));
    release(at(58, 58) + QPoint(40, 40));
    EXPECT_EQ(cell(57, 57), nullptr);
    EXPECT_EQ(app->store.size(), 1u);
    // The next drag starts afresh.
    drag(57, 57, 58, 57);
    EXPECT_NE(cell(57, 57), nullptr);
    EXPECT_NE(cell(58, 57), nullptr);
    EXPECT_EQ(app->store.size(), 3u);
}

TEST_F(MapWindowTest, ReCalcLabelsToggleTheBoxAndUntickedPlacementsLeaveExitsAlone) {
    RoomDataType& west = room(3001, "West", 49, 50);
    west.exitTo[East] = 9999;
    makeTemplate("Road");
    app->store.defaultRoom.exitTo[West] = 7777;
    open();
    QTest::mouseClick(map->LabelReCalc, Qt::LeftButton);
    EXPECT_FALSE(map->cb_Recalc->isChecked());
    EXPECT_FALSE(map->recalcOn());
    drawMode(map->sb_ON);
    click(50, 50);
    EXPECT_EQ(west.exitTo[East], 9999);
    EXPECT_EQ(cell(50, 50)->exitTo[West], 7777);
    QTest::mouseClick(map->LabelExits, Qt::LeftButton);
    EXPECT_TRUE(map->cb_Recalc->isChecked());
    click(51, 50);
    EXPECT_EQ(cell(51, 50)->exitTo[West], cell(50, 50)->vnum);
}

TEST_F(MapWindowTest, LevelButtonsStopAtTheEndsAndSelectTheRoomAtTheSelectedCell) {
    room(3001, "Ground", 50, 50, 5);
    RoomDataType& above = room(3002, "Above", 50, 50, 6);
    open();
    map->btnPlusZ->click();
    EXPECT_EQ(map->currentLevel(), 6);
    EXPECT_EQ(map->pnlZ->text(), "6");
    EXPECT_EQ(map->selectedRoom(), &above);
    EXPECT_TRUE(panelEnabled());
    map->btnPlusZ->click();
    EXPECT_EQ(map->selectedRoom(), nullptr);
    EXPECT_EQ(map->windowTitle(), "Map");
    EXPECT_FALSE(panelEnabled());
    for (int i = 0; i < 5; ++i) map->btnPlusZ->click();
    EXPECT_EQ(map->currentLevel(), 9);
    for (int i = 0; i < 12; ++i) map->btnMinusZ->click();
    EXPECT_EQ(map->currentLevel(), 0);
    EXPECT_EQ(map->pnlZ->text(), "0");
}

TEST_F(MapWindowTest, ScrollingKeepsTheViewWithinTheBoard) {
    room(3001, "Temple", 50, 50);
    open();
    struct Case {
        int x, y, z, left, top;
    };
    const Case cases[] = {{3, 97, 2, 0, 84}, {100, 1, 9, 84, 0}, {50, 50, 0, 42, 42}, {9, 92, 5, 1, 84}};
    for (const Case& c : cases) {
        map->scrollToCell(c.x, c.y, c.z);
        EXPECT_EQ(map->leftCol(), c.left) << c.x;
        EXPECT_EQ(map->topRow(), c.top) << c.y;
        EXPECT_EQ(map->currentLevel(), c.z);
    }
    map->scrollToCell(101, 5, 5);
    map->scrollToCell(5, 5, 10);
    EXPECT_EQ(map->leftCol(), 1) << "cells off the board are ignored";
    EXPECT_EQ(map->currentLevel(), 5);

    // Keyboard and scroll bars move the view by a cell or a page and no further.
    map->MapGrid->setFocus();
    QTest::keyClick(map->MapGrid, Qt::Key_Right);
    EXPECT_EQ(map->leftCol(), 2);
    QTest::keyClick(map->MapGrid, Qt::Key_PageDown);
    EXPECT_EQ(map->topRow(), 84);
    map->MapGrid->horizontalScrollBar()->setValue(500);
    EXPECT_EQ(map->leftCol(), 84);
}

TEST_F(MapWindowTest, ExitFieldsStoreOnEnterAndOnLeavingAndRefuseNonNumbers) {
    RoomDataType& r = room(3001, "Temple", 50, 50);
    RoomDataType& other = room(3050, "Far", 60, 60);
    open();
    type(map->editExit[East], "3050");
    QTest::keyClick(map->editExit[East], Qt::Key_Return);
    EXPECT_EQ(r.exitTo[East], 3050);
    EXPECT_TRUE(focused(map->editExit[East]));
    EXPECT_EQ(other.exitTo[West], 0) << "the room at the other end is left alone";

    // A refused number keeps the field and the focus; Tab does not leave it.
    r.exitTo[South] = 3010;
    const QString refused[] = {"abc", "", "12 "};
    for (const QString& text : refused) {
        prompts.clear();
        type(map->editExit[South], text);
        if (text.isEmpty()) QTest::keyClick(map->editExit[South], Qt::Key_Delete);
        QTest::keyClick(map->editExit[South], Qt::Key_Tab);
        EXPECT_EQ(prompts.messages,
                  std::vector<std::string>{"'" + text.toStdString() + "' is not a valid integer value"});
        EXPECT_EQ(r.exitTo[South], 3010);
        EXPECT_TRUE(focused(map->editExit[South]));
    }
    // A click on the board is spent on the refusal, as often as it is tried; corrected,
    // the number is stored and the click selects.
    RoomDataType& near = room(3060, "Near", 52, 52);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        click(52, 52);
        EXPECT_EQ(prompts.messages.size(), 1u + attempt);
        EXPECT_EQ(map->selectedRoom(), &r) << "the click went to the message";
    }
    type(map->editExit[South], "3011");
    click(52, 52);
    EXPECT_EQ(r.exitTo[South], 3011);
    EXPECT_EQ(map->selectedRoom(), &near);

    click(50, 50);
    type(map->editExit[Down], "$10");
    QTest::keyClick(map->editExit[Down], Qt::Key_Tab);
    EXPECT_EQ(r.exitTo[Down], 16);

    type(map->editVkey, "3099");
    QTest::keyClick(map->editVkey, Qt::Key_Enter);
    EXPECT_EQ(r.exits[North].key, 3099);
    prompts.clear();
    type(map->editVkey, "key");
    QTest::keyClick(map->editVkey, Qt::Key_Tab);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"'key' is not a valid integer value"});
    EXPECT_EQ(r.exits[North].key, 3099);
}

TEST_F(MapWindowTest, DirectionButtonsShowEachExitsDetailsAndEditsStayWithTheirExit) {
    RoomDataType& r = room(3001, "Temple", 50, 50);
    r.exits[Up].description = "Stairs.\r\n";
    r.exits[Up].keywords = "stairs";
    r.exits[Up].key = 12;
    r.exits[Up].doorFlag = 7;  // outside 0..2: shown as 0
    open();
    map->sbDirection[Up]->click();
    EXPECT_EQ(map->exitDirection(), Up);
    EXPECT_EQ(map->editGenDesc->toPlainText(), "Stairs.\n");
    EXPECT_EQ(map->editKeywords->text(), "stairs");
    EXPECT_EQ(map->editVkey->text(), "12");
    EXPECT_TRUE(map->sbDoorFlag[0]->isChecked());
    type(map->editKeywords, "steps");
    QTest::mouseClick(map->editGenDesc->viewport(), Qt::LeftButton);
    map->editGenDesc->clear();
    QTest::keyClicks(map->editGenDesc, "Up\tthere");
    QTest::keyClick(map->editGenDesc, Qt::Key_Return);
    QTest::keyClicks(map->editGenDesc, "again");
    QTest::mouseClick(map->sbDirection[North], Qt::LeftButton);
    EXPECT_EQ(r.exits[Up].keywords, "steps");
    EXPECT_EQ(r.exits[Up].description, "Up\tthere\r\nagain");
    EXPECT_EQ(map->editKeywords->text(), "");
    EXPECT_TRUE(map->sbDirection[North]->isChecked());
    EXPECT_FALSE(map->sbDirection[Up]->isChecked());

    // A click on a direction label chooses that direction and gives its field the focus.
    QTest::mouseClick(map->labelExit[Up], Qt::LeftButton);
    EXPECT_EQ(map->exitDirection(), Up);
    EXPECT_TRUE(focused(map->editExit[Up]));
}

// Closing the map with Escape, its close box or Done while a panel field still holds
// what was typed keeps it, as leaving the field would; a number field nobody typed into
// (an exit shown empty) says nothing as the map closes.
TEST_F(MapWindowTest, WhatIsTypedInThePanelCountsWhenTheMapCloses) {
    RoomDataType& r = room(3001, "Temple", 50, 50);
    r.exitTo[East] = 3002;
    struct Case {
        const char* what;
        std::function<void()> typeIt;
        std::function<bool()> kept;
    };
    const Case cases[] = {
        {"general description",
         [&] {
             map->editGenDesc->setFocus();
             map->editGenDesc->clear();
             QTest::keyClicks(map->editGenDesc, "A gate.");
         },
         [&] { return r.exits[North].description == "A gate."; }},
        {"keywords", [&] { type(map->editKeywords, "gate"); }, [&] { return r.exits[North].keywords == "gate"; }},
        {"key", [&] { type(map->editVkey, "3099"); }, [&] { return r.exits[North].key == 3099; }},
        {"exit", [&] { type(map->editExit[Up], "3005"); }, [&] { return r.exitTo[Up] == 3005; }},
    };
    const std::function<void()> closes[] = {[&] { QTest::keyClick(map, Qt::Key_Escape); }, [&] { map->close(); }};
    for (const Case& c : cases) {
        for (const auto& close : closes) {
            r.exits[North] = RoomExitType{};
            r.exitTo[Up] = 0;
            open();
            c.typeIt();
            close();
            EXPECT_FALSE(map->isVisible());
            EXPECT_TRUE(c.kept()) << c.what;
        }
    }
    // An exit shown empty (exit 0), focused but untouched, is not stored.
    prompts.clear();
    open();
    map->editExit[South]->setFocus();
    QTest::keyClick(map, Qt::Key_Escape);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    EXPECT_EQ(r.exitTo[South], 0);
}

// Three faults of the builder's road, clicked as a builder clicks. A button that takes no
// focus (the direction buttons) stores what was typed before it shows another exit.
TEST_F(MapWindowTest, WhatIsTypedReachesTheRoomWhenADirectionButtonIsClicked) {
    files.nextOpen = QUENDRY_EXAMPLES "/sample.wld";
    main->itemLoadClick();
    open(4201);
    RoomDataType& gate = *app->store.findByVnum(4201)->room;
    QTest::mouseClick(map->sbDirection[Up], Qt::LeftButton);
    QTest::mouseClick(map->LabelKeywords, Qt::LeftButton);
    QTest::keyClicks(map->editKeywords, "steps");
    QTest::mouseClick(map->sbDirection[North], Qt::LeftButton);
    QTest::mouseClick(map->sbDirection[Up], Qt::LeftButton);
    EXPECT_EQ(map->editKeywords->text(), "steps");
    EXPECT_EQ(gate.exits[Up].keywords, "steps");

    QTest::mouseClick(map->editExit[East], Qt::LeftButton);
    map->editExit[East]->selectAll();
    QTest::keyClicks(map->editExit[East], "4299");
    QTest::mouseClick(map->sbDirection[South], Qt::LeftButton);
    EXPECT_EQ(map->editExit[East]->text(), "4299");
    EXPECT_EQ(gate.exitTo[East], 4299);
}

// A Draw that stops at its first cell (no template) leaves the selection where it was:
// what is typed next goes into the room shown, and a level change comes back to it.
TEST_F(MapWindowTest, ADrawThatStopsAtOnceKeepsTheSelectedRoomAndItsCell) {
    RoomDataType& temple = room(3001, "Temple", 50, 50);
    open();
    drawMode(map->sb_Toggle);
    click(52, 52);
    EXPECT_EQ(cell(52, 52), nullptr) << "no template: nothing placed";
    EXPECT_EQ(map->selectedCell(), QPoint(50, 50));
    QTest::mouseClick(map->editExit[East], Qt::LeftButton);
    map->editExit[East]->selectAll();
    QTest::keyClicks(map->editExit[East], "4299");
    QTest::keyClick(map->editExit[East], Qt::Key_Return);
    EXPECT_EQ(temple.exitTo[East], 4299);
    QTest::mouseClick(map->btnPlusZ, Qt::LeftButton);
    QTest::mouseClick(map->btnMinusZ, Qt::LeftButton);
    EXPECT_EQ(map->pnlCurrentRoom->text(), "3001");
    EXPECT_EQ(map->selectedRoom(), &temple);
}

// A number refused as the map closes keeps the map open on it, and nothing of the refusal
// is left over for the next opening: its first click selects.
TEST_F(MapWindowTest, ARefusalAtClosingKeepsTheMapOpenAndSpendsNoLaterClick) {
    RoomDataType& temple = room(3001, "Temple", 50, 50);
    RoomDataType& yard = room(3002, "Yard", 51, 50);
    open();
    drawMode(map->sb_Toggle);
    click(50, 50);
    ASSERT_FALSE(temple.onMap());
    map->sb_Select->click();
    click(51, 50);
    QTest::mouseClick(map->editExit[South], Qt::LeftButton);
    map->editExit[South]->selectAll();
    QTest::keyClicks(map->editExit[South], "abc");
    QTest::keyClick(map->editExit[South], Qt::Key_Escape);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"'abc' is not a valid integer value"});
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(map->editExit[South]->text(), "abc");
    map->editExit[South]->selectAll();
    QTest::keyClicks(map->editExit[South], "3001");
    QTest::keyClick(map->editExit[South], Qt::Key_Escape);
    EXPECT_FALSE(map->isVisible());
    EXPECT_EQ(yard.exitTo[South], 3001);

    open(3001);  // the room taken off: selected, the panel greyed
    click(51, 50);
    EXPECT_EQ(map->selectedRoom(), &yard);
}

TEST_F(MapWindowTest, DoorFlagButtonsSetTheDoorAndDoorFlagStepsRound) {
    RoomDataType& r = room(3001, "Temple", 50, 50);
    r.exitTo[East] = 3002;
    open();
    map->sbDirection[East]->click();
    map->sbDoorFlag[2]->click();
    EXPECT_EQ(r.exits[East].doorFlag, 2);
    const int expected[] = {0, 1, 2, 0};
    for (int flag : expected) {
        map->btnDFC->click();
        EXPECT_EQ(r.exits[East].doorFlag, flag);
        for (int f = 0; f < 3; ++f) EXPECT_EQ(map->sbDoorFlag[f]->isChecked(), f == flag);
    }
    EXPECT_EQ(r.exits[North].doorFlag, 0);
    // With no door-flag button down (the panel greyed) "Door Flag" does nothing.
    click(45, 45);
    map->btnDFC->click();
    EXPECT_EQ(r.exits[East].doorFlag, 0);
}

TEST_F(MapWindowTest, SearchFindsRoomsOnTheMapByNumberAndNameAndJumpsBothWays) {
    room(3001, "Temple", 50, 50);
    room(3002, "Temple Square");
    RoomDataType& garden = room(3003, "Temple Garden", 20, 80, 3);
    RoomDataType& numbered = room(13002, "Barracks", 60, 60);
    open(3001);
    map->editGoTo->setText("temple");
    map->btnJn->click();
    EXPECT_EQ(map->selectedRoom(), &garden) << "3002 is not on the map";
    EXPECT_EQ(map->currentLevel(), 3);
    EXPECT_EQ(map->leftCol(), 12);
    EXPECT_TRUE(panelEnabled());
    EXPECT_TRUE(focused(map->editGoTo));
    map->btnJn->click();
    EXPECT_EQ(map->selectedRoom(), &garden) << "nothing after it";
    map->btnJp->click();
    EXPECT_EQ(map->selectedRoom()->vnum, 3001);
    map->btnJp->click();
    EXPECT_EQ(map->selectedRoom()->vnum, 3001) << "nothing before the first";

    const std::pair<QString, int32_t> searches[] = {
        {"3002", 13002}, {"GARDEN", 3003}, {"", 3003}, {"nowhere", 3003}};
    for (const auto& [text, vnum] : searches) {
        type(map->editGoTo, text);
        if (text.isEmpty()) map->editGoTo->clear();
        QTest::keyClick(map->editGoTo, Qt::Key_Return);
        EXPECT_EQ(map->editGoTo->text(), text);
        EXPECT_EQ(map->selectedRoom()->vnum, vnum) << text.toStdString();
        EXPECT_TRUE(focused(map->editGoTo));
    }
    (void)numbered;
}

TEST_F(MapWindowTest, ExtraDescriptionsNeedASelectedRoom) {
    RoomDataType& r = room(3001, "Temple", 50, 50);
    RoomDataType* opened = nullptr;
    map->setExtraDescOpener([&](RoomDataType& room) { opened = &room; });
    open();
    map->btnExtra->click();
    EXPECT_EQ(opened, &r);
    EXPECT_TRUE(prompts.messages.empty());
    click(45, 45);
    map->btnExtra->click();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"There is no room selected!"});
}

TEST_F(MapWindowTest, ExtraDescriptionsOpenOnTheSelectedRoomWithTheMapDisabledMeanwhile) {
    RoomDataType& r = room(3001, "Temple", 50, 50);
    open();
    map->btnExtra->click();
    EXPECT_TRUE(app->extraDesc->isVisible());
    EXPECT_EQ(app->extraDesc->room(), &r);
    EXPECT_FALSE(map->isEnabled());
    app->extraDesc->close();
    EXPECT_TRUE(map->isEnabled());
    EXPECT_TRUE(map->isVisible());
}

TEST_F(MapWindowTest, TheBoardPaintsOnlyTheCellsItMust) {
    room(3001, "Temple", 50, 50);
    open();
    map->MapGrid->viewport()->repaint();
    const long full = map->MapGrid->paintedCells();
    map->MapGrid->viewport()->repaint();
    EXPECT_EQ(map->MapGrid->paintedCells() - full, 256) << "a whole view is 16 x 16 cells";
    const long before = map->MapGrid->paintedCells();
    map->MapGrid->viewport()->repaint(map->MapGrid->cellRect(50, 50));
    EXPECT_EQ(map->MapGrid->paintedCells() - before, 1);
}

TEST_F(MapWindowTest, TheMinimapFollowsTheBoardAndItsButton) {
    room(3001, "Temple", 50, 50);
    RoomDataType& placed = room(3002, "Far", 20, 30);
    open();
    Tminimap& mini = *app->minimap;
    EXPECT_TRUE(map->sb_minimap->isChecked());
    EXPECT_TRUE(mini.isVisible()) << "down at start: shown with the map";
    EXPECT_EQ(mini.picture().lastFrame().topLeft(), QPoint(42, 42));
    EXPECT_EQ(mini.picture().image().pixelColor(19, 29), MinimapImage::roomColour());

    // Scrolling moves the frame; a click on the minimap scrolls the board.
    map->MapGrid->horizontalScrollBar()->setValue(43);
    EXPECT_EQ(mini.picture().lastFrame().topLeft(), QPoint(43, 42));
    emit mini.scrollRequested(20, 30);
    EXPECT_EQ(map->leftCol(), 12);
    EXPECT_EQ(map->topRow(), 22);
    EXPECT_EQ(mini.picture().lastFrame().topLeft(), QPoint(12, 22));

    // A Draw ends with the minimap redrawn.
    drawMode(map->sb_OFF);
    click(20, 30);
    EXPECT_FALSE(placed.onMap());
    EXPECT_NE(mini.picture().image().pixelColor(19, 29), MinimapImage::roomColour());

    map->sb_minimap->click();
    EXPECT_FALSE(mini.isVisible());
    map->sb_minimap->click();
    EXPECT_TRUE(mini.isVisible());
    mini.close();  // its close box
    EXPECT_FALSE(map->sb_minimap->isChecked());
    EXPECT_TRUE(map->isVisible());
    map->sb_minimap->click();
    map->btnDone->click();
    EXPECT_FALSE(mini.isVisible()) << "hidden with the map";
    EXPECT_TRUE(map->sb_minimap->isChecked()) << "and down again at the next opening";
}

// The builder's road through the map: a new zone, one room made the template, rooms drawn
// and linked on the board, a door set in the exit panel, saved with the map file, read again.
TEST_F(MapWindowTest, RoomsDrawnOnTheMapAreSavedAndComeBackInTheirCells) {
    makeZone("Mill", 42, 4200);
    addRoom(4200, "Gate", "A gate.");
    main->btnwld_MakeDefaultClick();
    main->btnMapClick();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    drawMode(map->sb_ON);
    drag(51, 50, 52, 50);  // beside the gate, which the map has listed, not placed
    map->sb_Select->click();
    click(51, 50);
    map->sbDirection[East]->click();
    map->sbDoorFlag[1]->click();
    type(map->editKeywords, "door");
    QTest::keyClick(map->editKeywords, Qt::Key_Return);
    map->btnDone->click();

    QTemporaryDir dir;
    files.nextSave = dir.filePath("mill.wld").toStdString();
    main->itemSavewldClick();
    app->output->btnUNIX->click();
    ASSERT_TRUE(prompts.messages.empty()) << prompts.lastMessage();

    files.nextOpen = files.nextSave;
    prompts.answer(true);
    main->itemLoadClick();
    ASSERT_EQ(numbers(), (std::vector<int32_t>{4200, 4201, 4202}));
    RoomDataType* west = cell(51, 50);
    RoomDataType* east = cell(52, 50);
    ASSERT_NE(west, nullptr);
    ASSERT_NE(east, nullptr);
    EXPECT_EQ(west->vnum, 4201);
    EXPECT_EQ(west->name, "Gate");
    EXPECT_EQ(west->exitTo[East], 4202);
    EXPECT_EQ(east->exitTo[West], 4201);
    EXPECT_EQ(west->exits[East].doorFlag, 1);
    EXPECT_EQ(west->exits[East].keywords, "door");
    EXPECT_FALSE(app->store.findByVnum(4200)->room->onMap());
    EXPECT_NE(app->map.placement.findByRoom(app->store.findByVnum(4200)->room.get()), nullptr);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Zoom, the view options, the tooltip, and drags in Select mode

TEST_F(MapWindowTest, ZoomByKeysMenuAndWheelKeepsTheRoomInViewAndIsRemembered) {
    RoomDataType& a = room(3001, "Temple", 50, 50);
    open();
    QTemporaryDir dir;
    QSettings settings(dir.filePath("view.ini"), QSettings::IniFormat);
    map->setViewSettings(&settings);
    ASSERT_EQ(map->zoom(), 1);
    EXPECT_EQ(map->MapGrid->columnsInView(), 16) << "1x at the first size: today's 16 x 16 cells";
    EXPECT_FALSE(map->longExitsShown()) << "off at 1x";

    struct Step {
        std::function<void()> act;
        int zoom;
    };
    const Step steps[] = {
        {[&] { QTest::keyClick(map, Qt::Key_Equal, Qt::ControlModifier); }, 2},
        {[&] { QTest::keyClick(map, Qt::Key_Equal, Qt::ControlModifier); }, 3},
        {[&] { map->itemZoom[3]->trigger(); }, 4},
        {[&] { QTest::keyClick(map, Qt::Key_Equal, Qt::ControlModifier); }, 4},
        {[&] { QTest::keyClick(map, Qt::Key_Minus, Qt::ControlModifier); }, 3},
        {[&] {
             QWheelEvent wheel(QPointF(at(50, 50)), QPointF(board()->mapToGlobal(at(50, 50))), {}, {0, -120},
                               Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(board(), &wheel);
         },
         2},
        {[&] { QTest::keyClick(map, Qt::Key_0, Qt::ControlModifier); }, 1},
        {[&] { map->itemZoom[2]->trigger(); }, 3},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(map->zoom(), step.zoom);
        EXPECT_TRUE(map->itemZoom[step.zoom - 1]->isChecked());
        EXPECT_TRUE(map->MapGrid->inView(50, 50)) << "zoom " << step.zoom;
        EXPECT_EQ(map->MapGrid->columnsInView(), 272 / (17 * step.zoom));
        EXPECT_EQ(settings.value("map/zoom").toInt(), step.zoom);
    }
    EXPECT_TRUE(map->longExitsShown()) << "on from 2x";
    EXPECT_TRUE(map->itemLongExits->isChecked());
    // The minimap's frame spans what the board shows.
    ASSERT_TRUE(app->minimap->isVisible());
    EXPECT_EQ(app->minimap->picture().lastFrame().width(), map->MapGrid->columnsInView() - 1);

    // A larger window shows more cells.
    map->resize(map->width() + 17 * 3 * 2, map->height());
    EXPECT_EQ(map->MapGrid->columnsInView(), 272 / 51 + 2);

    // The next run starts as this one left off.
    map->itemSectorColours->trigger();
    TfrmMap second(app->store, app->map, prompts);
    second.setViewSettings(&settings);
    EXPECT_EQ(second.zoom(), 3);
    EXPECT_TRUE(second.sectorColours());
    EXPECT_TRUE(second.longExitsShown());
    map->setViewSettings(nullptr);
    (void)a;
}

TEST_F(MapWindowTest, TooltipAndLegendUseTheTablesNames) {
    RoomDataType& a = room(3001, "Temple", 50, 50);
    room(3002, "Altar", 51, 50);
    a.exitTo[East] = 3002;
    a.exitTo[South] = 9999;
    a.sectorType = 1;
    a.bitvector = 1;
    open();
    const QString tip = map->roomTooltip(50, 50);
    for (const char* part : {"Room 3001  Temple", "Sector: CITY (1)", "Flags: DARK", "East: 3002 Altar",
                             "South: 9999  [no such room in the zone]"})
        EXPECT_TRUE(tip.contains(QString::fromLatin1(part))) << part << " in " << tip.toStdString();
    EXPECT_TRUE(map->roomTooltip(52, 50).isEmpty());
    map->itemSectorColours->trigger();
    EXPECT_TRUE(map->pnlLegend->isVisible());
    EXPECT_TRUE(map->pnlLegend->text().contains("WATER_NOSWIM"));
    EXPECT_GE(map->width(), 551 + 150);
}

TEST_F(MapWindowTest, DragMovesARoomWithOrWithoutReCalcAsOneStep) {
    for (const bool recalc : {true, false}) {
        SCOPED_TRACE(recalc ? "ReCalc" : "no ReCalc");
        app->history.clear();
        RoomDataType& a = room(recalc ? 3001 : 3011, "A", 50, 50);
        RoomDataType& b = room(recalc ? 3002 : 3012, "B", 51, 50);
        app->map.grid.recalcExits(50, 50, 5);
        open(a.vnum);
        map->cb_Recalc->setChecked(recalc);
        drag(50, 50, 50, 53);  // to an empty cell
        EXPECT_EQ(cell(50, 53), &a);
        EXPECT_EQ(cell(50, 50), nullptr);
        EXPECT_EQ(map->selectedRoom(), &a);
        EXPECT_EQ(b.exitTo[West], recalc ? 0 : a.vnum);
        drag(50, 53, 51, 50);  // onto a taken cell: nothing
        EXPECT_EQ(cell(50, 53), &a);
        press(at(50, 53));  // released beyond the board: nothing
        release(QPoint(-5, -5));
        EXPECT_EQ(cell(50, 53), &a);
        ASSERT_EQ(app->history.stack().count(), 1);
        EXPECT_EQ(app->history.stack().text(0), QString("Move Room %1").arg(a.vnum));
        app->history.stack().undo();
        EXPECT_EQ(cell(50, 50), &a);
        EXPECT_EQ(b.exitTo[West], a.vnum);
        app->history.stack().redo();
        EXPECT_EQ(cell(50, 53), &a);
        map->btnDone->click();
        app->map.grid.takeRoom(50, 53, 5);
        app->map.grid.takeRoom(51, 50, 5);
    }
}

TEST_F(MapWindowTest, ShiftDragLinksAfterTheQuestionAndCtrlShiftUnlinks) {
    RoomDataType& a = room(3001, "A", 50, 50);
    RoomDataType& b = room(3002, "B", 55, 52);  // further east than south
    RoomDataType& c = room(3003, "C", 50, 51);
    a.exitTo[East] = 3999;
    open();
    prompts.answer(false);
    drag(50, 50, 55, 52, Qt::ShiftModifier);
    EXPECT_EQ(prompts.questions.back(), "Replace the exit to 3999?");
    EXPECT_EQ(a.exitTo[East], 3999);
    EXPECT_EQ(app->history.stack().count(), 0);
    prompts.answer(true);
    drag(50, 50, 55, 52, Qt::ShiftModifier);
    EXPECT_EQ(a.exitTo[East], 3002);
    EXPECT_EQ(b.exitTo[West], 3001);
    EXPECT_EQ(map->editExit[East]->text(), "3002") << "the panel shows the new exit";
    drag(50, 50, 50, 51, Qt::ShiftModifier);  // the neighbour south: no question
    EXPECT_EQ(a.exitTo[South], 3003);
    EXPECT_EQ(c.exitTo[North], 3001);
    const size_t asked = prompts.questions.size();
    drag(55, 52, 55, 52, {});                              // a click selects B...
    press(at(50, 50), Qt::LeftButton, Qt::ShiftModifier);  // ...and a Shift+click A, as a click does
    release(at(50, 50), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(map->selectedRoom(), &a);
    drag(50, 50, 52, 50, Qt::ShiftModifier);  // onto an empty cell: nothing
    EXPECT_EQ(prompts.questions.size(), asked);
    drag(55, 52, 50, 50, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(a.exitTo[East], 0);
    EXPECT_EQ(b.exitTo[West], 0);
    EXPECT_EQ(a.exitTo[South], 3003) << "only the pair in the drag's direction";
    ASSERT_EQ(app->history.stack().count(), 3);
    EXPECT_EQ(app->history.stack().text(0), "Link Rooms 3001 and 3002");
    EXPECT_EQ(app->history.stack().text(2), "Unlink Rooms 3002 and 3001");
    app->history.stack().undo();
    EXPECT_EQ(a.exitTo[East], 3002);
    app->history.stack().undo();
    app->history.stack().undo();
    EXPECT_EQ(a.exitTo[East], 3999);
    EXPECT_EQ(b.exitTo[West], 0);
    app->history.stack().redo();
    EXPECT_EQ(a.exitTo[East], 3002);
    EXPECT_EQ(b.exitTo[West], 3001);
}
