#include "colour/tfrmsetcolor.h"

TfrmSetColor::TfrmSetColor(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName("TfrmSetColor");
    setWindowTitle(QStringLiteral("Set Colors"));
    resize(780, 600);
}
