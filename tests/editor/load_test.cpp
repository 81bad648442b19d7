// "&Load .wld...": the file dialog, the question, and a chosen file that is gone.
#include <QToolButton>

#include "editor_fixture.h"
#include "wldfile/tfrmquendryout.h"

using Load = EditorTest;

TEST_F(Load, CancelNoAndMissingFilesLeaveTheRoomsAlone) {
    makeZone("Grove", 320, 32001);
    addRoom(32001, "Glade", "A glade.");

    files.nextOpen.clear();  // cancelled
    main->itemLoadClick();
    EXPECT_TRUE(prompts.questions.empty());

    files.nextOpen = std::string(QUENDRY_TEST_DATA) + "/no-such-zone.wld";
    prompts.answer(false);
    main->itemLoadClick();
    EXPECT_EQ(prompts.questions.back(), "Load new file, DELETING all existing rooms?");
    EXPECT_EQ(app->store.size(), 1u);

    // Yes, but the file has gone since it was chosen: nothing is deleted, nothing said.
    prompts.answer(true);
    main->itemLoadClick();
    EXPECT_EQ(app->store.size(), 1u);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(files.opened, 3);
}

TEST_F(Load, OutputMenusBuildOnlyWhenRoomsExist) {
    main->itemSavewldClick();
    EXPECT_FALSE(app->output->isVisible());
    makeZone("Grove", 320, 32001);
    addRoom(32001, "Glade", "A glade.");
    main->itemQuendryOutput->trigger();
    EXPECT_TRUE(app->output->isVisible());
    EXPECT_TRUE(main->isEnabled());  // the output window leaves the main window usable
}

TEST_F(Load, ReadingAZoneReplacesTheRoomsAndShowsTheFirstRoom) {
    makeZone("Grove", 320, 32001);
    addRoom(32001, "Glade", "A glade.");
    addRoom(32002, "Path", "A path.");

    files.nextOpen = std::string(QUENDRY_EXAMPLES) + "/sample.wld";
    prompts.answer(true);
    main->itemLoadClick();
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    ASSERT_EQ(app->store.size(), 14u);
    EXPECT_EQ(app->store.first()->vnum, 4201);
    EXPECT_EQ(app->store.current(), app->store.first());
    EXPECT_EQ(main->editRoomNumber->text(), "4201");
    EXPECT_EQ(main->editRoomName->text(), "The Mill Gate");
    EXPECT_EQ(main->memoRoom->document()->blockCount(), 3);  // two lines and the empty one after CR LF
    EXPECT_EQ(main->pnlZoneNumber->text(), "42");
    EXPECT_EQ(main->pnlZoneStart->text(), "4201");
    EXPECT_EQ(main->pnlZoneName->text(), "Grove");  // a world file carries no zone name
    EXPECT_TRUE(main->itemSavewld->isEnabled());
    EXPECT_TRUE(main->pnlWorldHelp->text().isEmpty());
    EXPECT_TRUE(main->ex_N->isEnabled());   // the gate has a way north
    EXPECT_FALSE(main->ex_S->isEnabled());
    main->btnwld_NewRoomClick();
    EXPECT_EQ(main->editRoomNumber->text(), "4215");
}

TEST_F(Load, CommandLineFileIsReadAtTheFirstActivationWithoutAQuestion) {
    main->setStartupFile(std::string(QUENDRY_EXAMPLES) + "/sample.wld");
    main->handleFirstActivation();
    EXPECT_EQ(app->store.size(), 14u);
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(main->tabWorld->isVisibleTo(main));

    // A second activation reads nothing again.
    main->sb_confirm->click();
    main->btnwld_DeleteRoomClick();
    main->handleFirstActivation();
    EXPECT_EQ(app->store.size(), 13u);
}
