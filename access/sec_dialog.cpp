#include "access/sec_dialog.h"

#include <string>

namespace vardex {

SecDialog::SecDialog() : Form("Sec_Dialog", "Vardex - Security Check") {
    set_popup_style(true);
    move(0, 0, 6120, 4800);
    digits_frame.set_caption("Given Numbers");
    digits_frame.move(120, 120, 5880, 1380);
    for (int i = 0; i < 26; ++i) {
        const int column = i % 13;
        const int row = i / 13;
        letter_labels[i].set_caption(std::string(1, static_cast<char>('A' + i)) + ":");
        letter_labels[i].move(150 + column * 440, 360 + row * 480, 240, 255);
        digit_labels[i].set_caption("0");
        digit_labels[i].set_font(Font{"MS Sans Serif", 8, true});
        digit_labels[i].move(390 + column * 440, 360 + row * 480, 180, 255);
    }
    code_label.set_caption("Security Code:");
    code_label.move(120, 1680, 1560, 255);
    code_box.move(1740, 1640, 2220, 315);
    code_box.set_password_char('X');
    password_label.set_caption("or Password");
    password_label.move(120, 2100, 1560, 255);
    password_box.move(1740, 2060, 2220, 315);
    password_box.set_password_char('X');
    ok_button.set_caption("&OK");
    ok_button.move(4200, 1620, 1800, 390);
    cancel_button.set_caption("Cancel");
    cancel_button.move(4200, 2040, 1800, 390);
    status_frame.set_caption("Status");
    status_frame.move(120, 2580, 5880, 675);
    status_label.move(150, 300, 5580, 255);
    help_frame.set_caption("Help Text...");
    help_frame.move(120, 3360, 4560, 1260);
    help_label.set_caption("Touch the item for which you need help...");
    help_label.move(150, 270, 4260, 900);
    picture.move(4800, 3420, 1095, 1095);
    on_query_unload = [] { return true; };
}

}  // namespace vardex
