#include "editor/script_driver.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QUndoStack>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "editor/quendry_app.h"
#include "editor/teditmain.h"
#include "map/tfrmmap.h"
#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "wldfile/world_writer.h"
#include "map/auto_placement.h"

namespace {

void say(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

std::vector<std::string> words(const std::string& line, size_t count, std::string& rest) {
    std::istringstream in(line);
    std::vector<std::string> out(count);
    for (std::string& w : out) in >> w;
    std::getline(in >> std::ws, rest);
    return out;
}

QWidget* control(const std::string& window, const std::string& name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (window != top->metaObject()->className()) continue;
        if (top->objectName() == QString::fromStdString(name)) return top;
        if (auto* w = top->findChild<QWidget*>(QString::fromStdString(name))) return w;
    }
    return nullptr;
}

void mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), QPointF(w->mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void keyClick(QWidget* w, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void typeText(QWidget* w, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            keyClick(w, Qt::Key_Return, QStringLiteral("\r"));
            ++i;
            continue;
        }
        const QChar c = text[i];
        const int key = c.isLetterOrNumber() && c.unicode() < 0x80 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
        keyClick(w, c == ' ' ? Qt::Key_Space : key, QString(c));
    }
}

int keyNamed(const std::string& name) {
    if (name == "Return") return Qt::Key_Return;
    if (name == "Tab") return Qt::Key_Tab;
    if (name == "Delete") return Qt::Key_Delete;
    if (name == "Home") return Qt::Key_Home;
    if (name == "Down") return Qt::Key_Down;
    return Qt::Key_unknown;
}

}  // namespace

struct ScriptDriver::Answers : Prompts, FileChooser, RecoveryQuestion {
    std::deque<bool> confirms;
    std::deque<Answer> recovers;
    std::deque<std::string> paths;

    void message(const std::string& text) override { say("message: " + text); }
    bool confirm(const std::string& question) override {
        const bool yes = !confirms.empty() && confirms.front();
        if (!confirms.empty()) confirms.pop_front();
        say("question: " + question + (yes ? " -> yes" : " -> no"));
        return yes;
    }
    Answer ask(const std::string& question) override {
        const Answer a = recovers.empty() ? Answer::Later : recovers.front();
        if (!recovers.empty()) recovers.pop_front();
        say("recovery question: " + question + (a == Answer::Yes ? " -> yes" : a == Answer::No ? " -> no" : " -> later"));
        return a;
    }
    std::string nextPath() {
        if (paths.empty()) return {};
        std::string p = paths.front();
        paths.pop_front();
        return p;
    }
    std::string openFile(const std::string&, const FileFilter&) override { return nextPath(); }
    std::string saveFile(const std::string&, const FileFilter&, const std::string&, const std::string&) override {
        return nextPath();
    }
    // An answer line: queued; false for any other line.
    bool take(const std::string& line) {
        std::string rest;
        const std::vector<std::string> w = words(line, 2, rest);
        if (w[0] == "answer") confirms.push_back(w[1] == "yes");
        else if (w[0] == "recover")
            recovers.push_back(w[1] == "yes" ? Answer::Yes : w[1] == "no" ? Answer::No : Answer::Later);
        else if (w[0] == "file") paths.push_back(w[1]);
        else return false;
        return true;
    }
};

std::unique_ptr<ScriptDriver> ScriptDriver::fromEnvironment() {
    const char* path = std::getenv("QUENDRY_TEST_SCRIPT");
    if (!path || !*path) return nullptr;
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return std::make_unique<ScriptDriver>(std::move(lines));
}

ScriptDriver::ScriptDriver(std::vector<std::string> lines) : answers_(std::make_unique<Answers>()), lines_(std::move(lines)) {
    // The answers before the first action are there for the questions of the start.
    while (next_ < lines_.size() && answers_->take(lines_[next_])) ++next_;
}

ScriptDriver::~ScriptDriver() = default;

Prompts& ScriptDriver::prompts() { return *answers_; }
FileChooser& ScriptDriver::files() { return *answers_; }
RecoveryQuestion& ScriptDriver::question() { return *answers_; }

void ScriptDriver::start(QuendryApp& app) {
    app_ = &app;
    QObject::connect(&app.history.stack(), &QUndoStack::indexChanged, [this] { logState(); });
    QObject::connect(&app.history, &EditHistory::cleared, [this] { logState(); });
    QTimer::singleShot(50, [this] { step(); });
}

