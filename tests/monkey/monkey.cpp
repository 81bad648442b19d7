// quendry_monkey --seed N --events K [--minutes M] [--trace]
//
// Drives the whole program with random clicks, drags, key presses and typed text, the
// way an impatient user would, and checks the zone's invariants after every event. Each
// seed starts the program afresh on a small zone; the same seed gives the same events.
// Without --minutes one seed runs K events. With --minutes the seeds N, N+1, ... run K
// events each until M minutes have passed.
//
// Any crash, sanitizer report, hang or broken invariant prints the seed, the event
// number and the event, the last events before it, and the command that replays it.
// --trace prints every event as it runs.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "defs/definition_window.h"
#include "editor/quendry_app.h"
#include "editor/teditmain.h"
#include "map/zone_invariants.h"
#include "monkey_files.h"
#include "monkey_report.h"

namespace {

using monkey::below;
using monkey::chance;
using monkey::Random;

struct Options {
    uint64_t seed = 1;
    long events = 1000;
    double minutes = 0;
};

[[noreturn]] void usage() {
    std::fprintf(stderr, "usage: quendry_monkey --seed N --events K [--minutes M] [--trace]\n");
    std::exit(2);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace") {
            monkey::setTrace(true);
            continue;
        }
        if (i + 1 >= argc) usage();
        const char* value = argv[++i];
        char* end = nullptr;
        if (arg == "--seed")
            options.seed = std::strtoull(value, &end, 10);
        else if (arg == "--events")
            options.events = std::strtol(value, &end, 10);
        else if (arg == "--minutes")
            options.minutes = std::strtod(value, &end);
        else
            usage();
        if (!end || *end) usage();
    }
    return options;
}

// "TfrmMap/btnDraw", or for an unnamed control the nearest named ancestor and its class.
std::string widgetName(const QWidget* w) {
    const QWidget* top = w->window();
    std::string name = top->metaObject()->className();
    if (w == top) return name;
    const QWidget* named = w;
    while (named != top && named->objectName().isEmpty()) named = named->parentWidget();
    if (named != top) name += "/" + named->objectName().toStdString();
    if (named != w) name += std::string("/") + w->metaObject()->className();
    return name;
}

std::string keyName(int key, Qt::KeyboardModifiers modifiers) {
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(key))).toString().toStdString();
}

// A text as the report shows it: printable ASCII as it is, the rest as \u escapes.
std::string shown(const QString& text, int limit = 40) {
    std::string out;
    for (int i = 0; i < text.size() && i < limit; ++i) {
        const ushort c = text[i].unicode();
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        }
    }
    if (text.size() > limit) out += "... (" + std::to_string(text.size()) + " characters)";
    return out;
}

class Monkey {
public:
    Monkey(uint64_t seed, const std::string& dir) : seed_(seed), random_(seed), dir_(dir) {}

    // Runs `events` events; false when a fault was reported.
    bool run(long events, const QElapsedTimer& clock, double minutes);
    long eventsRun() const { return eventsRun_; }
    long restarts() const { return restarts_; }

private:
    void start();
    void stop();
    bool checkInvariants();
    std::string twoEditorsUsable() const;
    std::vector<QWidget*> shownWindows() const;
    std::vector<QWidget*> controlsOf(QWidget* window) const;
    void closeStrayPopups(QWidget* chosen);
    void oneEvent();
    void oneEventOn(QWidget* window, QWidget* w);
    void settle();
    void noteWindows();
    std::string windowsShown_;
    long buttonWaitMs_ = 0;

public:
    long buttonWaitMs() const { return buttonWaitMs_; }

private:

    QPoint randomPoint(const QWidget* w) {
        return QPoint(static_cast<int>(below(random_, std::max(1, w->width()))),
                      static_cast<int>(below(random_, std::max(1, w->height()))));
    }
    QString randomText();
    void begin(const std::string& what) { monkey::beginEvent(seed_, event_, what); }

    void click(QWidget* w);
    void drag(QWidget* w);
    void keys(QWidget* w);
    void type(QWidget* w);
    void paste(QWidget* w);
    void menuItem();
    void closeWindow(QWidget* window);
    void undoRedo(QWidget* window);
    void wheel(QWidget* w);
    void drop(QWidget* w, const std::vector<QWidget*>& controls);

