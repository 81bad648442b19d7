#pragma once
// JSON text for the command-line tool. Strings carry stored bytes, which need not be
// UTF-8: valid UTF-8 is written as its characters, CR and LF as \r and \n, other control
// characters as \u00xx, and every byte that is not part of valid UTF-8 as \udcxx (the
// byte in lower-case hex, the same U+DC00 + byte the editor's fields use), so the bytes
// can always be recovered from the text.
#include <string>
#include <string_view>

// Appends the quoted JSON string for the bytes.
void appendJsonString(std::string& out, std::string_view bytes);
std::string jsonString(std::string_view bytes);
