#pragma once
// A one-line field that holds at most so many characters, counted as the files count
// them (utf8Characters of the field's bytes): a UTF-8 sequence is one character, and so
// is a byte that is not part of one. QLineEdit's own maximum counts UTF-16 units, so it
// lets a field hold more than a file keeps (or fewer, with characters beyond U+FFFF).
//
// A key typed into a full field is refused, as with the built-in maximum, and the field's
// undo history stays. A paste or drop that would overfill the field is cut: the pasted
// characters that do not fit are left out (the field's undo history then starts again,
// which is how QLineEdit treats a text its validator changed).
#include <QValidator>
#include <cstddef>

class QLineEdit;

class CharacterLimit : public QValidator {
    Q_OBJECT
public:
    CharacterLimit(size_t maxCharacters, QObject* parent);
    State validate(QString& text, int& cursor) const override;

private:
    size_t maxCharacters_;
    mutable QString lastAccepted_;  // the field's text before the change being checked
};

// Gives the field a CharacterLimit (its maximum length stays Qt's default).
void limitCharacters(QLineEdit& field, size_t maxCharacters);
