#pragma once
// The "Map" window. Created once at start-up, then only shown and hidden.
#include <QWidget>

#include "editor/opener_lock.h"

class TfrmMap : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMap(QWidget* parent = nullptr);
    // Shows the window and disables the opener until the window closes.
    void open(QWidget* opener);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    OpenerLock lock_;
};
