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
      security(sec_dialog, options_dialog.security, options_dialog, settings, p.random(), messages),
      security_page_buttons(options_dialog.security, security, settings, p.desktop(), messages),
      check_actions(*this),
      direct_access(vardex_dialog.code_box, settings, messages, countdown),
      code_pages(options_dialog.code_pages, settings, p, messages),
      distributer(options_dialog.distributer, vardex_dialog.distributer_box, settings, p.clock(),
                  p.desktop(), messages, countdown),
      forbidden(settings, p.desktop(), p.clock()),
      forbidden_editing(options_dialog.forbidden, options_dialog, explan_dialog, settings,
                        p.desktop(), messages),
      network(p, settings, mode, countdown, messages, options_dialog.network,
              vardex_dialog.network_timer),
      joining(options_dialog.network, options_dialog, network, settings, p.windows(), messages),
      console(network_dialog, network, settings, p, messages,
              ConsoleFlow{
                  .leave_blocked_machine =
                      [this] {
                          sec_dialog.focus_timer.set_enabled(false);
                          blocking.unblock_screen();
                          if (time_dialog.visible()) {
                              time_dialog.hide();
                          }
                          vardex_dialog.hide();
                          sec_dialog.hide();
                      },
                  .hide_options = [this] { options_dialog.hide(); },
                  .show_options =
                      [this] {
                          options.fill_options_dialog();
                          // The options are open: the mode says so, whichever way the console
                          // was reached.
                          if (!mode.is(ProgramMode::options)) {
                              mode.change_to(ProgramMode::options).announce();
                          }
                          options_dialog.show();
                          if (time_dialog.visible()) {
                              time_dialog.hide();
                          }
                      },
                  .show_blocked_machine =
                      [this] {
                          vardex_dialog.show();
                          blocking.block_screen();
                          vardex_dialog.start_sweeps();
                          // Reached from the options, the machine was in Options mode: it is
                          // blocked again now.
                          if (mode.is(ProgramMode::options)) {
                              mode.change_to(ProgramMode::blocked).announce();
                          }
                      },
                  .exit_program = [this] { lifecycle.exit_program(); },
                  .show_help = [this](HelpTopic topic) { help.show_topic(topic); },
              }) {
    settings.show_start_error = [this](const std::string& text, StoreProblem kind) {
        lifecycle.show_start_error(text, kind);
    };
    settings.leave_network = [this] { network.leave_network(); };
    wire();
    wire_access();
    wire_network();
}

Program::~Program() = default;

std::vector<Form*> Program::forms() {
    return {&start_dialog,  &blocker_win,    &vardex_dialog,  &time_dialog, &time_dialog2,
            &explan_dialog, &about_dialog,   &quest_dialog,   &lauf_dialog, &lauf2_dialog,
            &sec_dialog,    &options_dialog, &network_dialog, &help_dialog};
}

void Program::attach_all() {
    for (Form* f : forms()) {
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

void Program::wire_access() {
    security.on_passed = [this](CheckAction action) { check_actions.passed(action); };
    security.on_cancelled = [this](CheckAction action) { check_actions.cancelled(action); };
    security.hold_pointer = [this] { blocking.confine_cursor(PointerZone::security_dialog); };
    sec_dialog.focus_timer.on_tick = [this] { check_actions.keep_check_focused(); };
    forbidden.write_event = [this](const std::string& line) { log.write_event(line); };
    forbidden.set_sweeping([this] {
        return vardex_dialog.sweep_timer.running() || vardex_dialog.blocked_sweep_timer.running() ||
               sec_dialog.focus_timer.running();
    });
    forbidden.on_pace_changed = [this] { pace_sweeps(); };
    mode.observe([this](const ModeChange&) { pace_sweeps(); });
}

void Program::wire_network() {
    network.on_started = [this] { console.set_ping_time(false); };
}

void Program::pace_sweeps() {
    const bool reported = forbidden.watched();
    // While time runs the person works in other programs, whose changes of the window in front
    // this program does not always hear of: the sweep keeps looking fast then.
    const bool waiting = mode.is(ProgramMode::blocked) || mode.paused();
    vardex_dialog.pace_sweeps(!reported || !waiting || forbidden.looking_closely());
    lauf_dialog.focus_timer.set_interval(reported ? VardexDialog::safety_poll_ms : 10);
}

void Program::start() {
    attach_all();
    const bool watched = platform.desktop().watch_windows([this](WindowChange change, WindowId w) {
        forbidden.window_changed(change, w);
        blocking.window_changed(change);
        if (change == WindowChange::foreground && lauf_dialog.focus_timer.running()) {
            blocking.keep_timing_window_focused();
        }
    });
    forbidden.set_watched(watched);
    lifecycle.load();
}

}  // namespace vardex
