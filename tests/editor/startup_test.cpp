// The program as it starts: the windows, the main window's controls and menus.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

#include "colour/tfrmsetcolor.h"
#include "defs/tfrmsetbit.h"
#include "defs/tfrmsetsect.h"
#include "dialogs/textradesc.h"
#include "dialogs/trlist.h"
#include "editor/tfrmversioninfo.h"
#include "editor_fixture.h"
#include "map/tfrmmap.h"
#include "map/tminimap.h"

using StartUp = EditorTest;

TEST_F(StartUp, MainWindowHasItsFixedClientAreaTitleAndOnlyItIsShown) {
    EXPECT_TRUE(main->windowTitle().startsWith("Quendry Editor 32-bit "));
    EXPECT_GT(main->windowTitle().size(), QString("Quendry Editor 32-bit ").size());
    EXPECT_EQ(main->centralWidget()->size(), QSize(792, 554));
    EXPECT_EQ(main->minimumSize(), main->maximumSize());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->startupDirectory(), QDir::currentPath().toStdString());

    const QWidget* others[] = {app->extraDesc, app->mapWindow, app->newZone,
                               app->roomList,  app->setColor,  app->versionInfo,
                               app->minimap,   app->setBit,    app->setSect};
    for (const QWidget* w : others) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(app->newZone->windowTitle(), "New Zone");
    EXPECT_EQ(app->roomList->windowTitle(), "Room List");
}

