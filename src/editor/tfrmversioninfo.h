#pragma once
// The version information window: a fixed text about the program and its history.
#include "uibase/secondary_window.h"

class QPlainTextEdit;
class QPushButton;

class TfrmVersionInfo : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TfrmVersionInfo(QWidget* parent = nullptr);

    QPlainTextEdit* memoVersion = nullptr;
    QPushButton* btnOk = nullptr;
};
