#include "defs/tfrmsetbit.h"

#include <QCloseEvent>

TfrmSetBit::TfrmSetBit(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TfrmSetBit");
    setWindowTitle(QStringLiteral("Edit Room Bitvectors"));
    resize(498, 534);
}

void TfrmSetBit::open(QWidget* opener) { lock_.open(this, opener); }

void TfrmSetBit::closeEvent(QCloseEvent* event) {
    lock_.release();
    event->accept();
}
