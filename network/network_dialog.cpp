#include "network/network_dialog.h"

#include <string>

#include "core/time_boxes.h"

namespace vardex {

NetworkDialog::NetworkDialog() : Form("Network_Dialog", "Network Control...") {
    move(0, 0, 9600, 6300);
    computer_grid.set_size(100, 5, 1);
    computer_grid.move(120, 120, 6300, 5520);
    const std::int32_t widths[] = {1400, 1400, 1300, 1300, 600};
    const char* headers[] = {"Computer Name", "Status", "Time Running", "Time Remaining", "Com"};
    for (int c = 0; c < 5; ++c) {
        computer_grid.set_col_width(c, widths[c]);
        computer_grid.set_cell(0, c, headers[c]);
    }
    label3.set_caption("Sort list of network computers by:");
    label3.move(6600, 120, 2760, 255);
    for (const char* item : {"Computer Name", "Status", "Time Running", "Time Remaining"}) {
        combo1.add_item(item);
    }
    combo1.move(6600, 390, 2760, 315);
    combo1.set_list_index(0);
    frame1.set_caption("Put Computer in Timing Mode");
    frame1.move(6600, 840, 2760, 1335);
    label1.set_caption("Hours:");
    label1.move(120, 300, 720, 255);
    hours_box.move(120, 540, 735, 315);
    fill_hour_items(hours_box);
    hours_box.set_text("1");
    label2.set_caption("Minutes:");
    label2.move(1020, 300, 720, 255);
    minutes_box.move(1020, 540, 735, 315);
    fill_minute_items(minutes_box);
    minutes_box.set_text("00");
    command4.set_caption("&Start Timer Countdown");
    command4.move(120, 900, 2520, 360);
    command9.set_caption("&Unlock and start timing");
    command9.move(6600, 2280, 2760, 390);
    command5.set_caption("&Put in Lock Mode");
    command5.move(6600, 2730, 2760, 390);
    frame2.set_caption("Send Message");
    frame2.move(6600, 3180, 2760, 1080);
    text1.move(120, 300, 2520, 315);
    text1.set_max_length(100);
    command10.set_caption("S&end this Message");
    command10.move(120, 660, 2520, 330);
    command7.set_caption("&Ping all computers");
    command7.move(6600, 4320, 1320, 390);
    command6.set_caption("&Remove from list");
    command6.move(8040, 4320, 1320, 390);
    command8.set_caption("&Options Dialog");
    command8.move(6600, 4770, 1320, 390);
    command3.set_caption("Vardex &Main Dialog");
    command3.move(8040, 4770, 1320, 390);
    help_button.set_caption("Help");
    help_button.move(6600, 5220, 1320, 390);
    command1.set_caption("E&xit Vardex");
    command1.move(8040, 5220, 1320, 390);
}

}  // namespace vardex
