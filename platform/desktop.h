#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace vardex {

struct FileDialogRequest {
    enum class Kind { open, save };
    Kind kind = Kind::open;
    std::string title;
    std::string filter;  // "Text files (*.txt)|*.txt|All files|*.*"
    std::string initial_name;
    bool overwrite_prompt = false;
    bool hide_read_only = false;
    bool path_must_exist = false;
    bool file_must_exist = false;

    // An open dialog for a file that must be there, read-only box hidden.
    static FileDialogRequest open_existing() {
        FileDialogRequest r;
        r.kind = Kind::open;
        r.hide_read_only = true;
        r.file_must_exist = true;
        return r;
    }
    // Save As: an existing file is replaced only after the system's question.
    static FileDialogRequest save_as() {
        FileDialogRequest r;
        r.kind = Kind::save;
        r.overwrite_prompt = true;
        r.hide_read_only = true;
        r.path_must_exist = true;
        return r;
    }
};

// What the system reports of other windows.
enum class WindowChange {
    foreground,  // another window came to the front (of any program)
    title,       // a window's title changed
    shown,       // a top-level window was shown (it may come to the front a moment later)
};

// Screen, pointer, other programs' windows and the system's own dialogs.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // Primary screen in twips, and the twips of one pixel.
    virtual Size screen_size_twips() = 0;
    virtual int twips_per_pixel_x() = 0;
    virtual int twips_per_pixel_y() = 0;
    // The rectangle that spans every monitor, in pixels.
    virtual Rect virtual_screen_pixels() = 0;

    virtual WindowId foreground_window() = 0;
    // Asks the system to report foreground and title changes of all windows through `changed`,
    // from the program's message loop. False when the platform reports none: then whoever
    // needs to know has to look.
    virtual bool watch_windows(std::function<void(WindowChange, WindowId)> changed) = 0;
    virtual std::string window_text(WindowId window) = 0;
    // Posts WM_SYSCOMMAND with SC_CLOSE; false when the post failed.
    virtual bool post_close(WindowId window) = 0;
    virtual WindowId window_from_point(Point screen_pixels) = 0;
    virtual Rect window_rect(WindowId window) = 0;

    virtual Point cursor_pos() = 0;
    virtual void set_cursor_pos(Point pos) = 0;
    virtual void clip_cursor(const Rect* rect) = 0;  // nullptr frees the cursor
    virtual std::optional<Rect> cursor_clip() = 0;
    virtual void capture_mouse(WindowId window) = 0;
    virtual void release_mouse() = 0;

    // SPI_SETSCREENSAVERRUNNING: the key combinations that switch tasks are ignored while on.
    virtual void set_system_keys_locked(bool locked) = 0;
    // While on, the key combinations that would leave the program's windows are swallowed
    // (`swallows_system_key`); the hold ends with the process.
    virtual void hold_system_keys(bool on) = 0;
    // Shuts the computer down at once, closing programs without asking; false when refused.
    virtual bool force_shut_down() = 0;
    virtual void beep() = 0;

    // A named lock held until the process ends; false when another process holds it.
    virtual bool claim_single_instance(std::string_view name) = 0;
    // Whether some process holds that lock now.
    virtual bool instance_running(std::string_view name) = 0;

    virtual void message_box(std::string_view text, std::string_view caption) = 0;
    virtual bool yes_no_box(std::string_view text, std::string_view caption) = 0;
    // The standard input box; a cancelled box answers with an empty text.
    virtual std::string input_box(std::string_view prompt, std::string_view title,
                                  std::string_view initial) = 0;
    // nullopt when the user cancelled.
    virtual std::optional<std::string> file_dialog(const FileDialogRequest& request) = 0;
};

}  // namespace vardex
