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
constexpr Color panel = rgb(255, 255, 255);

}  // namespace

TimeDialog::TimeDialog(Program& program) : Form("Time_Dialog", "Vardex - Info"), program_(program) {
    move(0, 0, 3375, 2400);
    for (int i = 0; i < titel.size(); ++i) {
        for (Label* l : {&titel[i], &mess_txt[i]}) {
            l->move(165, 180, 2860, 255);
            l->set_auto_size(true, true);
            l->set_back_color(panel);
            l->set_visible(false);
        }
        titel[i].set_font(Font{"MS Sans Serif", 8, true});
    }
    label1.move(110, 120, 3025, 600);
    label1.set_back_color(panel);
    label1.set_border(true);
    command1.set_caption("&OK");
    command1.move(945, 1550, 1335, 375);
    command2.set_caption("More Help...");
    command2.move(1785, 1550, 1335, 375);
    command2.set_visible(false);

    command1.on_click = [this] { ok(); };
    // Pressing "More Help..." has no action of its own.
    on_query_unload = [] { return true; };
}

void TimeDialog::message(const std::string& txt, int aktion, int /*clip*/, bool help) {
    after_ok_action = static_cast<std::int16_t>(aktion);
    if (help) {
        command2.set_visible(true);
        command1.set_left(210);
    } else {
        command2.set_visible(false);
        command1.set_left(945);
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
    label1.move(110, label1.top(), 3025, top - 35);
    message_count = static_cast<std::int16_t>(n + 1);
    set_height(label1.height() + 1100);
    command1.set_top(height() - 850);
    command2.set_top(height() - 850);

    if (program_.about_dialog.visible() || program_.vardex_dialog.visible() ||
        program_.state.program_mode == mode_paused ||
        program_.state.program_mode == mode_open_ended_paused) {
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
    if (second_instance && ends_with_already_running(label1.caption())) {
        program_.lifecycle.end_program();
        return;
    }
    message_count = 0;
    message_number_offset = 0;
    if (after_ok_action == 1) {
        program_.sec_dialog.text6.set_focus();
    } else if (after_ok_action == 2) {
        program_.lifecycle.end_program();
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
    move(0, 0, 3230, 1500);
    set_back_color(rgb(255, 255, 225));
    label1.set_auto_size(true, true);
    label1.move(165, 150, 2900, 255);
    command1.set_caption("&OK");
    command1.move(945, 1000, 1335, 375);
    command1.on_click = [this] { ok(); };
}

void TimeDialog2::message(const std::string& txt, int /*aktion*/, int /*clip*/) {
    label1.set_width(2900);
    label1.set_left(165);
    label1.set_caption("");
    label1.set_caption(txt);
    set_height(label1.height() + 750);
    command1.set_top(height() - 500);
    show();
    set_focus();
    program_.blocking.confine_cursor(3);
}

void TimeDialog2::ok() {
    hide();
    if (program_.lifecycle.second_instance() && ends_with_already_running(label1.caption())) {
        program_.lifecycle.end_program();
        return;
    }
    label1.set_caption("");
    if (program_.sec_dialog.visible()) {
        program_.blocking.confine_cursor(2);
    } else if (program_.about_dialog.visible()) {
        program_.blocking.confine_cursor(4);
    } else if (program_.vardex_dialog.visible()) {
        program_.blocking.confine_cursor(1);
    } else if (program_.lauf_dialog.visible()) {
        program_.blocking.confine_cursor(5);
    }
}

}  // namespace vardex
