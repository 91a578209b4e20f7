#include "platform/win32/dpi.h"

#include "platform/win32/handles.h"

namespace vardex::win32 {

int system_dpi() {
    ScreenDc dc;
    const int dpi = GetDeviceCaps(dc.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

int window_dpi(HWND window) {
    // Looked up, not linked: the programs still start on Windows 7, which lacks it.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpi_for_window != nullptr && window != nullptr) {
        if (const UINT dpi = dpi_for_window(window); dpi > 0) {
            return static_cast<int>(dpi);
        }
    }
    return system_dpi();
}

}  // namespace vardex::win32
