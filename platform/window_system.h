#pragma once

#include "platform/form.h"

namespace vardex {

// Creates the windows of forms and runs the program's one message loop.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;

    // Creates the form's window and one child window per control; all stay until the end.
    virtual void attach(Form& form) = 0;
    // Runs the form's timers here; its windows are shown by another process (the face).
    virtual void attach_timers(Form& form) = 0;
    // The program's active window, or nullptr when another program's window is active.
    virtual Form* active_form() = 0;
    // Lets the message loop run once: pending window, timer and socket events are handled.
    virtual void do_events() = 0;
    // Ends the program: the message loop stops and the process exits with this code.
    virtual void quit(int exit_code) = 0;
    virtual bool quitting() const = 0;
    // The hourglass over all of the program's windows while it waits, or the normal pointer.
    virtual void set_busy_cursor(bool busy) = 0;
};

}  // namespace vardex
