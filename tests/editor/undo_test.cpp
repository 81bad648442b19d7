// Edit | Undo and Redo as a builder uses them: through the menu's actions and through the
// shortcuts, in the main window and in the map window, with the windows showing the zone
// as it was; the title bar's modified mark; the set-up dialogs' Use taken back.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUndoStack>
#include <fstream>
#include <random>

#include "colour/tfrmsetcolor.h"
#include "defs/tfrmsetsect.h"
#include "dialogs/textradesc.h"
#include "editor_fixture.h"
#include "map/tfrmmap.h"
#include "wldfile/tfrmquendryout.h"
#include "wldfile/world_writer.h"

namespace {

class UndoTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        makeZone("Undo Vale", 42, 4200);
        main->sb_confirm->setChecked(false);  // no question before Clear and Delete
    }

    QUndoStack& stack() { return app->history.stack(); }
    // What the zone is: the world file and the map file the writer makes of it.
    std::string zoneBytes() const { return buildWorldText(app->store, true) + buildMapFileText(app->store); }

    // The key goes to the window's focus widget, through the window's shortcuts first.
    void keys(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
        window->activateWindow();
        QApplication::setActiveWindow(window);
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

    void openMap() {
        main->btnMapClick();
        ASSERT_TRUE(app->mapWindow->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(app->mapWindow));
    }
    void draw(TfrmMap& map, QToolButton* mode, QPoint from, QPoint to) {
        map.sb_Draw->click();
        mode->click();
        map.MapGridMouseUp(from, to);
    }
};

TEST_F(UndoTest, EditMenuTakesAnAcceleratorNoOtherControlOfTheWindowUses) {
    const QList<QAction*> menus = main->menuBar()->actions();
    // Every accelerator of the window, its menu bar included: each letter at most once.
    QMap<QChar, QStringList> owners;
    auto note = [&](const QString& text) {
        const int amp = text.indexOf(QLatin1Char('&'));
        if (amp >= 0 && amp + 1 < text.size()) owners[text[amp + 1].toLower()] << text;
    };
    for (QAction* menu : menus) note(menu->text());
    for (QAbstractButton* b : main->findChildren<QAbstractButton*>()) note(b->text());
    for (QLabel* l : main->findChildren<QLabel*>()) note(l->text());
    for (auto it = owners.begin(); it != owners.end(); ++it) EXPECT_EQ(it.value().size(), 1) << it.value().join(", ").toStdString();
}

TEST_F(UndoTest, RoomCommandsUndoAndRedoThroughTheMenuAndTheShortcuts) {
    addRoom(4201, "Gate", "A gate.");
    addRoom(4202, "Road", "A road.");
    const std::string twoRooms = zoneBytes();

    // Delete Room, undone through the menu: the room is back and shown.
    main->btnwld_DeleteRoomClick();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{4201}));
    EXPECT_EQ(main->itemUndo->text(), "&Undo Delete Room 4202");
    main->itemUndo->trigger();
    EXPECT_EQ(zoneBytes(), twoRooms);
    EXPECT_EQ(main->editRoomNumber->text(), "4202");
    EXPECT_EQ(main->editRoomName->text(), "Road");
    EXPECT_EQ(main->itemRedo->text(), "&Redo Delete Room 4202");
    main->itemRedo->trigger();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{4201}));
    EXPECT_EQ(main->editRoomNumber->text(), "4201");
    main->itemUndo->trigger();

    // An UPDATE renumbering, undone and redone with the keys while no text field has the focus.
    main->editRoomNumber->setText("4250");
    main->btnwld_UpdateClick();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{4201, 4250}));
    EXPECT_EQ(main->itemUndo->text(), "&Undo Renumber Room 4202 to 4250");
    main->btnwld_Update->setFocus();
    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::vector<int32_t> after;
    };
    const Key table[] = {{Qt::Key_Z, Qt::ControlModifier, {4201, 4202}},
                         {Qt::Key_Y, Qt::ControlModifier, {4201, 4250}},
                         {Qt::Key_Z, Qt::ControlModifier, {4201, 4202}},
                         {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, {4201, 4250}},
                         {Qt::Key_Z, Qt::ControlModifier, {4201, 4202}}};
    for (const Key& k : table) {
        keys(main, k.key, k.modifiers);
        EXPECT_EQ(numbers(), k.after);
        EXPECT_EQ(main->editRoomNumber->text(), QString::number(k.after.back()));
    }
    EXPECT_EQ(zoneBytes(), twoRooms);
    EXPECT_EQ(app->store.nextFreeVnum(), 4203);

    // Clear Room and the template's two buttons, each one step back to where it started.
    main->btnwld_ClearClick();
    main->btnwld_MakeDefaultClick();
    EXPECT_EQ(main->itemUndo->text(), "&Undo Make Default");
    main->btnwld_ClearDefaultClick();
    for (int i = 0; i < 3; ++i) main->itemUndo->trigger();
    EXPECT_EQ(zoneBytes(), twoRooms);
    EXPECT_EQ(app->store.defaultRoom.vnum, -1);
    EXPECT_EQ(main->memoRoom->toPlainText(), "A road.");

    // A command that changes nothing leaves no step.
    const int steps = stack().count();
    main->btnwld_UpdateClick();
    EXPECT_EQ(stack().count(), steps);
}

