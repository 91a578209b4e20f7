#pragma once

#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

class Program;

// The security check: 26 random digits, the code and password boxes, OK and Cancel.
class SecDialog final : public Form {
  public:
    explicit SecDialog(Program& program);

    Frame frame1{*this, "Frame1"};
    ControlArray<Label> label1{*this, "Label1", 26, &frame1};
    ControlArray<Label> randnum{*this, "randnum", 26, &frame1};
    Label label6{*this, "Label6"};
    TextBox text6{*this, "Text6"};
    Label label7{*this, "Label7"};
    TextBox text7{*this, "Text7"};
    CommandButton command1{*this, "Command1"};
    CommandButton command2{*this, "Command2"};
    Frame frame2{*this, "Frame2"};
    Label label8{*this, "Label8", &frame2};
    Frame frame3{*this, "Frame3"};
    Label label9{*this, "Label9", &frame3};
    Image image1{*this, "Image1"};
    Timer timer1{*this, "Timer1", 100, false};
    Timer timer2{*this, "Timer2", 0, true};
};

}  // namespace vardex
