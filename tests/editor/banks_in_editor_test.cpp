// The banks as the room commands use them: a new room takes the flags and sector on
// display, showing a room sets them, New Area clears them, and the side files of the
// start-up directory replace the built-in sets.
#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "editor/flag_banks.h"
#include "editor_fixture.h"

using BanksInEditor = EditorTest;

TEST_F(BanksInEditor, UpdateStoresFlagsAndSectorAndShowRoomBringsThemBack) {
    makeZone("The Dark Grove", 320, 32001);
    main->btnwld_NewRoomClick();
    main->editRoomName->setText("Cellar");
    main->memoRoom->setPlainText("A dark cellar.");
    control<QPushButton>("sb1_1")->click();  // DARK
    control<QPushButton>("sb1_4")->click();  // INDOORS
    control<QPushButton>("sb2_4")->click();  // FOREST
    EXPECT_EQ(control<QPushButton>("btnToggleAlpha")->text().trimmed(), "ad");
    main->btnwld_UpdateClick();
    const RoomDataType& cellar = *app->store.first()->room;
    EXPECT_EQ(cellar.bitvector, 9);
    EXPECT_EQ(cellar.sectorType, 3);

    // A new room starts with the flags on display.
    addRoom(32002, "Stair", "Steps.");
    EXPECT_EQ(app->store.last()->room->bitvector, 9);
    control<QPushButton>("sb1_1")->click();
    control<QPushButton>("sb2_1")->click();
    main->btnwld_UpdateClick();
    EXPECT_EQ(app->store.last()->room->bitvector, 8);
    EXPECT_EQ(app->store.last()->room->sectorType, 0);

    // A room read with bit 31 and an unknown sector: bit 31 is not kept by UPDATE.
    RoomDataType& stair = *app->store.last()->room;
    stair.bitvector = static_cast<int32_t>(0x80000002u);
    stair.sectorType = 77;
    main->showRoom(app->store.last());
    EXPECT_TRUE(control<QPushButton>("sb1_2")->isChecked());
    EXPECT_EQ(main->flagBanks().currentSectorValue(), 0);
    main->btnwld_UpdateClick();
    EXPECT_EQ(stair.bitvector, 2);
    EXPECT_EQ(stair.sectorType, 0);

    main->showRoom(app->store.first());
    EXPECT_TRUE(control<QPushButton>("sb1_1")->isChecked());
    EXPECT_TRUE(control<QPushButton>("sb2_4")->isChecked());

    // Make default, then New Area: working and default flags are all clear.
    control<QPushButton>("btnwld_bv_Make_Default")->click();
    prompts.answer(true);
    main->itemNewAreaClick();
    for (int p = 1; p <= FlagBanks::kFlagPositions; ++p) {
        EXPECT_FALSE(main->flagBanks().workingFlag(p)) << p;
        EXPECT_FALSE(main->flagBanks().defaultFlag(p)) << p;
    }
}

TEST_F(BanksInEditor, BankControlsShowTheirHelpLines) {
    makeZone("Grove", 320, 32001);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(control("sb1_3"), &enter);
    EXPECT_EQ(main->pnlWorldHelp->text(), "Room Bitvector:     Click to select     Right-click for information");
    QApplication::sendEvent(control("sb_sector_bank2"), &enter);
    EXPECT_EQ(main->pnlWorldHelp->text(), "Sector Bank:     Click to access other sector types");
}

TEST(BanksFromSideFiles, DefinitionFilesOfTheStartupDirectoryReplaceTheBuiltInSets) {
    testApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        std::ofstream(dir.filePath("rmbitvec.txt").toStdString()) << "1 a GLOOMY Very dark.\r\n"
                                                                    "4 c WET Puddles.\r\n";
        std::ofstream(dir.filePath("rsectype.txt").toStdString()) << "5 SWAMP Mud.\r\n";
    }
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    ScriptedPrompts prompts;
    ScriptedFiles files;
    {
        QuendryApp app(prompts, files);
        app.createWindows();
        QDir::setCurrent(before);
        TEditMain& main = *app.mainWindow;
        EXPECT_EQ(main.startupDirectory(), QDir(dir.path()).canonicalPath().toStdString());
        EXPECT_EQ(main.bitvectorTable().count, 2);
        EXPECT_EQ(main.findChild<QPushButton*>("sb1_2")->text(), "WET");
        EXPECT_TRUE(main.findChild<QPushButton*>("sb1_3")->isHidden());
        EXPECT_EQ(main.findChild<QPushButton*>("sb2_1")->text(), "SWAMP");
    }
    EXPECT_TRUE(prompts.messages.empty());
}
