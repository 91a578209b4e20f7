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
    Label label3{*this, "Label3"};
    ComboBox combo1{*this, "Combo1", ComboBox::Style::dropdown_list};
    Frame frame1{*this, "Frame1"};
    Label label1{*this, "Label1", &frame1};
    ComboBox hours_box{*this, "Stunden", ComboBox::Style::dropdown_combo, &frame1};
    Label label2{*this, "Label2", &frame1};
    ComboBox minutes_box{*this, "Minuten", ComboBox::Style::dropdown_combo, &frame1};
    CommandButton command4{*this, "Command4", &frame1};
    CommandButton command9{*this, "Command9"};
    CommandButton command5{*this, "Command5"};
    Frame frame2{*this, "Frame2"};
    TextBox text1{*this, "Text1", &frame2};
    CommandButton command10{*this, "Command10", &frame2};
    CommandButton command7{*this, "Command7"};
    CommandButton command6{*this, "Command6"};
    CommandButton command8{*this, "Command8"};
    CommandButton command3{*this, "Command3"};
    CommandButton help_button{*this, "Command2"};
    CommandButton command1{*this, "Command1"};
    Timer timer2{*this, "Timer2", 1000, false};
};

}  // namespace vardex
