#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The start-up window: a splash picture with the build label, and the timer that drives the
// start sequence.
class StartDialog final : public Form {
  public:
    StartDialog();

    Image image1_0{*this, "Image1(0)"};
    Image image1_1{*this, "Image1(1)"};
    Label label1{*this, "Label1"};
    Label label2{*this, "Label2"};
    Label label4{*this, "Label4"};
    Timer timer1{*this, "Timer1", 100, false};
};

}  // namespace vardex
