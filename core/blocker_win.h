#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The full-screen blocking screen: a corner text in each corner and the logo twice.
class BlockerWin final : public Form {
  public:
    BlockerWin();

    Label label1{*this, "Label1"};
    Label label2{*this, "Label2"};
    Label label3{*this, "Label3"};
    Label label4{*this, "Label4"};
    Image image1{*this, "Image1"};
    Image image2{*this, "Image2"};
};

}  // namespace vardex
