#pragma once

namespace vardex {

// The system's own result codes, as the registry and socket calls return them.
namespace result {
inline constexpr long ok = 0;
inline constexpr long file_not_found = 2;
inline constexpr long access_denied = 5;
inline constexpr long invalid_handle = 6;
inline constexpr long invalid_data = 13;
inline constexpr long more_data = 234;
inline constexpr long not_socket = 10038;      // WSAENOTSOCK
inline constexpr long address_in_use = 10048;  // WSAEADDRINUSE
inline constexpr long not_connected = 10057;   // WSAENOTCONN
inline constexpr long host_unreachable = 10065;
}  // namespace result

}  // namespace vardex
