#pragma once
// UTF-8 decoding and encoding shared by every place that shows stored bytes as
// characters (the editor's fields, the command-line tool's JSON output).
#include <cstddef>
#include <string>
#include <string_view>

// Length of the valid UTF-8 sequence at bytes[i] and its code point; 0 when the byte
// does not start a valid sequence (overlong forms, surrogates and values above
// U+10FFFF are not valid).
int decodeUtf8(std::string_view bytes, size_t i, char32_t& codePoint);

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t codePoint);

// Texts are limited and cut by characters as the editor's fields show them: a valid
// UTF-8 sequence is one character, and so is every byte that is not part of one. A cut
// made by these never leaves half a character behind.

// Bytes of the character at bytes[i] (i < size): the valid sequence there, else 1.
int utf8CharacterLength(std::string_view bytes, size_t i);
// How many characters bytes hold.
size_t utf8Characters(std::string_view bytes);
// The bytes of the first maxCharacters characters (all of them when there are fewer).
size_t utf8PrefixBytes(std::string_view bytes, size_t maxCharacters);
