#include "map/tminimap.h"

Tminimap::Tminimap(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName("Tminimap");
    setWindowTitle(QStringLiteral("MINIMAP"));
    resize(104, 104);
    // It stands beside the map window, which places it.
    setCentring(Centring::None);
}
