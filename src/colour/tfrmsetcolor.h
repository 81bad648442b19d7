#pragma once
// The "Color Setup" window. Created once at start-up, then only shown and hidden.
#include <QWidget>

#include "editor/opener_lock.h"

class TfrmSetColor : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSetColor(QWidget* parent = nullptr);
    // Shows the window and disables the opener until the window closes.
    void open(QWidget* opener);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    OpenerLock lock_;
};
