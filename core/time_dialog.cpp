#include "core/time_dialog.h"

#include "core/program.h"

namespace vardex {

namespace {

constexpr char already_running[] = "Vardex is already running!";

bool ends_with_already_running(const std::string& text) {
    const std::string tail = already_running;
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

constexpr Color newest_title = rgb(0, 0, 0);
constexpr Color newest_text = rgb(128, 0, 0);
constexpr Color older = rgb(95, 95, 95);
constexpr Color panel_color = rgb(255, 255, 255);

}  // namespace

TimeDialog::TimeDialog(Program& program) : Form("Time_Dialog", "Vardex - Info"), program_(program) {
    move(0, 0, 3375, 2400);
    for (int i = 0; i < titel.size(); ++i) {
        for (Label* l : {&titel[i], &mess_txt[i]}) {
            l->move(165, 180, 2860, 255);
            l->set_auto_size(true, true);
            l->set_back_color(panel_color);
            l->set_visible(false);
        }
        titel[i].set_font(Font{"MS Sans Serif", 8, true});
    }
    panel.move(110, 120, 3025, 600);
    panel.set_back_color(panel_color);
    panel.set_border(true);
    ok_button.set_caption("&OK");
    ok_button.move(945, 1550, 1335, 375);
    more_help_button.set_caption("More Help...");
    more_help_button.move(1785, 1550, 1335, 375);
    more_help_button.set_visible(false);

    ok_button.on_click = [this] { ok(); };
    // Pressing "More Help..." has no action of its own.
    on_query_unload = [] { return true; };
}

void TimeDialog::message(const std::string& txt, AfterOk aktion, bool help) {
    after_ok_action = aktion;
    if (help) {
        more_help_button.set_visible(true);
        ok_button.set_left(210);
    } else {
        more_help_button.set_visible(false);
        ok_button.set_left(945);
    }
    if (message_count >= 4) {
        for (int i = 0; i <= 3; ++i) {
            titel[i].set_caption(titel[i + 1].caption());
            mess_txt[i].set_caption(mess_txt[i + 1].caption());
        }
        message_count = 3;
        ++message_number_offset;
    }
    if (txt.compare(0, 18, "The Admin has sent") == 0) {
        program_.platform.desktop().beep();
    }
    const int n = message_count;
    Clock& clock = program_.platform.clock();
    titel[n].set_caption("Message Nr. " + std::to_string(n + message_number_offset + 1) + "   (" +
                         clock.time_text(clock.seconds_since_midnight()) + ")");
    mess_txt[n].set_caption(txt);
    titel[n].set_visible(true);
    mess_txt[n].set_visible(true);

    std::int32_t top = 180;
    for (int i = 0; i <= n; ++i) {
        for (Label* l : {&titel[i], &mess_txt[i]}) {
            l->set_width(2860);
            l->set_left(165);
        }
        titel[i].set_top(top);
        top += titel[i].height() + 30;
        mess_txt[i].set_top(top);
        top += mess_txt[i].height() + 100;
        const bool newest = i == n;
        titel[i].set_fore_color(newest ? newest_title : older);
        mess_txt[i].set_fore_color(newest ? newest_text : older);
    }
    panel.move(110, panel.top(), 3025, top - 35);
    message_count = static_cast<std::int16_t>(n + 1);
    set_height(panel.height() + 1100);
    ok_button.set_top(height() - 850);
    more_help_button.set_top(height() - 850);

    if (program_.about_dialog.visible() || program_.vardex_dialog.visible() ||
        program_.mode.paused()) {
        program_.time_dialog2.message(get_string());
    } else {
        show();
        set_focus();
    }
}

void TimeDialog::ok() {
    // Only the single-instance test ends the program through this text; an administrator's
    // message that happens to end with the same words must not free a blocked machine.
    const bool second_instance = program_.lifecycle.second_instance();
    bool end = false;
    for (int i = 0; i <= 4; ++i) {
        titel[i].set_visible(false);
        mess_txt[i].set_visible(false);
        end = end || ends_with_already_running(titel[i].caption()) ||
              ends_with_already_running(mess_txt[i].caption());
    }
    if (second_instance && end) {
        program_.lifecycle.end_program();
        return;
    }
    hide();
    if (second_instance && ends_with_already_running(panel.caption())) {
        program_.lifecycle.end_program();
        return;
    }
    message_count = 0;
    message_number_offset = 0;
    if (after_ok_action == AfterOk::focus_security_code) {
        program_.sec_dialog.code_box.set_focus();
    } else if (after_ok_action == AfterOk::end_program) {
        program_.lifecycle.end_after_fatal_message();
    }
}

std::string TimeDialog::get_string() {
    std::string all;
    for (int i = 0; i < message_count; ++i) {
        all += titel[i].caption() + "\n\r" + mess_txt[i].caption() + "\n\r\n\r";
    }
    if (all.size() >= 4) {
        all.resize(all.size() - 4);
    }
    ok();
    return all;
}

TimeDialog2::TimeDialog2(Program& program)
    : Form("Time_Dialog2", "Vardex - Info"), program_(program) {
    set_popup_style(true);
    move(0, 0, 3230, 1500);
    set_back_color(rgb(255, 255, 225));
    text_label.set_auto_size(true, true);
    text_label.move(165, 150, 2900, 255);
    ok_button.set_caption("&OK");
    ok_button.move(945, 1000, 1335, 375);
    ok_button.on_click = [this] { ok(); };
}

void TimeDialog2::message(const std::string& txt) {
    text_label.set_width(2900);
    text_label.set_left(165);
    text_label.set_caption("");
    text_label.set_caption(txt);
    set_height(text_label.height() + 750);
    ok_button.set_top(height() - 500);
    show();
    set_focus();
    program_.blocking.confine_cursor(PointerZone::small_message);
}

void TimeDialog2::ok() {
    hide();
    if (program_.lifecycle.second_instance() && ends_with_already_running(text_label.caption())) {
        program_.lifecycle.end_program();
        return;
    }
    text_label.set_caption("");
    if (program_.sec_dialog.visible()) {
        program_.blocking.confine_cursor(PointerZone::security_dialog);
    } else if (program_.about_dialog.visible()) {
        program_.blocking.confine_cursor(PointerZone::about);
    } else if (program_.vardex_dialog.visible()) {
        program_.blocking.confine_cursor(PointerZone::main_dialog);
    } else if (program_.lauf_dialog.visible()) {
        program_.blocking.confine_cursor(PointerZone::pause_button);
    }
}

}  // namespace vardex
