#pragma once
// The "Minimap" window. Created once at start-up, then only shown and hidden.
#include <QWidget>

#include "editor/opener_lock.h"

class Tminimap : public QWidget {
    Q_OBJECT
public:
    explicit Tminimap(QWidget* parent = nullptr);
    // Shows the window and disables the opener until the window closes.
    void open(QWidget* opener);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    OpenerLock lock_;
};
