#include "network/network_dialog.h"

#include <string>

#include "settings/time_boxes.h"

namespace vardex {

NetworkDialog::NetworkDialog() : Form("Network_Dialog", "Network Control...") {
    move(0, 0, 11640, 6300);
    computer_grid.set_size(100, 5, 1);
    computer_grid.move(120, 120, 7320, 4890);
    dropped_label.move(120, 5100, 7320, 255);
    dropped_label.set_visible(false);
    full_label.move(120, 5370, 7320, 255);
    full_label.set_visible(false);
    const std::int32_t widths[] = {1400, 1500, 1500, 1500, 600};
    const char* headers[] = {"Computer Name", "Status", "Time Running", "Time Remaining", "Com"};
    for (int c = 0; c < 5; ++c) {
        computer_grid.set_col_width(c, widths[c]);
        computer_grid.set_cell(0, c, headers[c]);
    }
    sort_label.set_caption("Sort list of network computers by:");
    sort_label.move(7560, 120, 3840, 270);
    for (const char* item : {"Computer Name", "Status", "Time Running", "Time Remaining"}) {
        sort_box.add_item(item);
    }
    sort_box.move(7560, 420, 3840, 315);
    sort_box.set_list_index(0);
    timing_frame.set_caption("Put Computer in Timing Mode");
    timing_frame.move(7560, 840, 3840, 1335);
    hours_label.set_caption("Hours:");
    hours_label.move(120, 300, 720, 240);
    hours_box.move(120, 540, 735, 315);
    fill_hour_items(hours_box);
    reset_time_and_text();
    minutes_label.set_caption("Minutes:");
    minutes_label.move(1020, 300, 720, 240);
    minutes_box.move(1020, 540, 735, 315);
    fill_minute_items(minutes_box);
    countdown_button.set_caption("&Start Timer Countdown");
    countdown_button.move(120, 900, 3600, 360);
    open_ended_button.set_caption("&Unlock and start timing");
    open_ended_button.move(7560, 2280, 3840, 390);
    lock_button.set_caption("&Put in Lock Mode");
    lock_button.move(7560, 2730, 3840, 390);
    message_frame.set_caption("Send Message");
    message_frame.move(7560, 3180, 3840, 1080);
    text_box.move(120, 300, 3600, 315);
    text_box.set_max_length(100);
    send_button.set_caption("S&end this Message");
    send_button.move(120, 660, 3600, 330);
    ping_button.set_caption("&Ping all computers");
    ping_button.move(7560, 4320, 1860, 390);
    remove_button.set_caption("&Remove from list");
    remove_button.move(9540, 4320, 1860, 390);
    options_button.set_caption("&Options Dialog");
    options_button.move(7560, 4770, 1860, 390);
    main_dialog_button.set_caption("Vardex &Main Dialog");
    main_dialog_button.move(9540, 4770, 1860, 390);
    help_button.set_caption("&Help");
    help_button.move(7560, 5220, 1860, 390);
    exit_button.set_caption("E&xit Vardex");
    exit_button.move(9540, 5220, 1860, 390);
}

void NetworkDialog::reset_time_and_text() {
    hours_box.set_text("1");
    minutes_box.set_text("00");
    text_box.set_text("");
}

}  // namespace vardex
