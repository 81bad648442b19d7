#include "editor/teditmain.h"

#include "quendry_version.h"

TEditMain::TEditMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("EditMain");
    setWindowTitle(QStringLiteral("Quendry Editor 32-bit ") + QStringLiteral(QUENDRY_VERSION));
    resize(800, 600);
}
