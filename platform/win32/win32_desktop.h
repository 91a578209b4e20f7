#pragma once

#include <functional>

#include "platform/desktop.h"
#include "platform/win32/handles.h"

namespace vardex::win32 {

class Win32Windows;

class Win32Desktop final : public Desktop {
  public:
    explicit Win32Desktop(Win32Windows& windows) : windows_(windows) {}
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    Size screen_size_twips() override;
    int twips_per_pixel_x() override { return screen_twips_per_pixel_x(); }
    int twips_per_pixel_y() override { return screen_twips_per_pixel_y(); }
    Rect virtual_screen_pixels() override;
    WindowId foreground_window() override;
    bool watch_windows(std::function<void(WindowChange, WindowId)> changed) override;
    std::string window_text(WindowId window) override;
    bool post_close(WindowId window) override;
    WindowId window_from_point(Point screen_pixels) override;
    Rect window_rect(WindowId window) override;
    Point cursor_pos() override;
    void set_cursor_pos(Point pos) override;
    void clip_cursor(const Rect* rect) override;
    std::optional<Rect> cursor_clip() override;
    void capture_mouse(WindowId window) override;
    void release_mouse() override;
    void set_system_keys_locked(bool locked) override;
    bool force_shut_down() override;
    void beep() override;
    bool claim_single_instance(std::string_view name) override;
    // The guard runs the program on this machine: a program started by hand is a second one,
    // whatever locks a user's program may have made or taken.
    void set_held_by_guard(bool held) { held_by_guard_ = held; }
    void hold_system_keys(bool on) override;
    bool instance_running(std::string_view name) override;
    void message_box(std::string_view text, std::string_view caption) override;
    bool yes_no_box(std::string_view text, std::string_view caption) override;
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view initial) override;
    std::optional<std::string> file_dialog(const FileDialogRequest& request) override;

  private:
    bool held_by_guard_ = false;
    static void CALLBACK on_win_event(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                      LONG child, DWORD thread, DWORD time);

    Win32Windows& windows_;
    UniqueHandle instance_mutex_;
    UniqueHook key_hook_;
    std::function<void(WindowChange, WindowId)> window_changed_;
    UniqueWinEventHook foreground_hook_;
    UniqueWinEventHook title_hook_;
};

}  // namespace vardex::win32
