// Navigation and search on the main window: the search field and its buttons, stepping
// through the index, the direction buttons in both modes and the direction letter field.
#include <QAction>
#include <QToolButton>

#include "editor_fixture.h"
#include "map/map_model.h"

class Navigation : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        makeZone("The Dark Grove", 320, 32001);
        addRoom(32001, "The Dark Grove", "Old oaks.\nA silver stream runs by.");
        addRoom(32002, "Path", "Mud.");
        addRoom(32003, "Darker Path", "Stones.");
        addRoom(32004, "Pool", "Still water.");
        prompts.clear();
    }
    RoomIndexNode* node(int32_t vnum) { return app->store.findByVnum(vnum); }
    RoomDataType& room(int32_t vnum) { return *node(vnum)->room; }
    int32_t shown() const { return app->store.current() ? app->store.current()->vnum : 0; }
    void search(const QString& text) {
        main->editJump->setText(text);
        QTest::keyClick(main->editJump, Qt::Key_Return);
    }
    // Which of N E S W U D are enabled, as a string of 0 and 1.
    std::string enabledDirections() const {
        std::string out;
        for (QPushButton* b : {main->ex_N, main->ex_E, main->ex_S, main->ex_W, main->ex_U, main->ex_D})
            out += b->isEnabled() ? '1' : '0';
        return out;
    }
};

