#include "dialogs/textradesc.h"

TExtraDesc::TExtraDesc(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName("TExtraDesc");
    setWindowTitle(QStringLiteral("Extra Descriptions"));
    resize(671, 505);
}

void TExtraDesc::openFromMain(QWidget* opener, RoomDataType& room) {
    room_ = &room;
    currentEntry_ = room.extraDescs;
    openFrom(opener);
}

bool TExtraDesc::aboutToClose() {
    room_ = nullptr;
    currentEntry_ = nullptr;
    return true;
}
