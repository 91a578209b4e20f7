#pragma once

#include "platform/win32/win32_control_peer.h"

namespace vardex::win32 {

// The kinds made of the system's BUTTON class: push buttons, check boxes, option buttons and
// the group box of a framed frame.
class Win32ButtonPeer : public Win32ControlPeer {
  protected:
    using Win32ControlPeer::Win32ControlPeer;
    void on_command(int code) override;
    // A click the button's window reports.
    virtual void clicked();
};

class Win32CommandButtonPeer final : public Win32ButtonPeer {
  public:
    using Win32ButtonPeer::Win32ButtonPeer;

  private:
    WindowSpec window_spec() const override;
};

// The check mark is the control's value; the user's click sets it through the control.
class Win32CheckBoxPeer final : public Win32ButtonPeer {
  public:
    using Win32ButtonPeer::Win32ButtonPeer;

  private:
    WindowSpec window_spec() const override;
    void sync_value() override;
    void clicked() override;
};

// The dot follows the control's value alone: the click is reported, and the control decides.
class Win32OptionButtonPeer final : public Win32ButtonPeer {
  public:
    using Win32ButtonPeer::Win32ButtonPeer;

  private:
    WindowSpec window_spec() const override;
    void sync_value() override;
};

// A frame holds other controls: what it is, where it is and whether it is shown or enabled
// passes to them. With a border it is a group box; without one, a plain static.
class Win32FramePeer final : public Win32ControlPeer {
  public:
    using Win32ControlPeer::Win32ControlPeer;
    void changed(Prop prop) override;

  private:
    WindowSpec window_spec() const override;
};

}  // namespace vardex::win32
