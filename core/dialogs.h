#pragma once

#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

class Program;

// Help texts of the options dialog, at the top-left corner of the screen.
class ExplanDialog final : public Form {
  public:
    explicit ExplanDialog(Program& program);
    void debug_log(const std::string&) {}

    Label label1{*this, "Label1"};
    TextBox text1{*this, "Text1"};
};

class AboutDialog final : public Form {
  public:
    explicit AboutDialog(Program& program);
    // The exit button: back to the main dialog.
    void leave();

    Label label1{*this, "Label1"};
    Label label2{*this, "Label2"};
    Label label3{*this, "Label3"};
    CommandButton command1{*this, "Command1"};
    Timer timer1{*this, "Timer1", 100, false};

  private:
    Program& program_;
};

// The shutdown question of the timing window.
class QuestDialog final : public Form {
  public:
    explicit QuestDialog(Program& program);

    Label label1{*this, "Label1"};
    CommandButton command1{*this, "Command1"};
    CommandButton command2{*this, "Command2"};
};

}  // namespace vardex
