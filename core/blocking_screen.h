#pragma once

#include <string>

#include "platform/desktop.h"
#include "platform/geometry.h"

namespace vardex {

class Program;

// The one window the pointer is held in while the screen is blocked.
enum class PointerZone {
    main_dialog = 1,
    security_dialog = 2,
    small_message = 3,  // Time_Dialog2
    about = 4,
    pause_button = 5,  // only the pause button of a paused timing window
};

// The blocked machine: the full-screen window, the program's windows above it, the pointer
// held in the one window the user may use.
class BlockingScreen {
  public:
    explicit BlockingScreen(Program& program) : program_(program) {}

    void lay_out();
    void block_screen();
    void unblock_screen();
    void confine_cursor(PointerZone zone);
    // True when the picture could not be loaded.
    bool load_logo(const std::string& path);
    void apply_texts();
    void focus_main_dialog();
    void keep_timing_window_focused();
    void keep_about_focused();
    // Holds the pointer again where the platform let it go (a window system may drop the clip
    // when the active window changes); run from the sweep timers. It looks when the window in
    // front changed, and once a second besides.
    void keep_pointer_confined();
    void window_changed(WindowChange change);

    Rect cursor_rect;

  private:
    void centre_cursor();
    Program& program_;
    bool confined_ = false;
    bool clip_in_doubt_ = true;
    WindowId clip_front_ = 0;
    double clip_checked_at_ = 0;
};

}  // namespace vardex
