#pragma once

#include "access/security_check.h"

namespace vardex {

class Program;

// What a passed or cancelled security check leads to: the countdown's start or end, the
// options, the console, the program's exit, or back to the main dialog.
class CheckActions {
  public:
    explicit CheckActions(Program& program) : program_(program) {}

    void passed(CheckAction action);
    void cancelled(CheckAction action);
    // The check's window keeps the focus, the sweep and the pointer's clip run meanwhile.
    void keep_check_focused();

  private:
    struct ActionSteps;
    static const ActionSteps& steps(CheckAction action);
    void pass_exit_timing();
    void pass_exit_program();
    void pass_manual_start();
    void pass_options();
    void pass_network_dialog();
    void cancel_exit_timing();
    void cancel_exit_program();
    void cancel_manual_start();
    void back_to_main_dialog();
    Program& program_;
};

}  // namespace vardex
