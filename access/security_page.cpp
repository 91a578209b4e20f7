#include "access/security_page.h"

namespace vardex {

SecurityPage::SecurityPage(Form& f, Frame& p) : form(f), page(p) {
    password_frame.set_caption("Password");
    password_frame.move(60, 0, 8160, 1260);
    password_label.set_caption("New Password:");
    password_label.move(120, 450, 2100, 255);
    password_box.move(2280, 420, 3000, 315);
    password_box.set_max_length(15);
    password_box.set_password_char('X');
    password_button.set_caption("C&hange Password");
    password_button.move(5520, 390, 2520, 375);

    formula_frame.set_caption("Code Generation");
    formula_frame.move(60, 1380, 8160, 1500);
    new_formula_label.set_caption("New Formula:");
    new_formula_label.move(120, 450, 2100, 255);
    formula_box.move(2280, 420, 3000, 315);
    formula_box.set_max_length(31);
    used_formula_label.set_caption("Used Formula:");
    used_formula_label.move(120, 930, 2100, 255);
    used_formula_box.move(2280, 900, 3000, 315);
    used_formula_box.set_locked(true);
    formula_button.set_caption("&Use new formula");
    formula_button.move(5520, 390, 2520, 375);
}

void SecurityPage::fill(const SettingsRecord& r) {
    used_formula_box.set_text(r.Security_Formula);
}

Explanations SecurityPage::explanations() {
    return {
        {&password_frame,
         "Here you can change the password for the security check. Enter the new password (at "
         "most 15 characters) and press 'Change Password'; you will be asked to repeat it."},
        {&formula_frame,
         "Here you can change the security formula, with which you compute the security code "
         "from the random numbers of the security check."},
        {&formula_button,
         "After you entered a new security formula, press this button. You have to pass the "
         "security check three times with the new formula before it is used."},
        {&formula_box,
         "Enter the new security formula in this textbox: 3 to 30 letters from A to Z."},
        {&used_formula_box, "This textbox shows the formula that is used now."},
    };
}

}  // namespace vardex
