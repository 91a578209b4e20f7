#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/control.h"

namespace vardex::win32 {

class Win32FormPeer;

// One control's child window. What every kind shares lives here: the window's place, state,
// font and colours, the typing and pointer events. Each kind is a class of its own that says
// which window it makes and how its text, items, value and notifications map onto it.
class Win32ControlPeer : public ControlPeer {
  public:
    // The peer for the control's kind, with its window made.
    static std::unique_ptr<Win32ControlPeer> make(Win32FormPeer& form, Control& control, int id);
    Win32ControlPeer(Win32FormPeer& form, Control& control, int id);
    ~Win32ControlPeer() override;
    Win32ControlPeer(const Win32ControlPeer&) = delete;
    Win32ControlPeer& operator=(const Win32ControlPeer&) = delete;

    void changed(Prop prop) override;
    void detach() override;
    Size measure_text(const std::string& text, std::int32_t wrap_width) override;
    bool load_picture(const std::string& /*path*/) override { return false; }
    void set_focus() override;
    WindowId window_id() const override { return reinterpret_cast<WindowId>(hwnd_); }
    // The form moved to a monitor of another scaling: font and place anew.
    virtual void rescale();

    Control* control() const { return control_; }
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }
    // The edit window that takes the typing, for kinds that have one.
    virtual HWND edit_hwnd() const { return nullptr; }

    // Notifications from the form window.
    void command(int code);
    virtual void notify(const NMHDR& /*header*/) {}
    virtual void timer_tick() {}
    Color text_color() const;
    Color background() const;

  protected:
    struct WindowSpec {
        const char* window_class = "STATIC";
        DWORD style = 0;
        DWORD ex_style = 0;
    };
    // The window class and styles of the control's window.
    virtual WindowSpec window_spec() const = 0;
    // Makes the window and shows the control's state in it.
    virtual void create();
    // Right after the window is made, before the first sync.
    virtual void window_made() {}

    // Showing the control's state; each runs for the property it is named after.
    virtual void sync_text();
    virtual void sync_items() {}  // a list's items, or a tab strip's tabs
    virtual void sync_selection() {}
    virtual void sync_value() {}
    virtual void sync_text_options() {}
    virtual void sync_picture() {}
    virtual void sync_cells() {}
    void sync_geometry();
    void sync_visible();

    // A notification of the control's own window, not sent while the peer updates it.
    virtual void on_command(int /*code*/) {}
    // A press, a release or a move the kind handles itself; true when taken.
    virtual bool own_mouse(UINT /*msg*/, WPARAM /*wp*/, POINT /*pt*/) { return false; }
    // Windows that do not capture the pointer themselves, so that the pressed control keeps it
    // until release as any form control does.
    virtual bool captures_on_press() const { return false; }
    // Whether Enter typed in the edit window goes into the text.
    virtual bool types_enter() const { return false; }
    // Pixels the window reaches below the control (a combo box's drop-down list).
    virtual int drop_down_height() const { return 0; }
    // Whether the control has anything to show (an image without a picture does not).
    virtual bool shows_anything() const { return true; }

    // Sets the window's text when it differs, without echoing it back as an edit.
    void show_text(const std::string& text);
    std::string window_text() const;

    Win32FormPeer& form_;
    Control* control_;
    HWND hwnd_ = nullptr;  // destroyed with the form window
    bool updating_ = false;

  private:
    static LRESULT CALLBACK subclass_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                          DWORD_PTR self);
    LRESULT subclassed(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT typed(HWND hwnd, WPARAM wp, LPARAM lp);
    LRESULT pointer(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void sync_all();
    void sync_enabled();
    void sync_font(bool redraw);

    int id_;
    HWND inner_edit_ = nullptr;  // a combo box's own edit, subclassed as well
};

}  // namespace vardex::win32
