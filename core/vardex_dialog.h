#pragma once

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/list_controls.h"

namespace vardex {

class Program;

// The main dialog: the one window a user can work with in Blocked mode. It also carries the
// program's timers and its socket, so it exists for the whole run.
class VardexDialog final : public Form {
  public:
    explicit VardexDialog(Program& program);

    Image image1{*this, "Image1"};
    Frame frame1{*this, "Frame1"};
    ComboBox stunden{*this, "Stunden", ComboBox::Style::dropdown_combo, &frame1};
    Label label1{*this, "Label1", &frame1};
    ComboBox minuten{*this, "Minuten", ComboBox::Style::dropdown_combo, &frame1};
    Label label2{*this, "Label2", &frame1};
    CommandButton command1{*this, "Command1", &frame1};
    Frame frame2{*this, "Frame2"};
    Label label3{*this, "Label3", &frame2};
    TextBox text1{*this, "Text1", &frame2};
    CommandButton command5{*this, "Command5", &frame2};
    Frame frame4{*this, "Frame4"};
    Label label5{*this, "Label5", &frame4};
    TextBox text2{*this, "Text2", &frame4};
    CommandButton command6{*this, "Command6", &frame4};
    Frame frame3{*this, "Frame3"};
    Label label4{*this, "Label4", &frame3};
    CommandButton command2{*this, "Command2"};
    CommandButton command3{*this, "Command3"};
    CommandButton command4{*this, "Command4"};

    Timer timer1{*this, "Timer1", 1000, false};
    Timer timer2{*this, "Timer2", 10, false};
    Timer timer3{*this, "Timer3", 30, false};
    Timer timer4{*this, "Timer4", 3000, false};
    Timer network_timer{*this, "network_timer", 5000, false};
};

}  // namespace vardex
