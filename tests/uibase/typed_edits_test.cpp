// Every field a builder types into, in every window, left by every way there is to leave
// it (each button of the window, Enter, Tab, an arrow key that moves between fields, a
// click on the board or the list, Escape, the close box, Ctrl+Z): what was typed is
// stored; a number that is no number is refused with its message and the command stops;
// a form that one button stores keeps the text in its field; a Cancel lets it go with
// the rest of the window's edits. Nothing is dropped silently. Rows are built from the
// windows' own buttons, so a button added later is a row at once. Each row types a text
// of its own (the row's number in it), so no row can pass on what an earlier one stored.
#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QUndoStack>
#include <functional>

#include "colour/tfrmsetcolor.h"
#include "defs/tfrmsetbit.h"
#include "defs/tfrmsetsect.h"
#include "dialogs/textradesc.h"
#include "dialogs/tfrmnewzone.h"
#include "dialogs/trlist.h"
#include "map/tfrmmap.h"
#include "colour/colour_file.h"
#include "setup_windows.h"
#include "uibase/multiline_text.h"
#include "uibase/one_line_fields.h"
#include "world/newer_fields.h"
#include "world/strict_int.h"

namespace {

enum class Outcome {
    Stored,     // the data holds the typed text
    Refused,    // the message, the text still in its field, the command stopped
    Kept,       // a form's field keeps the text for the button that stores it
    Replaced,   // a form's command showed another room or entry; nothing was stored
    Discarded,  // the window closed as a Cancel (or a form's Done); nothing was stored
    FieldUndo,  // Ctrl+Z took the typing back in the field; nothing was stored
    NotAWay,    // the key is typed into this field (Enter, Tab in a multi-line text)
};

const char* name(Outcome o) {
    const char* names[] = {"stored", "refused", "kept", "replaced", "discarded", "field undo", "-"};
    return names[static_cast<int>(o)];
}

QString textOf(const QWidget* field) {
    if (auto* line = qobject_cast<const QLineEdit*>(field)) return line->text();
    return static_cast<const QPlainTextEdit*>(field)->toPlainText();
}

struct Field {
    QWidget* widget;
    std::function<QString(int row)> typed;
    std::function<QString()> stored;  // what the field's data holds, as the field shows it
    std::function<Outcome(const QString& way)> outcome;
};

// A text with the row's number in place of %1.
std::function<QString(int)> numbered(const QString& pattern) {
    return [pattern](int row) { return pattern.arg(row); };
}
// A number of its own for every row, from `base` on.
std::function<QString(int)> numberFrom(int base) {
    return [base](int row) { return QString::number(base + row); };
}
// The same text in every row: a refused one is never stored.
std::function<QString(int)> always(const QString& text) {
    return [text](int) { return text; };
}

struct Way {
    QString name;
    std::function<void(QWidget& field)> act;
};

// One window's rows: every field times every way.
struct Rows {
    QWidget* window;
    std::function<void()> reset;      // the window open and in its modes, nothing pending
    std::vector<Field> fields;
    std::vector<Way> ways;
    std::function<QString()> state;   // what a stopped command must leave as it was
};

// The word of a typed line that the strict conversion refuses: in a line of several
// numbers ("4217 abc") the one that is none.
std::string refusedWord(const QString& typed) {
    for (const QString& word : typed.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!strictToInt(word.toStdString())) return word.toStdString();
    return typed.toStdString();
}

bool isMultiLine(const QWidget* field) { return qobject_cast<const QPlainTextEdit*>(field) != nullptr; }

class TypedEdits : public SetupWindowsTest {
protected:
    void SetUp() override {
        SetupWindowsTest::SetUp();
        start();
    }

    // The window is the active one, as the window system makes an opened window (the
    // offscreen platform also activates the minimap, which a desktop does not).
    static void activate(QWidget* window) {
        window->activateWindow();
        QApplication::processEvents();
        if (!window->isActiveWindow()) {
            ASSERT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
        }
    }

    // The field takes the focus with a click, its text is selected and typed over.
    static void typeOver(QWidget* field, const QString& text) {
        QWidget* target = isMultiLine(field) ? static_cast<QPlainTextEdit*>(field)->viewport() : field;
        QTest::mouseClick(target, Qt::LeftButton);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClicks(field, lines[i]);
        }
    }

