#include "core/main_dialog.h"

#include "core/program.h"
#include "platform/hover_help.h"

namespace vardex {

MainDialog::MainDialog(Program& program) : program_(program) {
    VardexDialog& v = program.vardex_dialog;
    v.start_button.on_click = [this] {
        VardexDialog& d = program_.vardex_dialog;
        if (d.hours_box.text().empty()) {
            d.hours_box.set_text("0");
        }
        if (d.minutes_box.text().empty()) {
            d.minutes_box.set_text("0");
        }
        d.stop_sweeps();
        program_.security.begin_security_check(CheckAction::manual_start);
    };
    v.exit_button.on_click = [this] {
        program_.vardex_dialog.stop_sweeps();
        program_.security.begin_security_check(CheckAction::exit_program);
    };
    v.options_button.on_click = [this] {
        program_.vardex_dialog.stop_sweeps();
        program_.security.begin_security_check(CheckAction::options);
    };
    v.about_button.on_click = [this] {
        Program& p = program_;
        p.vardex_dialog.blocked_sweep_timer.set_enabled(false);
        p.vardex_dialog.hide();
        p.about_dialog.show();
        p.blocking.confine_cursor(PointerZone::about);
        p.about_dialog.focus_timer.set_enabled(true);
    };
    v.code_button.on_click = [this] {
        program_.direct_access.redeem_direct_access_code();
        program_.vardex_dialog.code_box.set_text("");
    };
    v.code_box.on_key_press = [this](int& key) {
        if (key == 13 && !program_.vardex_dialog.code_box.text().empty()) {
            program_.direct_access.redeem_direct_access_code();
        }
    };
    v.distributer_button.on_click = [this] { program_.distributer.start_distributer_id(); };
    v.distributer_box.on_key_press = [this](int& key) {
        if (key == 13 && !program_.vardex_dialog.distributer_box.text().empty()) {
            program_.distributer.start_distributer_id();
        }
    };
    v.hours_box.on_lost_focus = [this] {
        ComboBox& box = program_.vardex_dialog.hours_box;
        box.set_text(input_filter(box.text(), 2, "100"));
    };
    v.minutes_box.on_lost_focus = [this] {
        ComboBox& box = program_.vardex_dialog.minutes_box;
        box.set_text(input_filter(box.text(), 4, "10000"));
    };
    wire_help_texts();
}

std::string MainDialog::input_filter(const std::string& text, std::size_t max_digits,
                                     const std::string& too_long) {
    std::string digits;
    for (char c : text) {
        if (c == '.' || c == ',') {
            break;
        }
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return digits.size() <= max_digits ? digits : too_long;
}

void MainDialog::enable_distributer_controls() {
    VardexDialog& v = program_.vardex_dialog;
    const bool any = !program_.settings.record().time_dist_ids.empty();
    if (any) {
        v.distributer_frame.set_visible(true);
    }
    for (Control* c : std::initializer_list<Control*>{&v.distributer_frame, &v.distributer_label,
                                                      &v.distributer_button, &v.distributer_box}) {
        c->set_enabled(any);
    }
}

void MainDialog::wire_help_texts() {
    VardexDialog& v = program_.vardex_dialog;
    auto help = [&v](PointerEvents& target, std::string text) {
        show_on_hover(target, v.help_label, std::move(text));
    };
    help(v, "Touch the item for which you need help...");
    help(v.manual_frame,
         "This is the manual time control for Vardex. Enter an amount of time during which someone "
         "can "
         "use the computer and click on 'Start computer timer'");
    help(v.start_button,
         "Click the 'Start computer timer Button' to start the timer countdown with the time "
         "entered "
         "above");
    // The two Direct Access Code texts are localisable: taken when the mouse arrives.
    const SettingsRecord& r = program_.settings.record();
    show_on_hover(v.code_frame, v.help_label, [&r] { return r.localised_texts[dac_frame_help]; });
    show_on_hover(v.code_button, v.help_label, [&r] { return r.localised_texts[dac_button_help]; });
    help(v.exit_button,
         "Click on this button to Exit 'Vardex' Because you also exit the 'Lock Mode' you have to "
         "pass "
         "a security check to exit");
    help(v.options_button, "This button brings you to the options dialog");
    help(v.about_button,
         "Clicking on the 'About' Button will bring up some informations about the program");
    help(v.picture, "That's just a pretty picture to look at...");
    help(v.help_label, "Yes, that's it! In this Textbox the help text is displayed.");
}

}  // namespace vardex