    uint64_t seed_;
    Random random_;
    std::string dir_;
    long event_ = 0;
    long eventsRun_ = 0;
    long restarts_ = 0;
    std::vector<std::string> worlds_;
    std::unique_ptr<monkey::MonkeyPrompts> prompts_;
    std::unique_ptr<monkey::MonkeyFiles> files_;
    std::unique_ptr<monkey::MonkeyColours> colours_;
    std::unique_ptr<QuendryApp> app_;
};

void Monkey::start() {
    // The side files (definitions, colours) are read and written in the start-up
    // directory: the monkey's own.
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir_));
    prompts_ = std::make_unique<monkey::MonkeyPrompts>(random_);
    files_ = std::make_unique<monkey::MonkeyFiles>(random_, dir_, worlds_);
    colours_ = std::make_unique<monkey::MonkeyColours>(random_);
    app_ = std::make_unique<QuendryApp>(*prompts_, *files_, colours_.get());
    app_->createWindows(worlds_.front());
    QDir::setCurrent(before);
    app_->mainWindow->activateWindow();
    settle();
}

void Monkey::stop() {
    app_.reset();
    settle();
}

void Monkey::settle() {
    // Posted events, deferred deletes, zero timers and paints, as the event loop would.
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A button pressed by its accelerator clicks itself a moment later: wait for it, so
    // that the click belongs to this event and a seed replays the same way every time.
    QElapsedTimer waited;
    waited.start();
    auto buttonDown = [this] {
        for (QWidget* w : shownWindows())
            for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                if (b->isDown()) return true;
        return false;
    };
    while (waited.elapsed() < 1000 && buttonDown()) QTest::qWait(5);
    buttonWaitMs_ += waited.elapsed();
    for (int i = 0; i < 2; ++i) QApplication::processEvents();
}

// The log says when a window comes or goes, or is disabled or enabled again.
void Monkey::noteWindows() {
    std::vector<std::string> names;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() != Qt::ToolTip)
            names.push_back(std::string(w->metaObject()->className()) + (w->isEnabled() ? "" : " (disabled)"));
    std::sort(names.begin(), names.end());
    std::string shown;
    for (const std::string& n : names) shown += (shown.empty() ? "" : ", ") + n;
    if (shown != windowsShown_) monkey::note("windows: " + shown);
    windowsShown_ = shown;
}

// The windows that change the zone: only one of them may be usable at a time, or one
// could change what another holds on to.
std::string Monkey::twoEditorsUsable() const {
    static const char* const editors[] = {"TEditMain", "TfrmMap", "TExtraDesc", "TfrmNewZone", "TRlist"};
    std::vector<std::string> usable;
    for (QWidget* w : QApplication::topLevelWidgets())
        for (const char* name : editors)
            if (w->isVisible() && w->isEnabled() && std::strcmp(w->metaObject()->className(), name) == 0)
                usable.push_back(name);
    if (usable.size() < 2) return {};
    std::sort(usable.begin(), usable.end());
    std::string text = "windows that change the zone usable at once:";
    for (const std::string& n : usable) text += " " + n;
    return text;
}

bool Monkey::checkInvariants() {
    std::vector<std::string> faults = zoneInvariantFaults(app_->store, app_->map);
    if (std::string two = twoEditorsUsable(); !two.empty()) faults.push_back(two);
    if (faults.empty()) return true;
    std::string reason = "broken invariant:";
    for (const std::string& f : faults) reason += "\n  " + f;
    monkey::reportFault(reason.c_str());
    return false;
}

std::vector<QWidget*> Monkey::shownWindows() const {
    std::vector<QWidget*> windows;
    // Tool tips come and go with the clock: leave them out, or a seed would not replay.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->isEnabled() && w->width() > 0 && w->windowType() != Qt::ToolTip)
            windows.push_back(w);
    // The application keeps its windows in a hash: order them by what does not change
    // from run to run, so a seed replays the same events.
    auto key = [](const QWidget* w) {
        return std::string(w->metaObject()->className()) + "|" + w->objectName().toStdString() + "|" +
               w->windowTitle().toStdString();
    };
    std::stable_sort(windows.begin(), windows.end(), [&](QWidget* a, QWidget* b) { return key(a) < key(b); });
    return windows;
}

std::vector<QWidget*> Monkey::controlsOf(QWidget* window) const {
    std::vector<QWidget*> controls{window};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisible() || !w->isEnabled() || w->width() <= 0 || w->height() <= 0)
            continue;
        controls.push_back(w);
    }
    return controls;
}

