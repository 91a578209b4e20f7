#pragma once

#include <functional>
#include <memory>

#include "platform/desktop.h"
#include "platform/win32/dpi.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_key_hook.h"

namespace vardex::win32 {

class Win32Windows;

class Win32Desktop final : public Desktop {
  public:
    explicit Win32Desktop(Win32Windows& windows) : windows_(windows) {}
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    Size screen_size_twips() override;
    int twips_per_pixel_x() override { return twips_per_pixel_at(system_dpi()); }
    int twips_per_pixel_y() override { return twips_per_pixel_at(system_dpi()); }
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
    // Who keeps the program single. A program started by hand takes a named lock; while the
    // guard's service runs, such a program is a second one whatever locks exist; the guard's
    // own program is single because the service manager runs one service, and no lock a user
    // could make first may stop it.
    enum class Instances { named_lock, guard_runs_elsewhere, this_is_the_guard };
    void set_instances(Instances kept_by) { instances_ = kept_by; }
    void hold_system_keys(bool on) override;
    bool instance_running(std::string_view name) override;
    void message_box(std::string_view text, std::string_view caption) override;
    bool yes_no_box(std::string_view text, std::string_view caption) override;
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view initial) override;
    std::optional<std::string> file_dialog(const FileDialogRequest& request) override;

  private:
    Instances instances_ = Instances::named_lock;
    static void CALLBACK on_win_event(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                      LONG child, DWORD thread, DWORD time);

    Win32Windows& windows_;
    UniqueHandle instance_mutex_;
    std::unique_ptr<KeyHookThread> key_hook_;
    std::function<void(WindowChange, WindowId)> window_changed_;
    UniqueWinEventHook foreground_hook_;
    UniqueWinEventHook title_hook_;
    UniqueWinEventHook show_hook_;
};

}  // namespace vardex::win32