    // The ways every window has, and one click on each of its buttons.
    static std::vector<Way> keyWays(bool closeBox = true) {
        std::vector<Way> ways = {
            {"Enter", [](QWidget& f) { QTest::keyClick(&f, Qt::Key_Return); }},
            {"Tab", [](QWidget& f) { QTest::keyClick(&f, Qt::Key_Tab); }},
            {"Escape", [](QWidget& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
            {"Ctrl+Z", [](QWidget& f) { QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier); }},
        };
        if (closeBox) ways.push_back({"close box", [](QWidget& f) { f.window()->close(); }});
        return ways;
    }
    static void addButtons(std::vector<Way>& ways, QWidget* window) {
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
            // Qt's own controls (a menu bar's extension button) are no way of the window's.
            if (b->objectName().isEmpty() || b->objectName().startsWith(QLatin1String("qt_"))) continue;
            const QString name = b->objectName();
            ways.push_back({name, [window, name](QWidget&) {
                                auto* button = window->findChild<QAbstractButton*>(name);
                                if (button->isEnabled() && button->isVisible()) QTest::mouseClick(button, Qt::LeftButton);
                            }});
        }
    }

    void run(const Rows& rows) {
        for (const Field& f : rows.fields) {
            for (const Way& way : rows.ways) {
                const Outcome expected = f.outcome(way.name);
                if (expected == Outcome::NotAWay) continue;
                const QString typed = f.typed(++row_);
                SCOPED_TRACE(f.widget->objectName().toStdString() + " typed '" + typed.toStdString() + "', left by " +
                             way.name.toStdString() + ": " + name(expected));
                rows.reset();
                prompts.clear();
                for (int i = 0; i < 3; ++i) prompts.answer(false);  // No to every question
                const QString before = f.stored();
                const QString shownBefore = textOf(f.widget);
                typeOver(f.widget, typed);
                const QString state = rows.state ? rows.state() : QString();
                way.act(*f.widget);
                check(rows, f, typed, expected, before, shownBefore, state);
                prompts.forgetAnswers();
                if (HasFailure()) return;  // one broken row says enough
            }
        }
    }

    void check(const Rows& rows, const Field& f, const QString& typed, Outcome expected, const QString& before,
               const QString& shownBefore, const QString& state) {
        switch (expected) {
        case Outcome::Stored:
            EXPECT_EQ(f.stored().toStdString(), typed.toStdString());
            break;
        case Outcome::Refused:
            EXPECT_EQ(prompts.messages, std::vector<std::string>{notValidIntegerMessage(refusedWord(typed))});
            EXPECT_EQ(textOf(f.widget).toStdString(), typed.toStdString());
            EXPECT_EQ(f.stored(), before);
            EXPECT_EQ(rows.state().toStdString(), state.toStdString()) << "the command went on";
            break;
        case Outcome::Kept:
            EXPECT_EQ(textOf(f.widget).toStdString(), typed.toStdString());
            EXPECT_EQ(f.stored(), before);
            break;
        case Outcome::Replaced:
            EXPECT_NE(textOf(f.widget), typed);
            EXPECT_NE(f.stored(), typed);
            break;
        case Outcome::Discarded:
            EXPECT_FALSE(rows.window->isVisible());
            EXPECT_NE(f.stored(), typed);
            break;
        case Outcome::FieldUndo:  // a one-line field takes all of it back, a text its last run
            EXPECT_NE(textOf(f.widget), typed);
            if (!isMultiLine(f.widget)) {
                EXPECT_EQ(textOf(f.widget).toStdString(), shownBefore.toStdString());
            }
            EXPECT_EQ(f.stored(), before);
            break;
        case Outcome::NotAWay:
            break;
        }
    }

