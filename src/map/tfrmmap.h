#pragma once
// The "Map" window. Created once at start-up, then only shown and hidden.
#include "editor/secondary_window.h"

class TfrmMap : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TfrmMap(QWidget* parent = nullptr);
};
