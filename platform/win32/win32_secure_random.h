#pragma once

#include "platform/secure_random.h"

namespace vardex::win32 {

// The system's preferred cryptographic random generator (BCryptGenRandom).
class Win32SecureRandom final : public SecureRandom {
  public:
    bool fill(std::span<std::uint8_t> out) override;
};

}  // namespace vardex::win32
