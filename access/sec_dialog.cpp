#include "access/sec_dialog.h"

#include <string>

namespace vardex {

SecDialog::SecDialog(Program& /*program*/) : Form("Sec_Dialog", "Vardex - Security Check") {
    move(0, 0, 6120, 4800);
    frame1.set_caption("Given Numbers");
    frame1.move(120, 120, 5880, 1380);
    for (int i = 0; i < 26; ++i) {
        const int column = i % 13;
        const int row = i / 13;
        label1[i].set_caption(std::string(1, static_cast<char>('A' + i)) + ":");
        label1[i].move(150 + column * 440, 360 + row * 480, 240, 255);
        randnum[i].set_caption("0");
        randnum[i].set_font(Font{"MS Sans Serif", 8, true});
        randnum[i].move(390 + column * 440, 360 + row * 480, 180, 255);
    }
    label6.set_caption("Security Code:");
    label6.move(120, 1680, 1560, 255);
    text6.move(1740, 1640, 2220, 315);
    text6.set_password_char('X');
    label7.set_caption("or Password");
    label7.move(120, 2100, 1560, 255);
    text7.move(1740, 2060, 2220, 315);
    text7.set_password_char('X');
    command1.set_caption("&OK");
    command1.move(4200, 1620, 1800, 390);
    command2.set_caption("Cancel");
    command2.move(4200, 2040, 1800, 390);
    frame2.set_caption("Status");
    frame2.move(120, 2580, 5880, 675);
    label8.move(150, 300, 5580, 255);
    frame3.set_caption("Help Text...");
    frame3.move(120, 3360, 4560, 1260);
    label9.set_caption("Touch the item for which you need help...");
    label9.move(150, 270, 4260, 900);
    image1.move(4800, 3420, 1095, 1095);
    on_query_unload = [] { return true; };
}

}  // namespace vardex
