// Dropping a world file on the main window: the drags it takes, the ones it refuses,
// and the load that follows a drop, question included.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "editor/world_file_drop.h"
#include "editor_fixture.h"

namespace {

const QString kSample = QStringLiteral(QUENDRY_EXAMPLES "/sample.wld");  // 14 rooms, the first 4201

std::unique_ptr<QMimeData> filesData(const QList<QUrl>& urls) {
    auto data = std::make_unique<QMimeData>();
    data->setUrls(urls);
    return data;
}

// Sends the window system's enter, move and drop to a widget; true when the enter
// was accepted. A refused enter ends the drag there, as the window system does.
bool dragAndDrop(QWidget* target, const QMimeData& data) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);  // the file manager must not delete its file
    QCoreApplication::processEvents();             // the load runs once the drop has returned
    return true;
}

}  // namespace

using DropFile = EditorTest;

TEST_F(DropFile, OnlyOneExistingLocalWorldFileIsTaken) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString upper = dir.filePath("CAVES.WLD");
    const QString text = dir.filePath("notes.txt");
    const QString folder = dir.filePath("folder.wld");
    std::ofstream(upper.toStdString()) << "#1\nCave~\nDark.\n~\n0 0 0\nS\n$\n";
    std::ofstream(text.toStdString()) << "#1\n";
    std::filesystem::create_directory(folder.toStdString());

    struct Case {
        const char* what;
        QList<QUrl> urls;
        bool taken;
    };
    const Case cases[] = {
        {"a world file", {QUrl::fromLocalFile(kSample)}, true},
        {"the extension in capitals", {QUrl::fromLocalFile(upper)}, true},
        {"two world files", {QUrl::fromLocalFile(kSample), QUrl::fromLocalFile(upper)}, false},
        {"another kind of file", {QUrl::fromLocalFile(text)}, false},
        {"a world file that is gone", {QUrl::fromLocalFile(dir.filePath("gone.wld"))}, false},
        {"a folder named like a world file", {QUrl::fromLocalFile(folder)}, false},
        {"a web address", {QUrl("https://example.org/zone.wld")}, false},
        {"no file at all", {}, false},
    };
    for (const Case& c : cases) {
        const auto data = filesData(c.urls);
        const std::string path = droppedWorldFile(data.get());
        EXPECT_EQ(!path.empty(), c.taken) << c.what;
        if (c.taken) {
            EXPECT_TRUE(std::filesystem::equivalent(path, c.urls.front().toLocalFile().toStdString()));
        }
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(main, &enter);
        EXPECT_EQ(enter.isAccepted(), c.taken) << c.what;
    }
    QMimeData plain;
    plain.setText(kSample);  // a file's name as text is not the file
    EXPECT_TRUE(droppedWorldFile(&plain).empty());
    EXPECT_FALSE(dragAndDrop(main, plain));
    EXPECT_TRUE(app->store.empty());
}

TEST_F(DropFile, DroppingLoadsAsLoadDoesAndAsksWhenRoomsExist) {
    const auto sample = filesData({QUrl::fromLocalFile(kSample)});

    // An empty store asks nothing.
    ASSERT_TRUE(dragAndDrop(main, *sample));
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    ASSERT_EQ(app->store.size(), 14u);
    EXPECT_EQ(main->editRoomNumber->text(), "4201");
    EXPECT_TRUE(main->itemSavewld->isEnabled());
    EXPECT_EQ(files.opened, 0);  // no file dialog

    // Rooms present and No: every room stays as it was.
    main->sb_confirm->click();
    main->btnwld_DeleteRoomClick();
    ASSERT_EQ(app->store.size(), 13u);
    prompts.answer(false);
    ASSERT_TRUE(dragAndDrop(main, *sample));
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions.back(), "Load new file, DELETING all existing rooms?");
    EXPECT_EQ(app->store.size(), 13u);

    // Yes: the file replaces the rooms.
    prompts.answer(true);
    ASSERT_TRUE(dragAndDrop(main, *sample));
    EXPECT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(app->store.size(), 14u);
    EXPECT_EQ(app->store.first()->vnum, 4201);
}

TEST_F(DropFile, AWorldFileOnATextFieldLoadsAndTextDragsStayTheFields) {
    makeZone("Grove", 320, 32001);
    addRoom(32001, "Glade", "A glade.");
    const QString before = main->memoRoom->toPlainText();

    prompts.answer(true);
    ASSERT_TRUE(dragAndDrop(main->memoRoom->viewport(), *filesData({QUrl::fromLocalFile(kSample)})));
    EXPECT_EQ(app->store.size(), 14u);
    EXPECT_FALSE(main->memoRoom->toPlainText().contains("sample.wld"));
    EXPECT_NE(main->memoRoom->toPlainText(), before);  // the first room of the file shows

    // Text dragged between fields is still the field's business.
    QMimeData words;
    words.setText("moss");
    EXPECT_TRUE(dragAndDrop(main->editRoomName, words));
    EXPECT_TRUE(main->editRoomName->text().contains("moss"));
    EXPECT_EQ(app->store.size(), 14u);
}

TEST_F(DropFile, NothingIsTakenWhileAnotherWindowHoldsTheMainWindow) {
    main->itemNewAreaClick();  // the new zone dialog disables the main window
    ASSERT_FALSE(main->isEnabled());
    EXPECT_FALSE(dragAndDrop(main, *filesData({QUrl::fromLocalFile(kSample)})));
    EXPECT_TRUE(app->store.empty());
}

TEST_F(DropFile, ASecondDropDuringARead) {
    // Two drops before the event loop runs: the first read lets queued events through
    // for its progress window, and the second must not start a read inside it.
    const auto sample = filesData({QUrl::fromLocalFile(kSample)});
    for (int i = 0; i < 2; ++i) {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, sample.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main, &enter);  // a drop goes only where the drag was taken
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, sample.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(main, &drop);
        ASSERT_TRUE(drop.isAccepted()) << i;
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(prompts.questions.empty());
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    ASSERT_EQ(app->store.size(), 14u);
    std::vector<int32_t> expected;
    for (int32_t v = 4201; v <= 4214; ++v) expected.push_back(v);
    EXPECT_EQ(numbers(), expected);
}
