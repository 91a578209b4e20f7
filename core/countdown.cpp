#include "core/countdown.h"

#include <cmath>
#include <cstdio>

#include "core/program.h"

namespace vardex {

namespace {
const std::string dashes(60, '-');

std::string two_digits(std::int64_t v) {
    std::string text = std::to_string(v);
    if (v < 10) {
        text.insert(text.begin(), '0');
    }
    return text;
}
}  // namespace

void Countdown::endzeit_festlegen(std::int32_t endz) {
    end_seconds = endz;
    elapsed_seconds = -1.0;
    last_tick = program_.platform.clock().seconds_since_midnight();
}

void Countdown::vergangene_festlegen(double z) {
    elapsed_seconds = z == 1 ? 0 : z;
    last_tick = program_.platform.clock().seconds_since_midnight();
}

void Countdown::reset_dat_tim() {
    guard_last_timer = 0;
    guard_last_time = 0;
    guard_last_date = 0;
}

void Countdown::save_recovery_minutes(std::int32_t minutes) {
    // Failures of the checkpoint are ignored: the countdown goes on.
    program_.settings.write_number_value(program_.settings.settings_key(), "Value5", minutes);
}

std::string Countdown::time_text(std::int32_t seconds) {
    const std::int64_t s = seconds;
    return two_digits(s / 3600) + ":" + two_digits((s % 3600) / 60) + ":" + two_digits(s % 60);
}

void Countdown::start_timer(std::int32_t seconds, const std::string& log_text) {
    Program& p = program_;
    const SettingsRecord& r = p.settings.record();
    // A new start while paused (crash recovery, a remote start) first leaves the pause state.
    if (p.state.program_mode == mode_paused || p.state.program_mode == mode_open_ended_paused) {
        p.timing.leave_pause_state();
    }
    if (seconds < 0) {
        p.state.program_mode = mode_open_ended;
        vergangene_festlegen(-static_cast<double>(seconds));
    } else {
        p.state.program_mode = mode_timing;
        endzeit_festlegen(seconds);
    }
    if (p.about_dialog.visible()) {
        p.about_dialog.leave();
    }
    Lauf2Dialog& small = p.lauf2_dialog;
    const Size screen = p.platform.desktop().screen_size_twips();
    small.move((screen.width - small.width()) / 2, 5 * p.platform.desktop().twips_per_pixel_y(),
               small.width(), small.height());
    p.lauf_dialog.command2.set_enabled(r.Pause_Option != 0);
    p.lauf_dialog.command4.set_enabled(r.Shutoff_Option != 0);
    p.vardex_dialog.timer1.set_enabled(true);
    p.vardex_dialog.timer2.set_enabled(false);
    p.vardex_dialog.timer3.set_enabled(true);
    if (p.time_dialog.visible()) {
        p.time_dialog.hide();
    }
    p.lauf_dialog.set_window_state(WindowState::normal);
    small.show();
    p.lauf_dialog.hide();
    p.blocking.unblock_screen();
    p.vardex_dialog.hide();
    p.sec_dialog.timer1.set_enabled(false);
    p.sec_dialog.hide();
    tick();
    if (r.Log_Start_Stop_Timer == 1) {
        p.log.write_log("\r");
        p.log.write_log(dashes);
        p.log.write_event(log_text);
    }
    tick();
    if (r.Network_Role == 1) {
        if (p.state.program_mode == mode_open_ended) {
            p.network.send_status_report(true);
        } else {
            p.network.send_countdown_update();
        }
    }
}

void Countdown::end_timer(const std::string& log_text) {
    Program& p = program_;
    const SettingsRecord& r = p.settings.record();
    if (p.state.program_mode == mode_paused || p.state.program_mode == mode_open_ended_paused) {
        p.lauf_dialog.command2.raise_click();
    }
    p.state.program_mode = mode_blocked;
    reset_dat_tim();
    p.lauf_dialog.hide();
    p.vardex_dialog.show();
    p.vardex_dialog.timer1.set_enabled(false);
    p.vardex_dialog.timer2.set_enabled(true);
    p.vardex_dialog.timer3.set_enabled(true);
    p.sec_dialog.timer1.set_enabled(false);
    p.time_dialog.hide();
    p.quest_dialog.hide();
    p.lauf2_dialog.hide();
    p.blocking.block_screen();
    p.sec_dialog.hide();
    p.sec_dialog.timer1.set_enabled(false);
    if (r.Log_Start_Stop_Timer == 1) {
        p.log.write_event(log_text);
        p.log.write_log(dashes);
        p.log.write_log("\r");
    }
    save_recovery_minutes(0);
    if (r.Network_Role == 1) {
        p.network.send_status_report(true);
    }
    p.vardex_dialog.set_focus();
}

void Countdown::tick() {
    Program& p = program_;
    const SettingsRecord& r = p.settings.record();
    std::int16_t mode = p.state.program_mode;
    if (r.Active_Time_Dist_ID != 0) {
        date_time_guard();
    }
    const double now = p.platform.clock().seconds_since_midnight();
    double delta = now - last_tick;
    last_tick = now;
    // A gap of more than 5 s (a sleeping machine, a pause, midnight) counts as one second.
    if (delta > 5 || delta < 0) {
        delta = 1;
    }
    elapsed_seconds += delta;
    std::int32_t& remaining = p.state.remaining_seconds;
    if (mode == mode_timing) {
        remaining = static_cast<std::int32_t>(std::nearbyint(end_seconds - elapsed_seconds));
    } else {
        remaining = static_cast<std::int32_t>(std::nearbyint(elapsed_seconds));
        if (remaining < 0) {
            remaining = 0;
        }
    }
    // The checkpoint, only while time runs: a tick in another mode must not store a value
    // that a later start would resume.
    if (remaining % 60 == 0 && (mode == mode_timing || mode == mode_open_ended)) {
        save_recovery_minutes(mode == mode_timing ? remaining / 60 : -(remaining / 60));
    }
    show_time(time_text(remaining));

    if (remaining < 1 && mode != mode_open_ended) {
        remaining = 0;
        if (p.sec_dialog.visible()) {
            p.sec_dialog.timer1.set_enabled(false);
            p.sec_dialog.hide();
        }
        if (r.Active_Time_Dist_ID != 0) {
            p.distributer.end_distributer_timing();
        } else {
            end_timer(": Timer-Period was over.");
        }
    }
    mode = p.state.program_mode;
    if (mode == mode_open_ended || mode == mode_open_ended_paused) {
        return;
    }
    const char* warning = nullptr;
    if (remaining == 600 && r.Warning_at_10_minutes != 0) {
        warning = "Ten minutes computer time left!";
    } else if (remaining == 300 && r.Warning_at_5_minutes != 0) {
        warning = "Five minutes computer time left!";
    } else if (remaining == 180 && r.Warning_at_3_minutes != 0) {
        warning = "Three minutes computer time left!\nPlease close all open Programs";
    } else if (remaining == 60 && r.Warning_at_1_minutes != 0) {
        warning = "One minute computer time left!\nPlease close all open Programs";
    }
    if (warning != nullptr) {
        p.time_dialog.message(warning, 0, 0, false);
    }
}

void Countdown::show_time(const std::string& text) {
    Program& p = program_;
    LaufDialog& lauf = p.lauf_dialog;
    if (lauf.visible()) {
        if (lauf.window_state() == WindowState::minimized) {
            lauf.set_caption("Time: " + text);
        } else {
            lauf.zeitbox.set_text(text);
        }
        return;
    }
    Lauf2Dialog& small = p.lauf2_dialog;
    small.label1.set_caption(p.settings.record().localised_texts[timer_label] + " " + text);
    small.set_width(small.label1.width() + 2 * small.label1.left());
}

void Countdown::date_time_guard() {
    Clock& clock = program_.platform.clock();
    const LocalTime now = clock.now();
    if (guard_last_timer != 0 && guard_last_date != 0) {
        const bool jumped = (now.seconds - guard_last_timer) > 10;
        const bool changed = (now.day != guard_last_date && now.seconds > 10) || jumped;
        if (changed) {
            clock.set_now(LocalTime{guard_last_date, guard_last_time});
            program_.time_dialog.message(
                "Date/Time was changed. This is not allowed in Time Distributer mode!\nVardex "
                "changed "
                "to old value!",
                0, 0, false);
            return;
        }
        guard_last_time = now.seconds;
        guard_last_timer = static_cast<float>(now.seconds);
    } else {
        guard_last_timer = static_cast<float>(now.seconds);
        guard_last_time = now.seconds;
    }
    guard_last_date = now.day;
}

}  // namespace vardex
