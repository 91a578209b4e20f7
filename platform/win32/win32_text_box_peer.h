#pragma once

#include "platform/win32/win32_control_peer.h"

namespace vardex::win32 {

// A text box as an EDIT window: its limit, password character and read-only state follow the
// control; the user's typing reports the new text.
class Win32TextBoxPeer final : public Win32ControlPeer {
  public:
    using Win32ControlPeer::Win32ControlPeer;
    HWND edit_hwnd() const override { return hwnd_; }

  private:
    WindowSpec window_spec() const override;
    void sync_text_options() override;
    void on_command(int code) override;
    bool types_enter() const override;
};

}  // namespace vardex::win32
