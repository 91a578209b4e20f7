#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The full-screen blocking screen: a corner text in each corner and the logo twice.
class BlockerWin final : public Form {
  public:
    BlockerWin();

    Label top_left_label{*this, "Label1"};
    Label top_right_label{*this, "Label2"};
    Label bottom_left_label{*this, "Label3"};
    Label bottom_right_label{*this, "Label4"};
    Image left_logo{*this, "Image1"};
    Image right_logo{*this, "Image2"};
};

}  // namespace vardex
