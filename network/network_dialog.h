#pragma once

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/list_controls.h"

namespace vardex {

// The administrator's console: every client with its state and times.
class NetworkDialog final : public Form {
  public:
    NetworkDialog();

    Grid computer_grid{*this, "fg1"};
    // With a network key: the datagrams dropped since the console was opened.
    Label dropped_label{*this, "Label4"};
    // When the table holds as many clients as it may: new names are refused.
    Label full_label{*this, "Label5"};
    Label sort_label{*this, "Label3"};
    ComboBox sort_box{*this, "Combo1", ComboBox::Style::dropdown_list};
    Frame timing_frame{*this, "Frame1"};
    Label hours_label{*this, "Label1", &timing_frame};
    ComboBox hours_box{*this, "Stunden", ComboBox::Style::dropdown_combo, &timing_frame};
    Label minutes_label{*this, "Label2", &timing_frame};
    ComboBox minutes_box{*this, "Minuten", ComboBox::Style::dropdown_combo, &timing_frame};
    CommandButton countdown_button{*this, "Command4", &timing_frame};
    CommandButton open_ended_button{*this, "Command9"};
    CommandButton lock_button{*this, "Command5"};
    Frame message_frame{*this, "Frame2"};
    TextBox text_box{*this, "Text1", &message_frame};
    CommandButton send_button{*this, "Command10", &message_frame};
    CommandButton ping_button{*this, "Command7"};
    CommandButton remove_button{*this, "Command6"};
    CommandButton options_button{*this, "Command8"};
    CommandButton main_dialog_button{*this, "Command3"};
    CommandButton help_button{*this, "Command2"};
    CommandButton exit_button{*this, "Command1"};
    Timer repaint_timer{*this, "Timer2", 1000, false};

    // The hours, minutes and message boxes as the dialog first shows them.
    void reset_time_and_text();
};

}  // namespace vardex
