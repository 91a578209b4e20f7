#include "platform/sim/openssl_hmac.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

namespace vardex::sim {

bool OpenSslHmac::compute(std::string_view key, std::string_view data, Digest& out) {
    unsigned int length = 0;
    // A key of no bytes still needs a valid pointer.
    static constexpr unsigned char no_key = 0;
    const void* key_bytes = key.empty() ? &no_key : static_cast<const void*>(key.data());
    return HMAC(EVP_sha256(), key_bytes, static_cast<int>(key.size()),
                reinterpret_cast<const unsigned char*>(data.data()), data.size(), out.data(),
                &length) != nullptr &&
           length == out.size();
}

}  // namespace vardex::sim
