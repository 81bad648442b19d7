#pragma once
// A world file's text written with LF line ends, in the DOS form: CR LF at every line end.
#include <string>

inline std::string dosLines(const std::string& unixText) {
    std::string dos;
    dos.reserve(unixText.size() + unixText.size() / 16);
    for (char c : unixText) {
        if (c == '\n') dos += '\r';
        dos += c;
    }
    return dos;
}
