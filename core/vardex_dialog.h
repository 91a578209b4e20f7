#pragma once

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/list_controls.h"

namespace vardex {

// The main dialog: the one window a user can work with in Blocked mode. It also carries the
// program's timers and its socket, so it exists for the whole run.
class VardexDialog final : public Form {
  public:
    VardexDialog();

    // The forbidden-window sweeps of the blocked machine: both stop while a security check
    // or the options are open, and come back with the main dialog.
    void start_sweeps() {
        blocked_sweep_timer.set_enabled(true);
        sweep_timer.set_enabled(true);
    }
    void stop_sweeps() {
        blocked_sweep_timer.set_enabled(false);
        sweep_timer.set_enabled(false);
    }
    // Where the system reports each new window in front and each new title, those reports
    // drive the sweep and the timers are only a safety poll; elsewhere they look fast.
    void pace_sweeps(bool fast) {
        blocked_sweep_timer.set_interval(fast ? 300 : safety_poll_ms);
        sweep_timer.set_interval(fast ? 30 : safety_poll_ms);
    }
    static constexpr int safety_poll_ms = 1000;

    Image picture{*this, "Image1"};
    Frame manual_frame{*this, "Frame1"};
    ComboBox hours_box{*this, "Stunden", ComboBox::Style::dropdown_combo, &manual_frame};
    Label hours_label{*this, "Label1", &manual_frame};
    ComboBox minutes_box{*this, "Minuten", ComboBox::Style::dropdown_combo, &manual_frame};
    Label minutes_label{*this, "Label2", &manual_frame};
    CommandButton start_button{*this, "Command1", &manual_frame};
    Frame code_frame{*this, "Frame2"};
    Label code_label{*this, "Label3", &code_frame};
    TextBox code_box{*this, "Text1", &code_frame};
    CommandButton code_button{*this, "Command5", &code_frame};
    Frame distributer_frame{*this, "Frame4"};
    Label distributer_label{*this, "Label5", &distributer_frame};
    TextBox distributer_box{*this, "Text2", &distributer_frame};
    CommandButton distributer_button{*this, "Command6", &distributer_frame};
    Frame help_frame{*this, "Frame3"};
    Label help_label{*this, "Label4", &help_frame};
    CommandButton exit_button{*this, "Command2"};
    CommandButton options_button{*this, "Command3"};
    CommandButton about_button{*this, "Command4"};

    Timer countdown_timer{*this, "Timer1", 1000, false};
    Timer blocked_sweep_timer{*this, "Timer2", 10, false};
    Timer sweep_timer{*this, "Timer3", 30, false};
    Timer guard_timer{*this, "Timer4", 3000, false};
    Timer network_timer{*this, "network_timer", 5000, false};
};

}  // namespace vardex
