#include "uibase/text_redo_keys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace {

bool isRedoKey(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers() & ~Qt::KeypadModifier;
    return (key.key() == Qt::Key_Y && mods == Qt::ControlModifier) ||
           (key.key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier));
}

class RedoKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
        if (!isRedoKey(*static_cast<QKeyEvent*>(event))) return false;
        if (auto* line = qobject_cast<QLineEdit*>(watched)) {
            if (line->isReadOnly()) return false;
            if (event->type() == QEvent::KeyPress) line->redo();
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(watched)) {
            if (text->isReadOnly()) return false;
            if (event->type() == QEvent::KeyPress) text->redo();
        } else {
            return false;
        }
        // The override is accepted so that the key comes to the field, not to Edit | Redo.
        event->accept();
        return true;
    }
};

}  // namespace

void keepRedoKeysInTextFields(QWidget& window) {
    auto* filter = new RedoKeys(&window);
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) field->installEventFilter(filter);
    for (QPlainTextEdit* field : window.findChildren<QPlainTextEdit*>()) field->installEventFilter(filter);
}
