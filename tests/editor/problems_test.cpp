// The Problems window as a builder uses it: the list follows UPDATE, the map's Draw and
// DELETE, undo and redo; the filters narrow it; a double-click shows the room in the main
// window and on the map; the ignored checks and the zone range last to the next run.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>

#include "editor/tfrmproblems.h"
#include "editor_fixture.h"
#include "map/tfrmmap.h"

namespace {

class ProblemsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        makeZone("Problem Vale", 42, 4200);
        main->sb_confirm->setChecked(false);
    }
    TfrmProblems& window() { return *app->problems; }
    // Room and check of every finding listed, in the list's order.
    std::vector<std::pair<int32_t, std::string>> listed() {
        std::vector<std::pair<int32_t, std::string>> out;
        for (int row = 0; row < window().listed().rowCount(); ++row) {
            const LintFinding* f = window().listed().finding(row);
            out.emplace_back(f->room, std::string(lintCheckName(f->check)));
        }
        return out;
    }
    void place(TfrmMap& map, int line, QPoint cell) {
        map.sb_Draw->click();
        map.sb_ON->click();
        map.selboxPlaceRoom->setCurrentIndex(line);
        map.MapGridMouseUp(cell, cell);
    }
    void doubleClickRow(int row) {
        QTableView& list = *window().listProblems;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window()));
        const QRect cell = list.visualRect(window().listed().index(row, 3));
        // As the window system reports one: a click, then the double click.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, cell.center());
    }
    using Listed = std::vector<std::pair<int32_t, std::string>>;
};

TEST_F(ProblemsTest, TheListFollowsUpdateMapDrawDeleteUndoAndRedoAndDoubleClickShowsTheRoom) {
    addRoom(4201, "Gate", "A gate.");
    addRoom(4203, "Yard", "A yard.");
    addRoom(4202, "Road", " ");  // blank: nothing a player reads
    main->itemProblems->trigger();
    ASSERT_TRUE(window().isVisible());
    EXPECT_TRUE(main->isEnabled());  // beside the main window, which stays usable
    EXPECT_EQ(window().windowTitle(), "Problems (3)");
    EXPECT_EQ(listed(), (Listed{{4202, "empty-text"}, {4202, "unreachable-room"}, {4203, "unreachable-room"}}));

    // UPDATE with a description: that finding goes.
    main->memoRoom->setPlainText("A road.");
    main->btnwld_UpdateClick();
    EXPECT_EQ(listed(), (Listed{{4202, "unreachable-room"}, {4203, "unreachable-room"}}));
    EXPECT_EQ(window().windowTitle(), "Problems (2)");

    // On the map side by side, linked by ReCalc Exits: nothing left. Line 1 of the
    // selector is the first room off the map.
    main->btnMapClick();
    TfrmMap& map = *app->mapWindow;
    ASSERT_TRUE(map.isVisible());
    place(map, 1, {10, 10});  // 4201; 4203 and 4202 are off the map, in that order
    place(map, 2, {11, 10});
    place(map, 1, {12, 10});
    EXPECT_EQ(listed(), Listed{});
    EXPECT_EQ(window().windowTitle(), "Problems (0)");

    // DELETE the middle room: the room behind it is reached no more.
    map.sb_Draw->click();
    map.sb_DELETE->click();
    map.MapGridMouseUp({11, 10}, {11, 10});
    EXPECT_EQ(listed(), (Listed{{4203, "unreachable-room"}}));
    EXPECT_LE(window().problems().lastLinted(), 4u);  // the touched rooms and their neighbours

    main->itemUndo->trigger();
    EXPECT_EQ(listed(), Listed{});
    main->itemRedo->trigger();
    EXPECT_EQ(listed(), (Listed{{4203, "unreachable-room"}}));

    // A double-click shows the room in the main window and selects its cell on the map.
    doubleClickRow(0);
    ASSERT_NE(app->store.current(), nullptr);
    EXPECT_EQ(app->store.current()->vnum, 4203);
    EXPECT_EQ(main->editRoomNumber->text(), "4203");
    ASSERT_NE(map.selectedRoom(), nullptr);
    EXPECT_EQ(map.selectedRoom()->vnum, 4203);
    EXPECT_EQ(map.selectedCell(), QPoint(12, 10));
}

