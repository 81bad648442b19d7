#pragma once
// A secondary window that disables the window that opened it while it is shown, and
// enables it again when it closes. Shown with show(), never as a modal loop.
#include <QPointer>
#include <QWidget>

class OpenerLock {
public:
    void open(QWidget* window, QWidget* opener) {
        opener_ = opener;
        if (opener) opener->setEnabled(false);
        window->show();
        window->raise();
    }
    void release() {
        if (opener_) opener_->setEnabled(true);
        opener_ = nullptr;
    }

private:
    QPointer<QWidget> opener_;
};
