#include "platform/win32/win32_hmac.h"

#include <windows.h>

#include <bcrypt.h>

namespace vardex::win32 {

namespace {

bool succeeded(NTSTATUS status) {
    return status >= 0;
}

// Owns a hash object of the provider.
class HashHandle {
  public:
    HashHandle() = default;
    HashHandle(const HashHandle&) = delete;
    HashHandle& operator=(const HashHandle&) = delete;
    ~HashHandle() {
        if (handle != nullptr) {
            BCryptDestroyHash(handle);
        }
    }
    BCRYPT_HASH_HANDLE handle = nullptr;
};

}  // namespace

Win32Hmac::~Win32Hmac() {
    if (provider_ != nullptr) {
        BCryptCloseAlgorithmProvider(provider_, 0);
    }
}

bool Win32Hmac::compute(std::string_view key, std::string_view data, Digest& out) {
    if (provider_ == nullptr &&
        !succeeded(BCryptOpenAlgorithmProvider(&provider_, BCRYPT_SHA256_ALGORITHM, nullptr,
                                               BCRYPT_ALG_HANDLE_HMAC_FLAG))) {
        provider_ = nullptr;
        return false;
    }
    // The provider allocates the hash object itself (Windows 7 and later).
    HashHandle hash;
    auto* key_bytes = reinterpret_cast<PUCHAR>(const_cast<char*>(key.data()));
    auto* data_bytes = reinterpret_cast<PUCHAR>(const_cast<char*>(data.data()));
    return succeeded(BCryptCreateHash(provider_, &hash.handle, nullptr, 0, key_bytes,
                                      static_cast<ULONG>(key.size()), 0)) &&
           succeeded(BCryptHashData(hash.handle, data_bytes, static_cast<ULONG>(data.size()), 0)) &&
           succeeded(BCryptFinishHash(hash.handle, out.data(), static_cast<ULONG>(out.size()), 0));
}

}  // namespace vardex::win32
