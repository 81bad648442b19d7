#include "defs/tfrmsetsect.h"

#include <QCloseEvent>

TfrmSetSect::TfrmSetSect(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TfrmSetSect");
    setWindowTitle(QStringLiteral("Edit Sector Types"));
    resize(506, 511);
}

void TfrmSetSect::open(QWidget* opener) { lock_.open(this, opener); }

void TfrmSetSect::closeEvent(QCloseEvent* event) {
    lock_.release();
    event->accept();
}
