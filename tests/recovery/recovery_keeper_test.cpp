// The editor with recovery files, in-process: the copy kept while something is unsaved
// and removed when nothing is, a failing disk reported once, and the start-up offer.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <deque>
#include <filesystem>
#include <fstream>

#include "editor_fixture.h"
#include "recovery/recovery_keeper.h"
#include "recovery/recovery_offer.h"
#include "uibase/edit_history.h"
#include "wldfile/tfrmquendryout.h"
#include "wldfile/world_writer.h"
#include "world/file_replace.h"

namespace {

class ScriptedQuestion : public RecoveryQuestion {
public:
    std::deque<Answer> answers;
    std::vector<std::string> asked;
    Answer ask(const std::string& question) override {
        asked.push_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected recovery question: " << question;
            return Answer::Later;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
};

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        ASSERT_TRUE(dir.isValid());
    }
    void start(int delayMs = 20) {
        app = std::make_unique<QuendryApp>(prompts, files);
        app->enableRecovery(directory(), question, delayMs);
        app->createWindows();
        main = app->mainWindow.get();
        main->handleFirstActivation();
    }
    std::string directory() const { return dir.filePath("recovery").toStdString(); }
    // Another run's file, written with the given header.
    void plant(const std::string& name, RecoveryHeader h, const std::string& world) {
        std::filesystem::create_directories(directory());
        std::ofstream(directory() + "/" + name, std::ios::binary) << buildRecoveryFile(h, world, "4200 50 50 5\r\n");
    }
    static RecoveryHeader header(const std::string& zone, int64_t time, int64_t pid = 999999999) {
        RecoveryHeader h;
        h.pid = pid;  // no such process
        h.time = time;
        h.zoneNumber = 42;
        h.zoneName = zone;
        h.originalPath = "/builds/" + zone + ".wld";
        return h;
    }
    bool copied() const { return std::filesystem::exists(app->recovery->filePath()); }
    void waitForCopy(int before) {
        for (int i = 0; i < 200 && app->recovery->copiesWritten() == before; ++i) QTest::qWait(10);
        ASSERT_GT(app->recovery->copiesWritten(), before);
    }
    void settle() {
        app->recovery->waitForWriter();
        QTest::qWait(30);
        app->recovery->waitForWriter();
        QCoreApplication::processEvents();
    }
    void addRoom(int number, const char* name) {
        main->btnwld_NewRoomClick();
        main->editRoomNumber->setText(QString::number(number));
        main->editRoomName->setText(name);
        main->memoRoom->setPlainText("A room.\n");
        main->btnwld_UpdateClick();
    }
    void makeZone() {
        main->itemNewAreaClick();
        TfrmNewZone& dialog = *app->newZone;
        dialog.editName->setText("Mill");
        dialog.editNumber->setText("42");
        dialog.editStart->setText("4200");
        dialog.btnOkClick();
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ScriptedFiles files;
    ScriptedQuestion question;
    std::unique_ptr<QuendryApp> app;
    TEditMain* main = nullptr;
};

// A change is copied after the delay, a save removes the copy, the next change brings it
// back, a Load writes it at once and then removes it (nothing is unsaved after it), and
// the normal end removes it too.
TEST_F(RecoveryTest, TheCopyIsThereExactlyWhileSomethingIsUnsaved) {
    start();
    makeZone();
    EXPECT_FALSE(copied());
    addRoom(4200, "Gate");
    waitForCopy(0);
    const RecoveryContents c = parseRecoveryFile(bytesOf(app->recovery->filePath()));
    ASSERT_TRUE(c.clean());
    EXPECT_EQ(c.header.zoneName, "Mill");
    EXPECT_EQ(c.worldText, stripCarriageReturns(buildWorldText(app->store, true)));

    // Saved: nothing unsaved, no copy.
    const std::string saved = dir.filePath("mill.wld").toStdString();
    files.nextSave = saved;
    main->itemSavewldClick();
    app->output->btnUNIX->click();
    settle();
    EXPECT_FALSE(copied());
    EXPECT_EQ(app->output->zonePath(), saved);

    // Changed again, then loaded over before the delay ran out: copied at once, then gone.
    addRoom(4201, "Yard");
    const int before = app->recovery->copiesWritten();
    prompts.answer(true);  // "Load new file, DELETING all existing rooms?"
    // By a name relative to the working directory, as a command line gives it.
    const QString working = QDir::currentPath();
    QDir::setCurrent(dir.path());
    main->loadChosenFile("mill.wld");
    QDir::setCurrent(working);
    settle();
    EXPECT_EQ(app->recovery->copiesWritten(), before + 1);
    EXPECT_FALSE(copied());
    EXPECT_EQ(app->store.size(), 1u);

    // Undo back to the saved state removes the copy as a save does.
    addRoom(4202, "Mill Pond");
    waitForCopy(before + 1);
    // The copy names the zone's file wherever the next editor starts.
    EXPECT_EQ(parseRecoveryFile(bytesOf(app->recovery->filePath())).header.originalPath, saved);
    main->itemUndo->trigger();
    settle();
    EXPECT_FALSE(copied());

    addRoom(4203, "Weir");
    waitForCopy(before + 2);
    app->recovery->finish();
    EXPECT_FALSE(copied());
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
}

// A full disk: the copy written before stays as it was, and one message tells of it
// however many copies fail.
TEST_F(RecoveryTest, AFullDiskKeepsThePreviousCopyAndIsReportedOnce) {
    start();
    makeZone();
    addRoom(4200, "Gate");
    waitForCopy(0);
    const std::string first = bytesOf(app->recovery->filePath());
    {
        ScopedFileWriteHook full([](int, const char*, size_t) -> ssize_t {
            errno = ENOSPC;
            return -1;
        });
        for (int i = 1; i <= 3; ++i) {
            addRoom(4200 + i, "More");
            app->recovery->writeNow();
            settle();
        }
    }
    EXPECT_EQ(bytesOf(app->recovery->filePath()), first);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_NE(prompts.messages[0].find("No space left on device"), std::string::npos) << prompts.messages[0];
    addRoom(4210, "Mended");
    waitForCopy(1);  // the disk has room again
}

// The start-up cases: no file, one, several (newest first), one that does not read
// cleanly, one whose editor still runs.
TEST_F(RecoveryTest, StartUpOffersEveryFileOfAnEndedEditorNewestFirst) {
    using A = RecoveryQuestion::Answer;
    const std::string world = "#4200\nGate~\nA gate.\n~\n42 0 0\nS\n$\n";
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, RecoveryHeader>> files;  // name, header ("" world: a damaged file)
        std::vector<A> answers;
        std::vector<bool> confirms;
        std::vector<std::string> questionsStart;
        std::vector<std::string> left;  // files left afterwards
        size_t rooms;
    };
    const Case cases[] = {
        {"none", {}, {}, {}, {}, {}, 0},
        {"one, Yes", {{"a.recovery", header("Mill", 2000)}}, {A::Yes}, {}, {"Recover unsaved work on Mill from "}, {}, 1},
        {"several: Later, No and a kept No, Yes",
         {{"a.recovery", header("Old", 1000)}, {"b.recovery", header("Mid", 2000)}, {"c.recovery", header("New", 3000)},
          {"d.recovery", header("Oldest", 500)}},
         {A::Later, A::No, A::No, A::Yes},
         {true, false},
         {"Recover unsaved work on New from ", "Recover unsaved work on Mid from ", "Recover unsaved work on Old from ",
          "Recover unsaved work on Oldest from "},
         {"a.recovery", "c.recovery"},
         1},
        {"still running", {{"a.recovery", header("Mine", 2000, currentProcessId())}}, {}, {}, {}, {"a.recovery"}, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        std::filesystem::remove_all(directory());
        for (const auto& [name, h] : k.files) plant(name, h, world);
        question.asked.clear();
        question.answers.assign(k.answers.begin(), k.answers.end());
        prompts.clear();
        for (bool yes : k.confirms) prompts.answer(yes);
        start();
        ASSERT_EQ(question.asked.size(), k.questionsStart.size());
        for (size_t i = 0; i < k.questionsStart.size(); ++i)
            EXPECT_TRUE(question.asked[i].starts_with(k.questionsStart[i])) << question.asked[i];
        EXPECT_EQ(app->store.size(), k.rooms);
        if (k.rooms) {
            EXPECT_FALSE(app->history.stack().isClean());  // the title's *
            EXPECT_TRUE(main->isWindowModified());
            EXPECT_EQ(app->output->zonePath().substr(0, 8), "/builds/");
            EXPECT_EQ("/builds/" + app->store.zoneName + ".wld", app->output->zonePath());
            EXPECT_EQ(main->pnlZoneName->text().toStdString(), app->store.zoneName);
        }
        app->recovery->waitForWriter();
        std::filesystem::create_directories(directory());
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator(directory()))
            if (entry.path() != app->recovery->filePath()) left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, k.left);
        // A recovered zone is this run's copy now.
        EXPECT_EQ(copied(), k.rooms > 0);
        EXPECT_TRUE(prompts.messages.empty());
        app->recovery->finish();
        app.reset();
    }

    // A damaged file: offered with what is wrong; No, then No again, keeps it; Yes loads
    // what can be read, the reader saying what it could not.
    std::filesystem::remove_all(directory());
    std::filesystem::create_directories(directory());
    const std::string damaged = buildRecoveryFile(header("Torn", 2000), world, "");
    std::ofstream(directory() + "/t.recovery", std::ios::binary) << damaged.substr(0, damaged.find("42 0 0"));
    question.asked.clear();
    question.answers = {A::No};
    prompts.clear();
    prompts.answer(false);
    start();
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_NE(question.asked[0].find("does not read cleanly:\n- the file ends inside its world section"),
              std::string::npos)
        << question.asked[0];
    EXPECT_NE(question.asked[0].find("Recover unsaved work on Torn from "), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(directory() + "/t.recovery"));
    app.reset();
    question.answers = {A::Yes};
    start();
    EXPECT_FALSE(prompts.messages.empty());  // the reader's own message about the cut text
    EXPECT_FALSE(std::filesystem::exists(directory() + "/t.recovery"));  // adopted: this run's copy
    EXPECT_TRUE(copied());
}

}  // namespace
