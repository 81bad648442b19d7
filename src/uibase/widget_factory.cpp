#include "uibase/widget_factory.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {
template <typename W>
W* placed(W* widget, QRect at) {
    if (at.isValid()) widget->setGeometry(at);
    return widget;
}
}  // namespace

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, QRect at) {
    return placed(named(new QPushButton(caption, parent), name), at);
}

QToolButton* makeToggle(QWidget* parent, const QString& name, const QString& caption, QRect at) {
    auto* b = named(new QToolButton(parent), name);
    b->setText(caption);
    b->setCheckable(true);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return placed(b, at);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, QRect at) {
    return placed(named(new QLabel(caption, parent), name), at);
}

QFrame* makeSunkenPanel(QWidget* parent, const QString& name, QRect at) {
    auto* p = named(new QFrame(parent), name);
    p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return placed(p, at);
}

QLabel* makeSunkenLabel(QWidget* parent, const QString& name, const QString& caption, QRect at) {
    auto* l = makeLabel(parent, name, caption, at);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return l;
}
