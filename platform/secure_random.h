#pragma once

#include <cstdint>
#include <random>
#include <span>

namespace vardex {

// The operating system's cryptographic random source, for what must not be guessed (Direct
// Access Codes are money).
class SecureRandom {
  public:
    virtual ~SecureRandom() = default;
    // Fills `out`; false when the source failed.
    virtual bool fill(std::span<std::uint8_t> out) = 0;

    // A uniform decimal digit; nullopt-like -1 when the source failed.
    int digit() {
        // Bytes of 250 and more are drawn again, so that each digit is equally likely.
        for (;;) {
            std::uint8_t byte = 0;
            if (!fill(std::span<std::uint8_t>(&byte, 1))) {
                return -1;
            }
            if (byte < 250) {
                return byte % 10;
            }
        }
    }
};

}  // namespace vardex
