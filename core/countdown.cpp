#include "core/countdown.h"

#include <algorithm>
#include <climits>
#include <cmath>

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

// A countdown value made whole (halves to the even neighbour) and kept within 32 bits, so a
// count from an absurd checkpoint saturates instead of overflowing.
std::int32_t whole_seconds(double seconds) {
    return static_cast<std::int32_t>(
        std::clamp(std::nearbyint(seconds), double{INT32_MIN}, double{INT32_MAX}));
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

void Countdown::save_recovery_minutes(std::int32_t minutes) {
    // Failures of the checkpoint are ignored: the countdown goes on.
    program_.settings.store_recovery_minutes(minutes);
}

std::string Countdown::time_text(std::int32_t seconds) {
    const std::int64_t s = seconds;
    return two_digits(s / 3600) + ":" + two_digits((s % 3600) / 60) + ":" + two_digits(s % 60);
}

void Countdown::start_timer(std::int32_t seconds, const std::string& log_text) {
    Program& p = program_;
    const SettingsRecord& r = p.settings.record();
    // A new start while paused (crash recovery, a remote start) first leaves the pause state.
    if (p.mode.paused()) {
        p.timing.leave_pause_state();
    }
    ModeTransition change = p.mode.change_to(
        seconds < 0 ? ProgramMode::open_ended : ProgramMode::timing, ModeCause::countdown_started);
    if (seconds < 0) {
        vergangene_festlegen(-static_cast<double>(seconds));
    } else {
        endzeit_festlegen(seconds);
    }
    if (p.about_dialog.visible()) {
        p.about_dialog.leave();
    }
    Lauf2Dialog& small = p.lauf2_dialog;
    const Size screen = p.platform.desktop().screen_size_twips();
    small.move((screen.width - small.width()) / 2, 5 * p.platform.desktop().twips_per_pixel_y(),
               small.width(), small.height());
    p.lauf_dialog.pause_button.set_enabled(r.Pause_Option != 0);
    p.lauf_dialog.shutdown_button.set_enabled(r.Shutoff_Option != 0);
    VardexDialog& v = p.vardex_dialog;
    v.countdown_timer.set_enabled(true);
    v.blocked_sweep_timer.set_enabled(false);
    v.sweep_timer.set_enabled(true);
    if (p.time_dialog.visible()) {
        p.time_dialog.hide();
    }
    p.lauf_dialog.set_window_state(WindowState::normal);
    small.show();
    p.lauf_dialog.hide();
    p.blocking.unblock_screen();
    v.hide();
    p.sec_dialog.focus_timer.set_enabled(false);
    p.sec_dialog.hide();
    tick();
    if (r.Log_Start_Stop_Timer == 1) {
        p.log.write_log("\r");
        p.log.write_log(dashes);
        p.log.write_event(log_text);
    }
    tick();
    // Now that the time shows, the administrator hears of the start.
    change.announce();
}

void Countdown::end_timer(const std::string& log_text) {
    Program& p = program_;
    const SettingsRecord& r = p.settings.record();
    if (p.mode.paused()) {
        p.lauf_dialog.pause_button.raise_click();  // resumes, and logs the end of the pause
    }
    ModeTransition change = p.mode.change_to(ProgramMode::blocked);
    program_.clock_guard.reset();
    p.lauf_dialog.hide();
    VardexDialog& v = p.vardex_dialog;
    v.show();
    v.countdown_timer.set_enabled(false);
    v.start_sweeps();
    p.sec_dialog.focus_timer.set_enabled(false);
    p.time_dialog.hide();
    p.quest_dialog.hide();
    p.lauf2_dialog.hide();
    p.blocking.block_screen();
    p.sec_dialog.hide();
    p.sec_dialog.focus_timer.set_enabled(false);
    if (r.Log_Start_Stop_Timer == 1) {
        p.log.write_event(log_text);
        p.log.write_log(dashes);
        p.log.write_log("\r");
    }
    save_recovery_minutes(0);
    change.announce();
    v.set_focus();
}

void Countdown::tick() {
    Program& p = program_;
    const SettingsRecord& r = p.settings.record();
    if (r.Active_Time_Dist_ID != 0) {
        p.clock_guard.check();
    }
    const double now = p.platform.clock().seconds_since_midnight();
    double delta = now - last_tick;
    last_tick = now;
    // A gap of more than 5 s (a sleeping machine, a pause, midnight) counts as one second.
    if (delta > 5 || delta < 0) {
        delta = 1;
    }
    elapsed_seconds += delta;
    const bool timing = p.mode.is(ProgramMode::timing);
    if (timing) {
        remaining_seconds = whole_seconds(end_seconds - elapsed_seconds);
    } else {
        remaining_seconds = std::max(whole_seconds(elapsed_seconds), 0);
    }
    if (remaining_seconds % 60 == 0) {
        save_recovery_minutes(timing ? remaining_seconds / 60 : -(remaining_seconds / 60));
    }
    show_time(time_text(remaining_seconds));

    if (remaining_seconds < 1 && !p.mode.is(ProgramMode::open_ended)) {
        remaining_seconds = 0;
        if (p.sec_dialog.visible()) {
            p.sec_dialog.focus_timer.set_enabled(false);
            p.sec_dialog.hide();
        }
        if (r.Active_Time_Dist_ID != 0) {
            p.distributer.end_distributer_timing();
        } else {
            end_timer(": Timer-Period was over.");
        }
    }
    if (!p.mode.open_ended()) {
        show_warning(remaining_seconds);
    }
}

void Countdown::show_warning(std::int32_t remaining) {
    const SettingsRecord& r = program_.settings.record();
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
        program_.time_dialog.message(warning);
    }
}

void Countdown::show_time(const std::string& text) {
    Program& p = program_;
    LaufDialog& lauf = p.lauf_dialog;
    if (lauf.visible()) {
        if (lauf.window_state() == WindowState::minimized) {
            lauf.set_caption("Time: " + text);
        } else {
            lauf.time_box.set_text(text);
        }
        return;
    }
    Lauf2Dialog& small = p.lauf2_dialog;
    small.time_label.set_caption(p.settings.record().localised_texts[timer_label] + " " + text);
    small.set_width(small.time_label.width() + 2 * small.time_label.left());
}

}  // namespace vardex
