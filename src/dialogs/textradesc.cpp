#include "dialogs/textradesc.h"

#include <QCloseEvent>

TExtraDesc::TExtraDesc(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("TExtraDesc");
    setWindowTitle(QStringLiteral("Extra Descriptions"));
    resize(671, 505);
}

void TExtraDesc::openFromMain(QWidget* opener, RoomDataType& room) {
    room_ = &room;
    currentEntry_ = room.extraDescs;
    lock_.open(this, opener);
}

void TExtraDesc::closeEvent(QCloseEvent* event) {
    lock_.release();
    room_ = nullptr;
    currentEntry_ = nullptr;
    event->accept();
}
