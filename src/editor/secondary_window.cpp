#include "editor/secondary_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
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

void SecondaryWindow::centreOnScreen() {
    QScreen* screen = opener_ ? opener_->screen() : this->screen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

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
