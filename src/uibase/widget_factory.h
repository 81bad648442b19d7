#pragma once
// Small makers for the controls every window builds: each gives the control its
// objectName (the name tests and the help line find it by) and, when `at` is given,
// its fixed place.
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;

template <typename W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, QRect at = {});
// A checkable tool button showing its caption.
QToolButton* makeToggle(QWidget* parent, const QString& name, const QString& caption, QRect at = {});
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, QRect at = {});
// A sunken frame, as a plain panel or as a label with text in it.
QFrame* makeSunkenPanel(QWidget* parent, const QString& name, QRect at = {});
QLabel* makeSunkenLabel(QWidget* parent, const QString& name, const QString& caption, QRect at = {});
