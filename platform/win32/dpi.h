#pragma once

#include <windows.h>

namespace vardex::win32 {

// The system's dots per inch: what the screen's device context reports, the scaling of the
// primary monitor when the user signed in.
int system_dpi();

// The dots per inch a window is shown at: its monitor's, the programs being aware of each
// monitor's scaling (Windows 10 and later); the system's on older Windows.
int window_dpi(HWND window);

// Forms are laid out in twips (1440 to the inch). Whole twips per pixel, so that a size the
// logic computed from the screen's pixels turns back into the same pixels.
inline int twips_per_pixel_at(int dpi) {
    return dpi > 0 ? 1440 / dpi : 15;
}

}  // namespace vardex::win32
