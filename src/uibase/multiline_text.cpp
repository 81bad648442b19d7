#include "uibase/multiline_text.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "uibase/byte_text.h"

QString multiLineToQString(std::string_view bytes) {
    std::string joined;
    joined.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        joined += bytes[i];
    }
    return bytesToQString(joined);
}

std::string qStringToMultiLine(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar separator : {QChar(QChar::ParagraphSeparator), QChar(QChar::LineSeparator), QChar('\r')})
        lines.replace(separator, QChar('\n'));
    const std::string bytes = qStringToBytes(lines);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 32);
    for (char c : bytes) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string multiLineFieldBytes(const QPlainTextEdit& field) {
    // toPlainText would turn non-breaking spaces into spaces; the raw text keeps them.
    return qStringToMultiLine(field.document()->toRawText());
}

void setMultiLineField(QPlainTextEdit& field, std::string_view bytes) { field.setPlainText(multiLineToQString(bytes)); }
