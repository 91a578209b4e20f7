#include "access/security_check.h"

#include <algorithm>
#include <limits>

#include "core/program.h"
#include "platform/ansi.h"
#include "settings/scrambler.h"

namespace vardex {

namespace {
constexpr char enter_code[] = "Please enter Security Code or Password...";
}

SecurityCheck::SecurityCheck(Program& program) : program_(program) {
    SecDialog& d = program.sec_dialog;
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
    d.focus_timer.on_tick = [this] { keep_check_focused(); };
    d.wait_timer.on_tick = [this] { wait_tick(); };

    auto hover = [this](Control& c, std::string text) {
        c.on_mouse_move = [this, text](const MouseEvent&) { show_hover(text); };
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

    SecurityPage& o = program.options_dialog.security;
    o.formula_button.on_click = [this] { use_new_formula(); };
    o.password_button.on_click = [this] { change_password(); };
}

void SecurityCheck::show_hover(const std::string& text) {
    program_.sec_dialog.help_label.set_caption(text);
}

void SecurityCheck::begin_security_check(CheckAction action) {
    check_action = action;
    if (action == CheckAction::new_formula) {
        test_new_formula(true);
        return;
    }
    SecDialog& d = program_.sec_dialog;
    d.status_label.set_caption(enter_code);
    d.focus_timer.set_enabled(true);
    show_random_numbers();
    d.code_box.set_text("");
    d.password_box.set_text("");
    d.show();
    program_.blocking.confine_cursor(PointerZone::security_dialog);
    if (d.code_box.enabled()) {
        d.code_box.set_focus();
    }
}

void SecurityCheck::show_random_numbers() {
    for (int i = 0; i < 26; ++i) {
        random_numbers[i] = static_cast<int>(program_.platform.random().next() * 10);
        program_.sec_dialog.digit_labels[i].set_caption(std::to_string(random_numbers[i]));
    }
}

std::string SecurityCheck::compute_security_code() const {
    std::string code;
    for (char c : program_.settings.record().Security_Formula) {
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
    if (program_.sec_dialog.wait_timer.interval() != 0) {
        return;  // the wait after a wrong entry runs
    }
    if (check_action == CheckAction::new_formula) {
        test_new_formula(false);
    } else {
        check_security_entry();
    }
}

void SecurityCheck::check_security_entry() {
    SecDialog& d = program_.sec_dialog;
    const SettingsRecord& r = program_.settings.record();
    const std::string code = compute_security_code();
    // An empty box never passes, whatever formula or password is stored.
    const bool code_ok = !d.code_box.text().empty() && d.code_box.text() == code;
    const bool password_ok = !d.password_box.text().empty() &&
                             upper_ansi(d.password_box.text()) == upper_ansi(r.Password);
    if (code_ok || password_ok) {
        passed();
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

// What each action does once the check is passed and when it is cancelled, side by side.
struct SecurityCheck::ActionSteps {
    void (SecurityCheck::*pass)();  // nullptr: the formula test decides itself
    void (SecurityCheck::*cancel)();
};

const SecurityCheck::ActionSteps& SecurityCheck::steps(CheckAction action) {
    static const ActionSteps new_formula{nullptr, &SecurityCheck::cancel_formula_test};
    static const ActionSteps exit_timing{&SecurityCheck::pass_exit_timing,
                                         &SecurityCheck::cancel_exit_timing};
    static const ActionSteps exit_program{&SecurityCheck::pass_exit_program,
                                          &SecurityCheck::cancel_exit_program};
    static const ActionSteps manual_start{&SecurityCheck::pass_manual_start,
                                          &SecurityCheck::cancel_manual_start};
    static const ActionSteps options{&SecurityCheck::pass_options,
                                     &SecurityCheck::back_to_main_dialog};
    static const ActionSteps network_dialog{&SecurityCheck::pass_network_dialog,
                                            &SecurityCheck::back_to_main_dialog};
    switch (action) {
        case CheckAction::new_formula:
            return new_formula;
        case CheckAction::exit_timing:
            return exit_timing;
        case CheckAction::exit_program:
            return exit_program;
        case CheckAction::manual_start:
            return manual_start;
        case CheckAction::options:
            return options;
        case CheckAction::network_dialog:
            break;
    }
    return network_dialog;
}

void SecurityCheck::passed() {
    if (const auto pass = steps(check_action).pass) {
        (this->*pass)();
    }
}

void SecurityCheck::pass_exit_timing() {
    program_.countdown.end_timer(": Timer was exited.");
}

void SecurityCheck::pass_exit_program() {
    program_.sec_dialog.hide();
    program_.lifecycle.exit_program();
}

void SecurityCheck::pass_manual_start() {
    VardexDialog& v = program_.vardex_dialog;
    // The boxes' filters leave two and four digits at most.
    const std::int64_t seconds = whole_number(v.hours_box.text()).value_or(0) * 3600 +
                                 whole_number(v.minutes_box.text()).value_or(0) * 60;
    program_.countdown.start_timer(
        static_cast<std::int32_t>(
            std::min<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::max())),
        ": Timer started for " + v.hours_box.text() + ":" + v.minutes_box.text());
}

void SecurityCheck::pass_options() {
    program_.sec_dialog.focus_timer.set_enabled(false);
    program_.options.open_options_dialog();
    program_.sec_dialog.hide();
}

void SecurityCheck::pass_network_dialog() {
    program_.console.open_after_check();
}

void SecurityCheck::wait_tick() {
    SecDialog& d = program_.sec_dialog;
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
    program_.sec_dialog.focus_timer.set_enabled(false);
    (this->*steps(check_action).cancel)();
}

void SecurityCheck::cancel_formula_test() {
    Program& p = program_;
    SecDialog& d = p.sec_dialog;
    d.hide();
    d.password_label.set_visible(true);
    d.password_box.set_visible(true);
    p.settings.record().Security_Formula = saved_formula;
    p.options_dialog.show();
}

void SecurityCheck::cancel_exit_timing() {
    program_.sec_dialog.hide();
    program_.blocking.unblock_screen();
    program_.lauf_dialog.show();
}

void SecurityCheck::cancel_exit_program() {
    program_.sec_dialog.hide();
    program_.vardex_dialog.start_sweeps();
    program_.blocking.confine_cursor(PointerZone::main_dialog);
}

void SecurityCheck::cancel_manual_start() {
    program_.vardex_dialog.start_sweeps();
    program_.blocking.confine_cursor(PointerZone::main_dialog);
    program_.sec_dialog.hide();
}

void SecurityCheck::back_to_main_dialog() {
    program_.blocking.confine_cursor(PointerZone::main_dialog);
    program_.sec_dialog.hide();
    program_.vardex_dialog.show();
    program_.vardex_dialog.start_sweeps();
}

void SecurityCheck::keep_check_focused() {
    Program& p = program_;
    p.forbidden.forbidden_window_sweep();
    p.blocking.keep_pointer_confined();
    Form* active = p.platform.windows().active_form();
    if (active != &p.sec_dialog && active != &p.time_dialog && active != &p.time_dialog2) {
        p.sec_dialog.set_focus();
    }
}

void SecurityCheck::use_new_formula() {
    const std::string formula = program_.options_dialog.security.formula_box.text();
    auto refuse = [this](const std::string& text) { program_.time_dialog.message(text); };
    if (formula.size() > 30) {
        refuse("Formula too long! (Maximum 30 characters)\nFormula hasn't been changed!");
        return;
    }
    if (formula.empty()) {
        refuse("First enter the new formula, then press the Button 'Use new formula'");
        return;
    }
    if (formula.size() < 3) {
        refuse("Formula has to have at least 3 characters!\nFormula hasn't been changed!");
        return;
    }
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const auto u = static_cast<unsigned char>(upper_ansi(formula[i]));
        if (u < 65 || u > 90) {
            refuse("Unallowed character at position " + std::to_string(i + 1) +
                   "!\nFormula hasn't been changed!");
            return;
        }
    }
    begin_security_check(CheckAction::new_formula);
}

void SecurityCheck::test_new_formula(bool starting) {
    Program& p = program_;
    SecDialog& d = p.sec_dialog;
    SettingsRecord& r = p.settings.record();
    SecurityPage& o = p.options_dialog.security;
    if (starting) {
        show_random_numbers();
        tests_left = 3;
        saved_formula = upper_ansi(r.Security_Formula);
        r.Security_Formula = upper_ansi(o.formula_box.text());
        d.password_label.set_visible(false);
        d.password_box.set_visible(false);
        d.status_label.set_caption("Check 1... Please enter Security Code!");
        p.options_dialog.hide();
        d.show();
        p.time_dialog.message(
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
        p.options_dialog.show();
        if (p.settings.store_security_formula(r.Security_Formula) != 0) {
            p.time_dialog.message(
                "Couldn't write to registry! Securiy formula hasn't been changed!");
            r.Security_Formula = saved_formula;
        } else {
            p.time_dialog.message("Securiy formula has been changed!");
        }
        return;
    }
    if (!right) {
        p.time_dialog.message("Security Code was wrong! Formula hasn't been changed!");
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

void SecurityCheck::change_password() {
    Program& p = program_;
    const std::string password = p.options_dialog.security.password_box.text();
    if (password.empty()) {
        p.time_dialog.message("First enter a new Password, then press 'Change Password'!");
        return;
    }
    if (password.size() > 15) {
        p.time_dialog.message("Password has to be shorter than 15 characters!");
        return;
    }
    const std::string again = p.platform.desktop().input_box(
        "For safety reasons, please repeat the new Password:", "Double Check", "");
    if (upper_ansi(again) != upper_ansi(password)) {
        p.time_dialog.message("Passwords weren't the same! Password hasn't changed!");
        return;
    }
    store_password();
}

void SecurityCheck::store_password() {
    Program& p = program_;
    SecurityPage& o = p.options_dialog.security;
    const std::string password = o.password_box.text();
    const long r = p.settings.store_password(password);
    o.password_box.set_text("");
    if (r != 0) {
        p.time_dialog.message("Couldn't write to registry! Password hasn't been changed!");
        return;
    }
    p.settings.record().Password = password;
    p.time_dialog.message("Password has been changed!");
}

}  // namespace vardex
