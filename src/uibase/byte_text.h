#pragma once
// The one conversion between the store's bytes and the QStrings of the windows.
// Valid UTF-8 shows as its characters; every byte that is not part of valid UTF-8
// becomes the lone surrogate U+DC00 + byte (U+DC80..U+DCFF), and comes back as that byte. So any byte
// sequence survives bytesToQString followed by qStringToBytes unchanged.
#include <QString>
#include <string>
#include <string_view>

QString bytesToQString(std::string_view bytes);
std::string qStringToBytes(const QString& text);
