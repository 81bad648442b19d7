#pragma once
#include <QMainWindow>

// The editor's main window.
class TEditMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TEditMain(QWidget* parent = nullptr);
};
