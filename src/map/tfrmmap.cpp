#include "map/tfrmmap.h"

#include <QCloseEvent>

TfrmMap::TfrmMap(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TfrmMap");
    setWindowTitle(QStringLiteral("Map"));
    resize(551, 474);
}

void TfrmMap::open(QWidget* opener) { lock_.open(this, opener); }

void TfrmMap::closeEvent(QCloseEvent* event) {
    lock_.release();
    event->accept();
}
