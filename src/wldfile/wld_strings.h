#pragma once
// The tilde-terminated texts of a world file.
#include <string>
#include <string_view>

#include "wldfile/wld_read_context.h"

// Reads one text line by line: a line starting with "~" ends it and adds nothing;
// otherwise LF becomes CR LF, CR is dropped, "~" adds CR LF and ends the text (the rest
// of its line is ignored), a byte 0 drops the rest of its line. When the data has
// already ended, reports "SYSERR: fread_string: format error at or near " + context and
// gives an empty text.
std::string freadString(WldReadContext& ctx, std::string_view context);
// freadString for a one-line field: the text without its CR and LF bytes.
std::string freadOneLine(WldReadContext& ctx, std::string_view context);

// The text without its CR and LF bytes, up to its first byte 0 or 26.
std::string stripLineBreaks(std::string_view text);