TEST_F(ProblemsTest, FiltersNarrowTheListAndTheCaptionCountsWhatIsListed) {
    addRoom(4201, "Gate", "A gate.");
    addRoom(4202, " ", " ");
    addRoom(4203, "Yard", "A yard.");
    main->itemProblems->trigger();
    EXPECT_EQ(window().windowTitle(), "Problems (4)");  // 4202 twice empty, 4202 and 4203 unreached
    // Sorted by room, whatever the check.
    EXPECT_EQ(listed(), (Listed{{4202, "empty-text"}, {4202, "empty-text"}, {4202, "unreachable-room"},
                                {4203, "unreachable-room"}}));

    QTest::keyClicks(window().editFilter, "description");
    EXPECT_EQ(listed(), (Listed{{4202, "empty-text"}}));
    window().editFilter->clear();
    window().cbCheck->setCurrentText("unreachable-room");
    EXPECT_EQ(listed(), (Listed{{4202, "unreachable-room"}, {4203, "unreachable-room"}}));
    QTest::keyClicks(window().editFilter, "4203");
    EXPECT_EQ(listed(), (Listed{{4203, "unreachable-room"}}));
    EXPECT_EQ(window().windowTitle(), "Problems (1)");
}

TEST_F(ProblemsTest, NewAreaLeftUnfinishedListsNothingOfTheRoomsThatWere) {
    addRoom(4201, "Gate", " ");
    main->itemProblems->trigger();
    EXPECT_EQ(listed(), (Listed{{4201, "empty-text"}}));
    prompts.answer(true);  // "Create NEW area, deleting all current rooms?"
    main->itemNewAreaClick();
    app->newZone->close();
    QCoreApplication::processEvents();
    EXPECT_EQ(listed(), Listed{});
    EXPECT_EQ(window().windowTitle(), "Problems (0)");
}

TEST_F(ProblemsTest, IgnoredChecksAndTheZoneRangeLastToTheNextRun) {
    addRoom(4201, "Gate", "A gate.");
    main->itemProblems->trigger();
    // An exit beyond the default range (4201..4300) dangles only inside a wider range.
    app->store.findByVnum(4201)->room->exitTo[North] = 4350;
    app->problems->zoneChanged(TouchedRooms{{app->store.findByVnum(4201)->room.get()}, {}});
    EXPECT_EQ(listed(), Listed{});
    window().editRangeLow->setFocus();
    QTest::keyClicks(window().editRangeLow, "4200");
    QTest::keyClicks(window().editRangeHigh, "4399");
    QTest::keyClick(window().editRangeHigh, Qt::Key_Return);
    EXPECT_EQ(listed(), (Listed{{4201, "dangling-exit"}}));
    window().checkItems[static_cast<size_t>(LintCheck::DanglingExit)]->trigger();
    EXPECT_EQ(listed(), Listed{});
    // A range that is no range is refused with its message and changes nothing.
    window().editRangeLow->setText(QString());
    QTest::keyClicks(window().editRangeLow, "99x");
    QTest::keyClick(window().editRangeLow, Qt::Key_Return);
    ASSERT_FALSE(prompts.messages.empty());
    EXPECT_EQ(prompts.messages.back(), "'99x' is not a valid integer value");
    EXPECT_EQ(window().problems().options().zoneRange, (std::pair<int32_t, int32_t>{4200, 4399}));

    app.reset();
    app = std::make_unique<QuendryApp>(prompts, files);
    app->createWindows();
    EXPECT_EQ(app->problems->editRangeLow->text(), "4200");
    EXPECT_EQ(app->problems->editRangeHigh->text(), "4399");
    EXPECT_FALSE(app->problems->checkItems[static_cast<size_t>(LintCheck::DanglingExit)]->isChecked());
    EXPECT_TRUE(app->problems->checkItems[static_cast<size_t>(LintCheck::EmptyText)]->isChecked());
    EXPECT_FALSE(app->problems->problems().options().runs(LintCheck::DanglingExit));
    // The next test starts from the built-in settings.
    app->settings->clear();
}

}  // namespace
