// "&Load .wld...": the file dialog, the question, and a chosen file that is gone.
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
