#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The updater's one window.
class UpdateForm final : public Form {
  public:
    UpdateForm();

    Label intro_label{*this, "Label1"};
    Label found_label{*this, "Label2"};
    TextBox path_box{*this, "Text1"};
    CommandButton replace_button{*this, "Command1"};
    CommandButton cancel_button{*this, "Command2"};
    Label support_label{*this, "Label4"};
};

}  // namespace vardex
