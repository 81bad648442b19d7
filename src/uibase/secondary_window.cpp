#include "uibase/secondary_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <algorithm>

namespace {
// How many shown windows hold an opener disabled. Two may: a button's accelerator
// clicks a moment after its key, so a window can open from a window that another has
// just disabled. The opener is enabled again only when the last of them lets go, so a
// window that shows a snapshot of the zone (the room list) never sees the zone change
// behind it.
const char* const kHoldCount = "quendryHeldDisabledBy";

void holdDisabled(QWidget& opener) {
    opener.setProperty(kHoldCount, opener.property(kHoldCount).toInt() + 1);
    opener.setEnabled(false);
}

void letGo(QWidget& opener) {
    const int holds = std::max(0, opener.property(kHoldCount).toInt() - 1);
    opener.setProperty(kHoldCount, holds);
    if (holds == 0) opener.setEnabled(true);
}
}  // namespace

SecondaryWindow::SecondaryWindow(QWidget* parent, Qt::WindowFlags extraFlags)
    : QWidget(parent, Qt::Window | extraFlags) {}

void SecondaryWindow::openFrom(QWidget* opener) {
    if (!isVisible()) {
        aboutToOpen();
        if (centring_ == Centring::EveryOpen || (centring_ == Centring::FirstOpen && !centred_)) {
            opener_ = opener;  // the screen to centre on is the opener's
            centreOnScreen();
            centred_ = true;
        }
        opener_ = opener;
        if (opener_) holdDisabled(*opener_);
    }
    show();
    raise();
    activateWindow();
}

void SecondaryWindow::releaseOpener() {
    if (opener_) letGo(*opener_);
    opener_ = nullptr;
}

void centreWindowOnScreen(QWidget& window, const QScreen* screen) {
    if (!screen) screen = window.screen();
    if (!screen) return;
    // A window not yet shown has not laid itself out; its size must be final first.
    if (window.layout()) window.layout()->activate();
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

void SecondaryWindow::centreOnScreen() { centreWindowOnScreen(*this, opener_ ? opener_->screen() : nullptr); }

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    if (!closeKeepsEdits()) commits_.discardPending();
    if (!commits_.commitPending() || !aboutToClose()) {
        event->ignore();
        return;
    }
    releaseOpener();
    event->accept();
    emit closed();
}

void SecondaryWindow::keyPressEvent(QKeyEvent* event) {
    if (closesOnEscape_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
