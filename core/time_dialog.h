#pragma once

#include <cstdint>
#include <string>

#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "settings/user_messages.h"

namespace vardex {

class Program;

// The program's message window: the last four messages, each with a numbered title line.
class TimeDialog final : public Form {
  public:
    explicit TimeDialog(Program& program);

    // Lists the message; `help` shows the "More Help..." button.
    void message(const std::string& txt, AfterOk aktion = AfterOk::nothing, bool help = false);
    // All listed messages as one text; the list is emptied (as OK does).
    std::string get_string();
    void ok();

    ControlArray<Label> titel{*this, "titel", 6};
    ControlArray<Label> mess_txt{*this, "mess_txt", 6};
    Label panel{*this, "Label1"};
    CommandButton ok_button{*this, "Command1"};
    CommandButton more_help_button{*this, "Command2"};

    std::int16_t message_count = 0;
    AfterOk after_ok_action = AfterOk::nothing;
    std::int16_t message_number_offset = 0;

  private:
    Program& program_;
};

// The small message window for one text, used while the main dialog, the About window or a
// paused timer is on screen.
class TimeDialog2 final : public Form {
  public:
    explicit TimeDialog2(Program& program);

    void message(const std::string& txt);
    void ok();

    Label text_label{*this, "Label1"};
    CommandButton ok_button{*this, "Command1"};

  private:
    Program& program_;
};

}  // namespace vardex
