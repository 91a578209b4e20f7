#include "access/security_check.h"

#include <algorithm>
#include <limits>

#include "access/sec_dialog.h"
#include "access/security_page.h"
#include "platform/ansi.h"
#include "platform/hover_help.h"
#include "platform/random.h"
#include "settings/scrambler.h"
#include "settings/settings_store.h"
#include "settings/user_messages.h"

namespace vardex {

namespace {
constexpr char enter_code[] = "Please enter Security Code or Password...";
}

SecurityCheck::SecurityCheck(SecDialog& dialog, SecurityPage& page, Form& options_dialog,
                             SettingsStore& settings, Random& random, UserMessages& messages)
    : dialog_(dialog),
      page_(page),
      options_dialog_(options_dialog),
      settings_(settings),
      random_(random),
      messages_(messages) {
    SecDialog& d = dialog_;
    d.ok_button.on_click = [this] { security_ok(); };
    d.cancel_button.on_click = [this] { cancel_security_check(); };
    for (TextBox* box : {&d.code_box, &d.password_box}) {
        box->on_key_press = [this](int& key) {
            if (key == 13) {
                key = 0;
                security_ok();
            }
        };
    }
    d.wait_timer.on_tick = [this] { wait_tick(); };

    auto hover = [&d](Control& c, std::string text) {
        show_on_hover(c, d.help_label, std::move(text));
    };
    hover(d.ok_button,
          "Click this Buton after you entered a Security Formula or Password above to pass the "
          "Security Check");
    hover(d.cancel_button, "This button gets you out of the Security Check.");
    hover(d.digits_frame,
          "From the random numbers displayed in this frame one can calculate the Security Code");
    hover(d.status_frame, "In this frame there is some status text displayed");
    hover(
        d.help_frame,
        "In this Textbox the help text is displayed. Just move the mouse over the element you want "
        "to have informations about.");
    hover(d.picture, "Just another pretty picture..");
    hover(d.code_box,
          "In this box you enter the Sec. Code you calulated with the Sec. Formula and the random "
          "numbers above. Then click the 'OK' button");
    hover(d.password_box,
          "In this box you enter the password. Then click the 'OK' button to pass the security "
          "check");
}

void SecurityCheck::begin_security_check(CheckAction action) {
    check_action = action;
    if (action == CheckAction::new_formula) {
        test_new_formula(true);
        return;
    }
    SecDialog& d = dialog_;
    d.status_label.set_caption(enter_code);
    d.focus_timer.set_enabled(true);
    show_random_numbers();
    d.code_box.set_text("");
    d.password_box.set_text("");
    d.show();
    if (hold_pointer) {
        hold_pointer();
    }
    if (d.code_box.enabled()) {
        d.code_box.set_focus();
    }
}

void SecurityCheck::show_random_numbers() {
    for (int i = 0; i < 26; ++i) {
        random_numbers[i] = static_cast<int>(random_.next() * 10);
        dialog_.digit_labels[i].set_caption(std::to_string(random_numbers[i]));
    }
}

std::string SecurityCheck::compute_security_code() const {
    std::string code;
    for (char c : settings_.record().Security_Formula) {
        const auto u = static_cast<unsigned char>(upper_ansi(c));
        // Only the letters A to Z name a digit; anything else (from an imported file, say)
        // contributes nothing.
        if (u >= 'A' && u <= 'Z') {
            code += static_cast<char>('0' + random_numbers[u - 'A']);
        }
    }
    return code;
}

void SecurityCheck::security_ok() {
    if (dialog_.wait_timer.interval() != 0) {
        return;  // the wait after a wrong entry runs
    }
    if (check_action == CheckAction::new_formula) {
        test_new_formula(false);
    } else {
        check_security_entry();
    }
}

void SecurityCheck::check_security_entry() {
    SecDialog& d = dialog_;
    const SettingsRecord& r = settings_.record();
    const std::string code = compute_security_code();
    // An empty box never passes, whatever formula or password is stored.
    const bool code_ok = !d.code_box.text().empty() && d.code_box.text() == code;
    const bool password_ok = !d.password_box.text().empty() &&
                             upper_ansi(d.password_box.text()) == upper_ansi(r.Password);
    if (code_ok || password_ok) {
        if (on_passed) {
            on_passed(check_action);
        }
        return;
    }
    d.status_label.set_caption("Password or Security Code was wrong! Please wait 5 s...");
    for (TextBox* box : {&d.code_box, &d.password_box}) {
        box->set_password_char(0);
        box->set_text("wait 4 sec");
        box->set_locked(true);
    }
    d.ok_button.set_caption("Wait 4 sec.");
    d.wait_timer.set_interval(1000);
}

void SecurityCheck::wait_tick() {
    SecDialog& d = dialog_;
    if (!wait_armed) {
        wait_armed = true;
        wait_count = 3;
    } else if (--wait_count <= 0) {
        wait_armed = false;
        d.wait_timer.set_interval(0);
        d.ok_button.set_caption("OK");
        d.status_label.set_caption(enter_code);
        for (TextBox* box : {&d.code_box, &d.password_box}) {
            box->set_locked(false);
            box->set_text("");
            box->set_password_char('X');
        }
        if (d.visible()) {
            d.code_box.set_focus();
        }
        return;
    }
    d.ok_button.set_caption("Wait " + std::to_string(wait_count) + " sec.");
    d.code_box.set_text("wait " + std::to_string(wait_count) + " sec");
    d.password_box.set_text("wait " + std::to_string(wait_count) + " sec");
}

void SecurityCheck::cancel_security_check() {
    dialog_.focus_timer.set_enabled(false);
    if (check_action == CheckAction::new_formula) {
        cancel_formula_test();
    } else if (on_cancelled) {
        on_cancelled(check_action);
    }
}

void SecurityCheck::cancel_formula_test() {
    SecDialog& d = dialog_;
    d.hide();
    d.password_label.set_visible(true);
    d.password_box.set_visible(true);
    settings_.record().Security_Formula = saved_formula;
    options_dialog_.show();
}

void SecurityCheck::test_new_formula(bool starting) {
    SecDialog& d = dialog_;
    SettingsRecord& r = settings_.record();
    SecurityPage& o = page_;
    if (starting) {
        show_random_numbers();
        tests_left = 3;
        saved_formula = upper_ansi(r.Security_Formula);
        r.Security_Formula = upper_ansi(o.formula_box.text());
        d.password_label.set_visible(false);
        d.password_box.set_visible(false);
        d.status_label.set_caption("Check 1... Please enter Security Code!");
        options_dialog_.hide();
        d.show();
        messages_.message(
            "To test the new formula you have to pass 3 security tests! If you pass all 3 tests, "
            "the "
            "new formula will be used!",
            AfterOk::focus_security_code);
        d.code_box.set_text("");
        d.password_box.set_text("");
        return;
    }
    --tests_left;
    const bool right = !d.code_box.text().empty() && d.code_box.text() == compute_security_code();
    if (right && tests_left < 1) {
        o.used_formula_box.set_text(upper_ansi(o.formula_box.text()));
        o.formula_box.set_text("");
        d.focus_timer.set_enabled(false);
        d.hide();
        d.password_label.set_visible(true);
        d.password_box.set_visible(true);
        options_dialog_.show();
        if (settings_.store_security_formula(r.Security_Formula) != 0) {
            messages_.message("Couldn't write to registry! Securiy formula hasn't been changed!");
            r.Security_Formula = saved_formula;
        } else {
            messages_.message("Securiy formula has been changed!");
        }
        return;
    }
    if (!right) {
        messages_.message("Security Code was wrong! Formula hasn't been changed!");
        r.Security_Formula = saved_formula;
        cancel_security_check();
        return;
    }
    d.status_label.set_caption("Check " + std::to_string(4 - tests_left) +
                               "... Please enter Security Code!");
    d.code_box.set_text("");
    d.password_box.set_text("");
    d.code_box.set_focus();
    show_random_numbers();
}

}  // namespace vardex
