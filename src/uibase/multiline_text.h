#pragma once
// Multi-line texts between the store and the text fields: the store keeps CR LF
// between lines, a text field keeps one line break character per line.
#include <QString>
#include <string>
#include <string_view>

class QPlainTextEdit;

// CR LF becomes a line break; every other byte goes through bytesToQString.
QString multiLineToQString(std::string_view bytes);
// Every line break a text field can hold becomes CR LF: LF, CR LF, a lone CR, the line
// separator U+2028 (Shift+Enter) and the paragraph separator U+2029. Every other
// character goes through qStringToBytes. Every multi-line field stores its text
// through this.
std::string qStringToMultiLine(const QString& text);

// The field's text exactly as typed (no space for a non-breaking space), as store bytes.
std::string multiLineFieldBytes(const QPlainTextEdit& field);
void setMultiLineField(QPlainTextEdit& field, std::string_view bytes);
