#include "map/tminimap.h"

#include <QCloseEvent>

Tminimap::Tminimap(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Tminimap");
    setWindowTitle(QStringLiteral("MINIMAP"));
    resize(104, 104);
}

void Tminimap::open(QWidget* opener) { lock_.open(this, opener); }

void Tminimap::closeEvent(QCloseEvent* event) {
    lock_.release();
    event->accept();
}
