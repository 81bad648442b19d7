// A zone of 100,000 rooms: deleting, renumbering, adding and emptying stay fast.
#include <QFileInfo>
#include <QTemporaryDir>
#include <QToolButton>
#include <chrono>
#include <cstdio>
#include <fstream>

#include "build_speed.h"
#include "cli/zone_generator.h"
#include "editor_fixture.h"
#include "wldfile/tfrmquendryout.h"

// Tests that time themselves run alone (the "Timed" suites carry the CTest label timed).
using LargeZoneTimed = EditorTest;

TEST_F(LargeZoneTimed, RoomCommandsDoNotPause) {
    makeZone("Big", 1, 1);
    constexpr int kRooms = 100000;
    for (int v = 1; v <= kRooms; ++v) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = v;
        room->name = "Room";
        room->description = "Text";
        RoomDataType& r = *room;
        app->store.appendNode(WorldStore::makeNode(std::move(room)));
        app->map.placement.registerUnplacedRoom(r);
    }
    app->store.setNextFreeAfterLast();
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();

    main->showRoom(app->store.findByVnum(50000));
    main->sb_confirm->click();
    main->btnwld_DeleteRoomClick();
    EXPECT_EQ(app->store.current()->vnum, 49999);
    main->editRoomNumber->setText("200000");
    main->btnwld_UpdateClick();
    EXPECT_EQ(app->store.last()->vnum, 200000);
    addRoom(50000, "Back", "Again");
    EXPECT_EQ(app->store.size(), static_cast<size_t>(kRooms));

    prompts.answer(true);
    main->itemNewAreaClick();
    EXPECT_TRUE(app->store.empty());
    EXPECT_EQ(app->map.placement.size(), 0u);
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    EXPECT_LT(seconds, 2.0 * kSlowBuildFactor);
    RecordProperty("seconds", std::to_string(seconds));
}


// The builder's road on the largest zone a file can hold: Load through the menu (with
// its progress window), the output window, a UNIX save with the map file.
TEST_F(LargeZoneTimed, LoadsShowsAndSavesInTime) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("big.wld").toStdString();
    {
        std::ofstream out(path, std::ios::binary);
        out << generateZone(99999, 7, 1);
    }
    using Clock = std::chrono::steady_clock;
    auto seconds = [](Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); };

    files.nextOpen = path;
    auto started = Clock::now();
    main->itemLoadClick();
    const double load = seconds(started);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    ASSERT_EQ(app->store.size(), 99999u);
    EXPECT_EQ(app->map.placement.size(), 0u) << "every room of the generated zone has its own cell";

    started = Clock::now();
    main->itemSavewldClick();
    const double show = seconds(started);
    ASSERT_TRUE(app->output->isVisible());

    files.nextSave = dir.filePath("again.wld").toStdString();
    started = Clock::now();
    app->output->btnUNIX->click();
    const double save = seconds(started);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("again.map")));

    // Several times the figures in bench/timed_tests.md.
    EXPECT_LT(load, 8.0 * kSlowBuildFactor);
    EXPECT_LT(show, 3.0 * kSlowBuildFactor);
    EXPECT_LT(save, 4.0 * kSlowBuildFactor);
    RecordProperty("load_seconds", std::to_string(load));
    RecordProperty("output_seconds", std::to_string(show));
    RecordProperty("save_seconds", std::to_string(save));
    std::printf("load %.3f s, output window %.3f s, UNIX save %.3f s\n", load, show, save);
}
