#pragma once

#include "platform/hmac.h"

namespace vardex::win32 {

// HMAC-SHA256 through the system's CNG (bcrypt). The algorithm provider is opened at the first
// use and kept: opening it costs far more than one datagram's hash.
class Win32Hmac final : public HmacSha256 {
  public:
    Win32Hmac() = default;
    Win32Hmac(const Win32Hmac&) = delete;
    Win32Hmac& operator=(const Win32Hmac&) = delete;
    ~Win32Hmac() override;
    bool compute(std::string_view key, std::string_view data, Digest& out) override;

  private:
    void* provider_ = nullptr;  // BCRYPT_ALG_HANDLE
};

}  // namespace vardex::win32
