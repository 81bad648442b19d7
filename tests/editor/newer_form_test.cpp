// The form a zone is written in, as the windows choose it: New Area asks for it, the
// File menu's check item follows the zone and changes it as a step of the history, and
// a save in the classic form that would lose flag words, triggers or diagonal exits asks
// first.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QTemporaryDir>
#include <QUndoStack>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor_fixture.h"
#include "uibase/edit_history.h"
#include "wldfile/tfrmquendryout.h"
#include "world/newer_fields.h"

namespace {

class NewerFormWindows : public EditorTest {
protected:
    void newArea(bool newerForm) {
        main->itemNewAreaClick();
        TfrmNewZone& dialog = *app->newZone;
        dialog.editName->setText("Vale");
        dialog.editNumber->setText("42");
        dialog.editStart->setText("4200");
        if (dialog.cbNewerForm->isChecked() != newerForm) QTest::mouseClick(dialog.cbNewerForm, Qt::LeftButton);
        QTest::mouseClick(dialog.btnOk, Qt::LeftButton);
    }
    std::string fileBytes(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    QTemporaryDir dir;
};

TEST_F(NewerFormWindows, NewAreaAsksForTheFormAndTheSaveItemFollowsTheZoneThroughUndo) {
    EXPECT_FALSE(main->itemSaveNewer->isEnabled());
    EXPECT_FALSE(app->newZone->cbNewerForm->isChecked());  // the classic form unless asked
    newArea(true);
    EXPECT_EQ(app->store.zoneForm, WorldForm::Newer);
    EXPECT_TRUE(main->itemSaveNewer->isEnabled());
    EXPECT_TRUE(main->itemSaveNewer->isChecked());

    // Unticking is one step: Edit | Undo ticks it again, with the zone's form.
    main->itemSaveNewer->trigger();
    EXPECT_EQ(app->store.zoneForm, WorldForm::Classic);
    EXPECT_EQ(app->history.stack().undoText(), "Save in Classic Form");
    app->history.undo();
    EXPECT_EQ(app->store.zoneForm, WorldForm::Newer);
    EXPECT_TRUE(main->itemSaveNewer->isChecked());
    app->history.redo();
    EXPECT_FALSE(main->itemSaveNewer->isChecked());

    // The dialog keeps its choice like its fields; unticked, the next zone is classic.
    addRoom(4200, "Gate", "A gate.");
    prompts.answer(true);  // "Create NEW area, deleting all current rooms?"
    main->itemNewAreaClick();
    EXPECT_TRUE(app->newZone->cbNewerForm->isChecked());
    app->newZone->btnCancelClick();
    newArea(false);
    EXPECT_EQ(app->store.zoneForm, WorldForm::Classic);
    EXPECT_FALSE(main->itemSaveNewer->isChecked());
}

// What the classic form cannot hold is named before a save would drop it; No writes
// nothing and leaves the item as the builder set it, Yes writes the classic text.
TEST_F(NewerFormWindows, ASaveInTheClassicFormThatLosesFieldsAsksFirstAndNoWritesNothing) {
    newArea(true);
    main->btnwld_NewRoomClick();
    main->editRoomNumber->setText("4200");
    main->editRoomName->setText("Gate");
    main->memoRoom->setPlainText("A gate.");
    main->editFlagWords->setText("0 8 0");
    main->editTriggers->setText("4217 4218");
    main->btnwld_UpdateClick();
    ASSERT_TRUE(prompts.messages.empty()) << prompts.lastMessage();

    TfrmQuendryOut& output = *app->output;
    main->itemSavewldClick();
    ASSERT_TRUE(output.isVisible());
    EXPECT_NE(output.outputText().find("42 0 0 d 0 0\r\nS\r\nT 4217\r\nT 4218\r\n"), std::string::npos);
    // Unticked while the output is shown, the text on screen is the classic one at once.
    main->itemSaveNewer->trigger();
    EXPECT_NE(output.outputText().find("42 0 0\r\nS\r\n$"), std::string::npos);

    const std::string path = dir.filePath("4200.wld").toStdString();
    files.nextSave = path;
    const std::string question =
        "The classic form has no place for the flag words 2-4 of 1 room and 2 triggers of 1 room: saving in it "
        "loses them.  Save in the classic form?";
    EXPECT_EQ(TfrmQuendryOut::classicLossQuestion(classicFormLoss(app->store)), question);
    prompts.answer(false);
    QTest::mouseClick(output.btnUNIX, Qt::LeftButton);
    EXPECT_EQ(prompts.questions, std::vector<std::string>{question});
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(main->itemSaveNewer->isChecked());
    EXPECT_TRUE(main->isWindowModified());

    prompts.answer(true);
    QTest::mouseClick(output.btnUNIX, Qt::LeftButton);
    EXPECT_EQ(fileBytes(path), "#4200\nGate~\nA gate.~\n42 0 0\nS\n$\n");
    EXPECT_FALSE(main->isWindowModified());

    // In the newer form nothing is lost and nothing asked.
    prompts.clear();
    main->itemSaveNewer->trigger();
    prompts.answer(true);  // "File exists.  Replace?"
    QTest::mouseClick(output.btnUNIX, Qt::LeftButton);
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"File exists.  Replace?"});
    EXPECT_EQ(fileBytes(path), "#4200\nGate~\nA gate.~\n42 0 0 d 0 0\nS\nT 4217\nT 4218\n$\n");
}

}  // namespace
