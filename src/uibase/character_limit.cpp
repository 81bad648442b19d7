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
    // not fit. Two bytes that were no UTF-8 apart may make one character together, so
    // the count is taken again after each cut.
    QString fitted = text;
    int at = cursor;
    while (count > maxCharacters_ && at > 0) {
        const int start = charactersBefore(fitted, at, count - maxCharacters_);
        fitted.remove(start, at - start);
        at = start;
        count = characters(fitted);
    }
    while (count > maxCharacters_) {  // the cursor was at the start: cut the end instead
        fitted.truncate(charactersBefore(fitted, static_cast<int>(fitted.size()), 1));
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