TEST_F(StartUp, ControlsHaveTheirCaptionsAndStartStates) {
    EXPECT_EQ(control<QLabel>("Label1")->text(), "Quendry Editor");
    for (const char* panel : {"pnlZoneName", "pnlZoneNumber", "pnlZoneStart", "pnlWorldHelp"})
        EXPECT_TRUE(control<QLabel>(panel)->text().isEmpty()) << panel;

    // The room editor page waits for a zone.
    EXPECT_FALSE(control("tabWorld")->isVisibleTo(main));
    EXPECT_EQ(control<QTabWidget>("PageControl1")->indexOf(control("tabWorld")), 0);

    for (const char* field : {"editRoomNumber", "editRoomName", "memoRoom"})
        EXPECT_FALSE(control(field)->isEnabled()) << field;
    EXPECT_FALSE(main->memoRoom->tabChangesFocus());
    EXPECT_EQ(main->memoRoom->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(control("ColorPanel")->isHidden());

    const std::pair<const char*, const char*> captions[] = {
        {"btnwld_NewRoom", "&New Room"},
        {"btnwld_Update", "&UPDATE"},
        {"btnwld_Clear", "&Clear Room"},
        {"btnwld_DeleteRoom", "De&lete Room"},
        {"btnwld_MakeDefault", "Make &Default"},
        {"btnwld_ClearDefault", "Clear Default"},
        {"btnMap", "&MAP..."},
        {"btnExtra", "E&xtra Descriptions..."},
        {"btnwld_Jumpto", "&Jump To..."},
        {"btnJp", "&<"},
        {"btnJn", "&>"},
        {"btnPrev", "&1. Prev"},
        {"btnNext", "&2. Next"},
        {"btnSetColor", "Set..."},
        {"ex_N", "N"}, {"ex_E", "E"}, {"ex_S", "S"}, {"ex_W", "W"}, {"ex_U", "U"}, {"ex_D", "D"},
    };
    for (const auto& [name, caption] : captions) EXPECT_EQ(control<QPushButton>(name)->text(), caption) << name;
    for (const char* d : {"ex_N", "ex_E", "ex_S", "ex_W", "ex_U", "ex_D"}) EXPECT_TRUE(control(d)->isEnabled());

    const std::tuple<const char*, const char*, bool> toggles[] = {
        {"sb_WordWrap", "Word &Wrap", false}, {"sb_Draw", "Show", false},
        {"sb_confirm", "Confirm", true},      {"sb_ct_Navigate", "Navigate", true},
        {"sb_ct_Add", "Add Default Room", false}};
    for (const auto& [name, caption, down] : toggles) {
        auto* t = control<QToolButton>(name);
        EXPECT_EQ(t->text(), caption) << name;
        EXPECT_TRUE(t->isCheckable()) << name;
        EXPECT_EQ(t->isChecked(), down) << name;
    }
    EXPECT_EQ(control<QLabel>("Label9")->text(), "&Search For...");
    EXPECT_EQ(control<QGroupBox>("GroupBox1")->title(), "Directions");
    EXPECT_TRUE(control<QLineEdit>("editJump")->text().isEmpty());
    EXPECT_TRUE(control<QLineEdit>("edit_Dir")->text().isEmpty());
}

TEST_F(StartUp, MenusHaveTheirItemsAndStates) {
    struct Item {
        const char* name;
        const char* caption;
        bool enabled;
        int checked;  // -1: not checkable
    };
    const Item items[] = {
        {"itemLoad", "&Load .wld...", true, -1},
        {"itemSavewld", "&Save .wld...", false, -1},
        {"itemQuit", "&Quit", true, -1},
        {"itemUndo", "&Undo", false, -1},
        {"itemRedo", "&Redo", false, -1},
        {"itemNewArea", "&New Area", true, -1},
        {"itemNewProject", "&New Project", false, -1},
        {"itemSelectProject", "&Select Project...", false, -1},
        {"itemQuendryOutput", "&Quendry Output", true, -1},
        {"itemSetupColors", "Set up &Colors", true, -1},
        {"itemSetupBitvectors", "Set up &Bitvectors", true, -1},
        {"itemSetupSectors", "Set up &Sector Types", true, -1},
        {"itemcheckorder", "Check room &order while loading", true, 1},
        {"itemCheckDesc", "Search checks Room &Description also", true, 0},
        {"itemFirst", "&First", true, -1},
        {"itemVersionInfo", "&Version Info", true, -1},
        {"itemWhatHelp", "What Help?", false, -1},
    };
    for (const Item& i : items) {
        auto* a = main->findChild<QAction*>(QString::fromLatin1(i.name));
        ASSERT_NE(a, nullptr) << i.name;
        EXPECT_EQ(a->text(), i.caption) << i.name;
        EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
        EXPECT_EQ(a->isCheckable(), i.checked >= 0) << i.name;
        if (i.checked >= 0) {
            EXPECT_EQ(a->isChecked(), i.checked == 1) << i.name;
        }
    }
    QStringList menus;
    for (QAction* m : main->menuBar()->actions()) menus << m->text();
    EXPECT_EQ(menus, QStringList({"&File", "Ed&it", "&Project", "&View", "&Options", "&ReadMe", "&Help"}));
}

TEST_F(StartUp, HelpLineFollowsThePointerAndLabelsFocusTheirFields) {
    makeZone("Grove", 320, 32001);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(main->btnwld_Update, &enter);
    EXPECT_EQ(main->pnlWorldHelp->text(), "UPDATE: Click to make changes take effect");
    QApplication::sendEvent(main->edit_Dir, &enter);
    EXPECT_EQ(main->pnlWorldHelp->text(),
              "Enter a letter (N S E W U D) to NAVIGATE (if option above is selected)");
    // Controls without a text leave the line as it was.
    QApplication::sendEvent(main->ex_N, &enter);
    QApplication::sendEvent(main->editRoomName, &enter);
    EXPECT_EQ(main->pnlWorldHelp->text(),
              "Enter a letter (N S E W U D) to NAVIGATE (if option above is selected)");

    main->activateWindow();
    main->btnwld_NewRoomClick();
    QTest::mouseClick(main->labelRoomName, Qt::LeftButton);
    EXPECT_TRUE(focused(main->editRoomName));
    QTest::mouseClick(main->Label9, Qt::LeftButton);
    EXPECT_EQ(prompts.lastMessage(), "okay");
    EXPECT_TRUE(focused(main->editJump));
}

TEST_F(StartUp, VersionInfoAndFirstTextAndWordWrap) {
    main->itemFirstClick();
    ASSERT_EQ(prompts.messages.size(), 1u);
    // The first-steps text: it names the commands a new user starts with.
    for (const char* command : {"New Area", "Load .wld", "New Room", "UPDATE"})
        EXPECT_NE(prompts.messages[0].find(command), std::string::npos) << command;

    main->itemVersionInfoClick();
    EXPECT_FALSE(main->isEnabled());
    EXPECT_TRUE(app->versionInfo->isVisible());
    app->versionInfo->close();
    EXPECT_TRUE(main->isEnabled());

    main->sb_WordWrap->click();
    EXPECT_EQ(main->memoRoom->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    main->sb_WordWrap->click();
    EXPECT_EQ(main->memoRoom->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(StartUp, MissingCommandLineFileIsIgnoredAndTheFileIsHandledOnce) {
    main->setStartupFile("/no/such/dir/zone.wld");
    main->handleFirstActivation();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(app->store.empty());
    EXPECT_FALSE(main->tabWorld->isVisibleTo(main));

    // A file that exists is read at the first activation only: emptied afterwards, the
    // store stays empty however often the window is activated again.
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("quendry-startup-" + std::to_string(::getpid()) + ".wld")).string();
    std::ofstream(path, std::ios::binary) << "#32001\nGlade~\nGrass.\n~\n320 0 0\nS\n$\n";
    app.reset();
    app = std::make_unique<QuendryApp>(prompts, files);
    app->createWindows(path);
    main = app->mainWindow.get();
    main->handleFirstActivation();
    EXPECT_EQ(app->store.size(), 1u);
    app->store.deleteAllRooms();
    main->handleFirstActivation();
    EXPECT_TRUE(app->store.empty());
    std::filesystem::remove(path);
}
