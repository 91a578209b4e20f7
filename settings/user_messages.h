#pragma once

#include <cstdint>
#include <string>

namespace vardex {

// What OK of the message window does besides closing it.
enum class AfterOk : std::int16_t {
    nothing = 0,
    focus_security_code = 1,  // the code box of the security check takes the focus again
    end_program = 2,          // a fatal message: the program ends
};

// The program's message windows, as the subsystems that report to the user see them.
class UserMessages {
  public:
    virtual ~UserMessages() = default;
    // The message window of the dialogs and the options (Time_Dialog).
    virtual void message(const std::string& text, AfterOk after = AfterOk::nothing) = 0;
    // The small message over the blocked main dialog (Time_Dialog2).
    virtual void small_message(const std::string& text) = 0;
    virtual bool message_showing() const = 0;
    virtual void hide_message() = 0;
};

}  // namespace vardex
