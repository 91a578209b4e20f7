#include "platform/win32/win32_text_box_peer.h"

#include "platform/controls.h"

namespace vardex::win32 {

Win32ControlPeer::WindowSpec Win32TextBoxPeer::window_spec() const {
    // A box of several lines wraps its words; a one-line box scrolls sideways.
    const DWORD lines = static_cast<const TextBox*>(control_)->multi_line()
                            ? ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL
                            : ES_AUTOHSCROLL;
    return {"EDIT", WS_TABSTOP | lines, WS_EX_CLIENTEDGE};
}

void Win32TextBoxPeer::sync_text_options() {
    const auto* box = static_cast<TextBox*>(control_);
    SendMessageA(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(box->max_length()), 0);
    SendMessageA(hwnd_, EM_SETPASSWORDCHAR,
                 static_cast<WPARAM>(static_cast<unsigned char>(box->password_char())), 0);
    SendMessageA(hwnd_, EM_SETREADONLY, box->locked() ? TRUE : FALSE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32TextBoxPeer::on_command(int code) {
    if (code == EN_CHANGE) {
        control_->user_edited_text(window_text());
    } else if (code == EN_KILLFOCUS) {
        control_->raise_lost_focus();
    }
}

bool Win32TextBoxPeer::types_enter() const {
    return static_cast<const TextBox*>(control_)->multi_line();
}

}  // namespace vardex::win32