TEST_F(Navigation, SearchFindsByNumberOrNameAndStepsToNextAndPreviousMatches) {
    search("DARK");
    EXPECT_EQ(shown(), 32001);
    EXPECT_EQ(main->editRoomName->text(), "The Dark Grove");
    main->btnJn->click();
    EXPECT_EQ(shown(), 32003);
    main->btnJn->click();  // no later match
    EXPECT_EQ(shown(), 32003);
    main->btnJp->click();
    EXPECT_EQ(shown(), 32001);
    main->btnJp->click();  // the current room is never its own previous match
    EXPECT_EQ(shown(), 32001);

    search("path");
    EXPECT_EQ(shown(), 32002);
    main->btnJp->click();  // the only earlier rooms do not match
    EXPECT_EQ(shown(), 32002);
    main->btnJn->click();
    EXPECT_EQ(shown(), 32003);

    search("3200");  // a number fragment: the first match in index order
    EXPECT_EQ(shown(), 32001);
    main->showRoom(node(32004));
    main->btnJn->click();  // on the last room
    EXPECT_EQ(shown(), 32004);

    // A word of a description only counts with the menu option checked.
    search("silver");
    EXPECT_EQ(shown(), 32004);
    main->itemCheckDesc->trigger();
    ASSERT_TRUE(main->itemCheckDesc->isChecked());
    search("SILVER");
    EXPECT_EQ(shown(), 32001);
    main->btnJn->click();
    EXPECT_EQ(shown(), 32001);
    search("");
    EXPECT_EQ(shown(), 32001);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(Navigation, PrevAndNextStepThroughTheIndexAndStopAtItsEnds) {
    main->showRoom(node(32001));
    main->btnPrev->click();
    EXPECT_EQ(shown(), 32001);
    main->btnNext->click();
    main->btnNext->click();
    EXPECT_EQ(shown(), 32003);
    EXPECT_EQ(main->editRoomNumber->text(), "32003");
    main->btnNext->click();
    main->btnNext->click();
    EXPECT_EQ(shown(), 32004);
    main->btnPrev->click();
    EXPECT_EQ(shown(), 32003);

    // Deleting the first room leaves none on display: the stepping and match buttons
    // then do nothing, and Enter still searches from the first room.
    main->showRoom(node(32001));
    prompts.answer(true);
    main->btnwld_DeleteRoomClick();
    ASSERT_EQ(app->store.current(), nullptr);
    for (QPushButton* b : {main->btnPrev, main->btnNext, main->btnJp, main->btnJn}) {
        main->editJump->setText("path");
        b->click();
        EXPECT_EQ(app->store.current(), nullptr);
    }
    search("path");
    EXPECT_EQ(shown(), 32002);
}

TEST_F(Navigation, DirectionButtonsFollowExitsAndTheirStateFollowsTheMode) {
    room(32001).exitTo[North] = 32002;
    room(32001).exitTo[East] = 45010;  // a room of another zone
    room(32001).exitTo[Up] = -1;
    room(32002).exitTo[South] = 32001;
    main->showRoom(node(32001));
    EXPECT_EQ(enabledDirections(), "110000");

    main->ex_E->click();  // enabled, but leads nowhere in this store
    EXPECT_EQ(shown(), 32001);
    main->ex_N->click();
    EXPECT_EQ(shown(), 32002);
    EXPECT_EQ(enabledDirections(), "001000");

    main->sb_ct_Add->click();
    EXPECT_TRUE(main->sb_ct_Add->isChecked());
    EXPECT_FALSE(main->sb_ct_Navigate->isChecked());
    EXPECT_EQ(enabledDirections(), "110111");
    main->btnPrev->click();  // showRoom sets the state for the mode too
    EXPECT_EQ(enabledDirections(), "001111");

    main->btnwld_NewRoomClick();
    EXPECT_EQ(enabledDirections(), "000000");
    main->sb_ct_Navigate->click();
    EXPECT_EQ(enabledDirections(), "110000");
    EXPECT_TRUE(app->store.newRoomPending());  // none of these ends a pending New Room
}

TEST_F(Navigation, TheLetterFieldMovesAndShowsTheDirectionWord) {
    room(32001).exitTo[North] = 32002;
    room(32002).exitTo[Down] = 32004;
    main->showRoom(node(32001));
    QLineEdit* field = main->edit_Dir;

    QTest::keyClick(field, Qt::Key_N);
    EXPECT_EQ(shown(), 32002);
    EXPECT_EQ(field->text(), "North");
    QTest::keyClick(field, Qt::Key_X);  // another key
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(shown(), 32002);
    QTest::keyClicks(field, "D");  // upper case works as well
    EXPECT_EQ(shown(), 32004);
    EXPECT_EQ(field->text(), "Down");
    QTest::keyClick(field, Qt::Key_N);  // no north exit: a failed move
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(shown(), 32004);
    room(32004).exitTo[West] = 32999;  // an exit to no room of this store fails too
    QTest::keyClicks(field, "u");
    QTest::keyClicks(field, "W");
    EXPECT_EQ(field->text(), "");
    EXPECT_EQ(shown(), 32004);

    main->showRoom(node(32001));
    QTest::keyClicks(field, "n");
    ASSERT_EQ(field->text(), "North");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "");

    // In add mode keys are not read and the field keeps the last word.
    main->showRoom(node(32001));
    QTest::keyClicks(field, "n");
    main->sb_ct_Add->click();
    QTest::keyClicks(field, "sx");
    EXPECT_EQ(field->text(), "North");
    EXPECT_EQ(shown(), 32002);
    // Text put in any other way than a key turns into the word as well.
    field->insert("zz");
    EXPECT_EQ(field->text(), "North");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(Navigation, AddModeStampsOutTheTemplateNextToTheCurrentRoom) {
    for (int v = 32005; v <= 32020; ++v) addRoom(v, "Room", "Text.");
    room(32001).exitTo[North] = 32005;
    room(32001).appendExtraDesc("oak", "An old oak.");
    main->showRoom(node(32001));
    main->sb_ct_Add->click();

    main->ex_E->click();  // no template yet
    EXPECT_EQ(prompts.lastMessage(), "You must make a room the default before you can add default rooms.");
    EXPECT_EQ(app->store.size(), 20u);

    // While a New Room is pending there is nothing stored to copy.
    main->btnwld_NewRoomClick();
    main->btnwld_MakeDefault->click();
    EXPECT_EQ(prompts.lastMessage(), "Must update room before making it the default.");
    main->roomChosenFromList(node(32001));  // the room list abandons the pending room
    ASSERT_FALSE(app->store.newRoomPending());

    // The template is the stored room, not what the editor holds since the last UPDATE.
    main->editRoomName->setText("Typed but not updated");
    main->btnwld_MakeDefault->click();
    EXPECT_EQ(app->store.defaultRoom.name, "The Dark Grove");

    prompts.clear();
    main->showRoom(node(32001));
    EXPECT_EQ(enabledDirections(), "011111");
    main->ex_E->click();
    EXPECT_EQ(shown(), 32021);
    EXPECT_EQ(main->editRoomNumber->text(), "32021");
    EXPECT_EQ(main->editRoomName->text(), "The Dark Grove");
    EXPECT_EQ(room(32001).exitTo[East], 32021);
    EXPECT_EQ(room(32021).exitTo[West], 32001);
    EXPECT_EQ(room(32021).exitTo[North], 32005);
    EXPECT_EQ(room(32021).extraDescCount(), 1u);
    EXPECT_FALSE(room(32021).onMap());
    EXPECT_EQ(enabledDirections(), "011011");  // north from the template, west back
    // The map offers the new room at once.
    EXPECT_NE(app->map.placement.findByRoom(&room(32021)), nullptr);

    main->ex_S->click();
    EXPECT_EQ(shown(), 32022);
    EXPECT_EQ(room(32022).exitTo[North], 32021);  // the link back wins over the template

    main->btnwld_NewRoomClick();
    EXPECT_EQ(main->editRoomNumber->text(), "32023");
    main->btnPrev->click();

    main->btnwld_ClearDefault->click();
    main->showRoom(node(32022));
    main->ex_E->click();
    EXPECT_EQ(prompts.lastMessage(), "You must make a room the default before you can add default rooms.");
    EXPECT_EQ(app->store.size(), 22u);
}
