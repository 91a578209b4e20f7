#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

class Program;

// The timing window: the time in a box and the buttons of timing mode. Inner coordinates are
// pixels.
class LaufDialog final : public Form {
  public:
    explicit LaufDialog(Program& program);

    Label label1{*this, "Label1"};
    TextBox zeitbox{*this, "Zeitbox"};
    CommandButton command2{*this, "Command2"};
    CommandButton command1{*this, "Command1"};
    CommandButton command3{*this, "Command3"};
    CommandButton command4{*this, "Command4"};
    CommandButton command5{*this, "Command5"};
    Timer timer1{*this, "Timer1", 10, false};
};

// The small always-on-top window with the remaining time at the top of the screen.
class Lauf2Dialog final : public Form {
  public:
    explicit Lauf2Dialog(Program& program);

    Label label1{*this, "Label1"};

    bool drag_armed = false;
    std::int16_t grab_x = 0;
    std::int16_t grab_y = 0;
};

}  // namespace vardex
