#include "core/main_dialog.h"

#include "core/program.h"

namespace vardex {

MainDialog::MainDialog(Program& program) : program_(program) {
    VardexDialog& v = program.vardex_dialog;
    v.command1.on_click = [this] {
        VardexDialog& d = program_.vardex_dialog;
        if (d.stunden.text().empty()) {
            d.stunden.set_text("0");
        }
        if (d.minuten.text().empty()) {
            d.minuten.set_text("0");
        }
        d.timer3.set_enabled(false);
        d.timer2.set_enabled(false);
        program_.security.begin_security_check(4);
    };
    v.command2.on_click = [this] {
        program_.vardex_dialog.timer3.set_enabled(false);
        program_.vardex_dialog.timer2.set_enabled(false);
        program_.security.begin_security_check(3);
    };
    v.command3.on_click = [this] {
        program_.vardex_dialog.timer3.set_enabled(false);
        program_.vardex_dialog.timer2.set_enabled(false);
        program_.security.begin_security_check(5);
    };
    v.command4.on_click = [this] {
        Program& p = program_;
        p.vardex_dialog.timer2.set_enabled(false);
        p.vardex_dialog.hide();
        p.about_dialog.show();
        p.blocking.confine_cursor(4);
        p.about_dialog.timer1.set_enabled(true);
    };
    v.command5.on_click = [this] {
        program_.direct_access.redeem_direct_access_code();
        program_.vardex_dialog.text1.set_text("");
    };
    v.text1.on_key_press = [this](int& key) {
        if (key == 13 && !program_.vardex_dialog.text1.text().empty()) {
            program_.direct_access.redeem_direct_access_code();
        }
    };
    v.command6.on_click = [this] { program_.distributer.start_distributer_id(); };
    v.text2.on_key_press = [this](int& key) {
        if (key == 13 && !program_.vardex_dialog.text2.text().empty()) {
            program_.distributer.start_distributer_id();
        }
    };
    v.stunden.on_lost_focus = [this] {
        ComboBox& box = program_.vardex_dialog.stunden;
        box.set_text(input_filter(box.text(), 2, "100"));
    };
    v.minuten.on_lost_focus = [this] {
        ComboBox& box = program_.vardex_dialog.minuten;
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

void MainDialog::show_help_text(const std::string& text) {
    program_.vardex_dialog.label4.set_caption(text);
}

void MainDialog::wire_help_texts() {
    VardexDialog& v = program_.vardex_dialog;
    auto help = [this](auto& target, std::string text) {
        target.on_mouse_move = [this, text](const MouseEvent&) { show_help_text(text); };
    };
    help(v, "Touch the item for which you need help...");
    help(v.frame1,
         "This is the manual time control for Vardex. Enter an amount of time during which someone "
         "can "
         "use the computer and click on 'Start computer timer'");
    help(v.command1,
         "Click the 'Start computer timer Button' to start the timer countdown with the time "
         "entered "
         "above");
    // The two Direct Access Code texts are localisable: taken when the mouse arrives.
    v.frame2.on_mouse_move = [this](const MouseEvent&) {
        show_help_text(program_.settings.record().localised_texts[dac_frame_help]);
    };
    v.command5.on_mouse_move = [this](const MouseEvent&) {
        show_help_text(program_.settings.record().localised_texts[dac_button_help]);
    };
    help(v.command2,
         "Click on this button to Exit 'Vardex' Because you also exit the 'Lock Mode' you have to "
         "pass "
         "a security check to exit");
    help(v.command3, "This button brings you to the options dialog");
    help(v.command4,
         "Clicking on the 'About' Button will bring up some informations about the program");
    help(v.image1, "That's just a pretty picture to look at...");
    help(v.label4, "Yes, that's it! In this Textbox the help text is displayed.");
}

}  // namespace vardex
