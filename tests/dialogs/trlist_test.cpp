// The room list window behind "&Jump To...".
#include <QAbstractItemModel>
#include <QListView>
#include <QScrollBar>

#include "build_speed.h"
#include <QToolButton>
#include <QWindow>
#include <chrono>
#include <functional>
#include <cstdio>

#include "dialogs/room_list_model.h"
#include "dialogs/trlist.h"
#include "editor_fixture.h"
#include "wldfile/world_reader.h"

class RoomList : public EditorTest {
protected:
    TRlist& list() { return *app->roomList; }
    QStringList lines() {
        QStringList out;
        QAbstractItemModel* m = list().ListBox1->model();
        for (int row = 0; row < m->rowCount(); ++row) out << m->index(row, 0).data().toString();
        return out;
    }
    void click(int line) {
        QListView* view = list().ListBox1;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(line, 0)).center());
    }
    // As the window system reports one: a click, then the double click.
    void doubleClick(int line) {
        click(line);
        QListView* view = list().ListBox1;
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {},
                           view->visualRect(view->model()->index(line, 0)).center());
    }
    int32_t shown() const { return app->store.current() ? app->store.current()->vnum : 0; }
    void fiveRooms() {
        makeZone("Grove", 320, 32001);
        for (int v = 32001; v <= 32005; ++v) addRoom(v, QString("Room %1").arg(v), "Text.");
        main->showRoom(app->store.first());
    }
};

TEST_F(RoomList, OpensOnlyWithRoomsAndListsNumberAndNameInIndexOrder) {
    makeZone("Grove", 320, 32001);
    main->btnwld_Jumpto->click();
    EXPECT_FALSE(list().isVisible());
    EXPECT_TRUE(main->isEnabled());

    addRoom(32002, "Path", "Mud.");
    addRoom(32001, "The Dark Grove", "Oaks.");
    main->showRoom(app->store.findByVnum(32002));
    prompts.answer(true);
    main->btnwld_ClearClick();  // 32002 keeps no name
    main->btnwld_Jumpto->click();
    ASSERT_TRUE(list().isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(list().windowTitle(), "Room List");
    EXPECT_EQ(lines(), (QStringList{"32001       The Dark Grove", "32002       "}));
    EXPECT_TRUE(list().ListBox1->uniformItemSizes());
    const QFontMetrics metrics(list().ListBox1->font());
    EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));  // a fixed-pitch font
    EXPECT_TRUE(list().sb_single->isChecked());
    EXPECT_FALSE(list().sb_double->isChecked());
    EXPECT_TRUE(list().singleClickMode());
    EXPECT_EQ(list().btnCancel->text(), "&Cancel");

    // Cancel, or closing the window, changes nothing but the main window's state.
    list().btnCancel->click();
    EXPECT_FALSE(list().isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(shown(), 32002);
    main->btnwld_Jumpto->click();
    list().close();
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(shown(), 32002);
    EXPECT_TRUE(prompts.messages.empty());
}

// Cancel answers to Alt+C and to Escape, and however the window goes, its lines give up
// the store's nodes (a later deletion must not leave them pointing at freed rooms).
TEST_F(RoomList, EveryWayOutReleasesTheLinesAndCancelKeepsAltC) {
    fiveRooms();
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Alt+C",
         [&] {
             // A button's Alt shortcut answers only in the active window.
             list().activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&list()));
             QTest::keyClick(list().ListBox1, Qt::Key_C, Qt::AltModifier);
             // A button's Alt key clicks it after a short animation.
             EXPECT_TRUE(QTest::qWaitFor([&] { return !list().isVisible(); }, 2000));
         }},
        {"Escape", [&] { QTest::keyClick(list().ListBox1, Qt::Key_Escape); }},
        {"close box", [&] { list().windowHandle()->close(); }},
        {"a chosen line", [&] { click(1); }},
    };
    for (const auto& [name, leave] : ways) {
        SCOPED_TRACE(name);
        main->btnwld_Jumpto->click();
        ASSERT_TRUE(list().isVisible());
        ASSERT_EQ(list().model().rowCount(), 5);
        leave();
        EXPECT_FALSE(list().isVisible());
        EXPECT_TRUE(main->isEnabled());
        EXPECT_EQ(list().model().rowCount(), 0);
        EXPECT_EQ(list().model().nodeAtLine(0), nullptr);
    }
}