    // A zone of two rooms side by side on the map, 4201 with two extra descriptions.
    void buildZone() {
        main->itemNewAreaClick();
        app->newZone->editName->setText("Vale");
        app->newZone->editNumber->setText("42");
        app->newZone->editStart->setText("4200");
        app->newZone->btnOkClick();
        for (int vnum : {4201, 4202}) {
            main->btnwld_NewRoomClick();
            main->editRoomNumber->setText(QString::number(vnum));
            main->editRoomName->setText("Room");
            main->memoRoom->setPlainText("Text.");
            main->btnwld_UpdateClick();
        }
        gate = app->store.findByVnum(4201)->room.get();
        app->map.grid.putRoom(*gate, 50, 50, 5);
        app->map.grid.putRoom(*app->store.findByVnum(4202)->room, 51, 50, 5);
        app->map.grid.recalcExits(50, 50, 5);  // 4201 leads east to 4202
        app->map.placement.unlinkPlacementEntry(app->map.placement.findByRoom(gate));
        app->map.placement.unlinkPlacementEntry(app->map.placement.first());
        gate->appendExtraDesc("trees", "The trees.");
        gate->appendExtraDesc("well", "The well.");
        app->history.clear();
    }

    // Every window but the main window closed (the map too unless asked to stay), and
    // the main window on room 4201 in its first modes, no New Room pending.
    void backToTheGate(bool mapStays = false) {
        for (SecondaryWindow* w : {static_cast<SecondaryWindow*>(app->extraDesc),
                                   static_cast<SecondaryWindow*>(app->setColor),
                                   static_cast<SecondaryWindow*>(app->roomList),
                                   static_cast<SecondaryWindow*>(app->mapWindow)}) {
            w->commits().discardPending();
            if (w != app->mapWindow || !mapStays) w->close();
        }
        RoomIndexNode* node = app->store.first();
        while (node->room.get() != gate) node = node->next;
        if (!app->mapWindow->isVisible()) main->roomChosenFromList(node);
        main->editJump->clear();
        main->sb_confirm->setChecked(true);
        if (!main->sb_ct_Navigate->isChecked()) QTest::mouseClick(main->sb_ct_Navigate, Qt::LeftButton);
    }

    RoomDataType* gate = nullptr;
    int row_ = 0;
};

