// New Room, UPDATE, Clear Room and Delete Room on the main window.
#include <QToolButton>

#include "editor_fixture.h"
#include "map/map_model.h"

class RoomCommands : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        makeZone("The Dark Grove", 320, 32001);
    }
    const RoomDataType& room(int32_t vnum) { return *app->store.findByVnum(vnum)->room; }
};

TEST_F(RoomCommands, FirstRoomAndFollowingRoomsGoIntoTheStoreInNumberOrder) {
    main->btnwld_NewRoomClick();
    EXPECT_TRUE(app->store.newRoomPending());
    EXPECT_FALSE(main->btnwld_NewRoom->isEnabled());
    EXPECT_EQ(main->editRoomNumber->text(), "32001");
    EXPECT_EQ(main->editRoomNumber->cursorPosition(), 5);
    for (QPushButton* d : {main->ex_N, main->ex_E, main->ex_S, main->ex_W, main->ex_U, main->ex_D})
        EXPECT_FALSE(d->isEnabled());

    main->editRoomName->setText("Glade");
    main->memoRoom->setPlainText("A quiet glade.");
    main->btnwld_UpdateClick();
    ASSERT_EQ(numbers(), std::vector<int32_t>{32001});
    EXPECT_FALSE(app->store.newRoomPending());
    EXPECT_TRUE(main->btnwld_NewRoom->isEnabled());
    EXPECT_EQ(app->store.current(), app->store.first());
    EXPECT_EQ(app->store.nextFreeVnum(), 32002);
    const RoomDataType& glade = room(32001);
    EXPECT_EQ(glade.name, "Glade");
    EXPECT_EQ(glade.zone, 320);
    EXPECT_EQ(glade.mapX, -1);
    EXPECT_EQ(glade.exits[North].key, -1);
    // Every new room waits in the placement list until it is put on the map.
    EXPECT_NE(app->map.placement.findByRoom(&glade), nullptr);

    addRoom(32005, "Pool", "A pool.");
    addRoom(32003, "Path", "A path.");
    EXPECT_EQ(numbers(), (std::vector<int32_t>{32001, 32003, 32005}));
    EXPECT_EQ(app->store.current()->vnum, 32003);
    EXPECT_EQ(app->store.nextFreeVnum(), 32006);
    EXPECT_EQ(app->map.placement.size(), 3u);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RoomCommands, UpdateRefusesIncompleteBadAndTakenNumbersAndChangesNothing) {
    addRoom(32001, "Glade", "A glade.");
    addRoom(32002, "Path", "A path.");
    prompts.clear();

    main->btnwld_NewRoomClick();
    EXPECT_EQ(main->editRoomNumber->text(), "32003");
    main->editRoomName->setText("Pool");
    main->btnwld_UpdateClick();  // no description
    main->memoRoom->setPlainText("A pool.");
    for (const char* text : {"32003 ", "32x", "", "32000", "32002"}) {
        main->editRoomNumber->setText(QString::fromLatin1(text));
        main->btnwld_UpdateClick();
    }
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{
                  "Room Number, Room Name, and Description must all be defined in order to update.",
                  "'32003 ' is not a valid integer value", "'32x' is not a valid integer value",
                  "Room Number, Room Name, and Description must all be defined in order to update.",
                  "Room Number out of range; Zone starts at #32001", "Cannot create room: Vnum is already in use"}));
    EXPECT_EQ(numbers(), (std::vector<int32_t>{32001, 32002}));
    EXPECT_TRUE(app->store.newRoomPending());
    EXPECT_EQ(main->editRoomName->text(), "Pool");  // the fields stay as typed

    main->editRoomNumber->setText("  $7D03");  // leading blanks and hexadecimal are numbers
    main->btnwld_UpdateClick();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{32001, 32002, 32003}));
}

TEST_F(RoomCommands, RenumberingMovesTheRoomAndKeepsItsExitsAndPlacementEntry) {
    addRoom(32001, "Glade", "A glade.");
    addRoom(32002, "Path", "A path.");
    addRoom(32010, "Pool", "A pool.");
    main->showRoom(app->store.first());
    RoomDataType* glade = app->store.first()->room.get();
    glade->exitTo[East] = 32002;
    glade->appendExtraDesc("tree", "An old oak.");

    main->editRoomNumber->setText("32002");
    main->btnwld_UpdateClick();
    EXPECT_EQ(prompts.lastMessage(), "Cannot update room: Vnum is already in use");

    // Same number: no duplicate check, the texts change.
    prompts.clear();
    main->editRoomNumber->setText("32001");
    main->editRoomName->setText("Sunny Glade");
    main->btnwld_UpdateClick();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(glade->name, "Sunny Glade");

    main->editRoomNumber->setText("32050");
    main->btnwld_UpdateClick();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{32002, 32010, 32050}));
    EXPECT_EQ(app->store.current()->room.get(), glade);
    EXPECT_EQ(app->store.last()->room->vnum, 32050);
    EXPECT_EQ(glade->exitTo[East], 32002);
    EXPECT_EQ(glade->extraDescCount(), 1u);
    EXPECT_EQ(app->store.nextFreeVnum(), 32051);
    EXPECT_EQ(app->map.placement.findByRoom(glade)->vnum, 32050);
    EXPECT_EQ(app->store.findByVnum(32001), nullptr);
}

