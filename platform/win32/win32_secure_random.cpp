#include "platform/win32/win32_secure_random.h"

#include <windows.h>

#include <bcrypt.h>

namespace vardex::win32 {

bool Win32SecureRandom::fill(std::span<std::uint8_t> out) {
    if (out.empty()) {
        return true;
    }
    return BCryptGenRandom(nullptr, out.data(), static_cast<ULONG>(out.size()),
                           BCRYPT_USE_SYSTEM_PREFERRED_RNG) == 0;
}

}  // namespace vardex::win32
