#include "access/security_check.h"

#include "core/program.h"

namespace vardex {

void SecurityCheck::begin_security_check(std::int16_t action) {
    check_action = action;
    SecDialog& d = program_.sec_dialog;
    d.label8.set_caption("Please enter Security Code or Password...");
    d.timer1.set_enabled(true);
    show_random_numbers();
    d.text6.set_text("");
    d.text7.set_text("");
    d.show();
    program_.blocking.confine_cursor(2);
    if (d.text6.enabled()) {
        d.text6.set_focus();
    }
}

void SecurityCheck::show_random_numbers() {
    for (int i = 0; i < 26; ++i) {
        random_numbers[i] = static_cast<int>(program_.platform.random().next() * 10);
        program_.sec_dialog.randnum[i].set_caption(std::to_string(random_numbers[i]));
    }
}

}  // namespace vardex
