#pragma once

#include "platform/win32/win32_control_peer.h"

namespace vardex::win32 {

// A combo box: a drop-down list, or a list with an edit of its own for typing.
class Win32ComboBoxPeer final : public Win32ControlPeer {
  public:
    using Win32ControlPeer::Win32ControlPeer;
    HWND edit_hwnd() const override;

  private:
    WindowSpec window_spec() const override;
    void sync_text() override;
    void sync_items() override;
    void sync_selection() override;
    void on_command(int code) override;
    int drop_down_height() const override;
};

// A list box of one choice, or of several when the control allows a multiple selection.
class Win32ListBoxPeer final : public Win32ControlPeer {
  public:
    using Win32ControlPeer::Win32ControlPeer;

  private:
    WindowSpec window_spec() const override;
    void sync_items() override;
    void sync_selection() override;
    void on_command(int code) override;
};

// A tab strip: its tabs are its items; the pages under it are the form's own controls.
class Win32TabStripPeer final : public Win32ControlPeer {
  public:
    using Win32ControlPeer::Win32ControlPeer;
    void notify(const NMHDR& header) override;

  private:
    WindowSpec window_spec() const override;
    void sync_text() override {}
    void sync_items() override;
    void sync_selection() override;
};

}  // namespace vardex::win32
