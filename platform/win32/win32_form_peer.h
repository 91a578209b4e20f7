#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/form.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

class Win32Windows;
class Win32ControlPeer;

// One form's top-level window; routes its messages to the form and its controls.
class Win32FormPeer final : public FormPeer {
  public:
    Win32FormPeer(Win32Windows& windows, Form& form);
    ~Win32FormPeer() override;

    void changed(FormProp prop) override;
    void detach() override;
    WindowId window_id() const override { return reinterpret_cast<WindowId>(hwnd_.get()); }
    Rect window_rect() const override;
    Size inner_size() const override;
    void set_focus() override;

    HWND hwnd() const { return hwnd_.get(); }
    Form* form() const { return form_; }
    Win32Windows& windows() const { return windows_; }
    // Form scale units to pixels and back, at the scaling of the form's monitor.
    int to_px_x(std::int32_t v) const;
    int to_px_y(std::int32_t v) const;
    std::int32_t from_px_x(int px) const;
    std::int32_t from_px_y(int px) const;
    // The dots per inch the form is shown at.
    int dpi() const { return dpi_; }
    // Applies a property change of a container to everything inside it.
    void container_changed(Control& container, Prop prop);

    static LRESULT CALLBACK window_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

  private:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    Win32ControlPeer* control_by_id(int id) const;
    Win32ControlPeer* control_by_hwnd(HWND h) const;
    Control* frame_at(POINT client) const;
    void mouse(UINT msg, WPARAM wp, LPARAM lp);
    void sync_geometry();
    void report_geometry();
    void dpi_changed(int dpi, const RECT& suggested);
    bool in_pixels() const;
    int twips_per_pixel() const;
    void arrange_z_order();
    DWORD style() const;
    DWORD ex_style() const;

    Win32Windows& windows_;
    Form* form_;
    UniqueWindow hwnd_;
    std::vector<std::unique_ptr<Win32ControlPeer>> controls_;
    bool updating_ = false;
    int dpi_;
};

}  // namespace vardex::win32
