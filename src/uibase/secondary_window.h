#pragma once
// The base of every window the main window (or another window) opens: it knows its
// opener, disables it while shown and enables it again however the window closes (a
// button that calls close(), Escape, the close box). Windows are shown with show(),
// never in a modal loop, so tests drive them like any other widget.
//
// The window's edits typed into fields go through its commit path (commits(), see
// commit_path.h): a window watches the fields that store into its data, and the base
// commits them before the window closes, by any route.
#include <QPointer>
#include <QWidget>

#include "uibase/commit_path.h"

class QScreen;

// Moves a top-level window to the centre of `screen` (null: the screen it is on).
void centreWindowOnScreen(QWidget& window, const QScreen* screen = nullptr);

class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    enum class Centring { None, FirstOpen, EveryOpen };

    explicit SecondaryWindow(QWidget* parent = nullptr, Qt::WindowFlags extraFlags = {});

    // Shows the window, raised, and disables `opener` (may be null) until it closes.
    // Opening an already shown window changes nothing but the raise.
    void openFrom(QWidget* opener);

    // The window that opened it, while it is shown.
    QWidget* opener() const { return opener_; }

    // Enables the opener again without closing (for a window that hands its result
    // to the opener before it hides, so that the opener can take the focus).
    void releaseOpener();

    void setCentring(Centring centring) { centring_ = centring; }
    void setClosesOnEscape(bool closes) { closesOnEscape_ = closes; }

    // Moves the window to the centre of the screen its opener (or itself) is on.
    void centreOnScreen();

    // The road every edit typed into the window's fields takes to its data.
    CommitPath& commits() { return commits_; }

signals:
    // After every close, by any route.
    void closed();

protected:
    // Called when a hidden window is about to be shown by openFrom (not when it is only
    // raised), before the opener is disabled: the place to fill the window's fields.
    virtual void aboutToOpen() {}

    // Called before the window hides, by every route of closing; return false to stay
    // open (the close is ignored). The default closes.
    virtual bool aboutToClose() { return true; }

    // Closing keeps what the fields hold: pending edits are committed first, and a
    // refusal keeps the window open. A window whose closing is a Cancel returns false:
    // its pending edits are let go.
    virtual bool closeKeepsEdits() const { return true; }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CommitPath commits_{*this};
    QPointer<QWidget> opener_;
    Centring centring_ = Centring::FirstOpen;
    bool closesOnEscape_ = true;
    bool centred_ = false;
};
