#include "core/start_dialog.h"

namespace vardex {

// A pop-up: the caption only names the window for other programs.
StartDialog::StartDialog() : Form("Start_Dialog", "Vardex - Start") {
    set_popup_style(true);
    set_popup_frame(false);
    move(0, 0, 5400, 3000);
    set_back_color(rgb(0, 0, 96));
    image1_0.move(0, 0, 5400, 3000);
    image1_1.move(0, 0, 5400, 3000);

    label1.set_caption("Vardex");
    label1.set_font(Font{"Arial", 36, true});
    label1.set_fore_color(rgb(255, 255, 255));
    label1.set_alignment(Alignment::center);
    label1.move(0, 700, 5400, 900);

    label2.set_caption("Version 4.1");
    label2.set_font(Font{"Arial", 12, false});
    label2.set_fore_color(rgb(200, 200, 255));
    label2.set_alignment(Alignment::center);
    label2.move(0, 1650, 5400, 400);

    label4.set_caption("Built");
    label4.set_fore_color(rgb(200, 200, 255));
    label4.set_alignment(Alignment::right);
    label4.move(3000, 2600, 2300, 250);

    // The start-up window never closes by request; the program ends only in order.
    on_query_unload = [] { return true; };
}

}  // namespace vardex
