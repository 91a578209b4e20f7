#pragma once

#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The security check: 26 random digits, the code and password boxes, OK and Cancel.
class SecDialog final : public Form {
  public:
    SecDialog();

    Frame digits_frame{*this, "Frame1"};
    ControlArray<Label> letter_labels{*this, "Label1", 26, &digits_frame};
    ControlArray<Label> digit_labels{*this, "randnum", 26, &digits_frame};
    Label code_label{*this, "Label6"};
    TextBox code_box{*this, "Text6"};
    Label password_label{*this, "Label7"};
    TextBox password_box{*this, "Text7"};
    CommandButton ok_button{*this, "Command1"};
    CommandButton cancel_button{*this, "Command2"};
    Frame status_frame{*this, "Frame2"};
    Label status_label{*this, "Label8", &status_frame};
    Frame help_frame{*this, "Frame3"};
    Label help_label{*this, "Label9", &help_frame};
    Image picture{*this, "Image1"};
    Timer focus_timer{*this, "Timer1", 100, false};
    Timer wait_timer{*this, "Timer2", 0, true};
};

}  // namespace vardex
