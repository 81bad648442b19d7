#include "defs/tfrmsetsect.h"

#include "defs/definition_files.h"
#include "setup_windows.h"

namespace {
class SetSect : public SetupWindowsTest {
protected:
    TfrmSetSect& open() { return *openSetSect(); }
    static bool focused(const QWidget* w) { return w->window()->focusWidget() == w; }
    // Types into a number field and leaves it with a click into the next slot's name field.
    static void typeNumber(TfrmSetSect& w, int slot, const QString& text) {
        typeInto(w.numberField(slot), text);
        QTest::mouseClick(w.nameField(slot == 30 ? 1 : slot + 1), Qt::LeftButton);
    }
};
}  // namespace

TEST_F(SetSect, NumbersFromZeroUpAreTypesAndUseTakesThemInSlotOrder) {
    start();
    TfrmSetSect& w = open();
    EXPECT_EQ(w.windowTitle(), "Edit Sector Types");
    EXPECT_FALSE(main->isEnabled());
    EXPECT_TRUE(focused(w.nameField(1)));
    EXPECT_EQ(w.numberField(1)->text(), "0");
    EXPECT_EQ(w.numberField(11)->text(), "-1");

    typeNumber(w, 11, "12");
    typeInto(w.nameField(11), "SWAMP");
    typeNumber(w, 2, "-3");
    EXPECT_EQ(w.workingSlots()[11].value, 12);
    QTest::mouseClick(w.btnUse, Qt::LeftButton);

    EXPECT_TRUE(main->isEnabled());
    const SectorTable& table = main->sectorTable();
    ASSERT_EQ(table.count, 10);
    EXPECT_EQ(table.names[2], "FIELD");
    EXPECT_EQ(table.names[10], "SWAMP");
    EXPECT_EQ(table.values[10], 12);
    EXPECT_EQ(sectorBankButton(2)->text(), "FIELD");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SetSect, ANumberThatIsNotAnIntegerIsRefusedAndTheSlotKeepsItsNumber) {
    start();
    TfrmSetSect& w = open();
    const std::pair<QString, std::string> refusals[] = {
        {"abc", "'abc' is not a valid integer value"},
        {"", "'' is not a valid integer value"},
        {"7 ", "'7 ' is not a valid integer value"},
    };
    for (const auto& [text, message] : refusals) {
        prompts.clear();
        typeNumber(w, 3, text);
        EXPECT_EQ(prompts.messages, std::vector<std::string>{message});
        EXPECT_EQ(w.workingSlots()[3].value, 2);
        QApplication::processEvents();  // the refused field takes the focus back
        EXPECT_TRUE(focused(w.numberField(3)));
    }
    typeNumber(w, 3, "22");  // corrected where it was refused
    EXPECT_EQ(w.workingSlots()[3].value, 22);
    // Use with the refused text still in its field says so again and stays open.
    prompts.clear();
    typeInto(w.numberField(4), "x1");
    w.btnUseClick();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"'x1' is not a valid integer value"});
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.workingSlots()[4].value, 3);
    typeNumber(w, 4, "$1F");
    EXPECT_EQ(w.workingSlots()[4].value, 31);
}

// A text dropped into a number field does not give it the focus: with two refused texts
// the focus goes back to the one refused first, once, and no refusal follows another.
TEST_F(SetSect, TwoRefusedNumbersDoNotRefuseEachOtherInTurn) {
    start();
    TfrmSetSect& w = open();
    typeInto(w.numberField(5), "a");
    w.numberField(6)->setText("b");  // as a drop leaves it: edited, without the focus
    w.numberField(6)->setModified(true);
    prompts.clear();
    QTest::mouseClick(w.numberField(6), Qt::LeftButton);
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"'a' is not a valid integer value"});
    EXPECT_TRUE(focused(w.numberField(5)));
    typeNumber(w, 5, "9");
    EXPECT_EQ(w.workingSlots()[5].value, 9);
}

TEST_F(SetSect, DragsSwapSlotsWithTheirNumbersAndKeysWrapInTheirColumn) {
    start();
    TfrmSetSect& w = open();
    EXPECT_TRUE(dropName(w, 1, 10));
    EXPECT_EQ(w.nameField(1)->text(), "FLYING");
    EXPECT_EQ(w.numberField(1)->text(), "9");
    EXPECT_EQ(w.nameField(10)->text(), "INSIDE");
    EXPECT_EQ(w.numberField(10)->text(), "0");
    EXPECT_EQ(w.editDescription->text(), "Indoors - typically a small number of move points needed.");
    EXPECT_TRUE(focused(w.nameField(10)));
    // A number field neither drags nor takes a drop.
    std::unique_ptr<QMimeData> own(w.nameField(1)->dragData());
    EXPECT_FALSE(dropData(*w.numberField(2), own.get()));

    struct Move {
        QWidget* from;
        Qt::Key key;
        QWidget* to;
    };
    const Move moves[] = {
        {w.numberField(1), Qt::Key_Up, w.numberField(30)}, {w.numberField(30), Qt::Key_Down, w.numberField(1)},
        {w.nameField(15), Qt::Key_Down, w.nameField(16)},  {w.nameField(1), Qt::Key_Up, w.nameField(30)},
        {w.numberField(7), Qt::Key_Return, w.editDescription},
    };
    for (const Move& m : moves) {
        m.from->setFocus();
        QTest::keyClick(m.from, m.key);
        EXPECT_TRUE(focused(m.to)) << m.from->objectName().toStdString() << " key " << m.key;
    }
    EXPECT_EQ(w.currentSlot(), 7);
    QTest::keyClick(w.editDescription, Qt::Key_Return);
    EXPECT_TRUE(focused(w.nameField(7)));
}

TEST_F(SetSect, SaveOfTheBuiltInSetWritesTenLinesAndIsReadBack) {
    start();
    TfrmSetSect& w = open();
    typeNumber(w, 2, "-1");
    typeNumber(w, 12, "40");
    prompts.answer(true);  // no file yet: one question
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"Save these settings?"});
    const std::string bytes = fileBytes(kSectorFileName);
    EXPECT_EQ(bytes.substr(0, bytes.find('\n') + 1),
              "0 INSIDE Indoors - typically a small number of move points needed.\r\n");
    EXPECT_EQ(bytes.find("CITY"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.rfind("9 FLYING")), "9 FLYING Wheee!\r\n40 ? \r\n");
    EXPECT_EQ(w.nameField(12)->text(), "?");

    prompts.answer(true);
    prompts.answer(false);
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    EXPECT_EQ(prompts.questions.back(), "Replace existing sector types file?");

    w.close();
    start();
    const SectorTable& table = main->sectorTable();
    ASSERT_EQ(table.count, 10);
    EXPECT_EQ(table.names[2], "FIELD");
    EXPECT_EQ(table.values[10], 40);
    EXPECT_EQ(table.names[10], "?");
}
