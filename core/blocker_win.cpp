#include "core/blocker_win.h"

namespace vardex {

// A pop-up: the caption only names the window for other programs.
BlockerWin::BlockerWin() : Form("blocker_win", "Vardex - Blocked") {
    set_popup_style(true);
    set_popup_frame(false);
    set_back_color(rgb(0, 0, 64));
    for (Label* corner :
         {&top_left_label, &top_right_label, &bottom_left_label, &bottom_right_label}) {
        corner->set_font(Font{"Arial", 14, true});
        corner->set_fore_color(rgb(255, 255, 255));
        corner->set_auto_size(true);
        corner->set_caption("System blocked!");
    }
    left_logo.move(0, 0, 1650, 1650);
    right_logo.move(0, 0, 1650, 1650);
    left_logo.set_visible(false);
    right_logo.set_visible(false);
}

}  // namespace vardex
