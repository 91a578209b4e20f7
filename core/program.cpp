#include "core/program.h"

namespace vardex {

Program::Program(Platform& p)
    : platform(p),
      settings(p.registry(), p.random(), p.startup()),
      time_dialog(*this),
      time_dialog2(*this),
      about_dialog(*this),
      quest_dialog(*this),
      lifecycle(*this),
      log(*this),
      help(*this),
      countdown(*this),
      blocking(*this),
      timing(*this),
      main_dialog(*this),
      options(*this),
      security(*this),
      direct_access(*this),
      code_pages(*this),
      distributer(*this),
      forbidden(*this),
      network(*this),
      joining(*this),
      console(*this) {
    settings.show_start_error = [this](const std::string& text, StoreProblem kind) {
        lifecycle.show_start_error(text, kind);
    };
    settings.leave_network = [this] { network.leave_network(); };
    wire();
}

Program::~Program() = default;

void Program::attach_all() {
    for (Form* f : std::initializer_list<Form*>{
             &start_dialog, &blocker_win, &vardex_dialog, &time_dialog, &time_dialog2,
             &explan_dialog, &about_dialog, &quest_dialog, &lauf_dialog, &lauf2_dialog, &sec_dialog,
             &options_dialog, &network_dialog, &help_dialog}) {
        platform.windows().attach(*f);
    }
}

void Program::wire() {
    start_dialog.startup_timer.on_tick = [this] { lifecycle.startup_tick(); };
    vardex_dialog.countdown_timer.on_tick = [this] { countdown.tick(); };
    vardex_dialog.blocked_sweep_timer.on_tick = [this] { forbidden.forbidden_window_sweep(); };
    vardex_dialog.sweep_timer.on_tick = [this] {
        forbidden.forbidden_window_sweep();
        blocking.keep_pointer_confined();
    };
    vardex_dialog.guard_timer.on_tick = [this] { lifecycle.guard_program_file(); };
    lauf_dialog.focus_timer.on_tick = [this] {
        blocking.keep_timing_window_focused();
        blocking.keep_pointer_confined();
    };
}

void Program::start() {
    attach_all();
    const bool watched = platform.desktop().watch_windows([this](WindowChange change, WindowId w) {
        forbidden.window_changed(change, w);
        blocking.window_changed(change);
    });
    forbidden.set_watched(watched);
    lifecycle.load();
}

}  // namespace vardex
