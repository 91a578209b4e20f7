#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

class Win32FormPeer;

// One control's child window (none for a timer, which is a window timer of the form).
class Win32ControlPeer final : public ControlPeer {
  public:
    Win32ControlPeer(Win32FormPeer& form, Control& control, int id);
    ~Win32ControlPeer() override;

    void changed(Prop prop) override;
    void cell_changed(int row, int col) override;
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
    void notify(const NMHDR& header);
    void timer_tick();
    Color text_color() const;
    Color background() const;

  private:
    // The grid's own mouse handling; true when the message was taken.
    bool grid_mouse(UINT msg, WPARAM wp, POINT pt);
    static LRESULT CALLBACK subclass_proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                          DWORD_PTR self);
    LRESULT subclassed(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void create();
    void sync_all();
    void sync_text();
    void sync_geometry();
    void sync_visible();
    void sync_enabled();
    void sync_items();
    void sync_selection();
    void sync_timer();
    void sync_grid();
    void sync_columns();
    void show_cell(int item, int col, const std::string& text);
    void sync_tabs();

    Win32FormPeer& form_;
    Control* control_;
    int id_;
    HWND hwnd_ = nullptr;  // destroyed with the form window
    UniqueGdi picture_;
    bool updating_ = false;
    bool timer_set_ = false;
    // What the grid's list view shows: its columns and its cells.
    struct ShownColumn {
        std::string title;
        std::int32_t width = 0;  // twips, as the grid asked
    };
    std::vector<ShownColumn> shown_columns_;
    std::vector<std::vector<std::string>> shown_cells_;
    std::vector<bool> shown_selected_;
};

}  // namespace vardex::win32
