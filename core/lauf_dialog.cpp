#include "core/lauf_dialog.h"

namespace vardex {

LaufDialog::LaufDialog() : Form("Lauf_Dialog", "Vardex", ScaleMode::pixels) {
    move(0, 0, 4620, 2460);
    time_label.set_caption("Computer time:");
    time_label.move(10, 13, 124, 17);
    time_box.move(138, 9, 150, 22);
    time_box.set_locked(true);
    pause_button.set_caption("&Pause");
    pause_button.move(10, 42, 135, 28);
    exit_button.set_caption("E&xit Timing Mode");
    exit_button.move(153, 42, 135, 28);
    minimize_button.set_caption("Minimize");
    minimize_button.move(10, 76, 135, 28);
    shutdown_button.set_caption("S&hutdown");
    shutdown_button.move(153, 76, 135, 28);
    help_button.set_caption("Help");
    help_button.move(10, 110, 278, 28);
    on_query_unload = [] { return true; };
}

// The caption is never shown (pop-up style); it names the window for other programs.
Lauf2Dialog::Lauf2Dialog() : Form("Lauf2_Dialog", "Vardex - Time") {
    set_popup_style(true);
    set_popup_frame(false);
    set_back_color(rgb(255, 255, 225));
    time_label.set_caption("Time Remaining:");
    time_label.set_font(Font{"Arial", 10, true});
    time_label.set_auto_size(true);
    time_label.move(60, 30, time_label.width(), time_label.height());
    move(0, 75, time_label.width() + 120, time_label.height() + 60);
}

}  // namespace vardex
