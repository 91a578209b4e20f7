#include "core/check_actions.h"

#include <algorithm>
#include <limits>

#include "core/program.h"
#include "platform/ansi.h"

namespace vardex {

void CheckActions::pass_exit_timing() {
    program_.countdown.end_timer(": Timer was exited.");
}

void CheckActions::pass_exit_program() {
    program_.sec_dialog.hide();
    program_.lifecycle.exit_program();
}

void CheckActions::pass_manual_start() {
    VardexDialog& v = program_.vardex_dialog;
    // The boxes' filters leave two and four digits at most.
    const std::int64_t seconds = whole_number(v.hours_box.text()).value_or(0) * 3600 +
                                 whole_number(v.minutes_box.text()).value_or(0) * 60;
    program_.countdown.start_timer(
        static_cast<std::int32_t>(
            std::min<std::int64_t>(seconds, std::numeric_limits<std::int32_t>::max())),
        ": Timer started for " + v.hours_box.text() + ":" + v.minutes_box.text());
}

void CheckActions::pass_options() {
    program_.sec_dialog.focus_timer.set_enabled(false);
    program_.options.open_options_dialog();
    program_.sec_dialog.hide();
}

void CheckActions::pass_network_dialog() {
    program_.console.open_after_check();
}

void CheckActions::cancel_exit_timing() {
    program_.sec_dialog.hide();
    program_.blocking.unblock_screen();
    program_.lauf_dialog.show();
}

void CheckActions::cancel_exit_program() {
    program_.sec_dialog.hide();
    program_.vardex_dialog.start_sweeps();
    program_.blocking.confine_cursor(PointerZone::main_dialog);
}

void CheckActions::cancel_manual_start() {
    program_.vardex_dialog.start_sweeps();
    program_.blocking.confine_cursor(PointerZone::main_dialog);
    program_.sec_dialog.hide();
}

void CheckActions::back_to_main_dialog() {
    program_.blocking.confine_cursor(PointerZone::main_dialog);
    program_.sec_dialog.hide();
    program_.vardex_dialog.show();
    program_.vardex_dialog.start_sweeps();
}

void CheckActions::keep_check_focused() {
    Program& p = program_;
    p.forbidden.forbidden_window_sweep();
    p.blocking.keep_pointer_confined();
    Form* active = p.platform.windows().active_form();
    if (active != &p.sec_dialog && active != &p.time_dialog && active != &p.time_dialog2) {
        p.sec_dialog.set_focus();
    }
}

// What each action does once the check is passed and when it is cancelled, side by side.
struct CheckActions::ActionSteps {
    void (CheckActions::*pass)();  // nullptr: the gate's own formula test
    void (CheckActions::*cancel)();
};

const CheckActions::ActionSteps& CheckActions::steps(CheckAction action) {
    static const ActionSteps new_formula{nullptr, nullptr};
    static const ActionSteps exit_timing{&CheckActions::pass_exit_timing,
                                         &CheckActions::cancel_exit_timing};
    static const ActionSteps exit_program{&CheckActions::pass_exit_program,
                                          &CheckActions::cancel_exit_program};
    static const ActionSteps manual_start{&CheckActions::pass_manual_start,
                                          &CheckActions::cancel_manual_start};
    static const ActionSteps options{&CheckActions::pass_options,
                                     &CheckActions::back_to_main_dialog};
    static const ActionSteps network_dialog{&CheckActions::pass_network_dialog,
                                            &CheckActions::back_to_main_dialog};
    switch (action) {
        case CheckAction::new_formula:
            return new_formula;
        case CheckAction::exit_timing:
            return exit_timing;
        case CheckAction::exit_program:
            return exit_program;
        case CheckAction::manual_start:
            return manual_start;
        case CheckAction::options:
            return options;
        case CheckAction::network_dialog:
            break;
    }
    return network_dialog;
}

void CheckActions::passed(CheckAction action) {
    if (const auto pass = steps(action).pass) {
        (this->*pass)();
    }
}

void CheckActions::cancelled(CheckAction action) {
    if (const auto cancel = steps(action).cancel) {
        (this->*cancel)();
    }
}

}  // namespace vardex