namespace {
// One number for the zone's world and map files as a save would write them.
size_t stateHash(const WorldStore& store) {
    return std::hash<std::string>{}(stripCarriageReturns(buildWorldText(store, true)) + buildMapFileText(store));
}
}  // namespace

void ScriptDriver::logState() {
    if (statesLog_.empty()) return;
    std::ofstream(statesLog_, std::ios::app) << QDateTime::currentMSecsSinceEpoch() << ' ' << stateHash(app_->store)
                                             << std::endl;
}

void ScriptDriver::step() {
    if (!app_->mainWindow->startupFileHandled()) {
        QTimer::singleShot(20, [this] { step(); });
        return;
    }
    if (next_ >= lines_.size()) return;
    const std::string line = lines_[next_++];
    say("step: " + line);
    int delay = 10;
    std::string rest;
    const std::vector<std::string> w = words(line, 3, rest);
    const std::string& command = w[0];
    TfrmMap* map = app_->mapWindow;
    auto cellCentre = [map](int x, int y) {
        return QPoint((x - 1 - map->leftCol()) * 17 + 8, (y - 1 - map->topRow()) * 17 + 8);
    };
    auto missing = [&](QWidget* widget) {
        if (widget) return false;
        say("error: no control " + w[1] + " " + w[2]);
        return true;
    };
    if (answers_->take(line)) {
    } else if (command == "click") {
        QWidget* c = control(w[1], w[2]);
        if (!missing(c)) {
            const QPoint centre = c->rect().center();
            mouse(c, QEvent::MouseButtonPress, centre, Qt::LeftButton);
            mouse(c, QEvent::MouseButtonRelease, centre, Qt::NoButton);
        }
    } else if (command == "type") {
        QWidget* c = control(w[1], w[2]);
        if (!missing(c)) {
            c->setFocus(Qt::TabFocusReason);
            if (QApplication::focusWidget() != c) {
                QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
                QApplication::sendEvent(c, &in);
            }
            QMetaObject::invokeMethod(c, "selectAll");
            keyClick(c, Qt::Key_Delete);
            typeText(c, QString::fromStdString(rest));
        }
    } else if (command == "key") {
        QWidget* c = control(w[1], w[2]);
        if (!missing(c)) keyClick(c, keyNamed(rest));
    } else if (command == "leave") {
        QWidget* c = control(w[1], w[2]);
        if (!missing(c)) {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(c, &out);
        }
    } else if (command == "trigger") {
        if (auto* a = app_->mainWindow->findChild<QAction*>(QString::fromStdString(w[1])))
            a->trigger();
        else
            say("error: no menu item " + w[1]);
    } else if (command == "cell" || command == "drag") {
        std::istringstream in(line.substr(command.size()));
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        in >> x0 >> y0;
        if (!(in >> x1 >> y1)) x1 = x0, y1 = y0;
        QWidget* board = map->MapGrid->viewport();
        mouse(board, QEvent::MouseButtonPress, cellCentre(x0, y0), Qt::LeftButton);
        mouse(board, QEvent::MouseMove, cellCentre(x1, y1), Qt::LeftButton);
        mouse(board, QEvent::MouseButtonRelease, cellCentre(x1, y1), Qt::NoButton);
    } else if (command == "sleep") {
        delay = std::atoi(w[1].c_str());
    } else if (command == "wait-copy") {
        const int before = app_->recovery->copiesWritten();
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [this, before, poll] {
            if (app_->recovery->copiesWritten() > before)
                QTimer::singleShot(10, [this] { step(); });
            else
                QTimer::singleShot(20, *poll);
        };
        QTimer::singleShot(20, *poll);
        return;
    } else if (command == "state") {
        std::ofstream(w[1], std::ios::binary) << stripCarriageReturns(buildWorldText(app_->store, true));
        std::ofstream(mapFilePath(w[1]), std::ios::binary) << buildMapFileText(app_->store);
    } else if (command == "hash") {
        say("state-hash: " + std::to_string(stateHash(app_->store)));
    } else if (command == "log-states") {
        statesLog_ = w[1];
        logState();
    } else if (command == "quit") {
        app_->mainWindow->itemQuitClick();
    } else {
        say("error: unknown line");
    }
    QTimer::singleShot(delay, [this] { step(); });
}
