#pragma once

#include "platform/win32/win32_control_peer.h"

namespace vardex::win32 {

// A timer has no window of its own: it is a window timer of the form, named by the control's id,
// and goes with the form's window.
class Win32TimerPeer final : public Win32ControlPeer {
  public:
    using Win32ControlPeer::Win32ControlPeer;

    void changed(Prop prop) override;
    void detach() override;
    void timer_tick() override;

  private:
    WindowSpec window_spec() const override { return {}; }
    void create() override { sync_timer(); }
    void sync_timer();
    void stop();

    bool timer_set_ = false;
};

}  // namespace vardex::win32
