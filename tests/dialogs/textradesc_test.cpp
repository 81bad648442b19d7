// The extra descriptions window, opened from the main window and from the map.
#include "dialogs/textradesc.h"

#include <QGroupBox>
#include <QListWidget>
#include <QSignalSpy>
#include <functional>
#include <QToolButton>

#include "colour/colour_preview_panel.h"
#include "colour/tfrmsetcolor.h"
#include "editor_fixture.h"
#include "uibase/multiline_text.h"

class ExtraDescDialog : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        makeZone("Grove", 320, 32001);
        addRoom(32001, "Glade", "A glade.");
        addRoom(32002, "Pond", "A pond.");
        main->showRoom(app->store.first());
        room = app->store.first()->room.get();
        for (const char* k : {"trees", "stone", "well"})
            room->appendExtraDesc(k, std::string("The ") + k + ".");
        dialog = app->extraDesc;
        mapStandIn = std::make_unique<QWidget>();
        mapStandIn->show();
    }
    void TearDown() override {
        mapStandIn.reset();
        EditorTest::TearDown();
    }

    QStringList lines() const {
        QStringList out;
        for (int i = 0; i < dialog->ListBox1->count(); ++i) out << dialog->ListBox1->item(i)->text();
        return out;
    }
    std::vector<std::string> keywords(const RoomDataType& r) const {
        std::vector<std::string> out;
        for (const ExtraDescType* e = r.extraDescs; e; e = e->next) out.push_back(e->keywords);
        return out;
    }
    void click(int line) {
        QListWidget* list = dialog->ListBox1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(line)).center());
    }
    bool fieldsOff() const {
        return !dialog->editKey->isEnabled() && !dialog->memoRoom->isEnabled() &&
               dialog->editKey->text().isEmpty() && dialog->memoRoom->toPlainText().isEmpty();
    }
    // A description of n lines "line 1" .. "line n".
    static QString manyLines(int n) {
        QStringList l;
        for (int i = 1; i <= n; ++i) l << QString("/cGline %1").arg(i);
        return l.join('\n');
    }

    RoomDataType* room = nullptr;
    TExtraDesc* dialog = nullptr;
    std::unique_ptr<QWidget> mapStandIn;  // the map window's part: an opener to disable
};

TEST_F(ExtraDescDialog, OpensFromTheMainWindowOnItsRoom) {
    main->btnExtra->click();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(dialog->windowTitle(), "Extra Descriptions");
    EXPECT_EQ(dialog->Panel1->text(), "Room: Glade (32001)");
    EXPECT_EQ(lines(), (QStringList{"(1) trees", "(2) stone", "(3) well"}));
    EXPECT_TRUE(fieldsOff());
    EXPECT_FALSE(dialog->ColorPanel->isVisibleTo(dialog));
    EXPECT_FALSE(dialog->sb_WordWrap->isChecked());
    EXPECT_FALSE(dialog->sb_Draw->isChecked());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowCloseButtonHint) << "no close box";

    click(1);
    EXPECT_EQ(dialog->editKey->text(), "stone");
    EXPECT_EQ(dialog->memoRoom->toPlainText(), "The stone.");
    EXPECT_TRUE(dialog->editKey->isEnabled());
    // The arrow keys move through the lines as clicks do.
    QTest::keyClick(dialog->ListBox1, Qt::Key_Down);
    EXPECT_EQ(dialog->editKey->text(), "well");

    dialog->btnDone->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(main->isEnabled());

    // The main window's refusals open nothing.
    main->btnwld_NewRoomClick();
    main->btnExtra->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(prompts.lastMessage(),
              "You need to UPDATE the room to complete it.  You must define a room before you can add extra "
              "descriptions to it.");
}

