#include "network/message_auth.h"

#include <charconv>

namespace vardex {

namespace {

constexpr char hex_digits[] = "0123456789abcdef";
// Seconds since 1970 as long as anyone will run this: up to 19 digits fit 64 bits.
constexpr std::size_t longest_time = 19;

std::string signed_data(std::string_view fields, std::int64_t unix_time) {
    std::string data(fields);
    data += ';';
    data += std::to_string(unix_time);
    return data;
}

int hex_value(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::optional<std::string> auth_field(std::string_view fields, std::int64_t unix_time,
                                      std::string_view key, HmacSha256& hmac) {
    HmacSha256::Digest digest;
    if (!hmac.compute(key, signed_data(fields, unix_time), digest)) {
        return std::nullopt;
    }
    std::string field = std::to_string(unix_time) + ".";
    for (std::size_t i = 0; i < tag_bytes; ++i) {
        field += hex_digits[digest[i] >> 4];
        field += hex_digits[digest[i] & 0x0F];
    }
    return field;
}

std::optional<SignedText> split_signed(std::string_view text) {
    std::size_t separators = 0;
    for (const char c : text) {
        separators += c == ';' ? 1 : 0;
    }
    if (separators < 7) {
        return std::nullopt;
    }
    // The last field is the eighth: a parameter with a ";" of its own stays among the seven.
    const std::size_t last = text.rfind(';');
    return SignedText{text.substr(0, last), text.substr(last + 1)};
}

std::optional<AuthField> read_auth_field(std::string_view field) {
    const std::size_t dot = field.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot > longest_time ||
        field.size() - dot - 1 != 2 * tag_bytes || field[0] < '0' || field[0] > '9') {
        return std::nullopt;
    }
    AuthField out;
    const char* first = field.data();
    const char* last = field.data() + dot;
    const auto [end, error] = std::from_chars(first, last, out.time);
    if (error != std::errc() || end != last) {
        return std::nullopt;  // no sign, no blanks, nothing but digits
    }
    for (std::size_t i = 0; i < tag_bytes; ++i) {
        const int high = hex_value(field[dot + 1 + 2 * i]);
        const int low = hex_value(field[dot + 2 + 2 * i]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out.tag[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return out;
}

bool tag_is_right(std::string_view fields, const AuthField& auth, std::string_view key,
                  HmacSha256& hmac) {
    HmacSha256::Digest digest;
    if (!hmac.compute(key, signed_data(fields, auth.time), digest)) {
        return false;
    }
    std::uint8_t difference = 0;
    for (std::size_t i = 0; i < tag_bytes; ++i) {
        difference |= static_cast<std::uint8_t>(digest[i] ^ auth.tag[i]);
    }
    return difference == 0;
}

}  // namespace vardex
