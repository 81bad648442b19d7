#include "colour/tfrmsetcolor.h"

#include <QCloseEvent>

TfrmSetColor::TfrmSetColor(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TfrmSetColor");
    setWindowTitle(QStringLiteral("Set Colors"));
    resize(780, 600);
}

void TfrmSetColor::open(QWidget* opener) { lock_.open(this, opener); }

void TfrmSetColor::closeEvent(QCloseEvent* event) {
    lock_.release();
    event->accept();
}
