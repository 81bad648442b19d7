#include <gtest/gtest.h>

#include "build_speed.h"
#include "scripted_prompts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unistd.h>

#include "uibase/byte_text.h"
#include "wldfile/tfrmloading.h"
#include "wldfile/tfrmquendryout.h"
#include "wldfile/world_writer.h"
#include "world/file_replace.h"
#include "world/prompts.h"
#include "world/world_store.h"

namespace fs = std::filesystem;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "tests_wldfile_ui";
    static char* argv[] = {name, nullptr};
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

struct ScriptedFiles : FileChooser {
    std::string answer;  // "" = cancelled
    std::string title, defaultExtension, suggestedName;
    FileFilter filter;
    int saves = 0;
    std::string openFile(const std::string&, const FileFilter&) override {
        ADD_FAILURE() << "unexpected open dialog";
        return {};
    }
    std::string saveFile(const std::string& t, const FileFilter& f, const std::string& ext,
                         const std::string& suggested) override {
        ++saves;
        title = t, filter = f, defaultExtension = ext, suggestedName = suggested;
        return answer;
    }
};

RoomDataType& addRoom(WorldStore& store, int32_t vnum, std::string description = "Line one.\r\nLine two.\r\n") {
    auto room = std::make_unique<RoomDataType>();
    room->vnum = vnum;
    room->name = "Room " + std::to_string(vnum);
    room->description = std::move(description);
    room->zone = 320;
    initNewRoom(*room);
    return *store.insertOrdered(WorldStore::makeNode(std::move(room)))->room;
}

std::string contents(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

class OutputWindow : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("quendry-outwin-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        files.answer = (dir_ / "320.wld").string();
    }
    void TearDown() override { fs::remove_all(dir_); }
    template <typename T>
    T* find(const char* name) {
        T* widget = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    std::string path(const char* name) const { return (dir_ / name).string(); }

    QApplication& app_ = app();  // before the window
    WorldStore store;
    ScriptedPrompts prompts;
    ScriptedFiles files;
    TfrmQuendryOut window{store, prompts, files};
    fs::path dir_;
};

}  // namespace

TEST_F(OutputWindow, ControlsCaptionsAndBuild) {
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(window.windowTitle(), "Quendry .wld OUTPUT");
    EXPECT_TRUE(find<QFrame>("Panel1")->isHidden());
    EXPECT_TRUE(find<QPlainTextEdit>("Memo1")->isReadOnly());
    EXPECT_TRUE(window.Memo1->toPlainText().isEmpty());
    EXPECT_EQ(find<QToolButton>("sb_edit")->text(), "Memo is Read-&Only");
    EXPECT_EQ(find<QToolButton>("sb_map")->text(), "Save &MAP");
    EXPECT_EQ(find<QToolButton>("sb_Bitvectors")->text(), "Save &Bitvectors as Letters");
    EXPECT_TRUE(window.sb_edit->isChecked() && window.sb_map->isChecked());
    EXPECT_EQ(find<QPushButton>("btnDOS")->text(), "Save &DOS format (CR+LF)");
    EXPECT_EQ(find<QPushButton>("btnUNIX")->text(), "Save &UNIX format (LF only)");
    EXPECT_EQ(find<QPushButton>("btnNote")->text(), "&Note on size");
    EXPECT_EQ(find<QPushButton>("btnREMAKE")->text(), "&REMAKE");
    EXPECT_EQ(find<QPushButton>("btnDONE")->text(), "Done");
    EXPECT_TRUE(window.lettersMode() && window.unixFormat() && window.viewReadOnly() && window.saveMapFile());
    EXPECT_FALSE(window.outputTooLarge());

    window.buildOutput();  // an empty store: nothing happens
    EXPECT_TRUE(window.isHidden());

    addRoom(store, 32001).bitvector = 1 | 8 | (1 << 27);
    window.buildOutput();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Quendry .wld OUTPUT");
    EXPECT_TRUE(window.Panel1->isVisible() && window.sb_edit->isVisible());
    EXPECT_EQ(window.outputText(), buildWorldText(store, true));
    EXPECT_EQ(window.Memo1->toPlainText(),
              "#32001\nRoom 32001~\nLine one.\nLine two.\n~\n320 adB 0\nS\n$\n");

    // The bitvector toggle changes its caption and hands the focus to REMAKE, not the view.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(window.sb_Bitvectors, Qt::LeftButton);
    EXPECT_FALSE(window.lettersMode());
    EXPECT_TRUE(window.btnREMAKE->hasFocus());
    EXPECT_EQ(window.sb_Bitvectors->text(), "Save &Bitvectors as Numbers");
    EXPECT_TRUE(window.Memo1->toPlainText().contains("320 adB 0"));
    QTest::mouseClick(window.btnREMAKE, Qt::LeftButton);
    EXPECT_TRUE(window.Memo1->toPlainText().contains("320 134217737 0"));
    QTest::mouseClick(window.sb_Bitvectors, Qt::LeftButton);
    EXPECT_EQ(window.sb_Bitvectors->text(), "Save &Bitvectors as Letters");

    QTest::mouseClick(window.sb_map, Qt::LeftButton);
    EXPECT_FALSE(window.saveMapFile());
    QTest::mouseClick(window.sb_edit, Qt::LeftButton);
    EXPECT_FALSE(window.viewReadOnly());
    EXPECT_FALSE(window.Memo1->isReadOnly());

    QTest::mouseClick(window.btnNote, Qt::LeftButton);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].rfind("You can't see your output because it's greater than 32k in length.  ", 0), 0u);
    EXPECT_NE(prompts.messages[0].find("so I've limited it to 31 bits instead of 32.  As for MAX FILE"),
              std::string::npos);

    // Escape presses Done: the window hides and keeps its text and settings.
    QTest::keyClick(window.Memo1, Qt::Key_Escape);
    EXPECT_TRUE(window.isHidden());
    EXPECT_FALSE(window.saveMapFile());
    EXPECT_FALSE(window.Memo1->toPlainText().isEmpty());
    window.buildOutput();
    EXPECT_FALSE(window.Memo1->isReadOnly()) << "the read-only choice survives a rebuild";
}

