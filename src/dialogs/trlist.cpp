#include "dialogs/trlist.h"

#include <QCloseEvent>

TRlist::TRlist(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TRlist");
    setWindowTitle(QStringLiteral("Room List"));
    resize(410, 394);
}

void TRlist::open(QWidget* opener) { lock_.open(this, opener); }

void TRlist::closeEvent(QCloseEvent* event) {
    lock_.release();
    event->accept();
}
