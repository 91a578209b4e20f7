#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vardex {

// HMAC-SHA256 from the system's cryptography, for datagrams only the holders of a key can
// make.
class HmacSha256 {
  public:
    using Digest = std::array<std::uint8_t, 32>;
    virtual ~HmacSha256() = default;
    // False when the system could not compute it.
    virtual bool compute(std::string_view key, std::string_view data, Digest& out) = 0;
};

}  // namespace vardex
