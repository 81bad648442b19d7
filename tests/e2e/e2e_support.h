#pragma once
// The whole program in a directory of its own, driven through its windows: controls are
// found by objectName(), clicked, typed into and dragged over with QTest, and every
// question is answered from a script. The saved files are read back by a fresh program
// and by the built quendry-wld, as a builder would check them.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/wait.h>

#include "editor_fixture.h"
#include "map/tfrmmap.h"
#include "scripted_colour_picker.h"
#include "scripted_files.h"

namespace e2e {

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Every CR taken out: what a UNIX save makes of a DOS text.
inline std::string withoutCarriageReturns(std::string text) {
    std::erase(text, '\r');
    return text;
}

// True when every LF of the text is preceded by CR and no CR stands alone.
inline bool allLinesEndCrLf(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) return false;
    }
    return true;
}

// `quendry-wld dump FILE` run in the file's directory; the JSON it printed.
inline std::string dumpOf(const std::string& path) {
    const std::string out = path + ".dump";
    const std::string command = "'" QUENDRY_WLD_BINARY "' dump '" + path + "' >'" + out + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "quendry-wld dump " << path;
    return readBytes(out);
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        ASSERT_TRUE(dir.isValid());
    }
    void TearDown() override { app.reset(); }

    std::string path(const char* name) const { return dir.filePath(name).toStdString(); }

    // Starts the program in the test's directory (so its side files live there), with a
    // world file on its command line or none, and waits until the main window is usable.
    void start(const std::string& startupFile = {}) {
        app.reset();
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        app = std::make_unique<QuendryApp>(prompts, files, &picker);
        app->createWindows(startupFile);
        QDir::setCurrent(before);
        main = app->mainWindow.get();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        main->handleFirstActivation();  // done already when the platform activated the window
    }

    template <typename T = QWidget>
    T* in(QWidget* window, const QString& name) {
        T* w = window->findChild<T*>(name);
        if (!w && window->objectName() == name) w = qobject_cast<T*>(window);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    template <typename T = QWidget>
    T* ctl(const QString& name) {
        return in<T>(main, name);
    }

    static void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isEnabled()) << w->objectName().toStdString() << " is disabled";
        QTest::mouseClick(w, button);
    }
    // The focus moves into a field. When the field's window is not the active one (the
    // offscreen platform activates windows as it pleases) the field is told all the same.
    static void enter(QWidget* field) {
        field->setFocus(Qt::TabFocusReason);
        if (QApplication::focusWidget() != field) {
            QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
            QApplication::sendEvent(field, &in);
        }
    }
    // Key presses for every character of the text; a character beyond ASCII comes as the
    // text of a key the keyboard does not name, as an input method delivers it.
    static void typeText(QWidget* field, const QString& text) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.unicode() < 0x80) {
                QTest::keyClick(field, char(c.unicode()));
                continue;
            }
            // A character beyond the first plane comes as its two halves in one key.
            const qsizetype length = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString key = text.mid(i, length);
            i += length - 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
            QApplication::sendEvent(field, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, key);
            QApplication::sendEvent(field, &release);
        }
    }
    // Replaces a one-line field's text by typing, as the user would.
    static void type(QLineEdit* field, const QString& text) {
        ASSERT_NE(field, nullptr);
        enter(field);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        typeText(field, text);
    }
    // Types lines into a multi-line field after emptying it; each line ends with Enter.
    static void typeLines(QPlainTextEdit* field, std::initializer_list<QString> lines) {
        ASSERT_NE(field, nullptr);
        enter(field);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        for (const QString& line : lines) {
            typeText(field, line);
            QTest::keyClick(field, Qt::Key_Return);
        }
    }
    // The focus leaves a field (the offscreen platform may not move it between windows).
    static void leave(QWidget* field) {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &out);
    }

    // The map board: the centre of cell (x, y) as the board is scrolled now.
    QPoint cellCentre(int x, int y) const {
        TfrmMap* map = app->mapWindow;
        return {(x - 1 - map->leftCol()) * 17 + 8, (y - 1 - map->topRow()) * 17 + 8};
    }
    QWidget* board() const { return app->mapWindow->MapGrid->viewport(); }
    // A press on one cell, the pointer moved with the button held, the release on another.
    void dragOnMap(int x0, int y0, int x1, int y1) {
        QTest::mousePress(board(), Qt::LeftButton, {}, cellCentre(x0, y0));
        const QPoint end = cellCentre(x1, y1);
        QMouseEvent move(QEvent::MouseMove, QPointF(end), QPointF(board()->mapToGlobal(end)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(board(), &move);
        QTest::mouseRelease(board(), Qt::LeftButton, {}, end);
    }
    void clickOnMap(int x, int y) {
        QTest::mousePress(board(), Qt::LeftButton, {}, cellCentre(x, y));
        QTest::mouseRelease(board(), Qt::LeftButton, {}, cellCentre(x, y));
    }
    // Chooses a line of "Place Room On Map" with the keyboard, as a user picks it.
    void chooseLine(int line) {
        auto* selector = in<QComboBox>(app->mapWindow, "selboxPlaceRoom");
        selector->setFocus();
        QTest::keyClick(selector, Qt::Key_Home);
        for (int i = 0; i < line; ++i) QTest::keyClick(selector, Qt::Key_Down);
        ASSERT_EQ(selector->currentIndex(), line);
    }

    std::vector<int32_t> numbers() const {
        std::vector<int32_t> out;
        for (RoomIndexNode* n = app->store.first(); n; n = n->next) out.push_back(n->vnum);
        return out;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ScriptedFiles files;
    ScriptedColourPicker picker;
    std::unique_ptr<QuendryApp> app;
    TEditMain* main = nullptr;
};

}  // namespace e2e