TEST_F(OutputWindow, SavesDosUnixEditsAndAsksBeforeReplacing) {
    RoomDataType& room = addRoom(store, 32001, "one\r\ntwo\r\nthree\r\n");
    room.mapX = 50, room.mapY = 50, room.mapZ = 5;
    addRoom(store, 32002);
    window.buildOutput();

    QTest::mouseClick(window.btnUNIX, Qt::LeftButton);
    EXPECT_EQ(files.title, "Save .wld file");
    EXPECT_EQ(files.filter.description, "Quendry World Files (.wld)");
    EXPECT_EQ(files.filter.pattern, "*.wld");
    EXPECT_EQ(files.defaultExtension, ".wld");
    EXPECT_EQ(files.suggestedName, "320");
    EXPECT_TRUE(prompts.questions.empty()) << "a new file needs no question";
    EXPECT_EQ(contents(path("320.wld")), stripCarriageReturns(window.outputText()));
    EXPECT_EQ(contents(path("320.map")), "32001 50 50 5\r\n");

    // An existing file: No keeps it, Yes replaces it.
    prompts.answer(false);
    QTest::mouseClick(window.btnDOS, Qt::LeftButton);
    EXPECT_EQ(prompts.questions, std::vector<std::string>{"File exists.  Replace?"});
    EXPECT_FALSE(window.unixFormat());
    EXPECT_EQ(contents(path("320.wld")).find('\r'), std::string::npos);
    prompts.answer(true);
    QTest::mouseClick(window.btnDOS, Qt::LeftButton);
    EXPECT_EQ(contents(path("320.wld")), window.outputText());

    // Text typed into the editable view is what a save writes, with CR LF line ends.
    QTest::mouseClick(window.sb_edit, Qt::LeftButton);
    QTextCursor cursor(window.Memo1->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::Down);
    window.Memo1->setTextCursor(cursor);
    QTest::keyClicks(window.Memo1, "Big ");
    prompts.answer(true);
    QTest::mouseClick(window.btnDOS, Qt::LeftButton);
    std::string edited = window.outputText();
    edited.insert(edited.find("Room 32001"), "Big ");
    EXPECT_EQ(contents(path("320.wld")), edited);
    // REMAKE brings the store's text back.
    QTest::mouseClick(window.btnREMAKE, Qt::LeftButton);
    prompts.answer(true);
    QTest::mouseClick(window.btnDOS, Qt::LeftButton);
    EXPECT_EQ(contents(path("320.wld")), window.outputText());

    // Cancelling the dialog writes nothing; a failing write reports the system's message.
    files.answer.clear();
    QTest::mouseClick(window.btnUNIX, Qt::LeftButton);
    EXPECT_EQ(contents(path("320.wld")), window.outputText());
    files.answer = path("no-such-dir/320.wld");
    QTest::mouseClick(window.btnUNIX, Qt::LeftButton);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], files.answer + ": No such file or directory");

    // The store emptied while the window was open: the chooser still runs, with no name.
    store.setCurrent(store.first());
    store.deleteAllRooms();
    files.answer = path("empty.wld");
    QTest::mouseClick(window.btnUNIX, Qt::LeftButton);
    EXPECT_EQ(files.suggestedName, "");
    EXPECT_EQ(contents(path("empty.wld")), stripCarriageReturns(window.outputText()));
    EXPECT_EQ(contents(path("empty.map")), "");
}