// The map's exit panel stores into room 4201, refuses what is no number, and keeps the
// search text; the view and modes come back before every row.
TEST_F(TypedEdits, MapWindow) {
    buildZone();
    TfrmMap& map = *app->mapWindow;
    auto clickCell = [&map](int x, int y) {
        const QPoint at((x - 1 - map.leftCol()) * 17 + 8, (y - 1 - map.topRow()) * 17 + 8);
        QTest::mousePress(map.MapGrid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(map.MapGrid->viewport(), Qt::LeftButton, {}, at);
    };
    Rows rows;
    rows.window = &map;
    rows.reset = [&] {
        backToTheGate(true);
        if (!map.isVisible()) main->btnMapClick();
        activate(&map);
        map.scrollToCell(50, 50, 5);
        for (QToolButton* b : {map.sb_Select, map.sb_Toggle}) QTest::mouseClick(b, Qt::LeftButton);
        if (!map.sb_minimap->isChecked()) QTest::mouseClick(map.sb_minimap, Qt::LeftButton);
        if (!map.cb_Recalc->isChecked()) map.cb_Recalc->setChecked(true);
        clickCell(50, 50);
        QTest::mouseClick(map.sbDirection[North], Qt::LeftButton);
        map.editGoTo->clear();
    };
    rows.state = [&] {
        return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
            .arg(map.isVisible())
            .arg(map.currentLevel())
            .arg(static_cast<int>(map.clickMode()))
            .arg(static_cast<int>(map.drawMode()))
            .arg(map.exitDirection())
            .arg(map.minimapShown())
            .arg(map.recalcOn())
            .arg(map.selectedRoom() ? map.selectedRoom()->vnum : 0);
    };
    rows.ways = keyWays();
    addButtons(rows.ways, &map);
    rows.ways.push_back({"a click on the board", [&](QWidget&) { clickCell(51, 50); }});

    const auto panel = [](const QString& way) { return way == "Ctrl+Z" ? Outcome::FieldUndo : Outcome::Stored; };
    const auto number = [](const QString& way) { return way == "Ctrl+Z" ? Outcome::FieldUndo : Outcome::Refused; };
    const auto text = [](const QString& way) {
        if (way == "Enter" || way == "Tab") return Outcome::NotAWay;
        return way == "Ctrl+Z" ? Outcome::FieldUndo : Outcome::Stored;
    };
    const auto search = [](const QString& way) { return way == "Ctrl+Z" ? Outcome::FieldUndo : Outcome::Kept; };
    for (int d = 0; d < kDirectionCount; ++d) {
        const auto exitTo = [this, d] { return QString::number(gate->exitTo[d]); };
        rows.fields.push_back({map.editExit[d], numberFrom(5000), exitTo, panel});
        rows.fields.push_back({map.editExit[d], always("abc"), exitTo, number});
    }
    const auto key = [this] { return QString::number(gate->exits[North].key); };
    rows.fields.push_back({map.editVkey, numberFrom(6000), key, panel});
    rows.fields.push_back({map.editVkey, always("key"), key, number});
    rows.fields.push_back({map.editKeywords, numbered("gate%1"),
                           [this] { return QString::fromStdString(gate->exits[North].keywords); }, panel});
    rows.fields.push_back({map.editGenDesc, numbered("The gate.\nIt is open %1."),
                           [this] { return multiLineToQString(gate->exits[North].description); }, text});
    rows.fields.push_back({map.editGoTo, numbered("Room%1"), [] { return QString(); }, search});
    run(rows);
}

// The room page is a form: only UPDATE stores it, a command that shows another room
// replaces it, and every other way leaves the typed text in its field.
TEST_F(TypedEdits, RoomPage) {
    buildZone();
    Rows rows;
    rows.window = main;
    rows.reset = [&] {
        backToTheGate();
        QUndoStack& stack = app->history.stack();
        while (stack.canUndo()) stack.undo();  // 4201 back at its number, first of the zone
        main->btnwld_MakeDefaultClick();       // a step for Edit | Undo to take back
    };
    rows.ways = keyWays(false);  // the close box ends the program
    addButtons(rows.ways, main);
    rows.ways.push_back({"Edit | Undo", [&](QWidget&) {
                             QMenuBar* bar = main->menuBar();
                             QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(main->menuEdit->menuAction()).center());
                             ASSERT_TRUE(main->menuEdit->isVisible());
                             QTest::mouseClick(main->menuEdit, Qt::LeftButton, {},
                                               main->menuEdit->actionGeometry(main->itemUndo).center());
                         }});
    const QStringList replacing = {"btnwld_NewRoom", "btnNext", "ex_E"};
    const auto page = [replacing](bool multiLine) {
        return [replacing, multiLine](const QString& way) {
            if (multiLine && (way == "Enter" || way == "Tab")) return Outcome::NotAWay;
            if (way == "Ctrl+Z") return Outcome::FieldUndo;
            if (way == "btnwld_Update") return Outcome::Stored;
            return replacing.contains(way) ? Outcome::Replaced : Outcome::Kept;
        };
    };
    const auto search = [](const QString& way) { return way == "Ctrl+Z" ? Outcome::FieldUndo : Outcome::Kept; };
    // New Room keeps the flag words for the new room, as it keeps the banks' flags.
    const auto words = [page](bool refused) {
        return [page, refused](const QString& way) {
            if (way == "btnwld_NewRoom") return Outcome::Kept;
            const Outcome o = page(false)(way);
            return refused && o == Outcome::Stored ? Outcome::Refused : o;
        };
    };
    const auto triggers = [page](bool refused) {
        return [page, refused](const QString& way) {
            const Outcome o = page(false)(way);
            return refused && o == Outcome::Stored ? Outcome::Refused : o;
        };
    };
    rows.state = [&] {
        return QStringLiteral("%1 %2").arg(app->history.stack().count()).arg(app->store.current() ? app->store.current()->vnum : 0);
    };
    const auto storedWords = [this] { return QString::fromStdString(flagWordsText(flagWords(*gate))); };
    const auto storedTriggers = [this] { return QString::fromStdString(triggersText(roomTriggers(*gate))); };
    rows.fields.push_back({main->editFlagWords, numbered("%1 0 7"), storedWords, words(false)});
    rows.fields.push_back({main->editFlagWords, always("1 abc 3"), storedWords, words(true)});
    rows.fields.push_back({main->editTriggers, numbered("42%1 4300"), storedTriggers, triggers(false)});
    rows.fields.push_back({main->editTriggers, always("4217 abc"), storedTriggers, triggers(true)});
    // The record of 4201 wherever UPDATE puts it.
    rows.fields.push_back({main->editRoomNumber, numberFrom(5000), [this] { return QString::number(gate->vnum); },
                           page(false)});
    rows.fields.push_back({main->editRoomName, numbered("Typed name %1"),
                           [this] { return QString::fromStdString(gate->name); }, page(false)});
    rows.fields.push_back({main->memoRoom, numbered("Typed\ntext %1"),
                           [this] { return multiLineToQString(gate->description); }, page(true)});
    rows.fields.push_back({main->editJump, always("4202"), [] { return QString(); }, search});
    run(rows);
}

