#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

class Program;

class AboutDialog final : public Form {
  public:
    explicit AboutDialog(Program& program);
    // The exit button: back to the main dialog.
    void leave();

    Label name_label{*this, "Label1"};
    Label version_label{*this, "Label2"};
    Label about_label{*this, "Label3"};
    CommandButton exit_button{*this, "Command1"};
    Timer focus_timer{*this, "Timer1", 100, false};

  private:
    Program& program_;
};

// The shutdown question of the timing window.
class QuestDialog final : public Form {
  public:
    explicit QuestDialog(Program& program);

    Label question_label{*this, "Label1"};
    CommandButton yes_button{*this, "Command1"};
    CommandButton no_button{*this, "Command2"};
};

}  // namespace vardex
