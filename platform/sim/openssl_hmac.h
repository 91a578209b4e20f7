#pragma once

#include "platform/hmac.h"

namespace vardex::sim {

// HMAC-SHA256 from OpenSSL's libcrypto, for the simulated machines and native tools.
class OpenSslHmac final : public HmacSha256 {
  public:
    bool compute(std::string_view key, std::string_view data, Digest& out) override;
};

}  // namespace vardex::sim