// A click outside an open drop-down list or menu closes it.
void Monkey::closeStrayPopups(QWidget* chosen) {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        if (popup == chosen) return;
        popup->close();
    }
}

QString Monkey::randomText() {
    QString text;
    const uint64_t kind = below(random_, 100);
    int length = 1 + static_cast<int>(below(random_, 24));
    // A long line, now and then typed key by key (slow), otherwise pasted.
    if (kind < 2) length = 1000 + static_cast<int>(below(random_, 5000));
    for (int i = 0; i < length; ++i) {
        const uint64_t pick = below(random_, 100);
        if (kind < 45 || pick < 30) {
            text += QChar(static_cast<ushort>(1 + below(random_, 255)));  // the bytes 0x01..0xFF as Latin-1
        } else if (pick < 40) {
            static const ushort specials[] = {0x2028, 0x2029, 0x0085, 0xFEFF, 0x200B, '\r', '\n', '\t', '~', '$',
                                              '#', '{', 0xFFFD, 0xD800};
            text += QChar(specials[below(random_, std::size(specials))]);
        } else if (pick < 50) {
            text += QString::fromUcs4(
                std::u32string(1, static_cast<char32_t>(0x10000 + below(random_, 0xFFFF))).c_str(), 1);
        } else if (pick < 70) {
            text += QChar(static_cast<ushort>('0' + below(random_, 10)));  // numbers for the number fields
        } else {
            ushort c = static_cast<ushort>(below(random_, 0x10000));
            if (c >= 0xD800 && c < 0xE000) c = 'x';
            text += QChar(c);
        }
    }
    return text;
}

void Monkey::click(QWidget* w) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w); area && chance(random_, 80)) w = area->viewport();
    const QPoint at = randomPoint(w);
    const uint64_t kind = below(random_, 10);
    const Qt::MouseButton button = kind < 8 ? Qt::LeftButton : Qt::RightButton;
    const Qt::KeyboardModifiers modifiers = chance(random_, 10) ? Qt::ShiftModifier : Qt::NoModifier;
    const bool twice = kind == 9;
    begin(std::string(twice ? "double-click " : button == Qt::LeftButton ? "click " : "right-click ") +
          (modifiers ? "shift " : "") + widgetName(w) + " at " + std::to_string(at.x()) + "," +
          std::to_string(at.y()));
    if (twice)
        QTest::mouseDClick(w, button, modifiers, at);
    else
        QTest::mouseClick(w, button, modifiers, at);
}

void Monkey::drag(QWidget* w) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) w = area->viewport();
    QPoint at = randomPoint(w);
    const int steps = 1 + static_cast<int>(below(random_, 6));
    std::vector<QPoint> path;
    for (int i = 0; i < steps; ++i) {
        // Moves may leave the control, as a real drag does.
        path.emplace_back(static_cast<int>(below(random_, w->width() + 60)) - 30,
                          static_cast<int>(below(random_, w->height() + 60)) - 30);
    }
    const Qt::MouseButton button = chance(random_, 85) ? Qt::LeftButton : Qt::RightButton;
    begin(std::string("drag ") + (button == Qt::RightButton ? "(right) " : "") + widgetName(w) + " from " +
          std::to_string(at.x()) + "," + std::to_string(at.y()) + " to " + std::to_string(path.back().x()) + "," +
          std::to_string(path.back().y()) + " in " + std::to_string(steps) + " moves");
    QPointer<QWidget> target(w);
    QTest::mousePress(w, button, Qt::NoModifier, at);
    for (const QPoint& p : path) {
        if (!target) return;
        QTest::mouseMove(w, p);
    }
    if (target) QTest::mouseRelease(w, button, Qt::NoModifier, path.back());
}

