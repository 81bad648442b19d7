#pragma once
// Controls carry the text of the main window's help line in a dynamic property; the
// main window shows it when the pointer enters the control.
#include <QString>
#include <QWidget>

inline constexpr char kHelpLineProperty[] = "helpLine";

inline void setHelpLine(QWidget* control, const QString& text) { control->setProperty(kHelpLineProperty, text); }

// The control's help text, or a null string when it has none.
inline QString helpLineOf(const QObject* control) {
    const QVariant v = control->property(kHelpLineProperty);
    return v.isValid() ? v.toString() : QString();
}
