#include "colour/tfrmsetcolor.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>
#include <functional>

#include "colour/colour_file.h"
#include "colour/colour_preview_panel.h"
#include "dialogs/textradesc.h"
#include "setup_windows.h"

namespace {
using List = TfrmSetColor::List;
constexpr List Fg = List::Foreground;
constexpr List Bg = List::Background;

class SetColor : public SetupWindowsTest {
protected:
    TfrmSetColor& open() { return *openSetColor(); }
    static bool focused(const QWidget* w) { return w->window()->focusWidget() == w; }
    // Types into a field and leaves it with a click into the sample text.
    static void typeAndLeave(TfrmSetColor& w, QLineEdit* field, const QString& text) {
        typeInto(field, text);
        QTest::mouseClick(w.memoSample->viewport(), Qt::LeftButton);
    }
    // The label of the sample that draws `text`; null when none does.
    static const ColourLabel* sampleLabel(const TfrmSetColor& w, const std::string& text) {
        for (const ColourLabel& l : w.pnlSample->labels())
            if (l.text == text) return &l;
        return nullptr;
    }
};
}  // namespace

TEST_F(SetColor, OpensFromEitherOpenerAndEveryCloseRouteEnablesThatOne) {
    start();
    TExtraDesc* extra = app->extraDesc;
    extra->show();
    const std::pair<const char*, std::function<void(TfrmSetColor&)>> routes[] = {
        {"Use", [](TfrmSetColor& w) { QTest::mouseClick(w.btnUse, Qt::LeftButton); }},
        {"Cancel", [](TfrmSetColor& w) { QTest::mouseClick(w.btnCancel, Qt::LeftButton); }},
        {"Escape", [](TfrmSetColor& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
    };
    for (QWidget* opener : {static_cast<QWidget*>(main), static_cast<QWidget*>(extra)}) {
        QWidget* other = opener == main ? static_cast<QWidget*>(extra) : static_cast<QWidget*>(main);
        for (const auto& [route, closeWindow] : routes) {
            TfrmSetColor& w = *app->setColor;
            if (opener == main)
                main->itemSetupColorsClick();  // the menu and the "Set..." beside the preview
            else
                extra->btnSetColor->click();
            EXPECT_TRUE(w.isVisible());
            EXPECT_FALSE(opener->isEnabled()) << route;
            EXPECT_TRUE(other->isEnabled()) << route;
            closeWindow(w);
            EXPECT_FALSE(w.isVisible()) << route;
            EXPECT_TRUE(opener->isEnabled()) << route;
        }
    }
    TfrmSetColor& w = open();
    EXPECT_EQ(w.windowTitle(), "Set Colors");
    EXPECT_TRUE(focused(w.memoSample));
    EXPECT_EQ(w.codeField(Fg, 12)->text(), "/cR");
    EXPECT_EQ(w.colourField(Bg, 8)->text(), "C0C0C0");
    EXPECT_TRUE(w.colourField(Fg, 1)->isReadOnly());
    EXPECT_EQ(w.colourBox(Fg, 1)->text(), "OFF");
    EXPECT_EQ(w.colourBox(Bg, 1)->text(), "");
    EXPECT_TRUE(w.sb_Continuous->isChecked());
    EXPECT_EQ(w.memoSample->toPlainText().split('\n').size(), 6);
    EXPECT_EQ(w.pnlSample->lines(), 7);
    ASSERT_NE(sampleLabel(w, "red"), nullptr);
    EXPECT_EQ(sampleLabel(w, "red")->foreground, 0x0000FFu);
}

TEST_F(SetColor, ShiftArrowsMoveOverTheFourByTwentyGridWrappingAtEveryEdge) {
    start();
    TfrmSetColor& w = open();
    struct Move {
        QLineEdit* from;
        Qt::Key key;
        QLineEdit* to;
    };
    const Move moves[] = {
        {w.codeField(Fg, 10), Qt::Key_Down, w.codeField(Bg, 1)},      // foreground rows run into background rows
        {w.codeField(Fg, 3), Qt::Key_Left, w.colourField(Fg, 13)},    // first column to the last
        {w.colourField(Fg, 13), Qt::Key_Right, w.codeField(Fg, 3)},   // and back
        {w.codeField(Fg, 1), Qt::Key_Up, w.codeField(Bg, 10)},        // top row to the bottom row
        {w.colourField(Bg, 20), Qt::Key_Down, w.colourField(Fg, 11)}, // bottom row to the top row
        {w.codeField(Fg, 1), Qt::Key_Right, w.colourField(Fg, 1)},    // the read-only field is a stop too
        {w.colourField(Fg, 4), Qt::Key_Right, w.codeField(Fg, 14)},
        {w.codeField(Bg, 15), Qt::Key_Left, w.colourField(Bg, 5)},
        {w.codeField(Bg, 15), Qt::Key_Up, w.codeField(Bg, 14)},
    };
    for (const Move& m : moves) {
        m.from->setFocus();
        QTest::keyClick(m.from, m.key, Qt::ShiftModifier);
        EXPECT_TRUE(focused(m.to)) << m.from->objectName().toStdString() << " -> " << m.to->objectName().toStdString();
    }
    // Without Shift the arrows stay in the field.
    w.codeField(Fg, 2)->setFocus();
    QTest::keyClick(w.codeField(Fg, 2), Qt::Key_Down);
    EXPECT_TRUE(focused(w.codeField(Fg, 2)));
}

TEST_F(SetColor, FieldsTakeEffectOnLeavingOrEnterAndRedrawTheSample) {
    start();
    TfrmSetColor& w = open();
    typeAndLeave(w, w.colourField(Fg, 2), "00FF00");
    EXPECT_EQ(sampleLabel(w, "red")->foreground, 0x00FF00u);
    EXPECT_EQ(app->colours.working.fgColours[2], 0x00FF00u);

    struct Typed {
        QString text;
        ColourValue colour;
    };
    const Typed typed[] = {{"ff", 0x0000FF}, {"zz12", 0x000012}, {"", 0}, {"abcdef99", 0xABCDEF}};
    for (const Typed& t : typed) {
        typeInto(w.colourField(Bg, 9), t.text);
        QTest::keyClick(w.colourField(Bg, 9), Qt::Key_Return);  // Enter takes it, the focus stays
        EXPECT_TRUE(focused(w.colourField(Bg, 9)));
        EXPECT_EQ(app->colours.working.bgColours[9], t.colour) << t.text.toStdString();
        EXPECT_EQ(w.colourField(Bg, 9)->text(), t.text);  // shown as typed
    }

    // Clearing "/cR" shows the code as text in the colour-off colour.
    typeAndLeave(w, w.codeField(Fg, 12), "");
    const ColourLabel& first = w.pnlSample->labels().front();
    EXPECT_EQ(first.text.substr(0, 8), "/cRRoses");
    EXPECT_EQ(first.foreground, app->colours.working.fgColours[1]);
    EXPECT_TRUE(app->colours.working.fgCodes[12].empty());

    // A code with a trailing blank is kept as typed.
    typeAndLeave(w, w.codeField(Bg, 11), "/bx ");
    EXPECT_EQ(app->colours.working.bgCodes[11], "/bx ");

    QTest::mouseClick(w.btnUse, Qt::LeftButton);
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(app->colours.working.bgColours[9], 0xABCDEFu);
    // Opened again, the fields show the colours as six digits.
    EXPECT_EQ(open().colourField(Bg, 9)->text(), "ABCDEF");
}

TEST_F(SetColor, ColourBoxOpensThePickerAndCancelUndoesEveryChange) {
    start();
    const ColourLists before = app->colours.working;
    TfrmSetColor& w = open();
    picker.answer(0x123456);
    QTest::mouseClick(w.colourBox(Bg, 3), Qt::LeftButton);
    EXPECT_EQ(picker.initials, std::vector<uint32_t>{0x008000});
    EXPECT_EQ(w.colourField(Bg, 3)->text(), "123456");
    EXPECT_EQ(app->colours.working.bgColours[3], 0x123456u);

    picker.answer(std::nullopt);  // the picker cancelled: nothing changes
    QTest::mouseClick(w.colourBox(Fg, 1), Qt::LeftButton);
    EXPECT_EQ(app->colours.working.fgColours[1], before.fgColours[1]);

    typeAndLeave(w, w.codeField(Fg, 2), "/RED");
    typeAndLeave(w, w.colourField(Fg, 5), "FFFFFF");
    QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    EXPECT_EQ(app->colours.working, before);
    EXPECT_TRUE(main->isEnabled());
    TfrmSetColor& again = open();
    EXPECT_EQ(again.colourField(Bg, 3)->text(), "008000");
    EXPECT_EQ(again.codeField(Fg, 2)->text(), "/cr");
}

TEST_F(SetColor, ContinuousUpdatesOffLeavesTheSampleAsItWas) {
    start();
    TfrmSetColor& w = open();
    QTest::mouseClick(w.sb_Continuous, Qt::LeftButton);
    EXPECT_FALSE(w.sb_Continuous->isChecked());
    const ColourLabelList drawn = w.pnlSample->labels();
    typeAndLeave(w, w.colourField(Fg, 2), "00FF00");
    w.memoSample->setPlainText("/cronly red");
    EXPECT_EQ(w.pnlSample->labels(), drawn);
    QTest::mouseClick(w.sb_Continuous, Qt::LeftButton);
    ASSERT_NE(sampleLabel(w, "only red"), nullptr);
    EXPECT_EQ(sampleLabel(w, "only red")->foreground, 0x00FF00u);
}

TEST_F(SetColor, SaveWritesColorsTxtThatTheNextStartReadsBack) {
    writeFile(kColourFileName, "f1 C0C0C0\r\n/c0\r\nf2 0000FF\r\n/cr\r\n");
    start();
    TfrmSetColor& w = open();
    EXPECT_EQ(w.codeField(Fg, 3)->text(), "");
    typeAndLeave(w, w.colourField(Fg, 2), "00ff00");
    typeAndLeave(w, w.codeField(Bg, 3), "/bg");
    picker.answer(0x008000);
    QTest::mouseClick(w.colourBox(Bg, 3), Qt::LeftButton);

    prompts.answer(true);
    prompts.answer(false);  // "Replace existing color scheme?" No
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    EXPECT_EQ(fileBytes(kColourFileName), "f1 C0C0C0\r\n/c0\r\nf2 0000FF\r\n/cr\r\n");
    prompts.answer(true);
    prompts.answer(true);
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    EXPECT_EQ(prompts.questions, (std::vector<std::string>{"Save this color scheme?", "Replace existing color scheme?",
                                                           "Save this color scheme?",
                                                           "Replace existing color scheme?"}));
    EXPECT_EQ(fileBytes(kColourFileName), "f1 C0C0C0\r\n/c0\r\nf2 00FF00\r\n/cr\r\nb3 008000\r\n/bg\r\n");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.colourField(Fg, 2)->text(), "00ff00");  // as typed, until the next opening

    // Revert now goes back to what was saved.
    typeAndLeave(w, w.codeField(Fg, 2), "/x");
    prompts.answer(true);
    QTest::mouseClick(w.btnRevert, Qt::LeftButton);
    EXPECT_EQ(prompts.questions.back(), "Revert to saved settings and lose current settings?");
    EXPECT_EQ(w.codeField(Fg, 2)->text(), "/cr");

    QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    start();
    EXPECT_EQ(app->colours.working.fgColours[2], 0x00FF00u);
    EXPECT_EQ(app->colours.working.bgCodes[3], "/bg");
    EXPECT_EQ(app->colours.working.fgCodes[12], "");
}

TEST_F(SetColor, RestoreDefaultsAsksAndRevertWaitsForAFile) {
    start();
    TfrmSetColor& w = open();
    typeAndLeave(w, w.codeField(Fg, 2), "/x");
    QTest::mouseClick(w.btnRevert, Qt::LeftButton);  // no colors.txt: nothing, nothing asked
    EXPECT_EQ(w.codeField(Fg, 2)->text(), "/x");
    prompts.answer(false);
    QTest::mouseClick(w.btnDefaults, Qt::LeftButton);
    EXPECT_EQ(app->colours.working.fgCodes[2], "/x");
    prompts.answer(true);
    QTest::mouseClick(w.btnDefaults, Qt::LeftButton);
    EXPECT_EQ(w.codeField(Fg, 2)->text(), "/cr");
    EXPECT_EQ(app->colours.working, ColourLists::builtIn());
    EXPECT_EQ(prompts.questions, std::vector<std::string>(2, "Restore defaults and lose current settings?"));

    prompts.answer(true);  // Save with no file asks once and writes the built-in scheme
    QTest::mouseClick(w.btnSave, Qt::LeftButton);
    const std::string bytes = fileBytes(kColourFileName);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 46);
    EXPECT_EQ(bytes.substr(0, 25), "f1 C0C0C0\r\n/c0\r\nf2 0000FF");
}
