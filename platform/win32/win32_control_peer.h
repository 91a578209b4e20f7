#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

class Win32FormPeer;

// One control's child window (none for a timer, which is a window timer of the form). Kinds
// with a behaviour of their own (the grid) are classes of their own beside it.
class Win32ControlPeer : public ControlPeer {
  public:
    // The peer for the control's kind, with its window made.
    static std::unique_ptr<Win32ControlPeer> make(Win32FormPeer& form, Control& control, int id);
    ~Win32ControlPeer() override;

    void changed(Prop prop) override;
    void detach() override;
    Size measure_text(const std::string& text, std::int32_t wrap_width) override;
    bool load_picture(const std::string& path) override;
    void set_focus() override;
    WindowId window_id() const override { return reinterpret_cast<WindowId>(hwnd_); }

    Control* control() const { return control_; }
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    // The edit window that takes the typing (the combo box's own edit for a combo).
    HWND edit_hwnd() const;

    // Notifications from the form window.
    void command(int code);
    virtual void notify(const NMHDR& header);
    void timer_tick();
    Color text_color() const;
    Color background() const;

  protected:
    Win32ControlPeer(Win32FormPeer& form, Control& control, int id);

    struct WindowSpec {
        const char* window_class = "STATIC";
        DWORD style = 0;
        DWORD ex_style = 0;
    };
    // The window class and styles of the control's window.
    virtual WindowSpec window_spec() const;
    // Right after the window is made, before the first sync.
    virtual void window_made() {}
    virtual void sync_text();
    virtual void sync_selection();
    // What a kind shows besides its text, items and selection (the grid's cells).
    virtual void sync_cells() {}
    // A press, a release or a move the kind handles itself; true when taken.
    virtual bool own_mouse(UINT /*msg*/, WPARAM /*wp*/, POINT /*pt*/) { return false; }

    Win32FormPeer& form_;
    Control* control_;
    HWND hwnd_ = nullptr;  // destroyed with the form window
    bool updating_ = false;

  private:
    static LRESULT CALLBACK subclass_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                          DWORD_PTR self);
    LRESULT subclassed(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void create();
    void sync_all();
    void sync_geometry();
    void sync_visible();
    void sync_enabled();
    void sync_items();
    void sync_timer();
    void sync_tabs();

    int id_;
    UniqueGdi picture_;
    bool timer_set_ = false;
};

}  // namespace vardex::win32
