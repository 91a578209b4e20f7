#pragma once

#include <string>

#include "platform/geometry.h"

namespace vardex {

class Program;

// The blocked machine: the full-screen window, the program's windows above it, the pointer
// held in the one window the user may use.
class BlockingScreen {
  public:
    explicit BlockingScreen(Program& program) : program_(program) {}

    void lay_out();
    void block_screen();
    void unblock_screen();
    // 1 main dialog, 2 security check, 3 small message window, 4 About, 5 the pause button.
    void confine_cursor(int kind);
    // True when the picture could not be loaded.
    bool load_logo(const std::string& path);
    void apply_texts();
    void focus_main_dialog();
    void keep_timing_window_focused();
    void keep_about_focused();
    // Holds the pointer again where the platform let it go (a window system may drop the clip
    // when the active window changes); run from the sweep timers.
    void keep_pointer_confined();

    Rect cursor_rect;

  private:
    void centre_cursor();
    Program& program_;
    bool confined_ = false;
};

}  // namespace vardex
