// The new zone dialog, opened by New Area.
#include "editor_fixture.h"

class NewZone : public EditorTest {
protected:
    TfrmNewZone& dialog() { return *app->newZone; }
    void fill(const QString& name, const QString& number, const QString& start) {
        dialog().editName->setText(name);
        dialog().editNumber->setText(number);
        dialog().editStart->setText(start);
    }
};

TEST_F(NewZone, NewAreaOnAnEmptyStoreOpensTheDialogAndDisablesTheMainWindow) {
    main->itemNewAreaClick();
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(dialog().btnOk->text(), "&OK");
    EXPECT_EQ(dialog().btnCancel->text(), "&CANCEL");

    dialog().btnCancelClick();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_TRUE(app->store.empty());
    EXPECT_FALSE(main->tabWorld->isVisibleTo(main));
}

TEST_F(NewZone, NumberFieldsTakeOnlyDigitsAndEnterMovesOn) {
    main->itemNewAreaClick();
    dialog().activateWindow();
    QTest::keyClicks(dialog().editName, "The Dark Grove");
    QTest::keyClick(dialog().editName, Qt::Key_Return);
    EXPECT_TRUE(focused(dialog().editNumber));
    QTest::keyClicks(dialog().editNumber, "3a2'");
    EXPECT_EQ(dialog().editNumber->text(), "32");
    QTest::keyClick(dialog().editNumber, Qt::Key_Backspace);
    EXPECT_EQ(dialog().editNumber->text(), "3");
    QTest::keyClicks(dialog().editNumber, "20");
    QTest::keyClick(dialog().editNumber, Qt::Key_Return);
    EXPECT_TRUE(focused(dialog().editStart));
    QTest::keyClicks(dialog().editStart, "-32001 ");
    EXPECT_EQ(dialog().editStart->text(), "32001");
    QTest::keyClick(dialog().editStart, Qt::Key_Return);
    EXPECT_TRUE(focused(dialog().btnOk));
    EXPECT_EQ(dialog().editName->text(), "The Dark Grove");  // no filter on the name
}

TEST_F(NewZone, OkChecksFieldsThenRangesAndHandsTheHeaderToTheStore) {
    main->itemNewAreaClick();
    fill("", "320", "32001");
    dialog().btnOkClick();
    fill("Grove", "320", "");
    dialog().btnOkClick();
    EXPECT_EQ(prompts.messages, std::vector<std::string>(2, "Error: Missing Field"));

    prompts.clear();
    fill("Grove", "0", "0");
    dialog().btnOkClick();
    fill("Grove", "100000", "5");
    dialog().btnOkClick();
    fill("Grove", "99999", "100000");
    dialog().btnOkClick();
    fill("Grove", "1", "99999999999");  // pasted: too large for a number
    dialog().btnOkClick();
    EXPECT_EQ(prompts.messages,
              (std::vector<std::string>{"Zone Number out of range", "Zone Number out of range",
                                        "Zone Start out of range",
                                        "'99999999999' is not a valid integer value"}));
    EXPECT_TRUE(dialog().isVisible());
    // A refused header never reaches the store.
    EXPECT_EQ(app->store.zoneNumber, 0);
    EXPECT_EQ(app->store.zoneStart, 0);

    fill("The Dark Grove", "320", "32001");
    dialog().btnOkClick();
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(main->pnlZoneName->text(), "The Dark Grove");
    EXPECT_EQ(main->pnlZoneNumber->text(), "320");
    EXPECT_EQ(main->pnlZoneStart->text(), "32001");
    EXPECT_TRUE(main->tabWorld->isVisibleTo(main));
    EXPECT_TRUE(main->itemSavewld->isEnabled());
    main->btnwld_NewRoomClick();
    EXPECT_EQ(main->editRoomNumber->text(), "32001");

    // The dialog keeps its texts for the next opening.
    main->btnwld_DeleteRoomClick();
    main->itemNewAreaClick();
    EXPECT_EQ(dialog().editName->text(), "The Dark Grove");
    EXPECT_EQ(dialog().editStart->text(), "32001");
}

TEST_F(NewZone, NewAreaWithRoomsAsksAndNoKeepsThem) {
    makeZone("Grove", 320, 32001);
    addRoom(32001, "Glade", "A glade.");
    prompts.answer(false);
    main->itemNewAreaClick();
    EXPECT_EQ(prompts.questions.back(), "Create NEW area, deleting all current rooms?");
    EXPECT_EQ(app->store.size(), 1u);
    EXPECT_FALSE(dialog().isVisible());

    prompts.answer(true);
    main->itemNewAreaClick();
    EXPECT_TRUE(app->store.empty());
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_TRUE(main->editRoomNumber->text().isEmpty());
    EXPECT_FALSE(main->editRoomNumber->isEnabled());
}
