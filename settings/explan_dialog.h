#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// Help texts of the options dialog, at the top-left corner of the screen.
class ExplanDialog final : public Form {
  public:
    ExplanDialog();

    Label explanation_label{*this, "Label1"};
    TextBox spare_box{*this, "Text1"};
};

}  // namespace vardex
