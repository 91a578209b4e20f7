#pragma once

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/win32_control_peer.h"

namespace vardex::win32 {

// The kinds made of the system's STATIC class. Neither takes the pointer on a press by itself,
// so the peer does; both report a click.
class Win32StaticPeer : public Win32ControlPeer {
  protected:
    using Win32ControlPeer::Win32ControlPeer;
    void on_command(int code) override;
    bool captures_on_press() const override { return true; }
};

class Win32LabelPeer final : public Win32StaticPeer {
  public:
    using Win32StaticPeer::Win32StaticPeer;

  private:
    WindowSpec window_spec() const override;
};

// A picture loaded from a bitmap file. Without one the image is see-through: nothing is shown.
class Win32ImagePeer final : public Win32StaticPeer {
  public:
    using Win32StaticPeer::Win32StaticPeer;
    bool load_picture(const std::string& path) override;

  private:
    WindowSpec window_spec() const override;
    void sync_text() override {}
    void sync_picture() override;
    bool shows_anything() const override { return static_cast<bool>(picture_); }

    UniqueGdi picture_;
};

}  // namespace vardex::win32