// Opened, from either window and wherever the focus was when it last closed, the dialog
// has no current entry until a line is clicked or Add is pressed: typing and UPDATE can
// never overwrite entry 1 unasked.
TEST_F(ExtraDescDialog, OpensWithNoCurrentEntryWhereverTheFocusWas) {
    const std::function<void()> focusLastOn[] = {
        [&] { click(1); },                                   // the list
        [&] { QTest::mouseClick(dialog->sb_WordWrap, Qt::LeftButton); },
        [&] { click(2); QTest::mouseClick(dialog->editKey, Qt::LeftButton); },
    };
    for (const auto& focusOn : focusLastOn) {
        for (bool fromMap : {false, true}) {
            if (fromMap)
                dialog->openFromMap(mapStandIn.get(), *room);
            else
                main->btnExtra->click();
            ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
            QApplication::processEvents();
            EXPECT_TRUE(fieldsOff()) << "opened from the " << (fromMap ? "map" : "main window");
            EXPECT_EQ(dialog->currentEntry(), nullptr);
            focusOn();
            QTest::mouseClick(dialog->btnDone, Qt::LeftButton);
        }
    }
    main->btnExtra->click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::mouseClick(dialog->btnUpdate, Qt::LeftButton);
    EXPECT_TRUE(fieldsOff());
    QTest::keyClick(dialog->ListBox1, Qt::Key_Down);
    EXPECT_EQ(dialog->editKey->text(), "trees") << "the first arrow key chooses the first line";
}

