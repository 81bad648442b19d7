#include "map/tfrmmap.h"

TfrmMap::TfrmMap(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName("TfrmMap");
    setWindowTitle(QStringLiteral("Map"));
    resize(551, 474);
}
