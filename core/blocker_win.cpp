#include "core/blocker_win.h"

namespace vardex {

// A pop-up: the caption only names the window for other programs.
BlockerWin::BlockerWin() : Form("blocker_win", "Vardex - Blocked") {
    set_popup_style(true);
    set_popup_frame(false);
    set_back_color(rgb(0, 0, 64));
    for (Label* corner : {&label1, &label2, &label3, &label4}) {
        corner->set_font(Font{"Arial", 14, true});
        corner->set_fore_color(rgb(255, 255, 255));
        corner->set_auto_size(true);
        corner->set_caption("System blocked!");
    }
    image1.move(0, 0, 1650, 1650);
    image2.move(0, 0, 1650, 1650);
    image1.set_stretch(true);
    image2.set_stretch(true);
    image1.set_visible(false);
    image2.set_visible(false);
}

}  // namespace vardex
