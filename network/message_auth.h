#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/hmac.h"

namespace vardex {

// With a network key, a datagram carries an eighth field after its seven: the sender's time
// (seconds since 1970) and a tag that only a holder of the key can make,
// "<time>.<32 hexadecimal digits>": the first 16 bytes of HMAC-SHA256 under the key over the
// seven fields as sent, ";" and the time. Machines without a key read seven fields and never
// look at it.

inline constexpr std::size_t tag_bytes = 16;

// The eighth field for the seven fields as they are sent; nullopt when the system could not
// compute the tag.
std::optional<std::string> auth_field(std::string_view fields, std::int64_t unix_time,
                                      std::string_view key, HmacSha256& hmac);

// A received text split at its last ";": the seven fields as signed, and the eighth field.
// Nullopt when the text has fewer than eight fields.
struct SignedText {
    std::string_view fields;
    std::string_view auth;
};
std::optional<SignedText> split_signed(std::string_view text);

// What an eighth field says; nullopt when it is not a time, a dot and 32 hexadecimal digits.
struct AuthField {
    std::int64_t time = 0;
    std::array<std::uint8_t, tag_bytes> tag{};
};
std::optional<AuthField> read_auth_field(std::string_view field);

// True when the tag is the one the key makes for these fields and this time. The comparison
// takes as long whichever byte differs, so that a stranger cannot find a tag byte by byte.
bool tag_is_right(std::string_view fields, const AuthField& auth, std::string_view key,
                  HmacSha256& hmac);

}  // namespace vardex
