#include "uibase/one_line_fields.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

QString firstLineOf(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        switch (text[i].unicode()) {
        case u'\n': case u'\r': case u'\v': case u'\f': case 0x0085: case 0x2028: case 0x2029:
            return text.left(i);
        default:
            break;
        }
    }
    return text;
}

namespace {

bool hasLineBreak(const QString& text) { return firstLineOf(text).size() != text.size(); }

// Inserts the first line of the clipboard's text where the field's cursor is, replacing
// the selection, as the field's own paste would.
void pasteFirstLine(QLineEdit& field, QClipboard::Mode mode) {
    if (!field.isReadOnly()) field.insert(firstLineOf(QGuiApplication::clipboard()->text(mode)));
}

class OneLine : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field) return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) return false;
            pasteFirstLine(*field, QClipboard::Clipboard);
            return true;
        case QEvent::ContextMenu:
            showMenu(*field, *static_cast<QContextMenuEvent*>(event));
            return true;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QClipboard* clipboard = QGuiApplication::clipboard();
            if (mouse->button() != Qt::MiddleButton || !clipboard->supportsSelection() ||
                !hasLineBreak(clipboard->text(QClipboard::Selection)))
                return false;
            field->deselect();
            field->setCursorPosition(field->cursorPositionAt(mouse->position().toPoint()));
            pasteFirstLine(*field, QClipboard::Selection);
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QMimeData* data = drop->mimeData();
            if (field->isReadOnly() || !data || !data->hasText() || !hasLineBreak(data->text())) return false;
            field->deselect();
            field->setCursorPosition(field->cursorPositionAt(drop->position().toPoint()));
            field->insert(firstLineOf(data->text()));
            drop->setDropAction(Qt::CopyAction);  // the source keeps its text
            drop->accept();
            field->setFocus(Qt::MouseFocusReason);
            return true;
        }
        default:
            return false;
        }
    }

private:
    // The field's own menu, its Paste taking the first line.
    static void showMenu(QLineEdit& field, const QContextMenuEvent& event) {
        QMenu* menu = field.createStandardContextMenu();
        if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
            QObject::disconnect(paste, &QAction::triggered, &field, nullptr);
            QObject::connect(paste, &QAction::triggered, &field,
                             [&field] { pasteFirstLine(field, QClipboard::Clipboard); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event.globalPos());
    }
};

}  // namespace

void keepOneLineFields(QWidget& window) {
    auto* filter = new OneLine(&window);
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) field->installEventFilter(filter);
}
