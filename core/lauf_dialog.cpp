#include "core/lauf_dialog.h"

#include "core/program.h"

namespace vardex {

LaufDialog::LaufDialog(Program& program) : Form("Lauf_Dialog", "Vardex", ScaleMode::pixels) {
    move(0, 0, 4620, 2460);
    label1.set_caption("Computer time:");
    label1.move(10, 13, 124, 17);
    zeitbox.move(138, 9, 150, 22);
    zeitbox.set_locked(true);
    command2.set_caption("&Pause");
    command2.move(10, 42, 135, 28);
    command1.set_caption("E&xit Timing Mode");
    command1.move(153, 42, 135, 28);
    command3.set_caption("Minimize");
    command3.move(10, 76, 135, 28);
    command4.set_caption("S&hutdown");
    command4.move(153, 76, 135, 28);
    command5.set_caption("Help");
    command5.move(10, 110, 278, 28);
    on_query_unload = [] { return true; };
    (void)program;
}

// The caption is never shown (pop-up style); it names the window for other programs.
Lauf2Dialog::Lauf2Dialog(Program& program) : Form("Lauf2_Dialog", "Vardex - Time") {
    set_popup_style(true);
    set_popup_frame(false);
    set_back_color(rgb(255, 255, 225));
    label1.set_caption("Time Remaining:");
    label1.set_font(Font{"Arial", 10, true});
    label1.set_auto_size(true);
    label1.move(60, 30, label1.width(), label1.height());
    move(0, 75, label1.width() + 120, label1.height() + 60);
    (void)program;
}

}  // namespace vardex
