#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The updater's one window.
class UpdateForm final : public Form {
  public:
    UpdateForm();

    Label label1{*this, "Label1"};
    Label label2{*this, "Label2"};
    TextBox text1{*this, "Text1"};
    CommandButton command1{*this, "Command1"};
    CommandButton command2{*this, "Command2"};
    Label label4{*this, "Label4"};
};

}  // namespace vardex
