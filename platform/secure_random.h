#pragma once

#include <cstdint>
#include <span>

namespace vardex {

// The operating system's cryptographic random source, for what must not be guessed (Direct
// Access Codes are money).
class SecureRandom {
  public:
    virtual ~SecureRandom() = default;
    // Fills `out`; false when the source failed.
    virtual bool fill(std::span<std::uint8_t> out) = 0;
};

}  // namespace vardex
