// Ending the program: the close box and "&Quit".
#include <QCloseEvent>

#include "editor_fixture.h"

using Quit = EditorTest;

TEST_F(Quit, ClosingAsksOnlyWhenRoomsExistAndNoKeepsEverything) {
    QCloseEvent emptyClose;
    QApplication::sendEvent(main, &emptyClose);
    EXPECT_TRUE(emptyClose.isAccepted());
    EXPECT_TRUE(prompts.questions.empty());

    makeZone("Grove", 320, 32001);
    addRoom(32001, "Glade", "A glade.");
    prompts.answer(false);
    QCloseEvent refused;
    QApplication::sendEvent(main, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_EQ(prompts.questions.back(), "Quit: Are you sure?");
    EXPECT_EQ(app->store.size(), 1u);

    prompts.answer(true);
    QCloseEvent accepted;
    QApplication::sendEvent(main, &accepted);
    EXPECT_TRUE(accepted.isAccepted());
    EXPECT_TRUE(app->store.empty());
}

TEST_F(Quit, QuitAsksEvenWithAnEmptyStore) {
    main->show();
    prompts.answer(false);
    main->itemQuitClick();
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"Quit: Are you sure?"});
    EXPECT_TRUE(main->isVisible());

    bool ended = false;
    QObject::connect(main, &TEditMain::programEnding, [&] { ended = true; });
    prompts.answer(true);
    main->itemQuitClick();
    EXPECT_TRUE(ended);
    EXPECT_EQ(prompts.questions.size(), 2u);  // the close that follows asks no more
}