TEST_F(RoomList, SingleClickChoosesAtOnceWhileDoubleClickModeWaitsForEnterOrADoubleClick) {
    fiveRooms();
    main->btnwld_Jumpto->click();
    click(2);
    EXPECT_EQ(shown(), 32003);
    EXPECT_EQ(main->editRoomName->text(), "Room 32003");
    EXPECT_FALSE(list().isVisible());
    EXPECT_TRUE(main->isEnabled());

    main->btnwld_Jumpto->click();
    list().sb_double->click();
    EXPECT_FALSE(list().singleClickMode());
    QTest::keyClick(list().ListBox1, Qt::Key_Return);  // nothing selected yet
    EXPECT_TRUE(list().isVisible());
    click(1);
    EXPECT_TRUE(list().isVisible());
    EXPECT_EQ(shown(), 32003);
    QTest::keyClick(list().ListBox1, Qt::Key_Down);
    QTest::keyClick(list().ListBox1, Qt::Key_Return);
    EXPECT_EQ(shown(), 32003);  // line 2, moved to from line 1
    EXPECT_FALSE(list().isVisible());

    // The mode lasts for the run; a double click chooses in it.
    main->btnwld_Jumpto->click();
    EXPECT_TRUE(list().sb_double->isChecked());
    EXPECT_FALSE(list().singleClickMode());
    doubleClick(4);
    EXPECT_EQ(shown(), 32005);
    EXPECT_FALSE(list().isVisible());
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(RoomList, ChoosingAbandonsAPendingNewRoom) {
    fiveRooms();
    main->btnwld_NewRoomClick();
    main->editRoomName->setText("Half done");
    main->btnwld_Jumpto->click();
    click(3);
    EXPECT_FALSE(app->store.newRoomPending());
    EXPECT_TRUE(main->btnwld_NewRoom->isEnabled());
    EXPECT_EQ(shown(), 32004);
    EXPECT_EQ(main->editRoomNumber->text(), "32004");
    EXPECT_EQ(main->editRoomName->text(), "Room 32004");
    EXPECT_EQ(app->store.size(), 5u);

    // Cancel leaves a pending New Room alone.
    main->btnwld_NewRoomClick();
    main->btnwld_Jumpto->click();
    list().btnCancel->click();
    EXPECT_TRUE(app->store.newRoomPending());
}

TEST_F(RoomList, AfterAReadInFileOrderLinesFollowTheFile) {
    NoProgress progress;
    LoadRoad road{app->store, app->map, prompts, progress, false, {}};
    readWorldData("#32003\nThird~\nC.\n~\n320 0 0\nS\n"
                  "#32001\nFirst~\nA.\n~\n320 0 0\nS\n"
                  "#32002\nSecond~\nB.\n~\n320 0 0\nS\n$\n",
                  "nowhere/zone.wld", road);
    ASSERT_EQ(app->store.size(), 3u);
    main->btnwld_Jumpto->click();
    EXPECT_EQ(lines(), (QStringList{"32003       Third", "32001       First", "32002       Second"}));
    click(1);
    EXPECT_EQ(shown(), 32001);
    EXPECT_EQ(app->store.current(), app->store.nodeAt(1));
}

using RoomListTimed = RoomList;

TEST_F(RoomListTimed, AHundredThousandRoomsOpenAtOnceAndScrollToTheEnd) {
    makeZone("Big", 1, 1);
    for (int v = 1; v <= 100000; ++v) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = v;
        room->name = "Room of the long corridor";
        app->store.appendNode(WorldStore::makeNode(std::move(room)));
    }
    main->showRoom(app->store.first());
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    main->btnwld_Jumpto->click();
    QCoreApplication::processEvents();
    const double openSeconds = std::chrono::duration<double>(Clock::now() - started).count();
    ASSERT_TRUE(list().isVisible());
    EXPECT_EQ(list().ListBox1->model()->rowCount(), 100000);

    const auto scrolled = Clock::now();
    QListView* view = list().ListBox1;
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    view->viewport()->repaint();
    view->scrollToTop();
    view->viewport()->repaint();
    view->scrollTo(view->model()->index(99999, 0));
    view->viewport()->repaint();
    const double scrollSeconds = std::chrono::duration<double>(Clock::now() - scrolled).count();
    list().sb_double->click();
    doubleClick(99999);
    EXPECT_EQ(shown(), 100000);

    EXPECT_LT(openSeconds, 1.0 * kSlowBuildFactor);
    EXPECT_LT(scrollSeconds, 0.5 * kSlowBuildFactor);
    RecordProperty("open_seconds", std::to_string(openSeconds));
    std::printf("room list of 100000 rooms: open %.4f s, three scrolls %.4f s\n", openSeconds, scrollSeconds);
}