TEST_F(OutputWindow, EveryByteSurvivesTheViewWhenEdited) {
    // Bytes that are not UTF-8, a UTF-8 no-break space and a tab, in an edited view.
    std::string description = "caf\xe9 \xc2\xa0 tab\there \x01\x7f\xff\r\n";
    addRoom(store, 1, description);
    window.buildOutput();
    QTest::mouseClick(window.sb_edit, Qt::LeftButton);
    window.Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(window.Memo1, "x");
    prompts.forgetAnswers();
    QTest::mouseClick(window.btnDOS, Qt::LeftButton);
    EXPECT_EQ(contents(path("320.wld")), window.outputText() + "x");

    // A line typed with Shift+Enter ends in CR LF (or LF in UNIX form) like any other.
    QTest::keyClick(window.Memo1, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(window.Memo1, "y");
    prompts.answer(true);
    QTest::mouseClick(window.btnUNIX, Qt::LeftButton);
    EXPECT_EQ(contents(path("320.wld")), stripCarriageReturns(window.outputText()) + "x\ny");
}

TEST_F(OutputWindow, TooLargeOutputIsSavedWithoutTheView) {
    for (int32_t vnum = 1; vnum <= 50; ++vnum) addRoom(store, vnum);
    window.setViewCapacity(1000);
    QTest::mouseClick(window.sb_edit, Qt::LeftButton);  // editable before the build
    window.buildOutput();
    EXPECT_TRUE(window.outputTooLarge());
    EXPECT_EQ(window.windowTitle(), "--- FILE OUTPUT GREATER THAN 32k, SEE NOTE ---");
    EXPECT_TRUE(window.sb_edit->isHidden());
    EXPECT_TRUE(window.viewReadOnly() && window.Memo1->isReadOnly());
    EXPECT_TRUE(window.Memo1->toPlainText().isEmpty());
    EXPECT_TRUE(window.Panel1->isVisible());
    QTest::mouseClick(window.btnDOS, Qt::LeftButton);
    EXPECT_EQ(contents(path("320.wld")), buildWorldText(store, true));

    // Back under the capacity the toggle returns.
    window.setViewCapacity(TfrmQuendryOut::kDefaultViewCapacity);
    window.buildOutput();
    EXPECT_FALSE(window.outputTooLarge());
    EXPECT_TRUE(window.sb_edit->isVisible());
    EXPECT_EQ(window.windowTitle(), "Quendry .wld OUTPUT");
}

TEST(LoadingWindow, BarLabelTitleAndCancel) {
    app();
    TfrmLoading loading;
    EXPECT_TRUE(loading.windowTitle().isEmpty());
    EXPECT_EQ(loading.Label1->text(), "Loading...");
    EXPECT_EQ(loading.lblPercent->text(), "0%");
    EXPECT_EQ(loading.pnlBar->size(), QSize(320, 25));
    EXPECT_EQ(loading.pnlBar->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(loading.shpBar->width(), 0);

    LoadProgress& progress = loading;
    progress.show();
    EXPECT_TRUE(loading.isVisible());
    progress.setTitle("32001");
    EXPECT_EQ(loading.windowTitle(), "32001");
    progress.setProgress(33);
    EXPECT_EQ(loading.shpBar->width(), 105);
    EXPECT_EQ(loading.shpBar->height(), 25);
    EXPECT_EQ(loading.lblPercent->text(), " 33%");
    progress.setProgress(7);
    EXPECT_EQ(loading.lblPercent->text(), "  7%");
    progress.setProgress(100);
    EXPECT_EQ(loading.shpBar->width(), 320);
    EXPECT_EQ(loading.lblPercent->text(), "100%");
    progress.setProgress(101);
    progress.setProgress(-1);
    EXPECT_EQ(loading.lblPercent->text(), "100%") << "values outside 0..100 are ignored";
    const QImage shot = loading.grab().toImage();
    const QPoint barMiddle = loading.pnlBar->mapTo(&loading, QPoint(160, 12));
    EXPECT_EQ(shot.pixelColor(barMiddle), QColor(Qt::black));

    EXPECT_FALSE(progress.cancelRequested());
    loading.close();
    EXPECT_TRUE(progress.cancelRequested());
    EXPECT_TRUE(loading.isHidden());
    progress.clearCancel();
    EXPECT_FALSE(progress.cancelRequested());
}

// Time limits are for optimised builds; sanitised and debug builds run several times slower.
constexpr qint64 kSlowBuild = static_cast<qint64>(kSlowBuildFactor);

using OutputWindowTimed = OutputWindow;

TEST_F(OutputWindowTimed, HundredThousandRoomsBuildShowAndSaveQuickly) {
    // A zone of 100,000 rooms of a few hundred bytes each (about 40 MB of text): no step
    // may grow faster than the text.
    const std::string description = std::string(70, 'd') + "\r\n" + std::string(70, 'e') + "\r\n" + std::string(50, 'f') + "\r\n";
    for (int32_t vnum = 1; vnum <= 100000; ++vnum) {
        RoomDataType& r = addRoom(store, vnum, description);
        r.exitTo[North] = vnum + 1;
        r.exits[North] = {"A path.\r\n", "path", 0, -1};
        r.exitTo[South] = vnum - 1;
        r.mapX = 1 + vnum % 100, r.mapY = 1 + vnum / 100 % 100, r.mapZ = vnum / 10000;
    }
    QElapsedTimer clock;
    clock.start();
    window.buildOutput();
    QApplication::processEvents();
    const qint64 buildMs = clock.restart();
    EXPECT_TRUE(window.outputTooLarge());
    QTest::mouseClick(window.btnUNIX, Qt::LeftButton);
    const qint64 saveMs = clock.elapsed();
    ASSERT_TRUE(prompts.messages.empty());
    EXPECT_EQ(fs::file_size(path("320.wld")), stripCarriageReturns(window.outputText()).size());
    std::cout << "100,000 rooms, " << window.outputText().size() << " bytes: build and show " << buildMs
              << " ms, UNIX save with map " << saveMs << " ms\n";
    EXPECT_LT(buildMs, 4000 * kSlowBuild);
    EXPECT_LT(saveMs, 3000 * kSlowBuild);

    // 100,000 rooms with empty texts: few bytes but many short lines, too many to show.
    store.setCurrent(store.first());
    store.deleteAllRooms();
    for (int32_t vnum = 1; vnum <= 100000; ++vnum) addRoom(store, vnum, "");
    clock.restart();
    window.buildOutput();
    QApplication::processEvents();
    const qint64 emptyRoomsMs = clock.elapsed();
    EXPECT_TRUE(window.outputTooLarge());
    EXPECT_LT(emptyRoomsMs, 4000 * kSlowBuild);

    // The largest text the view takes, shown.
    // An empty room is five lines; leave just under the view's line capacity.
    while (store.size() * 5 + 1 > TfrmQuendryOut::kDefaultViewLineCapacity) {
        store.setCurrent(store.last());
        store.deleteCurrentRoom();
    }
    clock.restart();
    window.buildOutput();
    QApplication::processEvents();
    const qint64 viewMs = clock.elapsed();
    EXPECT_FALSE(window.outputTooLarge());
    std::cout << "100,000 empty rooms: " << emptyRoomsMs << " ms; " << store.size() << " rooms, "
              << window.outputText().size() << " bytes into the view: " << viewMs << " ms\n";
    EXPECT_LT(viewMs, 6000 * kSlowBuild);  // measured 1190 ms, see bench/timed_tests.md
}
