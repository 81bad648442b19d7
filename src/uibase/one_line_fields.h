#pragma once
// A one-line field (a name, keywords, a colour code, a number, a search text) holds one
// line. What is pasted into it (the paste keys, its context menu, the middle button's
// selection) or dropped on it keeps only its first line: the text is cut at its first
// line break. A pasted line ending ("4201" copied with its line break) then leaves a
// number that converts, and no line break ever reaches a file that keeps one entry a line.
#include <QString>

class QWidget;

// The text up to its first line break (LF, CR, vertical tab, form feed, U+0085 NEXT
// LINE, U+2028 LINE SEPARATOR, U+2029 PARAGRAPH SEPARATOR); all of it when it has none.
QString firstLineOf(const QString& text);

// Every one-line field of the window (its QLineEdits) keeps the first line of what is
// pasted or dropped into it.
void keepOneLineFields(QWidget& window);
