#include "settings/scrambler.h"

#include <utility>

namespace vardex {

namespace {

constexpr std::size_t historical_length = 226;

// The amount position p (1-based) is shifted by. The historical shift 29 + p leaves the
// printable range from position 227 on, so longer positions repeat the shifts of 1..226.
int shift(std::size_t p) {
    if (p <= historical_length) {
        return static_cast<int>(29 + p);
    }
    return static_cast<int>(29 + ((p - 1) % historical_length) + 1);
}

// Swaps positions p and L - p for odd p up to L / 2 (1-based; L - p, not L - p + 1).
void swap_pairs(std::string& t) {
    const std::size_t length = t.size();
    for (std::size_t p = 1; p <= length / 2; p += 2) {
        std::swap(t[p - 1], t[length - p - 1]);
    }
}

}  // namespace

std::string scramble_text(std::string_view text) {
    std::string t(text);
    if (t.empty()) {
        return t;
    }
    for (char& c : t) {
        if (static_cast<unsigned char>(c) < 32) {
            c = ' ';
        }
    }
    swap_pairs(t);
    for (std::size_t p = 1; p <= t.size(); ++p) {
        int code = static_cast<unsigned char>(t[p - 1]) - shift(p);
        if (code < 32) {
            code += 224;
        }
        t[p - 1] = static_cast<char>(code);
    }
    return t;
}

std::string unscramble_text(std::string_view scrambled) {
    std::string t(scrambled.substr(0, scrambled.find('\0')));
    for (std::size_t p = 1; p <= t.size(); ++p) {
        int code = static_cast<unsigned char>(t[p - 1]) + shift(p);
        if (code > 255) {
            code -= 224;
        }
        t[p - 1] = static_cast<char>(code);
    }
    swap_pairs(t);
    return t;
}

}  // namespace vardex
