#include "core/start_dialog.h"

namespace vardex {

// A pop-up: the caption only names the window for other programs.
StartDialog::StartDialog() : Form("Start_Dialog", "Vardex - Start") {
    set_popup_style(true);
    set_popup_frame(false);
    move(0, 0, 5400, 3000);
    set_back_color(rgb(0, 0, 96));
    splash.move(0, 0, 5400, 3000);
    second_splash.move(0, 0, 5400, 3000);

    title_label.set_caption("Vardex");
    title_label.set_font(Font{"Arial", 36, true});
    title_label.set_fore_color(rgb(255, 255, 255));
    title_label.set_alignment(Alignment::center);
    title_label.move(0, 700, 5400, 900);

    version_label.set_caption("Version 4.1");
    version_label.set_font(Font{"Arial", 12, false});
    version_label.set_fore_color(rgb(200, 200, 255));
    version_label.set_alignment(Alignment::center);
    version_label.move(0, 1650, 5400, 400);

    build_label.set_caption("Built");
    build_label.set_fore_color(rgb(200, 200, 255));
    build_label.set_alignment(Alignment::right);
    build_label.move(3000, 2600, 2300, 250);

    // The start-up window never closes by request; the program ends only in order.
    on_query_unload = [] { return true; };
}

}  // namespace vardex
