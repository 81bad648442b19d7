#pragma once
// The "Minimap" window. Created once at start-up, then only shown and hidden.
#include "editor/secondary_window.h"

class Tminimap : public SecondaryWindow {
    Q_OBJECT
public:
    explicit Tminimap(QWidget* parent = nullptr);
};
