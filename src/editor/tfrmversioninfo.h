#pragma once
// The version information window: a fixed text about the program and its history.
#include <QWidget>

#include "editor/opener_lock.h"

class QPlainTextEdit;
class QPushButton;

class TfrmVersionInfo : public QWidget {
    Q_OBJECT
public:
    explicit TfrmVersionInfo(QWidget* parent = nullptr);
    void open(QWidget* opener);

    QPlainTextEdit* memoVersion = nullptr;
    QPushButton* btnOk = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    OpenerLock lock_;
};
