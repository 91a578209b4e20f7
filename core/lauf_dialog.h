#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The timing window: the time in a box and the buttons of timing mode. Inner coordinates are
// pixels.
class LaufDialog final : public Form {
  public:
    LaufDialog();

    Label time_label{*this, "Label1"};
    TextBox time_box{*this, "Zeitbox"};
    CommandButton pause_button{*this, "Command2"};
    CommandButton exit_button{*this, "Command1"};
    CommandButton minimize_button{*this, "Command3"};
    CommandButton shutdown_button{*this, "Command4"};
    CommandButton help_button{*this, "Command5"};
    Timer focus_timer{*this, "Timer1", 10, false};
};

// The small always-on-top window with the remaining time at the top of the screen.
class Lauf2Dialog final : public Form {
  public:
    Lauf2Dialog();

    Label time_label{*this, "Label1"};

    bool drag_armed = false;
    std::int16_t grab_x = 0;
    std::int16_t grab_y = 0;
};

}  // namespace vardex
