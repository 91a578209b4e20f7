#pragma once

#include <windows.h>

#include "platform/control.h"

namespace vardex::win32 {

// The buttons held during a mouse message, as the form model counts them.
inline int mouse_buttons(WPARAM wp) {
    int b = 0;
    if (wp & MK_LBUTTON)
        b |= mouse::left;
    if (wp & MK_RBUTTON)
        b |= mouse::right;
    if (wp & MK_MBUTTON)
        b |= mouse::middle;
    return b;
}

// The button a button message is about.
inline int message_button(UINT msg, WPARAM wp) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return mouse::left;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return mouse::right;
        default:
            return mouse_buttons(wp);
    }
}

}  // namespace vardex::win32
