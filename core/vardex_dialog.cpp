#include "core/vardex_dialog.h"

#include "settings/time_boxes.h"

namespace vardex {

VardexDialog::VardexDialog() : Form("Vardex_Dialog", "Vardex") {
    set_popup_style(true);
    move(0, 0, 6735, 5520);
    picture.move(120, 120, 1095, 1095);

    manual_frame.set_caption("Manual Time Control");
    manual_frame.move(1320, 120, 5295, 1335);
    hours_box.move(180, 330, 735, 315);
    fill_hour_items(hours_box);
    hours_label.set_caption("hours and");
    hours_label.move(1020, 375, 900, 255);
    minutes_box.move(1980, 330, 735, 315);
    fill_minute_items(minutes_box);
    minutes_label.set_caption("minutes");
    minutes_label.move(2820, 375, 900, 255);
    start_button.set_caption("&Start computer timer");
    start_button.move(180, 810, 2535, 390);

    code_frame.set_caption("Direct Access code");
    code_frame.move(120, 1560, 6495, 1095);
    code_label.move(180, 300, 6135, 255);
    code_box.move(180, 600, 2400, 315);
    code_box.set_max_length(20);
    code_button.move(2700, 570, 3615, 390);

    distributer_frame.set_caption("Time Distributor");
    distributer_frame.move(120, 2760, 6495, 1035);
    distributer_label.set_caption("Time Distributor ID:");
    distributer_label.move(180, 300, 2400, 255);  // clear of the button below it
    distributer_box.move(180, 570, 2400, 315);
    distributer_box.set_max_length(30);
    distributer_box.set_password_char('X');
    distributer_button.set_caption("Start timer for Distributor ID");
    distributer_button.move(2700, 540, 3615, 390);

    help_frame.set_caption("Help Text...");
    help_frame.move(120, 3900, 6495, 975);
    help_label.set_caption("Touch the item for which you need help...");
    help_label.move(180, 270, 6135, 615);

    exit_button.set_caption("E&xit Vardex");
    exit_button.move(120, 4980, 2055, 420);
    options_button.set_caption("&Options");
    options_button.move(2340, 4980, 2055, 420);
    about_button.set_caption("&About");
    about_button.move(4560, 4980, 2055, 420);

    // The main dialog never closes by request.
    on_query_unload = [] { return true; };
}

}  // namespace vardex