TEST_F(ExtraDescDialog, AddUpdateAndDoneEditTheChainInPlace) {
    main->btnExtra->click();
    // Add, keywords and a text, UPDATE: the entry ends the chain and the list.
    dialog->btnAdd->click();
    EXPECT_TRUE(dialog->editKey->isEnabled());
    EXPECT_TRUE(focused(dialog->editKey));
    EXPECT_EQ(lines().size(), 3) << "not listed before UPDATE";
    QTest::keyClicks(dialog->editKey, "gate");
    dialog->memoRoom->setPlainText("An iron gate.\nRusty.");
    dialog->btnUpdate->click();
    EXPECT_EQ(lines().last(), "(4) gate");
    EXPECT_EQ(keywords(*room), (std::vector<std::string>{"trees", "stone", "well", "gate"}));
    EXPECT_EQ(room->lastExtraDesc()->description, "An iron gate.\r\nRusty.");

    // Changing an entry: its line follows.
    click(0);
    dialog->editKey->setText("tall trees");
    dialog->btnUpdate->click();
    EXPECT_EQ(lines().first(), "(1) tall trees");

    // Add and UPDATE with empty keywords: the message, the entry stays pending; Done
    // (here Escape) removes it.
    dialog->btnAdd->click();
    dialog->memoRoom->setPlainText("no keywords");
    dialog->btnUpdate->click();
    EXPECT_EQ(prompts.lastMessage(), "No Keywords -- Not a valid Extra Description.");
    EXPECT_TRUE(dialog->addPending());
    EXPECT_EQ(room->extraDescCount(), 5u);
    QTest::keyClick(dialog->memoRoom, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(keywords(*room), (std::vector<std::string>{"tall trees", "stone", "well", "gate"}));
}

TEST_F(ExtraDescDialog, DeleteKeepsTheFirstEntryOrEmptiesTheFields) {
    room->removeExtraDesc(room->extraDescs->next);  // trees, well
    main->btnExtra->click();
    click(1);
    dialog->btnDelete->click();
    EXPECT_EQ(lines(), QStringList{"(1) trees"});
    EXPECT_EQ(dialog->editKey->text(), "trees");
    EXPECT_EQ(dialog->ListBox1->currentRow(), 0);
    EXPECT_EQ(dialog->currentEntry(), room->extraDescs);

    dialog->btnDelete->click();
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_EQ(room->extraDescs, nullptr);
    EXPECT_TRUE(fieldsOff());
    dialog->btnDelete->click();  // nothing current: nothing happens
    dialog->btnUpdate->click();
    EXPECT_TRUE(prompts.messages.empty());

    dialog->btnAdd->click();
    dialog->editKey->setText("arch");
    dialog->btnUpdate->click();
    EXPECT_EQ(lines(), QStringList{"(1) arch"});
    EXPECT_EQ(keywords(*room), std::vector<std::string>{"arch"});

    // A click while an entry is pending drops it and shows the clicked line.
    room->appendExtraDesc("bench", "A bench.");
    dialog->btnDone->click();
    main->btnExtra->click();
    dialog->btnAdd->click();
    click(1);
    EXPECT_FALSE(dialog->addPending());
    EXPECT_EQ(lines(), (QStringList{"(1) arch", "(2) bench"}));
    EXPECT_EQ(dialog->editKey->text(), "bench");
    EXPECT_EQ(dialog->ListBox1->currentRow(), 1);
    dialog->btnDone->click();
}

TEST_F(ExtraDescDialog, PreviewShowsElevenLinesAndFollowsTheEntry) {
    room->extraDescs->description = qStringToMultiLine(manyLines(15));
    main->btnExtra->click();
    click(0);
    dialog->sb_Draw->click();
    ColourPreviewPanel* panel = dialog->ColorPanel;
    ASSERT_TRUE(panel->isVisibleTo(dialog));
    EXPECT_EQ(panel->size(), QSize(644, 135));
    EXPECT_EQ(panel->lines(), 11);
    EXPECT_EQ(panel->labels().back().line, 11);
    EXPECT_EQ(panel->labels().back().text, "line 11");
    EXPECT_EQ(panel->labels().back().fg, 13);

    click(1);  // another entry: drawn again
    EXPECT_EQ(panel->labels().front().text, "The stone.");
    dialog->memoRoom->setPlainText("/bbwrapped");
    dialog->sb_WordWrap->click();
    EXPECT_EQ(dialog->memoRoom->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    ASSERT_GE(panel->labels().size(), 2u);
    EXPECT_EQ(panel->labels()[1].text, "wrapped");

    // Set... puts the preview away and opens the colour scheme with this window as opener.
    dialog->btnSetColor->click();
    EXPECT_FALSE(dialog->previewShown());
    EXPECT_FALSE(dialog->sb_Draw->isChecked());
    ASSERT_TRUE(app->setColor->isVisible());
    EXPECT_FALSE(dialog->isEnabled());
    app->setColor->close();
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_FALSE(main->isEnabled()) << "the main window waits for the extra descriptions";

    dialog->sb_Draw->click();
    dialog->btnDone->click();
    EXPECT_FALSE(dialog->previewShown()) << "Done puts the preview away";
    EXPECT_FALSE(dialog->sb_Draw->isChecked());
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(ExtraDescDialog, FromTheMapItEnablesTheMapAndAsksForARedraw) {
    QSignalSpy redraws(dialog, &TExtraDesc::closedFromMap);
    RoomDataType& pond = *app->store.last()->room;
    main->setEnabled(false);  // the map has disabled the main window
    dialog->openFromMap(mapStandIn.get(), pond);
    EXPECT_TRUE(dialog->openedFromMap());
    EXPECT_FALSE(mapStandIn->isEnabled());
    EXPECT_EQ(dialog->Panel1->text(), "Room: Pond (32002)");
    EXPECT_TRUE(lines().isEmpty());

    dialog->btnAdd->click();
    dialog->editKey->setText("reeds");
    dialog->btnUpdate->click();
    dialog->btnDone->click();
    EXPECT_TRUE(mapStandIn->isEnabled());
    EXPECT_FALSE(main->isEnabled()) << "only the map is enabled again";
    EXPECT_EQ(redraws.count(), 1);
    EXPECT_EQ(keywords(pond), std::vector<std::string>{"reeds"});

    // Opened from the main window afterwards: no map redraw.
    main->setEnabled(true);
    main->btnExtra->click();
    EXPECT_FALSE(dialog->openedFromMap());
    dialog->btnDone->click();
    EXPECT_EQ(redraws.count(), 1);
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(ExtraDescDialog, RoomsDeletedWhileItIsOpen) {
    // Any room deleted takes the current entry away; the fields follow.
    dialog->openFromMap(mapStandIn.get(), *room);
    click(2);
    ASSERT_NE(dialog->currentEntry(), nullptr);
    app->store.deleteRoom(app->store.last());
    EXPECT_EQ(dialog->currentEntry(), nullptr);
    EXPECT_TRUE(fieldsOff());
    EXPECT_EQ(lines().size(), 3) << "the edited room is still there";
    click(1);
    EXPECT_EQ(dialog->editKey->text(), "stone");

    // The edited room itself deleted: the dialog lets go of it.
    app->store.deleteRoom(app->store.first());
    EXPECT_EQ(dialog->currentEntry(), nullptr);
    EXPECT_EQ(dialog->room(), nullptr);
    EXPECT_EQ(dialog->Panel1->text(), "Room:");
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_TRUE(fieldsOff());
    dialog->btnAdd->click();
    dialog->btnUpdate->click();
    click(0);
    dialog->btnDone->click();
    EXPECT_TRUE(mapStandIn->isEnabled());
    EXPECT_TRUE(prompts.messages.empty());
}
