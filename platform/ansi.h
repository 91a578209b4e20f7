#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vardex {

// Upper-casing of 8-bit texts in the Windows ANSI code page (1252), as the platform does it.
char upper_ansi(char c);
std::string upper_ansi(std::string_view text);
bool equal_ignoring_case(std::string_view a, std::string_view b);
// Ascending text order ignoring case.
bool less_ignoring_case(std::string_view a, std::string_view b);
// The text without blanks at either end (other white space stays).
std::string trim_spaces(std::string_view text);
// Empty or digits 0 to 9 only.
bool all_digits(std::string_view text);
// A whole number as people and files write it: blanks around it and a leading "+" allowed;
// nothing when the text is anything else or does not fit.
std::optional<std::int64_t> whole_number(std::string_view text);

}  // namespace vardex
