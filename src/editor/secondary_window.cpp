#include "editor/secondary_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>

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
        if (opener_) opener_->setEnabled(false);
    }
    show();
    raise();
    activateWindow();
}

void SecondaryWindow::releaseOpener() {
    if (opener_) opener_->setEnabled(true);
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
    if (!aboutToClose()) {
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
