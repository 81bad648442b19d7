#include "uibase/commit_path.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>
#include <algorithm>

bool holdsTypedEdit(const QWidget* field) {
    if (const auto* line = qobject_cast<const QLineEdit*>(field)) return line->isModified();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(field)) return text->document()->isModified();
    return false;
}

namespace {

void clearTypedMark(QWidget* field) {
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->setModified(false);
    if (auto* text = qobject_cast<QPlainTextEdit*>(field)) text->document()->setModified(false);
}

std::vector<CommitPath*>& allPaths() {
    static std::vector<CommitPath*> paths;
    return paths;
}

}  // namespace

// Watches the whole application's input for the roads on which a window's pending edits
// must be committed first. One instance, installed with the first commit path.
class CommitRouter : public QObject {
public:
    static void ensureInstalled() {
        static CommitRouter* router = [] {
            auto* r = new CommitRouter(qApp);
            qApp->installEventFilter(r);
            return r;
        }();
        (void)router;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::Shortcut:
            return watched->isWidgetType() && !commitBefore(static_cast<QWidget*>(watched), event);
        case QEvent::MouseButtonDblClick:
            // The press before it was refused: the rest of the double click goes with it.
            return watched->isWidgetType() && pendingBesides(static_cast<QWidget*>(watched));
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Tab && key != Qt::Key_Backtab) return false;
            // A text that takes Tab as a character is not left by it.
            if (auto* text = qobject_cast<QPlainTextEdit*>(watched); text && !text->tabChangesFocus()) return false;
            CommitPath* path = watched->isWidgetType() ? CommitPath::of(static_cast<QWidget*>(watched)) : nullptr;
            CommitPath::Watched* field = path ? path->find(watched) : nullptr;
            return field && !path->commitOne(*field);
        }
        default:
            return false;
        }
    }

private:
    using QObject::QObject;

    // False when a pending field of the target's window refused: the event is spent.
    static bool commitBefore(QWidget* target, QEvent* event) {
        CommitPath* path = CommitPath::of(target);
        if (!path || path->commitPendingBesides(target)) return true;
        event->accept();
        return false;
    }
    static bool pendingBesides(QWidget* target) {
        CommitPath* path = CommitPath::of(target);
        if (!path) return false;
        return std::any_of(path->fields_.begin(), path->fields_.end(), [target](const CommitPath::Watched& w) {
            return w.field && holdsTypedEdit(w.field) && w.field != target && !w.field->isAncestorOf(target);
        });
    }
};

CommitPath::CommitPath(QWidget& window) : QObject(&window), window_(window) {
    CommitRouter::ensureInstalled();
    allPaths().push_back(this);
}

CommitPath::~CommitPath() { std::erase(allPaths(), this); }

void CommitPath::watch(QWidget* field, Commit commit) { fields_.push_back({field, std::move(commit)}); }

void CommitPath::letGoOn(QWidget* control) { letGoOn_.emplace_back(control); }

CommitPath* CommitPath::of(const QWidget* widget) {
    const QWidget* window = widget->window();
    for (CommitPath* path : allPaths())
        if (&path->window_ == window) return path;
    return nullptr;
}

CommitPath::Watched* CommitPath::find(const QObject* field) {
    for (Watched& w : fields_)
        if (w.field == field) return &w;
    return nullptr;
}

bool CommitPath::commitOne(Watched& watched) {
    QWidget* field = watched.field;
    if (!field || !holdsTypedEdit(field)) return true;
    // A disabled field takes no edits: whatever it holds is the window's own filling.
    if (!field->isEnabled()) {
        clearTypedMark(field);
        return true;
    }
    if (!watched.commit()) {
        field->setFocus(Qt::OtherFocusReason);
        return false;
    }
    clearTypedMark(field);
    return true;
}

bool CommitPath::commitPendingBesides(const QWidget* target) {
    for (const QPointer<QWidget>& control : letGoOn_)
        if (control.data() == target) return true;
    for (Watched& w : fields_) {
        if (w.field && (w.field == target || w.field->isAncestorOf(target))) continue;
        if (!commitOne(w)) return false;
    }
    return true;
}

bool CommitPath::commitPending() {
    for (Watched& w : fields_)
        if (!commitOne(w)) return false;
    return true;
}

bool CommitPath::commit(QWidget* field) {
    Watched* w = find(field);
    return !w || commitOne(*w);
}

void CommitPath::discardPending() {
    for (Watched& w : fields_)
        if (w.field) clearTypedMark(w.field);
}

bool CommitPath::pending() const {
    return std::any_of(fields_.begin(), fields_.end(),
                       [](const Watched& w) { return w.field && holdsTypedEdit(w.field); });
}

bool CommitPath::commitEverywhere() {
    for (CommitPath* path : allPaths())
        if (!path->commitPending()) return false;
    return true;
}
