#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The standard input box: a prompt, one line of text, OK and Cancel.
class InputBoxForm final : public Form {
  public:
    InputBoxForm(std::string_view prompt, std::string_view title, std::string_view initial);

    Label prompt{*this, "Label1"};
    TextBox text{*this, "Text1"};
    CommandButton ok{*this, "Command1"};
    CommandButton cancel{*this, "Command2"};

    bool done = false;
    bool accepted = false;
};

}  // namespace vardex
