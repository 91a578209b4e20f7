#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

// The start-up window: a splash picture with the build label, and the timer that drives the
// start sequence.
class StartDialog final : public Form {
  public:
    StartDialog();

    Image splash{*this, "Image1(0)"};
    Image second_splash{*this, "Image1(1)"};
    Label title_label{*this, "Label1"};
    Label version_label{*this, "Label2"};
    Label build_label{*this, "Label4"};
    Timer startup_timer{*this, "Timer1", 100, false};
};

}  // namespace vardex
