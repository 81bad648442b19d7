#pragma once
// The "Color Setup" window. Created once at start-up, then only shown and hidden.
#include "editor/secondary_window.h"

class TfrmSetColor : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TfrmSetColor(QWidget* parent = nullptr);
};
