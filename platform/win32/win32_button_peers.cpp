#include "platform/win32/win32_button_peers.h"

#include <windowsx.h>

#include "platform/controls.h"
#include "platform/win32/win32_form_peer.h"

namespace vardex::win32 {

void Win32ButtonPeer::on_command(int code) {
    if (code == BN_CLICKED) {
        clicked();
    } else if (code == BN_KILLFOCUS) {
        control_->raise_lost_focus();
    }
}

void Win32ButtonPeer::clicked() {
    control_->raise_click();
}

Win32ControlPeer::WindowSpec Win32CommandButtonPeer::window_spec() const {
    return {"BUTTON", WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0};
}

Win32ControlPeer::WindowSpec Win32CheckBoxPeer::window_spec() const {
    return {"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY, 0};
}

void Win32CheckBoxPeer::sync_value() {
    Button_SetCheck(hwnd_,
                    static_cast<CheckBox*>(control_)->value() != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void Win32CheckBoxPeer::clicked() {
    static_cast<CheckBox*>(control_)->user_set_value(Button_GetCheck(hwnd_) == BST_CHECKED ? 1 : 0);
}

Win32ControlPeer::WindowSpec Win32OptionButtonPeer::window_spec() const {
    return {"BUTTON", WS_TABSTOP | BS_RADIOBUTTON | BS_NOTIFY, 0};
}

void Win32OptionButtonPeer::sync_value() {
    Button_SetCheck(hwnd_,
                    static_cast<OptionButton*>(control_)->value() ? BST_CHECKED : BST_UNCHECKED);
}

Win32ControlPeer::WindowSpec Win32FramePeer::window_spec() const {
    if (static_cast<const Frame*>(control_)->border()) {
        return {"BUTTON", BS_GROUPBOX, 0};
    }
    return {};
}

void Win32FramePeer::changed(Prop prop) {
    Win32ControlPeer::changed(prop);
    if (control_ != nullptr && hwnd_ != nullptr &&
        (prop == Prop::geometry || prop == Prop::visible || prop == Prop::enabled)) {
        form_.container_changed(*control_, prop);
    }
}

}  // namespace vardex::win32
