// The main window's "Show": the description drawn in colour over the description field.
#include <QToolButton>

#include "colour/colour_preview_panel.h"
#include "editor_fixture.h"

namespace {

// The text of every label of a line, joined.
std::string shownLine(const ColourPreviewPanel& panel, int line) {
    std::string text;
    for (const ColourLabel& l : panel.labels())
        if (l.line == line) text += l.text;
    return text;
}

}  // namespace

class ColourPreview : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        makeZone("Grove", 320, 32001);
        std::string twenty;
        for (int i = 1; i <= 20; ++i) twenty += "/crline " + std::to_string(i) + (i < 20 ? "\n" : "");
        addRoom(32001, "Glade", QString::fromStdString(twenty));
        addRoom(32002, "Pond", "/bbstill/b0 water");
        main->showRoom(app->store.first());
        panel = main->ColorPanel;
        show = main->sb_Draw;
    }

    bool shown() const { return panel->isVisibleTo(main) && show->isChecked(); }
    bool hidden() const { return panel->isHidden() && !show->isChecked(); }

    ColourPreviewPanel* panel = nullptr;
    QToolButton* show = nullptr;
};

TEST_F(ColourPreview, ShowDrawsFourteenLinesAndFollowsTheRoomShown) {
    EXPECT_TRUE(hidden());
    EXPECT_EQ(panel->size(), QSize(644, 177));
    // It lies over the description field and leaves the buttons below free.
    EXPECT_TRUE(panel->geometry().contains(main->memoRoom->geometry().topLeft() + QPoint(1, 1)));
    EXPECT_LT(panel->geometry().bottom(), main->sb_Draw->y());

    show->click();
    ASSERT_TRUE(shown());
    EXPECT_EQ(shownLine(*panel, 1), "line 1");
    EXPECT_EQ(shownLine(*panel, 14), "line 14");
    EXPECT_EQ(shownLine(*panel, 15), "");
    EXPECT_EQ(panel->labels().back().line, 14);
    EXPECT_EQ(panel->labels().front().fg, 2);

    // Another room shown while the preview is up: drawn again from its description.
    main->btnNextClick();
    ASSERT_EQ(main->editRoomNumber->text(), "32002");
    EXPECT_TRUE(shown());
    EXPECT_EQ(shownLine(*panel, 1), "still water");
    EXPECT_EQ(shownLine(*panel, 2), "");

    // Word wrap rebuilds it from the field as it is now; the scheme in use is the
    // program's one.
    app->colours.working.bgColours[5] = 0x00FF00;
    main->memoRoom->setPlainText("/bbgreen");
    main->sb_WordWrap->click();
    EXPECT_TRUE(shown());
    ASSERT_GE(panel->labels().size(), 2u);
    EXPECT_EQ(panel->labels()[1].text, "green");
    EXPECT_EQ(panel->labels()[1].background, 0x00FF00u);
    EXPECT_EQ(panel->labels().size(), 15u) << "an empty label on each of the other 13 lines";
    EXPECT_EQ(main->memoRoom->lineWrapMode(), QPlainTextEdit::WidgetWidth);

    show->click();
    EXPECT_TRUE(hidden());
    main->sb_WordWrap->click();
    EXPECT_TRUE(hidden()) << "wrap does not bring a hidden preview up";
    main->btnPrevClick();
    EXPECT_TRUE(hidden()) << "nor does showing a room";
}

TEST_F(ColourPreview, NewRoomClearRoomAndDeleteRoomPutItAway) {
    main->sb_confirm->setChecked(false);
    struct Case {
        const char* command;
        QPushButton* button;
    };
    const Case cases[] = {
        {"New Room", main->btnwld_NewRoom},
        {"Clear Room", main->btnwld_Clear},
        {"Delete Room", main->btnwld_DeleteRoom},
    };
    for (const Case& c : cases) {
        main->showRoom(app->store.last());
        show->click();
        ASSERT_TRUE(shown()) << c.command;
        c.button->click();
        EXPECT_TRUE(hidden()) << c.command;
        app->store.endNewRoom();
    }
    // Delete Room showed the room before the deleted one, without the preview.
    EXPECT_EQ(main->editRoomNumber->text(), "32001");
    EXPECT_TRUE(prompts.messages.empty());
}
