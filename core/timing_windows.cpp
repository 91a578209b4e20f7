#include "core/timing_windows.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/program.h"

namespace vardex {

TimingWindows::TimingWindows(Program& program) : program_(program) {
    LaufDialog& lauf = program.lauf_dialog;
    lauf.exit_button.on_click = [this] { exit_timing_mode(); };
    lauf.pause_button.on_click = [this] { pause_button(); };
    lauf.minimize_button.on_click = [this] { minimize(); };
    lauf.shutdown_button.on_click = [this] { program_.quest_dialog.show(); };
    lauf.help_button.on_click = [this] { program_.help.show_topic(HelpTopic::timing_window); };
    lauf.on_resize = [this] { resize(); };
    Lauf2Dialog& small = program.lauf2_dialog;
    small.on_click = [this] { show_timing_window(); };
    small.time_label.on_mouse_down = [this](const MouseEvent& e) {
        label_down(e.button, e.x, e.y);
    };
    small.time_label.on_mouse_move = [this](const MouseEvent& e) {
        label_move(e.button, e.x, e.y);
    };
    small.time_label.on_mouse_up = [this](const MouseEvent& e) { label_up(e.button); };
}

void TimingWindows::exit_timing_mode() {
    Program& p = program_;
    if (p.settings.record().Active_Time_Dist_ID != 0) {
        p.distributer.end_distributer_timing();
    } else {
        p.security.begin_security_check(CheckAction::exit_timing);
    }
    p.lauf_dialog.hide();
}

void TimingWindows::minimize() {
    program_.lauf_dialog.hide();
    program_.lauf2_dialog.show();
}

void TimingWindows::show_timing_window() {
    program_.lauf2_dialog.hide();
    program_.lauf_dialog.show();
}

void TimingWindows::resize() {
    Program& p = program_;
    LaufDialog& lauf = p.lauf_dialog;
    if (p.mode.paused()) {
        // No minimising while paused: the window stays where the pointer is held.
        lauf.set_window_state(WindowState::normal);
        return;
    }
    if (lauf.window_state() != WindowState::minimized) {
        lauf.set_caption("Vardex");
        p.countdown.tick();
    }
}

void TimingWindows::label_down(int button, double x, double y) {
    if (button != mouse::left) {
        return;
    }
    Lauf2Dialog& small = program_.lauf2_dialog;
    small.drag_armed = true;
    small.grab_x = static_cast<std::int16_t>(std::lround(x));
    small.grab_y = static_cast<std::int16_t>(std::lround(y));
}

void TimingWindows::label_move(int buttons, double xd, double yd) {
    if ((buttons & mouse::left) == 0) {
        return;
    }
    Lauf2Dialog& small = program_.lauf2_dialog;
    const auto x = static_cast<std::int32_t>(std::lround(xd));
    const auto y = static_cast<std::int32_t>(std::lround(yd));
    if (x == small.grab_x && y == small.grab_y) {
        return;
    }
    if (small.drag_armed && std::abs(small.grab_x - x) < 100 && std::abs(small.grab_y - y) < 100) {
        return;  // small movements still count as a click
    }
    small.drag_armed = false;
    const Size screen = program_.platform.desktop().screen_size_twips();
    std::int32_t left = small.left() + x - small.grab_x;
    if (left < 0) {
        left = 0;
        small.grab_x = static_cast<std::int16_t>(x);
        small.grab_y = static_cast<std::int16_t>(y);
    }
    if (left + small.width() > screen.width) {
        left = screen.width - small.width();
        small.grab_x = static_cast<std::int16_t>(x);
        small.grab_y = static_cast<std::int16_t>(y);
    }
    std::int32_t top = small.top() + y - small.grab_y;
    if (top < 0) {
        top = 0;
        small.grab_x = static_cast<std::int16_t>(x);
        small.grab_y = static_cast<std::int16_t>(y);
    }
    if (top + small.height() > screen.height) {
        top = screen.height - small.height();
        small.grab_x = static_cast<std::int16_t>(x);
        small.grab_y = static_cast<std::int16_t>(y);
    }
    small.move(left, top, small.width(), small.height());
    small.grab_x =
        static_cast<std::int16_t>(std::clamp<std::int32_t>(small.grab_x, 0, small.width()));
    small.grab_y =
        static_cast<std::int16_t>(std::clamp<std::int32_t>(small.grab_y, 0, small.height()));
}

void TimingWindows::label_up(int button) {
    Lauf2Dialog& small = program_.lauf2_dialog;
    if (button == mouse::right || (button == mouse::left && small.drag_armed)) {
        show_timing_window();
    }
    small.drag_armed = false;
}

void TimingWindows::leave_pause_state() {
    Program& p = program_;
    LaufDialog& lauf = p.lauf_dialog;
    lauf.focus_timer.set_enabled(false);
    lauf.exit_button.set_enabled(true);
    lauf.minimize_button.set_enabled(true);
    lauf.help_button.set_enabled(true);
    lauf.shutdown_button.set_enabled(p.settings.record().Shutoff_Option == 1);
    lauf.pause_button.set_caption(p.settings.record().localised_texts[pause_running]);
}

void TimingWindows::pause_button() {
    Program& p = program_;
    LaufDialog& lauf = p.lauf_dialog;
    const SettingsRecord& r = p.settings.record();
    if (p.mode.paused()) {
        leave_pause_state();
        ModeTransition change =
            p.mode.change_to(p.mode.is(ProgramMode::open_ended_paused) ? ProgramMode::open_ended
                                                                       : ProgramMode::timing);
        // The gap across the pause is no clock change: the clock guard starts afresh.
        p.clock_guard.reset();
        p.vardex_dialog.countdown_timer.set_enabled(true);
        p.countdown.tick();
        p.blocking.unblock_screen();
        if (r.Log_Pausing_Timer == 1) {
            p.log.write_event(": Pause ended.");
        }
        change.announce();
        return;
    }
    lauf.pause_button.set_caption(r.localised_texts[pause_paused]);
    lauf.exit_button.set_enabled(false);
    lauf.minimize_button.set_enabled(false);
    lauf.shutdown_button.set_enabled(false);
    lauf.help_button.set_enabled(false);
    lauf.focus_timer.set_enabled(true);
    p.vardex_dialog.countdown_timer.set_enabled(false);
    p.clock_guard.reset();
    lauf.time_box.set_text("paused");
    if (r.Log_Pausing_Timer == 1) {
        p.log.write_event(": Timer paused.");
    }
    const Size screen = p.platform.desktop().screen_size_twips();
    lauf.move((screen.width - lauf.width()) / 2, (screen.height - lauf.height()) / 2, lauf.width(),
              lauf.height());
    p.blocking.block_screen();
    p.mode
        .change_to(p.mode.is(ProgramMode::timing) ? ProgramMode::paused
                                                  : ProgramMode::open_ended_paused)
        .announce();
}

}  // namespace vardex
