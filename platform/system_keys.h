#pragma once

namespace vardex {

// A key pressed while the machine is held (blocked or paused), as the keyboard hook sees it.
struct KeyStroke {
    int key = 0;  // virtual key code
    bool alt = false;
    bool ctrl = false;
    bool shift = false;
    bool on_program_window = false;  // the window in front is one of the program's
};

// Virtual key codes the decision needs (the values of the Windows headers).
namespace vk {
inline constexpr int tab = 0x09;
inline constexpr int escape = 0x1B;
inline constexpr int left_windows = 0x5B;
inline constexpr int right_windows = 0x5C;
inline constexpr int f4 = 0x73;
}  // namespace vk

// Whether a held machine swallows the key: the combinations that would leave the program's
// windows (the Windows keys, Alt+Tab, Alt+Esc, Ctrl+Esc, Ctrl+Shift+Esc, Alt+F4 on the
// program's windows). Every other key reaches the program, so its boxes can be typed in.
constexpr bool swallows_system_key(const KeyStroke& k) {
    if (k.key == vk::left_windows || k.key == vk::right_windows) {
        return true;
    }
    if (k.key == vk::tab) {
        return k.alt;
    }
    if (k.key == vk::escape) {
        return k.alt || k.ctrl;
    }
    if (k.key == vk::f4) {
        return k.alt && k.on_program_window;
    }
    return false;
}

}  // namespace vardex
