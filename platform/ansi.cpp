#include "platform/ansi.h"

#include <algorithm>
#include <charconv>

namespace vardex {

char upper_ansi(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') {
        return static_cast<char>(u - 32);
    }
    // Latin-1 letters à..þ except ÷, and the three letters of 0x80..0x9f that have capitals.
    if (u >= 0xe0 && u <= 0xfe && u != 0xf7) {
        return static_cast<char>(u - 32);
    }
    switch (u) {
        case 0x9a:
            return static_cast<char>(0x8a);  // š
        case 0x9c:
            return static_cast<char>(0x8c);  // œ
        case 0x9e:
            return static_cast<char>(0x8e);  // ž
        case 0xff:
            return static_cast<char>(0x9f);  // ÿ
        default:
            return c;
    }
}

std::string upper_ansi(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char c) { return upper_ansi(c); });
    return out;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return upper_ansi(x) == upper_ansi(y);
           });
}

bool less_ignoring_case(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(upper_ansi(x)) <
               static_cast<unsigned char>(upper_ansi(y));
    });
}

std::string trim_spaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

bool all_digits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::optional<std::int64_t> whole_number(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int64_t v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return v;
}

}  // namespace vardex
