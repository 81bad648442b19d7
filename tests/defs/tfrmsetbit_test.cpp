#include "defs/tfrmsetbit.h"

#include <QClipboard>
#include <functional>

#include "defs/definition_files.h"
#include "defs/tfrmsetsect.h"
#include "uibase/byte_text.h"
#include "setup_windows.h"

namespace {
class SetBit : public SetupWindowsTest {
protected:
    TfrmSetBit& open() { return *openSetBit(); }
    static bool focused(const QWidget* w) { return w->window()->focusWidget() == w; }
    static QString caption(TfrmSetBit& w, int slot) { return w.valueButton(slot)->text(); }
    static void rightClick(TfrmSetBit& w, int slot, int times = 1) {
        for (int i = 0; i < times; ++i) QTest::mouseClick(w.valueButton(slot), Qt::RightButton);
    }
    static void leftClick(TfrmSetBit& w, int slot, int times = 1) {
        for (int i = 0; i < times; ++i) QTest::mouseClick(w.valueButton(slot), Qt::LeftButton);
    }
};
}  // namespace

TEST_F(SetBit, OpensOverTheDisabledMainWindowAndEveryCloseRouteRestoresTheOnOpenCopy) {
    const std::pair<const char*, std::function<void(TfrmSetBit&)>> routes[] = {
        {"Cancel", [](TfrmSetBit& w) { QTest::mouseClick(w.btnCancel, Qt::LeftButton); }},
        {"Escape", [](TfrmSetBit& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"close box", [](TfrmSetBit& w) { w.close(); }},
    };
    start();
    for (const auto& [route, closeWindow] : routes) {
        TfrmSetBit& w = open();
        EXPECT_TRUE(w.isVisible()) << route;
        EXPECT_EQ(w.windowTitle(), "Edit Room Bitvectors");
        EXPECT_FALSE(main->isEnabled()) << route;
        EXPECT_TRUE(focused(w.nameField(1))) << route;
        EXPECT_EQ(w.currentSlot(), 1);
        EXPECT_EQ(w.nameField(1)->text(), "DARK") << route;
        EXPECT_EQ(caption(w, 2), "2          b") << route;
        EXPECT_EQ(w.editDescription->text(), "Room is dark.");

        typeInto(w.nameField(1), "GLOOM");
        rightClick(w, 2);
        w.nameField(2)->setFocus();
        typeInto(w.editDescription, "changed");
        EXPECT_EQ(w.workingSlots()[1].name, "GLOOM");
        EXPECT_EQ(w.workingSlots()[2].description, "changed");

        closeWindow(w);
        EXPECT_FALSE(w.isVisible()) << route;
        EXPECT_TRUE(main->isEnabled()) << route;
        EXPECT_EQ(w.workingSlots()[1].name, "DARK") << route;
        EXPECT_EQ(w.workingSlots()[2].description, main->bitvectorTable().descriptions[2]) << route;
        EXPECT_EQ(main->bitvectorTable().names[1], "DARK") << route;
        EXPECT_EQ(main->bitvectorTable().values[2], 2) << route;
    }
    TfrmSetBit& w = open();
    EXPECT_EQ(w.nameField(1)->text(), "DARK");
    EXPECT_EQ(caption(w, 2), "2          b");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SetBit, ValueButtonsActOnReleaseLeftRaisesRightLowers) {
    start();
    TfrmSetBit& w = open();
    EXPECT_EQ(caption(w, 12), "-           ");

    QTest::mousePress(w.valueButton(12), Qt::RightButton);
    EXPECT_EQ(caption(w, 12), "-           ");  // nothing until the button is released
    QTest::mouseRelease(w.valueButton(12), Qt::RightButton);
    EXPECT_EQ(caption(w, 12), "1073741824 E");
    rightClick(w, 12);
    EXPECT_EQ(caption(w, 12), "536870912  D");

    // Released away from the button: no click.
    QTest::mousePress(w.valueButton(12), Qt::RightButton);
    QTest::mouseRelease(w.valueButton(12), Qt::RightButton, {}, QPoint(-20, -20));
    EXPECT_EQ(caption(w, 12), "536870912  D");

    leftClick(w, 12);
    EXPECT_EQ(caption(w, 12), "1073741824 E");
    leftClick(w, 12);
    EXPECT_EQ(caption(w, 12), "-           ");
    leftClick(w, 12);
    EXPECT_EQ(caption(w, 12), "1          a");
    rightClick(w, 1);
    EXPECT_EQ(caption(w, 1), "-           ");
    EXPECT_EQ(w.workingSlots()[1].value, 0);
    // Two slots may hold the same bit.
    EXPECT_EQ(w.workingSlots()[12].value, 1);
}

TEST_F(SetBit, DraggingANameFieldSwapsWholeSlotsAndUseOrdersTheBanksBySlot) {
    start();
    TfrmSetBit& w = open();
    EXPECT_TRUE(dropName(w, 3, 20));
    EXPECT_EQ(w.nameField(20)->text(), "NOMOB");
    EXPECT_EQ(caption(w, 20), "4          c");
    EXPECT_EQ(w.nameField(3)->text(), "");
    EXPECT_EQ(caption(w, 3), "-           ");
    EXPECT_EQ(w.currentSlot(), 20);
    EXPECT_TRUE(focused(w.nameField(20)));
    EXPECT_EQ(w.editDescription->text(), "MOBs (monsters) cannot enter room.");

    // Onto itself: only the focus moves.
    EXPECT_TRUE(dropName(w, 5, 5));
    EXPECT_EQ(w.nameField(5)->text(), "PEACEFUL");
    EXPECT_TRUE(focused(w.nameField(5)));

    // Plain text, or a name field of another window, is not taken.
    QMimeData text;
    text.setText("DROPPED");
    EXPECT_FALSE(dropData(*w.nameField(4), &text));
    std::unique_ptr<QMimeData> sector(app->setSect->nameField(1)->dragData());
    EXPECT_FALSE(dropData(*w.nameField(4), sector.get()));
    std::unique_ptr<QMimeData> own(w.nameField(1)->dragData());
    EXPECT_FALSE(dropData(*w.valueButton(4), own.get()));
    EXPECT_EQ(w.nameField(4)->text(), "INDOORS");

    QTest::mouseClick(w.btnUse, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(main->isEnabled());
    const BitvectorTable& table = main->bitvectorTable();
    EXPECT_EQ(table.count, 11);
    EXPECT_EQ(table.names[3], "INDOORS");
    EXPECT_EQ(table.names[11], "NOMOB");
    EXPECT_EQ(table.values[11], 4);
    EXPECT_EQ(table.letters[11], 'c');
    EXPECT_EQ(flagBankButton(3)->text(), "INDOORS");
    EXPECT_EQ(flagBankButton(11)->text(), "NOMOB");
    // The working copy stays for the next opening.
    EXPECT_EQ(open().nameField(20)->text(), "NOMOB");
}

TEST_F(SetBit, EnterUpAndDownMoveTheFocusWithWrap) {
    start();
    TfrmSetBit& w = open();
    struct Move {
        int from;
        Qt::Key key;
        QWidget* to;
    };
    const Move moves[] = {
        {1, Qt::Key_Up, w.nameField(31)},   {31, Qt::Key_Down, w.nameField(1)},
        {16, Qt::Key_Down, w.nameField(17)}, {17, Qt::Key_Up, w.nameField(16)},
        {5, Qt::Key_Return, w.editDescription}, {6, Qt::Key_Enter, w.editDescription},
    };
    for (const Move& m : moves) {
        w.nameField(m.from)->setFocus();
        QTest::keyClick(w.nameField(m.from), m.key);
        EXPECT_TRUE(focused(m.to)) << m.from << " key " << m.key;
    }
    // Slot 6 is current: the description typed belongs to it, and Enter goes back to its name.
    EXPECT_EQ(w.currentSlot(), 6);
    EXPECT_EQ(w.editDescription->text(), "Shouts, gossips, etc. will not be heard in this room.");
    typeInto(w.editDescription, "Quiet.");
    QTest::keyClick(w.editDescription, Qt::Key_Return);
    EXPECT_TRUE(focused(w.nameField(6)));
    EXPECT_EQ(w.workingSlots()[6].description, "Quiet.");
    EXPECT_EQ(w.workingSlots()[5].description, "Room is peaceful (violence not allowed).");
}

TEST_F(SetBit, SaveWritesTheFileThatTheNextStartReadsBack) {
    writeFile(kBitvectorFileName, "1 a GLOOMY Very dark.\r\n4 c WET Puddles.\r\n");
    start();
    EXPECT_EQ(main->bitvectorTable().count, 2);
    TfrmSetBit& w = open();
    EXPECT_EQ(caption(w, 3), "-           ");
    leftClick(w, 5, 4);  // 1, 2, 4, 8: bit 3, no name
    typeInto(w.nameField(2), "SOGGY");
    EXPECT_TRUE(dropName(w, 1, 31));

    prompts.answer(true);  // "Save these settings?"
    prompts.answer(true);  // "Replace existing bitvector file?"
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    EXPECT_EQ(prompts.questions, (std::vector<std::string>{"Save these settings?", "Replace existing bitvector file?"}));
    EXPECT_EQ(fileBytes(kBitvectorFileName), "4 c SOGGY Puddles.\r\n8 d ? \r\n1 a GLOOMY Very dark.\r\n");
    EXPECT_EQ(w.nameField(5)->text(), "?");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(main->bitvectorTable().names[2], "WET");  // only Use changes the table

    // No: nothing written.
    prompts.clear();
    typeInto(w.nameField(2), "DAMP");
    prompts.answer(true);
    prompts.answer(false);
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    EXPECT_EQ(fileBytes(kBitvectorFileName), "4 c SOGGY Puddles.\r\n8 d ? \r\n1 a GLOOMY Very dark.\r\n");
    prompts.answer(false);
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    EXPECT_EQ(prompts.questions.size(), 3u);

    // Revert goes back to what was saved, not to what was read at start-up.
    prompts.answer(true);
    QTest::mouseClick(w.btnRevert, Qt::LeftButton);
    EXPECT_EQ(prompts.questions.back(), "Use saved settings, losing current ones?");
    EXPECT_EQ(w.nameField(2)->text(), "SOGGY");
    EXPECT_EQ(w.nameField(1)->text(), "");

    QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    start();
    const BitvectorTable& table = main->bitvectorTable();
    ASSERT_EQ(table.count, 3);
    EXPECT_EQ(table.names[1], "SOGGY");
    EXPECT_EQ(table.names[2], "?");
    EXPECT_EQ(table.values[2], 8);
    EXPECT_EQ(table.names[3], "GLOOMY");
    EXPECT_EQ(flagBankButton(3)->text(), "GLOOMY");
    EXPECT_TRUE(app->setBit->fileLoaded());
}

TEST_F(SetBit, DefaultsAndRevertAskFirstAndRevertNeedsAFile) {
    start();
    TfrmSetBit& w = open();
    EXPECT_FALSE(w.fileLoaded());
    typeInto(w.nameField(1), "GLOOM");
    QTest::mouseClick(w.btnRevert, Qt::LeftButton);  // no file: nothing, and nothing asked
    EXPECT_EQ(w.nameField(1)->text(), "GLOOM");
    EXPECT_TRUE(prompts.questions.empty());

    prompts.answer(false);
    QTest::mouseClick(w.btnDefaults, Qt::LeftButton);
    EXPECT_EQ(w.nameField(1)->text(), "GLOOM");
    prompts.answer(true);
    QTest::mouseClick(w.btnDefaults, Qt::LeftButton);
    EXPECT_EQ(w.nameField(1)->text(), "DARK");
    EXPECT_EQ(prompts.questions, (std::vector<std::string>(2, "Restore defaults and lose current settings?")));

    // With a file, the defaults are still the built-in set.
    writeFile(kBitvectorFileName, "2 b ONLY One flag.\r\n");
    start();
    TfrmSetBit& second = open();
    EXPECT_EQ(second.nameField(1)->text(), "ONLY");
    EXPECT_EQ(caption(second, 1), "2          b");
    prompts.answer(true);
    QTest::mouseClick(second.btnDefaults, Qt::LeftButton);
    EXPECT_EQ(second.nameField(11)->text(), "GODROOM");
    EXPECT_EQ(second.editDescription->text(), "Room is dark.");
    prompts.answer(true);
    QTest::mouseClick(second.btnRevert, Qt::LeftButton);
    EXPECT_EQ(second.nameField(1)->text(), "ONLY");
    EXPECT_EQ(second.nameField(11)->text(), "");
}

TEST_F(SetBit, UseWithEveryFlagFreeLeavesTheBanksAsTheyWere) {
    start();
    TfrmSetBit& w = open();
    for (int slot = 1; slot <= 11; ++slot) rightClick(w, slot, slot);  // 2^(slot-1) halves down to free
    for (int slot = 1; slot <= 31; ++slot) ASSERT_EQ(caption(w, slot), "-           ") << slot;
    QTest::mouseClick(w.btnUse, Qt::LeftButton);
    EXPECT_EQ(main->bitvectorTable().count, 0);
    EXPECT_EQ(flagBankButton(1)->text(), "DARK");
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(SetBit, NoteButtonExplainsTheThirtyOneBits) {
    start();
    TfrmSetBit& w = open();
    EXPECT_EQ(w.editNote->text(), " See Note");
    EXPECT_FALSE(w.editNote->isEnabled());
    QTest::mouseClick(w.btnNote, Qt::LeftButton);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{kBitvectorLimitNote});
    EXPECT_TRUE(w.isVisible());
}

TEST_F(SetBit, NamesAndDescriptionsHoldWholeCharactersUpToTheLimitsTheFileKeeps) {
    start();
    TfrmSetBit& w = open();
    const QString umlaut = QStringLiteral("\u00C4"), smile = QString::fromUcs4(U"\U0001F600");
    const QString name20 = QStringLiteral("a") + umlaut.repeated(19);
    typeInto(w.nameField(1), name20 + umlaut);  // the 21st character is refused
    EXPECT_EQ(w.nameField(1)->text(), name20);
    w.nameField(1)->setFocus();
    typeInto(w.editDescription, umlaut.repeated(81));
    EXPECT_EQ(w.editDescription->text(), umlaut.repeated(80));
    // A paste is cut after the characters that fit, however many bytes each takes.
    typeInto(w.nameField(2), QString());
    QApplication::clipboard()->setText(smile.repeated(21));
    QTest::keyClick(w.nameField(2), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.nameField(2)->text(), smile.repeated(20));

    prompts.answer(true);  // "Save these settings?"
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    const std::string text = fileBytes(kBitvectorFileName);
    const std::string firstTwo = text.substr(0, text.find('\n', text.find('\n') + 1) + 1);
    EXPECT_EQ(firstTwo, "1 a " + qStringToBytes(name20) + ' ' + qStringToBytes(umlaut.repeated(80)) + "\r\n2 b " +
                            qStringToBytes(smile.repeated(20)) + " Room is a DEATH TRAP; Character \"dies\" (no experience points lost)\r\n");

    start();
    TfrmSetBit& again = open();
    EXPECT_EQ(again.nameField(1)->text(), name20);
    EXPECT_EQ(again.editDescription->text(), umlaut.repeated(80));
    EXPECT_EQ(again.nameField(2)->text(), smile.repeated(20));
    EXPECT_TRUE(prompts.messages.empty());
}