// The extra descriptions are a form too: UPDATE stores the entry shown; Add, Delete and a
// click on another line show another entry; Done and Escape close it without storing.
TEST_F(TypedEdits, ExtraDescriptions) {
    buildZone();
    TExtraDesc& dialog = *app->extraDesc;
    auto clickLine = [&dialog](int line) {
        QTest::mouseClick(dialog.ListBox1->viewport(), Qt::LeftButton, {},
                          dialog.ListBox1->visualItemRect(dialog.ListBox1->item(line)).center());
    };
    Rows rows;
    rows.window = &dialog;
    rows.reset = [&] {
        backToTheGate();
        QUndoStack& stack = app->history.stack();
        while (stack.canUndo()) stack.undo();  // the entries Delete took, back
        main->btnExtra->click();
        activate(&dialog);
        clickLine(0);
    };
    rows.ways = keyWays(false);  // no close box
    addButtons(rows.ways, &dialog);
    rows.ways.push_back({"a click on another line", [&](QWidget&) { clickLine(1); }});
    const auto form = [](bool multiLine) {
        return [multiLine](const QString& way) {
            if (multiLine && (way == "Enter" || way == "Tab")) return Outcome::NotAWay;
            if (way == "Ctrl+Z") return Outcome::FieldUndo;
            if (way == "btnUpdate") return Outcome::Stored;
            if (way == "btnDone" || way == "Escape") return Outcome::Discarded;
            if (way == "btnAdd" || way == "btnDelete" || way == "a click on another line") return Outcome::Replaced;
            return Outcome::Kept;
        };
    };
    rows.fields.push_back({dialog.editKey, numbered("oak%1"),
                           [this] { return QString::fromStdString(gate->extraDescs->keywords); }, form(false)});
    rows.fields.push_back({dialog.memoRoom, numbered("An oak.\nOld %1."),
                           [this] { return multiLineToQString(gate->extraDescs->description); }, form(true)});
    run(rows);
}

// The new zone dialog hands its three fields to the store with OK; Cancel, Escape and
// the close box let them go.
TEST_F(TypedEdits, NewZone) {
    TfrmNewZone& dialog = *app->newZone;
    Rows rows;
    rows.window = &dialog;
    rows.reset = [&] {
        if (!dialog.isVisible()) main->itemNewAreaClick();
        activate(&dialog);
        dialog.editName->setText("Vale");
        dialog.editNumber->setText("42");
        dialog.editStart->setText("4200");
    };
    rows.ways = keyWays();
    addButtons(rows.ways, &dialog);
    const auto zone = [](const QString& way) {
        if (way == "Ctrl+Z") return Outcome::FieldUndo;
        if (way == "btnOk") return Outcome::Stored;
        if (way == "btnCancel" || way == "Escape" || way == "close box") return Outcome::Discarded;
        return Outcome::Kept;  // Enter and Tab move on to the next field
    };
    rows.fields.push_back({dialog.editName, numbered("Zone %1"),
                           [this] { return QString::fromStdString(app->store.zoneName); }, zone});
    rows.fields.push_back({dialog.editNumber, numberFrom(100), [this] { return QString::number(app->store.zoneNumber); }, zone});
    rows.fields.push_back({dialog.editStart, numberFrom(10000), [this] { return QString::number(app->store.zoneStart); }, zone});
    run(rows);
}