void Monkey::keys(QWidget* w) {
    struct Key {
        int key;
        Qt::KeyboardModifiers modifiers;
    };
    static const Key common[] = {
        {Qt::Key_Tab, Qt::NoModifier},       {Qt::Key_Backtab, Qt::ShiftModifier},
        {Qt::Key_Return, Qt::NoModifier},    {Qt::Key_Enter, Qt::KeypadModifier},
        {Qt::Key_Return, Qt::ShiftModifier}, {Qt::Key_Escape, Qt::NoModifier},
        {Qt::Key_Up, Qt::NoModifier},        {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_Left, Qt::NoModifier},      {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_PageUp, Qt::NoModifier},    {Qt::Key_PageDown, Qt::NoModifier},
        {Qt::Key_Home, Qt::NoModifier},      {Qt::Key_End, Qt::NoModifier},
        {Qt::Key_Delete, Qt::NoModifier},    {Qt::Key_Backspace, Qt::NoModifier},
        {Qt::Key_Space, Qt::NoModifier},     {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Y, Qt::ControlModifier},    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_A, Qt::ControlModifier},    {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_X, Qt::ControlModifier},    {Qt::Key_V, Qt::ControlModifier},
        {Qt::Key_Up, Qt::ShiftModifier},     {Qt::Key_Down, Qt::ShiftModifier},
    };
    Key k = common[below(random_, std::size(common))];
    if (chance(random_, 20)) k = {Qt::Key_A + static_cast<int>(below(random_, 26)), Qt::AltModifier};
    const int repeat = chance(random_, 15) ? 2 + static_cast<int>(below(random_, 8)) : 1;
    begin("key " + keyName(k.key, k.modifiers) + (repeat > 1 ? " x" + std::to_string(repeat) : "") + " to " +
          widgetName(w));
    QPointer<QWidget> target(w);
    for (int i = 0; i < repeat && target && target->isVisible(); ++i) QTest::keyClick(w, Qt::Key(k.key), k.modifiers);
}

