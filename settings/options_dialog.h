#pragma once

#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/tab_strip.h"

namespace vardex {

class Program;

// The options dialog: eight tab pages over every setting.
class OptionsDialog final : public Form {
public:
    explicit OptionsDialog(Program& program);

    TabStrip tab_strip1{*this, "TabStrip1"};
    ControlArray<Frame> frame11{*this, "Frame11", 9};
    CommandButton command10{*this, "Command10"};
    CommandButton command11{*this, "Command11"};
    CommandButton command18{*this, "Command18"};
};

}  // namespace vardex