TEST_F(RoomCommands, RenumberingTheOnlyRoomAndUpdatingAZoneFromAnotherZone) {
    addRoom(32001, "Glade", "A glade.");
    app->store.first()->room->zone = 999;  // as read from a file of mixed zones
    main->editRoomNumber->setText("32007");
    main->btnwld_UpdateClick();
    EXPECT_EQ(numbers(), std::vector<int32_t>{32007});
    EXPECT_EQ(app->store.first()->room->vnum, 32007);
    EXPECT_EQ(app->store.first()->room->zone, 320);
    main->btnwld_NewRoomClick();
    EXPECT_EQ(main->editRoomNumber->text(), "32008");
}

TEST_F(RoomCommands, ClearRoomAsksWhenConfirmIsDownAndEmptiesTheStoredTexts) {
    addRoom(32001, "Glade", "A glade.");
    addRoom(32002, "Path", "A path.");
    RoomDataType* path = app->store.current()->room.get();
    path->appendExtraDesc("stone", "A grey stone.");
    path->exitTo[West] = 32001;

    prompts.answer(false);
    main->btnwld_ClearClick();
    EXPECT_EQ(prompts.questions.back(), "CLEAR all descriptions for this room?");
    EXPECT_EQ(path->name, "Path");
    EXPECT_EQ(main->editRoomName->text(), "Path");

    prompts.answer(true);
    main->btnwld_ClearClick();
    EXPECT_TRUE(main->editRoomName->text().isEmpty());
    EXPECT_TRUE(main->memoRoom->toPlainText().isEmpty());
    EXPECT_TRUE(path->name.empty());
    EXPECT_TRUE(path->description.empty());
    EXPECT_EQ(path->extraDescs, nullptr);
    EXPECT_EQ(path->exitTo[West], 32001);

    // Without "Confirm" nothing is asked; a pending new room only loses its typed texts.
    main->sb_confirm->click();
    main->btnwld_NewRoomClick();
    main->editRoomName->setText("Typed");
    main->btnwld_ClearClick();
    EXPECT_TRUE(main->editRoomName->text().isEmpty());
    EXPECT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(app->store.size(), 2u);
}

TEST_F(RoomCommands, DeleteRoomShowsTheRoomBeforeOrNoneAndPendingNewRoomDeletesNothing) {
    addRoom(32001, "Glade", "A glade.");
    addRoom(32002, "Path", "A path.");
    addRoom(32003, "Pool", "A pool.");
    RoomDataType* pool = app->store.current()->room.get();

    prompts.answer(false);
    main->btnwld_DeleteRoomClick();
    EXPECT_EQ(prompts.questions.back(), "DELETE this room?");
    EXPECT_EQ(app->store.size(), 3u);

    prompts.answer(true);
    main->btnwld_DeleteRoomClick();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{32001, 32002}));
    EXPECT_EQ(main->editRoomNumber->text(), "32002");
    EXPECT_EQ(app->store.current(), app->store.last());
    EXPECT_EQ(app->map.placement.findByRoom(pool), nullptr);
    EXPECT_EQ(app->map.placement.size(), 2u);
    EXPECT_EQ(app->store.nextFreeVnum(), 32004);  // deleting does not lower it

    main->sb_confirm->click();  // up: no more questions
    main->btnwld_NewRoomClick();
    main->btnwld_DeleteRoomClick();
    EXPECT_EQ(app->store.size(), 2u);
    EXPECT_FALSE(app->store.newRoomPending());
    EXPECT_TRUE(main->btnwld_NewRoom->isEnabled());
    EXPECT_EQ(main->editRoomNumber->text(), "32001");  // the room before the one that was current

    main->btnwld_DeleteRoomClick();  // the first room: nothing is shown after it
    EXPECT_EQ(numbers(), std::vector<int32_t>{32002});
    EXPECT_EQ(app->store.current(), nullptr);
    EXPECT_TRUE(main->editRoomNumber->text().isEmpty());
    EXPECT_FALSE(main->editRoomNumber->isEnabled());
    main->btnwld_DeleteRoomClick();  // no current room: nothing happens
    EXPECT_EQ(app->store.size(), 1u);
    EXPECT_EQ(prompts.questions.size(), 2u);
}

TEST_F(RoomCommands, ReservedRoomNamesAreReplacedWhenTheFieldIsLeft) {
    main->btnwld_NewRoomClick();
    for (const char* name : {"Default", "Default (undefined)", "default", "Default "}) {
        main->editRoomName->setText(QString::fromLatin1(name));
        main->editRoomNameExit();
        const bool reserved = QString::fromLatin1(name) == "Default" || QString::fromLatin1(name) == "Default (undefined)";
        EXPECT_EQ(main->editRoomName->text(),
                  reserved ? QString("Sorry, you can't use that as a room name.") : QString::fromLatin1(name));
    }
    // Losing the focus applies the rule.
    main->editRoomName->setText("Default");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(main->editRoomName, &out);
    EXPECT_EQ(main->editRoomName->text(), "Sorry, you can't use that as a room name.");
}

TEST_F(RoomCommands, MapAndExtraDescriptionsRefuseWithoutARoom) {
    main->btnMapClick();
    main->btnExtraClick();
    main->btnwld_NewRoomClick();
    main->btnMapClick();
    main->btnExtraClick();
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{
                  "You need to define a room before you can add to the map.  Use New Room then UPDATE.",
                  "You need to define a room before you can add extra descriptions.  Use New Room then UPDATE.",
                  "You need to UPDATE the room to complete it.  There must be at least one room defined before you "
                  "can Map.",
                  "You need to UPDATE the room to complete it.  You must define a room before you can add extra "
                  "descriptions to it."}));
    EXPECT_TRUE(main->isEnabled());
}
