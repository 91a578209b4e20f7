#include "core/timing_windows.h"

#include "core/program.h"

namespace vardex {

TimingWindows::TimingWindows(Program& program) : program_(program) {
    program.lauf_dialog.command2.on_click = [this] { pause_button(); };
}

void TimingWindows::pause_button() {
    Program& p = program_;
    LaufDialog& lauf = p.lauf_dialog;
    const SettingsRecord& r = p.settings.record();
    const auto& texts = r.localised_texts;
    std::int16_t& mode = p.state.program_mode;
    if (mode == mode_paused || mode == mode_open_ended_paused) {
        lauf.command1.set_enabled(true);
        lauf.command3.set_enabled(true);
        lauf.command5.set_enabled(true);
        lauf.command4.set_enabled(r.Shutoff_Option == 1);
        lauf.command2.set_caption(texts[pause_running]);
        lauf.timer1.set_enabled(false);
        mode = mode == mode_open_ended_paused ? mode_open_ended : mode_timing;
        // The gap across the pause is no clock change: the clock guard starts afresh.
        p.countdown.reset_dat_tim();
        p.vardex_dialog.timer1.set_enabled(true);
        p.countdown.tick();
        p.blocking.unblock_screen();
        if (r.Log_Pausing_Timer == 1) {
            p.log.write_event(": Pause ended.");
        }
        if (r.Network_Role == 1) {
            p.network.send_status_report(true);
        }
        return;
    }
    lauf.command2.set_caption(texts[pause_paused]);
    lauf.command1.set_enabled(false);
    lauf.command3.set_enabled(false);
    lauf.command4.set_enabled(false);
    lauf.command5.set_enabled(false);
    lauf.timer1.set_enabled(true);
    p.vardex_dialog.timer1.set_enabled(false);
    p.countdown.reset_dat_tim();
    lauf.zeitbox.set_text("paused");
    if (r.Log_Pausing_Timer == 1) {
        p.log.write_event(": Timer paused.");
    }
    const Size screen = p.platform.desktop().screen_size_twips();
    lauf.move((screen.width - lauf.width()) / 2, (screen.height - lauf.height()) / 2, lauf.width(),
              lauf.height());
    p.blocking.block_screen();
    mode = mode == mode_timing ? mode_paused : mode_open_ended_paused;
    if (r.Network_Role == 1) {
        p.network.send_status_report(true);
    }
}

}  // namespace vardex