void Monkey::type(QWidget* w) {
    const QString text = randomText();
    begin("type \"" + shown(text) + "\" into " + widgetName(w));
    w->setFocus(Qt::MouseFocusReason);
    QPointer<QWidget> target(w);
    for (QChar c : text) {
        if (!target || !target->isVisible()) return;
        int key = Qt::Key_unknown;
        if (c.unicode() >= 'a' && c.unicode() <= 'z') key = Qt::Key_A + (c.unicode() - 'a');
        if (c.unicode() >= '0' && c.unicode() <= '9') key = Qt::Key_0 + (c.unicode() - '0');
        if (c == QChar('\r') || c == QChar('\n')) key = Qt::Key_Return;
        if (c == QChar('\t')) key = Qt::Key_Tab;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        if (!target) return;
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

void Monkey::paste(QWidget* w) {
    QString text = randomText();
    if (chance(random_, 30)) {
        text.clear();
        const int length = 2000 + static_cast<int>(below(random_, 6000));
        for (int i = 0; i < length; ++i) text += QChar(static_cast<ushort>(1 + below(random_, 255)));
    }
    if (chance(random_, 30)) text += QStringLiteral("\r\nsecond line\nthird\rfourth\u2028fifth");
    begin("paste \"" + shown(text) + "\" into " + widgetName(w));
    QApplication::clipboard()->setText(text);
    w->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
}

void Monkey::menuItem() {
    TEditMain* main = app_->mainWindow.get();
    std::vector<QAction*> actions;
    for (QMenu* menu : main->menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            if (!a->isSeparator() && a->isEnabled() && a->isVisible() && main->isEnabled() && main->isVisible())
                actions.push_back(a);
    if (actions.empty()) {
        begin("menu: none usable");
        return;
    }
    QAction* a = actions[below(random_, actions.size())];
    begin("menu " + a->text().toStdString() + " (" + a->objectName().toStdString() + ")");
    a->trigger();
}

// Undo and redo, by their keys in the window's focused control or by the main window's
// Edit menu (itemUndo, itemRedo), several times in a row now and then.
void Monkey::undoRedo(QWidget* window) {
    const bool redo = chance(random_, 40);
    const int times = chance(random_, 20) ? 2 + static_cast<int>(below(random_, 6)) : 1;
    TEditMain* main = app_->mainWindow.get();
    QAction* item = main->findChild<QAction*>(QLatin1String(redo ? "itemRedo" : "itemUndo"));
    if (item && window == main && chance(random_, 50)) {
        begin(std::string("menu ") + (redo ? "redo" : "undo") + (times > 1 ? " x" + std::to_string(times) : ""));
        for (int i = 0; i < times && item->isEnabled() && main->isEnabled(); ++i) item->trigger();
        return;
    }
    QWidget* target = window->focusWidget() ? window->focusWidget() : window;
    const QKeyCombination key = redo ? (chance(random_, 50) ? Qt::CTRL | Qt::Key_Y : Qt::CTRL | Qt::SHIFT | Qt::Key_Z)
                                     : Qt::CTRL | Qt::Key_Z;
    begin("key " + keyName(key.key(), key.keyboardModifiers()) + (times > 1 ? " x" + std::to_string(times) : "") +
          " to " + widgetName(target));
    QPointer<QWidget> alive(target);
    for (int i = 0; i < times && alive && alive->isVisible(); ++i)
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
}

void Monkey::closeWindow(QWidget* window) {
    begin("close box of " + widgetName(window));
    window->close();
}

void Monkey::wheel(QWidget* w) {
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w)) w = area->viewport();
    const QPoint at = randomPoint(w);
    const int delta = chance(random_, 50) ? 120 : -120;
    begin("wheel " + std::to_string(delta) + " on " + widgetName(w));
    QWheelEvent event(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

// Something dragged from elsewhere and let go over the control: a text, or (in the
// definition windows) another slot's name field.
void Monkey::drop(QWidget* w, const std::vector<QWidget*>& controls) {
    std::unique_ptr<QMimeData> data;
    std::string what;
    std::vector<SlotNameField*> nameFields;
    for (QWidget* c : controls)
        if (auto* field = qobject_cast<SlotNameField*>(c)) nameFields.push_back(field);
    if (!nameFields.empty() && chance(random_, 70)) {
        SlotNameField* from = nameFields[below(random_, nameFields.size())];
        data.reset(from->dragData());
        what = "slot " + std::to_string(from->slot());
        w = nameFields[below(random_, nameFields.size())];
    } else {
        data = std::make_unique<QMimeData>();
        const QString text = randomText();
        data->setText(text);
        what = "\"" + shown(text) + "\"";
    }
    const QPoint at = randomPoint(w);
    begin("drop " + what + " on " + widgetName(w) + " at " + std::to_string(at.x()) + "," + std::to_string(at.y()));
    QPointer<QWidget> target(w);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    if (!target || !enter.isAccepted()) return;
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    if (!target) return;
    QDropEvent dropEvent(QPointF(at), Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &dropEvent);
}

void Monkey::oneEvent() {
    const std::vector<QWidget*> windows = shownWindows();
    if (windows.empty()) {
        begin("no window is usable");
        return;
    }
    // The map board holds most of the map's rules: while the map is usable, a third of
    // the events are clicks and drags on it.
    QWidget* board = nullptr;
    for (QWidget* top : windows)
        if (std::strcmp(top->metaObject()->className(), "TfrmMap") == 0)
            for (QWidget* c : controlsOf(top))
                if (c->objectName() == QLatin1String("MapGrid")) board = c;
    const bool onBoard = board && chance(random_, 33);
    QWidget* window = onBoard ? board->window() : windows[below(random_, windows.size())];
    closeStrayPopups(window);
    if (!window->isVisible()) return;
    if (!window->isActiveWindow() && !qobject_cast<QMenu*>(window)) {
        window->activateWindow();
        QApplication::processEvents();
        if (!window->isVisible() || !window->isEnabled()) return;
    }
    if (onBoard) {
        oneEventOn(window, board);
        return;
    }
    const std::vector<QWidget*> controls = controlsOf(window);
    // The buttons that open another window ("&MAP...") are a few among many: press one
    // now and then, so the windows behind them get their share of events.
    if (chance(random_, 6)) {
        std::vector<QWidget*> openers;
        for (QWidget* c : controls)
            if (auto* b = qobject_cast<QAbstractButton*>(c); b && b->text().endsWith(QLatin1String("...")))
                openers.push_back(c);
        // The main window's "&Load .wld..." and "&Save .wld..." count among them.
        std::vector<QAction*> items;
        if (window == app_->mainWindow.get())
            for (QAction* a : app_->mainWindow->findChildren<QAction*>())
                if (a->isEnabled() && a->text().endsWith(QLatin1String("..."))) items.push_back(a);
        const size_t pick = below(random_, openers.size() + items.size());
        if (pick < openers.size()) {
            click(openers[pick]);
            return;
        }
        if (pick < openers.size() + items.size()) {
            QAction* a = items[pick - openers.size()];
            begin("menu " + a->text().toStdString() + " (" + a->objectName().toStdString() + ")");
            a->trigger();
            return;
        }
    }
    oneEventOn(window, controls[below(random_, controls.size())]);
}

void Monkey::oneEventOn(QWidget* window, QWidget* w) {
    if (qobject_cast<QAbstractScrollArea*>(w) && w->objectName() == QLatin1String("MapGrid")) {
        if (chance(random_, 50))
            click(w);
        else
            drag(w);
        return;
    }
    const std::vector<QWidget*> controls = controlsOf(window);
    const uint64_t pick = below(random_, 100);
    if (pick < 38) {
        click(w);
    } else if (pick < 46) {
        drag(w);
    } else if (pick < 58) {
        QWidget* focus = window->focusWidget();
        keys(focus && chance(random_, 70) ? focus : w);
    } else if (pick < 64) {
        undoRedo(window);
    } else if (pick < 82) {
        type(w);
    } else if (pick < 86) {
        paste(w);
    } else if (pick < 92) {
        menuItem();
    } else if (pick < 95) {
        wheel(w);
    } else if (pick < 98) {
        drop(w, controls);
    } else {
        closeWindow(window);
    }
}

bool Monkey::run(long events, const QElapsedTimer& clock, double minutes) {
    QTemporaryDir tmp(QString::fromStdString(dir_) + "/seed-XXXXXX");
    dir_ = tmp.path().toStdString();
    worlds_ = monkey::writeWorldFiles(dir_, seed_);
    QApplication::clipboard()->setText(QStringLiteral("clipboard"));
    event_ = 0;
    monkey::beginEvent(seed_, 0, "start on " + worlds_.front().substr(dir_.size()));
    start();
    if (!checkInvariants()) return false;
    for (event_ = 0; event_ < events; ++event_) {
        if (minutes > 0 && clock.elapsed() > minutes * 60000) break;
        if (!app_->mainWindow->isVisible()) {
            // The program was quit: it ends, and the next user starts it again.
            begin("start again after the main window closed");
            ++restarts_;
            stop();
            start();
        }
        monkey::armWatchdog(120);
        oneEvent();
        settle();
        monkey::armWatchdog(0);
        noteWindows();
        ++eventsRun_;
        // After Quit the store has let go of every room while the map still names
        // them: the program is ending, and nothing reads them any more.
        if (app_->mainWindow->isVisible() && !checkInvariants()) return false;
        // With no more input, the program must fall quiet: messages that keep coming
        // would be message boxes without end for the user.
        const long before = prompts_->messages + prompts_->questions;
        for (int i = 0; i < 6; ++i) QApplication::processEvents();
        if (prompts_->messages + prompts_->questions - before > 3) {
            monkey::reportFault("messages keep coming after the event, with no input");
            return false;
        }
    }
    stop();
    return true;
}

// Qt's own warnings go to the event log; a fatal one is a fault like a crash.
void onQtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        monkey::reportFault(("Qt fatal: " + text.toStdString()).c_str());
        std::abort();
    }
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    monkey::note("Qt: " + text.toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parseOptions(argc, argv);
    monkey::installCrashReports(argv[0]);
    qInstallMessageHandler(onQtMessage);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName("QuendryEdit");
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows' settings the monkey changes stay in a directory of its own.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    // A drag that starts a platform drag loop ends at once: nobody is there to drop it.
    QTimer dragEnder;
    QObject::connect(&dragEnder, &QTimer::timeout, [] {
        if (QThread::currentThread()->loopLevel() > 0)
            if (QWidget* focus = QApplication::focusWidget()) QTest::keyClick(focus, Qt::Key_Escape);
    });
    dragEnder.start(50);

    QTemporaryDir base;
    QElapsedTimer clock;
    clock.start();
    long total = 0;
    int seeds = 0;
    uint64_t seed = options.seed;
    do {
        Monkey m(seed, base.path().toStdString());
        const bool ok = m.run(options.events, clock, options.minutes);
        total += m.eventsRun();
        ++seeds;
        std::printf("seed %llu: %ld events, %ld restarts, %.1f s waiting for accelerators%s\n",
                    static_cast<unsigned long long>(seed), m.eventsRun(), m.restarts(), m.buttonWaitMs() / 1000.0,
                    ok ? "" : ", FAULT");
        std::fflush(stdout);
        if (!ok) return 1;
        ++seed;
    } while (options.minutes > 0 && clock.elapsed() < options.minutes * 60000);
    std::printf("monkey: %d seeds, %ld events in %.1f s, no fault\n", seeds, total, clock.elapsed() / 1000.0);
    return 0;
}
