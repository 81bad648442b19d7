#pragma once
// The "Edit Room Bitvectors" window. Created once at start-up, then only shown and hidden.
#include <QWidget>

#include "editor/opener_lock.h"

class TfrmSetBit : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSetBit(QWidget* parent = nullptr);
    // Shows the window and disables the opener until the window closes.
    void open(QWidget* opener);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    OpenerLock lock_;
};
