#include "core/vardex_dialog.h"

#include "core/program.h"
#include "core/time_boxes.h"

namespace vardex {

VardexDialog::VardexDialog(Program& program) : Form("Vardex_Dialog", "Vardex") {
    move(0, 0, 6735, 5520);
    image1.move(120, 120, 1095, 1095);

    frame1.set_caption("Manual Time Control");
    frame1.move(1320, 120, 5295, 1335);
    stunden.move(180, 330, 735, 315);
    fill_hour_items(stunden);
    label1.set_caption("hours and");
    label1.move(1020, 375, 900, 255);
    minuten.move(1980, 330, 735, 315);
    fill_minute_items(minuten);
    label2.set_caption("minutes");
    label2.move(2820, 375, 900, 255);
    command1.set_caption("&Start computer timer");
    command1.move(180, 810, 2535, 390);

    frame2.set_caption("Direct Access code");
    frame2.move(120, 1560, 6495, 1095);
    label3.move(180, 300, 6135, 255);
    text1.move(180, 600, 2400, 315);
    text1.set_max_length(20);
    command5.move(2700, 570, 3615, 390);

    frame4.set_caption("Time Distributor");
    frame4.move(120, 2760, 6495, 1035);
    label5.set_caption("Time Distributor ID:");
    label5.move(180, 300, 3000, 255);
    text2.move(180, 570, 2400, 315);
    text2.set_max_length(30);
    text2.set_password_char('X');
    command6.set_caption("Start timer for Distributor ID");
    command6.move(2700, 540, 3615, 390);

    frame3.set_caption("Help Text...");
    frame3.move(120, 3900, 6495, 975);
    label4.set_caption("Touch the item for which you need help...");
    label4.move(180, 270, 6135, 615);

    command2.set_caption("E&xit Vardex");
    command2.move(120, 4980, 2055, 420);
    command3.set_caption("&Options");
    command3.move(2340, 4980, 2055, 420);
    command4.set_caption("&About");
    command4.move(4560, 4980, 2055, 420);

    // The main dialog never closes by request.
    on_query_unload = [] { return true; };
    (void)program;
}

}  // namespace vardex