// The three set-up windows store into their working copy, refuse what is no number, and
// let everything go with Cancel, Escape and the close box.
class TypedSetUp : public TypedEdits {
protected:
    Rows setUpRows(SettingsWindow* window) {
        Rows rows;
        rows.window = window;
        rows.reset = [this, window] {
            window->commits().discardPending();
            if (!window->isVisible()) window->openFrom(main);
            activate(window);
        };
        rows.state = [window] { return QString::number(window->isVisible()); };
        rows.ways = keyWays();
        addButtons(rows.ways, window);
        return rows;
    }
    // The description field shows slot 1's description at the start of every row.
    static std::function<void()> firstSlotCurrent(std::function<void()> reset, DefinitionWindow& window) {
        return [reset, &window] {
            reset();
            QTest::mouseClick(window.nameField(1), Qt::LeftButton);
        };
    }
    static Outcome settings(const QString& way, bool numberRefused, bool multiLine = false) {
        if (multiLine && (way == "Enter" || way == "Tab" || way == "Up")) return Outcome::NotAWay;
        if (way == "Ctrl+Z") return Outcome::FieldUndo;
        if (way == "btnCancel" || way == "Escape" || way == "close box") return Outcome::Discarded;
        return numberRefused ? Outcome::Refused : Outcome::Stored;
    }
};

TEST_F(TypedSetUp, RoomBitvectors) {
    TfrmSetBit& window = *app->setBit;
    Rows rows = setUpRows(&window);
    rows.reset = firstSlotCurrent(rows.reset, window);
    rows.ways.push_back({"Up", [](QWidget& f) { QTest::keyClick(&f, Qt::Key_Up); }});
    const auto stored = [](const QString& way) { return settings(way, false); };
    for (int slot = 1; slot <= window.slotCount(); ++slot)
        rows.fields.push_back({window.nameField(slot), numbered("TYPED%1"),
                               [&window, slot] { return QString::fromStdString(window.workingSlots()[slot].name); }, stored});
    rows.fields.push_back({window.editDescription, numbered("Typed description %1"),
                           [&window] { return QString::fromStdString(window.workingSlots()[1].description); }, stored});
    run(rows);
}

TEST_F(TypedSetUp, SectorTypes) {
    TfrmSetSect& window = *app->setSect;
    Rows rows = setUpRows(&window);
    rows.reset = firstSlotCurrent(rows.reset, window);
    rows.ways.push_back({"Up", [](QWidget& f) { QTest::keyClick(&f, Qt::Key_Up); }});
    const auto stored = [](const QString& way) { return settings(way, false); };
    const auto refused = [](const QString& way) { return settings(way, true); };
    for (int slot = 1; slot <= window.slotCount(); ++slot) {
        const auto value = [&window, slot] { return QString::number(window.workingSlots()[slot].value); };
        rows.fields.push_back({window.nameField(slot), numbered("TYPED%1"),
                               [&window, slot] { return QString::fromStdString(window.workingSlots()[slot].name); }, stored});
        rows.fields.push_back({window.numberField(slot), numberFrom(100), value, stored});
        rows.fields.push_back({window.numberField(slot), always("abc"), value, refused});
    }
    rows.fields.push_back({window.editDescription, numbered("Typed description %1"),
                           [&window] { return QString::fromStdString(window.workingSlots()[1].description); }, stored});
    run(rows);
}

TEST_F(TypedSetUp, Colours) {
    TfrmSetColor& window = *app->setColor;
    using List = TfrmSetColor::List;
    Rows rows = setUpRows(&window);
    const QString sample = window.memoSample->toPlainText();
    rows.reset = [reset = rows.reset, &window, sample] {
        reset();
        window.memoSample->setPlainText(sample);
    };
    rows.ways.push_back({"Shift+Up", [](QWidget& f) { QTest::keyClick(&f, Qt::Key_Up, Qt::ShiftModifier); }});
    rows.ways.push_back({"a click on a colour box", [this, &window](QWidget&) {
                             picker.answer(std::nullopt);  // the picker is cancelled
                             QTest::mouseClick(window.colourBox(List::Background, 20), Qt::LeftButton);
                         }});
    const auto stored = [](const QString& way) { return settings(way, false); };
    for (List list : {List::Foreground, List::Background}) {
        ColourLists& lists = app->colours.working;
        auto* codes = list == List::Foreground ? &lists.fgCodes : &lists.bgCodes;
        auto* colours = list == List::Foreground ? &lists.fgColours : &lists.bgColours;
        for (int entry = 1; entry <= kColourEntries; ++entry) {
            rows.fields.push_back({window.codeField(list, entry), numbered("/q%1"),
                                   [codes, entry] { return QString::fromStdString((*codes)[entry]); }, stored});
            if (window.colourField(list, entry)->isReadOnly()) continue;  // the colour-off entry
            const auto hexDigits = [](int row) { return QStringLiteral("%1").arg(row, 6, 16, QLatin1Char('0')).toUpper(); };
            rows.fields.push_back({window.colourField(list, entry), hexDigits,
                                   [colours, entry] { return QString::fromStdString(hexText((*colours)[entry])); },
                                   stored});
        }
    }
    // The sample is the builder's own text to look at; no way takes it from the field.
    rows.fields.push_back({window.memoSample, numbered("/cRSample %1"), [] { return QString(); }, [](const QString& way) {
                               if (way == "Enter" || way == "Tab" || way == "Shift+Up") return Outcome::NotAWay;
                               return way == "Ctrl+Z" ? Outcome::FieldUndo : Outcome::Kept;
                           }});
    run(rows);
}

