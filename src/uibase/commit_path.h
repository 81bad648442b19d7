#pragma once
// One road for every edit typed into a field: before anything else in the window reads
// or replaces the data the field shows, the edit is committed -- stored, or refused with
// its message, in which case whatever asked for the commit stops and the field keeps the
// text and the focus, for the user to correct where it was typed.
//
// A field holds a pending edit from the user's first keystroke, paste or drop until the
// edit is committed or the window fills the field again: the field's own modified flag
// (QLineEdit::isModified, the text document's isModified) is the pending mark, and
// setText and setPlainText clear it. A window says once how each field commits:
//
//     commits().watch(editKeywords, [this] { return storeKeywords(); });
//
// The commit returns false when it refused the text, after telling the user why. The
// window base (SecondaryWindow) owns one CommitPath; every pending field of the window is
// committed
//   - when the focus leaves it for another control of the window (Tab, an accelerator, a
//     window that moves the focus on), and when Tab or Backtab is pressed in it;
//   - when the mouse is pressed anywhere in the window outside it: a button that takes no
//     focus, the map board, a list, a label. Refused, the press is spent on the message;
//   - when a button's accelerator fires;
//   - when the window closes by any route (refused: it stays open);
//   - before Edit | Undo and Redo, in every window (commitEverywhere);
//   - whenever the window calls commitPending() before a command of its own (a command
//     that tests or other windows call directly).
// Enter in a field that stores on Enter calls commit(field).
//
// A field that is part of a form one button stores (the room page's UPDATE) is not
// watched: its typed text stays in it on every road; holdsTypedEdit() tells a refill to
// leave such a field alone.
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QWidget;

// The field (a QLineEdit or a QPlainTextEdit) holds text typed, pasted or dropped since
// it was last filled or committed.
bool holdsTypedEdit(const QWidget* field);

class CommitPath : public QObject {
    Q_OBJECT
public:
    using Commit = std::function<bool()>;

    explicit CommitPath(QWidget& window);
    ~CommitPath() override;

    // The field's edits go through `commit` (see above).
    void watch(QWidget* field, Commit commit);

    // Commits every pending field of the window, in the order they were watched; false
    // (and the rest left pending) at the first refusal, whose field takes the focus back.
    bool commitPending();
    // Commits this field when it is pending; false when refused.
    bool commit(QWidget* field);
    // Forgets what is typed in the window's fields without storing it (a Cancel).
    void discardPending();
    // A press on this control (a Cancel button) commits nothing: its command lets the
    // typed text go.
    void letGoOn(QWidget* control);
    bool pending() const;

    // Every window's pending fields, before a change that may replace what any window
    // shows (undo, redo).
    static bool commitEverywhere();

private:
    struct Watched {
        QPointer<QWidget> field;
        Commit commit;
    };
    friend class CommitRouter;

    Watched* find(const QObject* field);
    // Commits every pending field except the one the pointer went into.
    bool commitPendingBesides(const QWidget* target);
    bool commitOne(Watched& watched);
    static CommitPath* of(const QWidget* widget);

    QWidget& window_;
    std::vector<Watched> fields_;
    std::vector<QPointer<QWidget>> letGoOn_;
};
