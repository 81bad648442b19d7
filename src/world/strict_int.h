#pragma once
// The one strict text-to-integer conversion every field and reader uses:
// optional leading blanks, optional sign, then decimal digits or "$" and hexadecimal
// digits, nothing after, within the signed 32-bit range.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Prompts;

std::optional<int32_t> strictToInt(std::string_view text);

// "'%s' is not a valid integer value" with the text in place of %s.
std::string notValidIntegerMessage(std::string_view text);

// The conversion for a field the user typed: on a refusal the message is shown and the
// command that needed the number stops.
std::optional<int32_t> strictToIntOrSay(std::string_view text, Prompts& prompts);