TEST_F(UndoTest, CtrlZInATextFieldUndoesTheTypingNotTheZone) {
    addRoom(4201, "Gate", "A gate.");
    const int index = stack().index();
    for (QWidget* field : {static_cast<QWidget*>(main->editRoomName), static_cast<QWidget*>(main->memoRoom)}) {
        field->setFocus();
        QTest::keyClicks(field, "xyz");
        keys(main, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(numbers(), (std::vector<int32_t>{4201})) << field->objectName().toStdString();
        EXPECT_EQ(stack().index(), index);
    }
    // The redo keys, too, belong to the field while it has the focus.
    addRoom(4202, "Road", "A road.");
    main->itemUndo->trigger();
    main->editRoomName->setFocus();
    ASSERT_TRUE(focused(main->editRoomName));
    keys(main, Qt::Key_Y, Qt::ControlModifier);
    keys(main, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(numbers(), (std::vector<int32_t>{4201}));
    EXPECT_EQ(main->editRoomName->text(), "Gate");
    EXPECT_EQ(main->memoRoom->toPlainText(), "A gate.");
}

TEST_F(UndoTest, ModifiedMarkFollowsTheHistoryThroughSaveUndoAndLoad) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("vale.wld").toStdString();
    EXPECT_TRUE(main->windowTitle().endsWith("[*]"));
    EXPECT_FALSE(main->isWindowModified());

    addRoom(4201, "Gate", "A gate.");
    EXPECT_TRUE(main->isWindowModified());

    TfrmQuendryOut& out = *app->output;
    out.buildOutput();
    files.nextSave = path;
    out.btnUNIX->click();
    EXPECT_FALSE(main->isWindowModified());

    main->itemUndo->trigger();
    EXPECT_TRUE(main->isWindowModified());
    main->itemRedo->trigger();
    EXPECT_FALSE(main->isWindowModified());

    // A text built before a change is not the zone: saving it leaves the mark.
    out.buildOutput();
    addRoom(4202, "Road", "A road.");
    prompts.answer(true);  // replace the file
    out.btnUNIX->click();
    EXPECT_TRUE(main->isWindowModified());

    prompts.answer(true);  // delete the rooms
    files.nextOpen = path;
    main->itemLoadClick();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{4201}));
    EXPECT_FALSE(main->isWindowModified());
    EXPECT_EQ(stack().count(), 0);
    EXPECT_FALSE(main->itemUndo->isEnabled());
    out.close();
}