// A one-line field keeps the first line of a text pasted (the paste keys) or dropped on it,
// in every window; the direction letter field shows its word whatever comes.
TEST_F(TypedEdits, EveryOneLineFieldKeepsTheFirstLineOfWhatIsPastedOrDropped) {
    const std::pair<QString, QString> cuts[] = {
        {"12\n34", "12"}, {"12\r\n", "12"}, {"12\r34", "12"}, {QString::fromUtf8("12\u2028 34"), "12"},
        {QString::fromUtf8("12\u2029"), "12"}, {"12\v", "12"}, {"\n12", ""}, {"12 34", "12 34"}};
    for (const auto& [text, first] : cuts) EXPECT_EQ(firstLineOf(text), first) << text.toStdString();

    QMimeData dragged;
    dragged.setText("12\n34");
    int pasted = 0, dropped = 0;
    auto everyField = [&](QWidget* window) {
        SCOPED_TRACE(window->objectName().toStdString());
        activate(window);
        for (QLineEdit* field : window->findChildren<QLineEdit*>()) {
            if (!field->isEnabled() || field->isReadOnly() || !field->isVisible() || field == main->edit_Dir) continue;
            SCOPED_TRACE(field->objectName().toStdString());
            QApplication::clipboard()->setText("12\n34");
            field->selectAll();
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
            EXPECT_EQ(field->text().toStdString(), "12");
            ++pasted;
            field->setText(QString());  // filled by the window: nothing pending
            if (field->acceptDrops() && dropData(*field, &dragged)) {
                EXPECT_EQ(field->text().toStdString(), "12") << "dropped";
                ++dropped;
            }
            field->setText(QString());
        }
    };
    main->itemNewAreaClick();
    everyField(app->newZone);
    app->newZone->btnCancelClick();
    buildZone();
    everyField(main);
    main->btnMapClick();
    everyField(app->mapWindow);
    app->mapWindow->btnDone->click();
    main->btnExtra->click();
    app->extraDesc->btnAdd->click();
    everyField(app->extraDesc);
    app->extraDesc->btnDone->click();
    for (SettingsWindow* w : {static_cast<SettingsWindow*>(app->setBit), static_cast<SettingsWindow*>(app->setSect),
                              static_cast<SettingsWindow*>(app->setColor)}) {
        w->openFrom(main);
        everyField(w);
        w->btnCancel->click();
    }
    // Three new zone fields, five of the room page, nine of the map, one of the extra
    // descriptions, 32 and 61 of the definitions, 79 of the colours.
    EXPECT_EQ(pasted, 190);
    // Every one of them that takes a dropped text: not the slot names (they take slots) nor the sector numbers.
    EXPECT_EQ(dropped, 190 - 31 - 30 - 30);
}

// A line break pasted into a colour code used to reach colors.txt, and the next start
// threw the whole scheme away for the built-in one.
TEST_F(TypedEdits, APastedColourCodeLeavesColorsTxtReadableAtTheNextStart) {
    TfrmSetColor& window = *app->setColor;
    main->itemSetupColorsClick();
    activate(&window);
    QLineEdit* code = window.codeField(TfrmSetColor::List::Foreground, 9);
    QApplication::clipboard()->setText("/cq\n/cz");
    QTest::mouseClick(code, Qt::LeftButton);
    code->selectAll();
    QTest::keyClick(code, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(code, Qt::Key_Return);
    prompts.answer(true);  // "Save this color scheme?"
    QTest::mouseClick(window.btnSave, Qt::LeftButton);
    ASSERT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    start();
    EXPECT_EQ(app->colours.working.fgCodes[9], "/cq");
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
}

}  // namespace
