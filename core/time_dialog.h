#pragma once

#include <cstdint>
#include <string>

#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace vardex {

class Program;

// The program's message window: the last four messages, each with a numbered title line.
class TimeDialog final : public Form {
  public:
    explicit TimeDialog(Program& program);

    // aktion at OK: 0 nothing, 1 focus back to the security dialog's code box, 2 end the program.
    void message(const std::string& txt, int aktion, int clip, bool help);
    // All listed messages as one text; the list is emptied (as OK does).
    std::string get_string();
    void ok();

    ControlArray<Label> titel{*this, "titel", 6};
    ControlArray<Label> mess_txt{*this, "mess_txt", 6};
    Label label1{*this, "Label1"};
    CommandButton command1{*this, "Command1"};
    CommandButton command2{*this, "Command2"};

    std::int16_t message_count = 0;
    std::int16_t after_ok_action = 0;
    std::int16_t message_number_offset = 0;

  private:
    Program& program_;
};

// The small message window for one text, used while the main dialog, the About window or a
// paused timer is on screen.
class TimeDialog2 final : public Form {
  public:
    explicit TimeDialog2(Program& program);

    void message(const std::string& txt, int aktion = 0, int clip = 0);
    void ok();

    Label label1{*this, "Label1"};
    CommandButton command1{*this, "Command1"};

  private:
    Program& program_;
};

}  // namespace vardex
