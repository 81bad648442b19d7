// A zone of 100,000 rooms: deleting, renumbering, adding and emptying stay fast.
#include <QToolButton>
#include <chrono>

#include "editor_fixture.h"

TEST_F(EditorTest, LargeZoneRoomCommandsDoNotPause) {
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
    EXPECT_EQ(app->store.current->vnum, 49999);
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
    EXPECT_LT(seconds, 2.0);
    RecordProperty("seconds", std::to_string(seconds));
}
