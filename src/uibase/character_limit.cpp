#include "uibase/character_limit.h"

#include <QLineEdit>
#include <algorithm>

#include "uibase/byte_text.h"
#include "world/utf8.h"

namespace {
size_t characters(const QString& text) { return utf8Characters(qStringToBytes(text)); }

// Where the `count` field characters before `end` begin; a surrogate pair is one character.
int charactersBefore(const QString& text, int end, size_t count) {
    int start = end;
    for (; count > 0 && start > 0; --count) {
        --start;
        if (start > 0 && text[start].isLowSurrogate() && text[start - 1].isHighSurrogate()) --start;
    }
    return start;
}
}  // namespace

CharacterLimit::CharacterLimit(size_t maxCharacters, QObject* parent)
    : QValidator(parent), maxCharacters_(maxCharacters) {}

QValidator::State CharacterLimit::validate(QString& text, int& cursor) const {
    size_t count = characters(text);
    if (count <= maxCharacters_) {
        lastAccepted_ = text;
        return Acceptable;
    }
    // What was just inserted stands before the cursor: leave out as much of it as does
    // not fit (with the cursor at the start, the end is cut instead). Two bytes that
    // were no UTF-8 apart may make one character together, so the count is taken again
    // after each cut.
    QString fitted = text;
    int at = cursor;
    while (count > maxCharacters_) {
        const int end = at > 0 ? at : static_cast<int>(fitted.size());
        const int start = charactersBefore(fitted, end, count - maxCharacters_);
        fitted.remove(start, end - start);
        if (at > 0) at = start;
        count = characters(fitted);
    }
    // A key typed into a full field: refusing it keeps the field's undo history.
    if (fitted == lastAccepted_) return Invalid;
    text = fitted;
    cursor = std::min(at, static_cast<int>(text.size()));
    lastAccepted_ = text;
    return Acceptable;
}

void limitCharacters(QLineEdit& field, size_t maxCharacters) {
    field.setValidator(new CharacterLimit(maxCharacters, &field));
}