TEST_F(UndoTest, MapDrawDeleteAndExitEditUndoneWithTheShortcutsOfTheMapWindow) {
    addRoom(4201, "Gate", "A gate.");
    main->btnwld_MakeDefaultClick();
    openMap();
    TfrmMap& map = *app->mapWindow;
    const int z = map.currentLevel();

    // One Draw over 3 x 2 cells is one step; so is the DELETE drag over them.
    const int before = stack().count();
    draw(map, map.sb_ON, {10, 10}, {12, 11});
    EXPECT_EQ(stack().count(), before + 1);
    EXPECT_EQ(main->itemUndo->text(), "&Undo Place 6 Rooms on Map");
    const std::string placed = zoneBytes();
    EXPECT_EQ(app->store.size(), 7u);

    draw(map, map.sb_DELETE, {10, 10}, {12, 11});
    EXPECT_EQ(stack().count(), before + 2);
    EXPECT_EQ(app->store.size(), 1u);
    EXPECT_EQ(app->map.grid.cellAt(11, 10, z), nullptr);

    map.MapGrid->setFocus();
    keys(&map, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(zoneBytes(), placed);
    EXPECT_FALSE(main->isEnabled());  // the map is still the window to work in
    RoomDataType* restored = app->map.grid.cellAt(12, 11, z);
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(app->store.findByVnum(restored->vnum)->room.get(), restored);
    // The selection follows the last cell the Draw visited, now holding its room again.
    EXPECT_EQ(map.selectedRoom(), restored);
    EXPECT_EQ(map.pnlCurrentRoom->text(), QString::number(restored->vnum));

    keys(&map, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(app->store.size(), 1u);
    EXPECT_EQ(map.selectedRoom(), nullptr);
    EXPECT_EQ(map.pnlCurrentRoom->text(), "none");
    keys(&map, Qt::Key_Z, Qt::ControlModifier);

    // An exit field edit is a step; undone, the panel shows the old destination.
    map.sb_Select->click();
    map.MapGridMouseUp({10, 10}, {10, 10});
    RoomDataType* room = map.selectedRoom();
    ASSERT_NE(room, nullptr);
    const int32_t east = room->exitTo[East];
    map.editExit[East]->setFocus();
    map.editExit[East]->selectAll();
    QTest::keyClicks(map.editExit[East], "4299");
    QTest::keyClick(map.editExit[East], Qt::Key_Return);
    EXPECT_EQ(room->exitTo[East], 4299);
    EXPECT_EQ(main->itemUndo->text(), "&Undo Set East Exit of Room " + QString::number(room->vnum));
    map.MapGrid->setFocus();
    keys(&map, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(room->exitTo[East], east);
    EXPECT_EQ(map.editExit[East]->text(), QString::number(east));
    EXPECT_EQ(zoneBytes(), placed);

    // Undoing the placement itself leaves no room selected and the selector as it was.
    keys(&map, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(app->store.size(), 1u);
    EXPECT_EQ(map.selectedRoom(), nullptr);
    EXPECT_EQ(map.selboxPlaceRoom->count(), 2);  // the default line and room 4201
    map.close();
    EXPECT_EQ(main->editRoomNumber->text(), "4201");
}

TEST_F(UndoTest, ExtraDescriptionStepsFromAddToUpdateAndNoneForAnAddThatWentAgain) {
    addRoom(4201, "Gate", "A gate.");
    const std::string bare = zoneBytes();
    const int steps = stack().count();
    TExtraDesc& dialog = *app->extraDesc;

    main->btnExtraClick();
    dialog.btnAddClick();
    dialog.btnDoneClick();  // closed before UPDATE: the entry went, no step
    EXPECT_EQ(stack().count(), steps);

    main->btnExtraClick();
    dialog.btnAddClick();
    dialog.editKey->setText("gate");
    dialog.memoRoom->setPlainText("Iron bars.");
    dialog.btnUpdateClick();
    EXPECT_EQ(stack().count(), steps + 1);
    dialog.editKey->setText("gate iron");
    dialog.btnUpdateClick();
    dialog.btnDoneClick();
    EXPECT_EQ(main->itemUndo->text(), "&Undo Update Extra Description of Room 4201");

    main->itemUndo->trigger();
    EXPECT_EQ(app->store.first()->room->extraDescs->keywords, "gate");
    main->itemUndo->trigger();
    EXPECT_EQ(zoneBytes(), bare);
    EXPECT_EQ(dialog.room(), nullptr);  // the dialog keeps no pointer into the zone

    // Reopened, the dialog lists the room as it is now.
    main->itemRedo->trigger();
    main->btnExtraClick();
    EXPECT_EQ(dialog.ListBox1->count(), 1);
    dialog.ListBox1Click(0);
    dialog.btnDeleteClick();
    dialog.btnDoneClick();
    EXPECT_EQ(main->itemUndo->text(), "&Undo Delete Extra Description of Room 4201");
    main->itemUndo->trigger();
    EXPECT_EQ(app->store.first()->room->extraDescs->keywords, "gate");
}

TEST_F(UndoTest, UseOfTheSetUpDialogsIsTakenBack) {
    TfrmSetSect& sectors = *app->setSect;
    auto* firstSector = main->findChild<QPushButton*>("sb2_1");
    ASSERT_NE(firstSector, nullptr);
    const QString builtIn = firstSector->text();
    const SectorTable tableBefore = main->sectorTable();

    sectors.openFrom(main);
    sectors.nameField(1)->selectAll();
    QTest::keyClicks(sectors.nameField(1), "INDOORS");
    sectors.btnUseClick();
    EXPECT_EQ(firstSector->text(), "INDOORS");
    EXPECT_EQ(main->itemUndo->text(), "&Undo Use Sector Types");

    main->itemUndo->trigger();
    EXPECT_TRUE(main->sectorTable() == tableBefore);
    EXPECT_EQ(firstSector->text(), builtIn);
    sectors.openFrom(main);
    EXPECT_EQ(sectors.nameField(1)->text(), builtIn);  // the window opens on what is in use
    sectors.btnCancelClick();
    main->itemRedo->trigger();
    EXPECT_EQ(firstSector->text(), "INDOORS");

    // The colour scheme: the lists before Use come back.
    const ColourLists colours = app->colours.working;
    TfrmSetColor& setColor = *app->setColor;
    setColor.openFrom(main);
    QLineEdit* colourField = setColor.colourField(TfrmSetColor::List::Foreground, 2);
    colourField->selectAll();
    QTest::keyClicks(colourField, "00FF00");
    setColor.btnUseClick();
    EXPECT_FALSE(app->colours.working == colours);
    main->itemUndo->trigger();
    EXPECT_TRUE(app->colours.working == colours);

    // A Use that changes nothing is no step.
    const int steps = stack().count();
    sectors.openFrom(main);
    sectors.btnUseClick();
    EXPECT_EQ(stack().count(), steps);
}

// Seeded random runs of the windows' commands, then every step undone through the menu
// and redone again: the zone must come back byte for byte, both ways.
TEST_F(UndoTest, RandomCommandRunsUndoToTheStartAndRedoToTheEnd) {
    auto state = [this] {
        std::string s = zoneBytes();
        for (const std::string& line : app->map.placement.selectorLines("-")) s += line + "\n";
        s += std::to_string(app->store.nextFreeVnum()) + " " + app->store.defaultRoom.name;
        return s;
    };
    TfrmMap& map = *app->mapWindow;
    TExtraDesc& extra = *app->extraDesc;
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        prompts.clear();
        addRoom(4201, "Start", "The start.");
        app->history.clear();
        const std::string start = state();
        std::mt19937 random(seed);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        for (int step = 0; step < 60; ++step) {
            switch (pick(9)) {
            case 0: addRoom(4201 + pick(30), "Room", "Text."); break;
            case 1:
                main->editRoomName->setText(QStringLiteral("Name %1").arg(step));
                if (pick(2)) main->editRoomNumber->setText(QString::number(4201 + pick(60)));
                main->btnwld_UpdateClick();
                break;
            case 2: main->btnwld_DeleteRoomClick(); break;
            case 3: pick(2) ? main->btnwld_ClearClick() : main->btnNextClick(); break;
            case 4: pick(3) ? main->btnwld_MakeDefaultClick() : main->btnwld_ClearDefaultClick(); break;
            case 5:
                main->sb_ct_Add->click();
                main->directionClick(pick(kDirectionCount));
                main->sb_ct_Navigate->click();
                break;
            case 6:
            case 7: {
                if (app->store.empty()) break;
                main->btnMapClick();
                QToolButton* modes[] = {map.sb_Toggle, map.sb_ON, map.sb_OFF, map.sb_DELETE};
                const QPoint a(40 + pick(6), 40 + pick(6)), b(40 + pick(6), 40 + pick(6));
                draw(map, modes[pick(4)], a, b);
                map.sb_Select->click();
                map.MapGridMouseUp(a, a);
                if (map.selectedRoom() && map.editExit[North]->isEnabled()) {
                    map.editExit[North]->selectAll();
                    QTest::keyClicks(map.editExit[North], QString::number(pick(5000)));
                    QTest::keyClick(map.editExit[North], Qt::Key_Return);
                    map.doorFlagButtonClick(pick(3));
                }
                map.close();
                break;
            }
            case 8:
                if (!app->store.current() || app->store.newRoomPending()) break;
                main->btnExtraClick();
                extra.btnAddClick();
                extra.editKey->setText(pick(4) ? QStringLiteral("key") : QString());
                extra.btnUpdateClick();
                extra.btnDoneClick();
                break;
            }
        }
        const std::string end = state();
        EXPECT_GT(stack().count(), 20);  // the run did change the zone, step by step
        while (main->itemUndo->isEnabled()) main->itemUndo->trigger();
        EXPECT_EQ(state(), start);
        while (main->itemRedo->isEnabled()) main->itemRedo->trigger();
        EXPECT_EQ(state(), end);
        if (!app->store.empty()) prompts.answer(true);
        main->itemNewAreaClick();
        app->newZone->btnOkClick();
    }
}

TEST_F(UndoTest, TheHistoryKeepsOnlyItsLimitOfSteps) {
    EXPECT_EQ(stack().undoLimit(), EditHistory::kDefaultLimit);
    app->setHistoryLimit(2);
    for (int vnum : {4201, 4202, 4203}) addRoom(vnum, "Room", "Text.");
    EXPECT_EQ(stack().count(), 2);
    while (stack().canUndo()) stack().undo();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{4201}));
}

}  // namespace
