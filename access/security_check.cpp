#include "access/security_check.h"

#include "core/program.h"
#include "platform/ansi.h"
#include "settings/scrambler.h"

namespace vardex {

namespace {
constexpr char enter_code[] = "Please enter Security Code or Password...";
}

SecurityCheck::SecurityCheck(Program& program) : program_(program) {
    SecDialog& d = program.sec_dialog;
    d.command1.on_click = [this] { security_ok(); };
    d.command2.on_click = [this] { cancel_security_check(); };
    for (TextBox* box : {&d.text6, &d.text7}) {
        box->on_key_press = [this](int& key) {
            if (key == 13) {
                key = 0;
                security_ok();
            }
        };
    }
    d.timer1.on_tick = [this] { keep_check_focused(); };
    d.timer2.on_tick = [this] { wait_tick(); };

    auto hover = [this](Control& c, std::string text) {
        c.on_mouse_move = [this, text](const MouseEvent&) { show_hover(text); };
    };
    hover(d.command1,
          "Click this Buton after you entered a Security Formula or Password above to pass the "
          "Security Check");
    hover(d.command2, "This button gets you out of the Security Check.");
    hover(d.frame1,
          "From the random numbers displayed in this frame one can calculate the Security Code");
    hover(d.frame2, "In this frame there is some status text displayed");
    hover(
        d.frame3,
        "In this Textbox the help text is displayed. Just move the mouse over the element you want "
        "to have informations about.");
    hover(d.image1, "Just another pretty picture..");
    hover(d.text6,
          "In this box you enter the Sec. Code you calulated with the Sec. Formula and the random "
          "numbers above. Then click the 'OK' button");
    hover(d.text7,
          "In this box you enter the password. Then click the 'OK' button to pass the security "
          "check");

    OptionsDialog& o = program.options_dialog;
    o.command4.on_click = [this] { use_new_formula(); };
    o.command5.on_click = [this] { change_password(); };
}

void SecurityCheck::show_hover(const std::string& text) {
    program_.sec_dialog.label9.set_caption(text);
}

void SecurityCheck::begin_security_check(std::int16_t action) {
    check_action = action;
    if (action == 1) {
        test_new_formula(true);
        return;
    }
    SecDialog& d = program_.sec_dialog;
    d.label8.set_caption(enter_code);
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
    if (program_.sec_dialog.timer2.interval() != 0) {
        return;  // the wait after a wrong entry runs
    }
    if (check_action == 1) {
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
    const bool code_ok = !d.text6.text().empty() && d.text6.text() == code;
    const bool password_ok =
        !d.text7.text().empty() && upper_ansi(d.text7.text()) == upper_ansi(r.Password);
    if (code_ok || password_ok) {
        passed();
        return;
    }
    d.label8.set_caption("Password or Security Code was wrong! Please wait 5 s...");
    for (TextBox* box : {&d.text6, &d.text7}) {
        box->set_password_char(0);
        box->set_text("wait 4 sec");
        box->set_locked(true);
    }
    d.command1.set_caption("Wait 4 sec.");
    d.timer2.set_interval(1000);
}

void SecurityCheck::passed() {
    Program& p = program_;
    SecDialog& d = p.sec_dialog;
    switch (check_action) {
        case 2:
            p.countdown.end_timer(": Timer was exited.");
            break;
        case 3:
            d.hide();
            p.lifecycle.exit_program();
            break;
        case 4: {
            VardexDialog& v = p.vardex_dialog;
            const std::int64_t seconds = std::int64_t{std::atoi(v.stunden.text().c_str())} * 3600 +
                                         std::int64_t{std::atoi(v.minuten.text().c_str())} * 60;
            p.countdown.start_timer(
                static_cast<std::int32_t>(seconds),
                ": Timer started for " + v.stunden.text() + ":" + v.minuten.text());
            break;
        }
        case 5:
            d.timer1.set_enabled(false);
            p.options.fill_options_dialog();
            p.state.program_mode = mode_options;
            if (p.settings.record().Network_Role == 1) {
                p.network.send_status_report(true);
            }
            p.options_dialog.show();
            p.blocking.unblock_screen();
            p.time_dialog.hide();
            p.vardex_dialog.hide();
            d.hide();
            break;
        case 6:
            d.timer1.set_enabled(false);
            p.network_dialog.show();
            p.blocking.unblock_screen();
            p.time_dialog.hide();
            p.vardex_dialog.hide();
            d.hide();
            break;
        default:
            break;
    }
}

void SecurityCheck::wait_tick() {
    SecDialog& d = program_.sec_dialog;
    if (!wait_armed) {
        wait_armed = true;
        wait_count = 3;
    } else if (--wait_count <= 0) {
        wait_armed = false;
        d.timer2.set_interval(0);
        d.command1.set_caption("OK");
        d.label8.set_caption(enter_code);
        for (TextBox* box : {&d.text6, &d.text7}) {
            box->set_locked(false);
            box->set_text("");
            box->set_password_char('X');
        }
        if (d.visible()) {
            d.text6.set_focus();
        }
        return;
    }
    d.command1.set_caption("Wait " + std::to_string(wait_count) + " sec.");
    d.text6.set_text("wait " + std::to_string(wait_count) + " sec");
    d.text7.set_text("wait " + std::to_string(wait_count) + " sec");
}

void SecurityCheck::cancel_security_check() {
    Program& p = program_;
    SecDialog& d = p.sec_dialog;
    VardexDialog& v = p.vardex_dialog;
    d.timer1.set_enabled(false);
    switch (check_action) {
        case 1:
            d.hide();
            d.label7.set_visible(true);
            d.text7.set_visible(true);
            p.settings.record().Security_Formula = saved_formula;
            p.options_dialog.show();
            break;
        case 2:
            d.hide();
            p.blocking.unblock_screen();
            p.lauf_dialog.show();
            break;
        case 3:
            d.hide();
            v.timer2.set_enabled(true);
            v.timer3.set_enabled(true);
            p.blocking.confine_cursor(1);
            break;
        case 4:
            v.timer2.set_enabled(true);
            v.timer3.set_enabled(true);
            p.blocking.confine_cursor(1);
            d.hide();
            break;
        case 5:
        case 6:
            p.blocking.confine_cursor(1);
            d.hide();
            v.show();
            v.timer2.set_enabled(true);
            v.timer3.set_enabled(true);
            break;
        default:
            d.hide();
            break;
    }
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
    const std::string formula = program_.options_dialog.text2.text();
    auto refuse = [this](const std::string& text) {
        program_.time_dialog.message(text, 0, 0, false);
    };
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
    begin_security_check(1);
}

void SecurityCheck::test_new_formula(bool starting) {
    Program& p = program_;
    SecDialog& d = p.sec_dialog;
    SettingsRecord& r = p.settings.record();
    OptionsDialog& o = p.options_dialog;
    if (starting) {
        show_random_numbers();
        tests_left = 3;
        saved_formula = upper_ansi(r.Security_Formula);
        r.Security_Formula = upper_ansi(o.text2.text());
        d.label7.set_visible(false);
        d.text7.set_visible(false);
        d.label8.set_caption("Check 1... Please enter Security Code!");
        o.hide();
        d.show();
        p.time_dialog.message(
            "To test the new formula you have to pass 3 security tests! If you pass all 3 tests, "
            "the "
            "new formula will be used!",
            1, 0, false);
        d.text6.set_text("");
        d.text7.set_text("");
        return;
    }
    --tests_left;
    const bool right = !d.text6.text().empty() && d.text6.text() == compute_security_code();
    if (right && tests_left < 1) {
        o.text3.set_text(upper_ansi(o.text2.text()));
        o.text2.set_text("");
        d.timer1.set_enabled(false);
        d.hide();
        d.label7.set_visible(true);
        d.text7.set_visible(true);
        o.show();
        if (p.settings.write_scrambled(p.settings.settings_key(), "String1", r.Security_Formula) !=
            0) {
            p.time_dialog.message(
                "Couldn't write to registry! Securiy formula hasn't been changed!", 0, 0, false);
            r.Security_Formula = saved_formula;
        } else {
            p.time_dialog.message("Securiy formula has been changed!", 0, 0, false);
        }
        return;
    }
    if (!right) {
        p.time_dialog.message("Security Code was wrong! Formula hasn't been changed!", 0, 0, false);
        r.Security_Formula = saved_formula;
        cancel_security_check();
        return;
    }
    d.label8.set_caption("Check " + std::to_string(4 - tests_left) +
                         "... Please enter Security Code!");
    d.text6.set_text("");
    d.text7.set_text("");
    d.text6.set_focus();
    show_random_numbers();
}

void SecurityCheck::change_password() {
    Program& p = program_;
    const std::string password = p.options_dialog.text4.text();
    if (password.empty()) {
        p.time_dialog.message("First enter a new Password, then press 'Change Password'!", 0, 0,
                              false);
        return;
    }
    if (password.size() > 15) {
        p.time_dialog.message("Password has to be shorter than 15 characters!", 0, 0, false);
        return;
    }
    const std::string again = p.platform.desktop().input_box(
        "For safety reasons, please repeat the new Password:", "Double Check", "");
    if (upper_ansi(again) != upper_ansi(password)) {
        p.time_dialog.message("Passwords weren't the same! Password hasn't changed!", 0, 0, false);
        return;
    }
    store_password();
}

void SecurityCheck::store_password() {
    Program& p = program_;
    OptionsDialog& o = p.options_dialog;
    const std::string password = o.text4.text();
    const long r = p.settings.write_scrambled(p.settings.settings_key(), "String2", password);
    o.text4.set_text("");
    if (r != 0) {
        p.time_dialog.message("Couldn't write to registry! Password hasn't been changed!", 0, 0,
                              false);
        return;
    }
    p.settings.record().Password = password;
    p.time_dialog.message("Password has been changed!", 0, 0, false);
}

}  // namespace vardex
