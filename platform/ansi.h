#pragma once

#include <cstdint>
#include <limits>
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
// The same, when it fits Int.
template <typename Int>
std::optional<Int> whole_number_as(std::string_view text) {
    const std::optional<std::int64_t> v = whole_number(text);
    if (!v || *v < std::numeric_limits<Int>::min() || *v > std::numeric_limits<Int>::max()) {
        return std::nullopt;
    }
    return static_cast<Int>(*v);
}

}  // namespace vardex
