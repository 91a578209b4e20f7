#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/win32_timer_window.h"
#include "platform/window_system.h"

namespace vardex::win32 {

class Win32FormPeer;

// Renders any form generically: one top-level window per form, one child window per control
// by kind, a window timer per running timer. Runs the program's message loop.
class Win32Windows final : public WindowSystem {
  public:
    Win32Windows();
    ~Win32Windows() override;

    void attach(Form& form) override;
    void attach_timers(Form& form) override;
    Form* active_form() override;
    void do_events() override;
    void quit(int exit_code) override;
    bool quitting() const override { return quitting_; }
    void set_busy_cursor(bool busy) override;
    bool busy_cursor() const { return busy_cursor_; }
    // One of the program's windows lost the activation to a window of another program: where
    // the system sends no window events, this is how a window coming in front is heard of.
    std::function<void()> on_lost_to_other_program;

    // The message loop; returns the exit code given to quit.
    int run();
    // Runs the message loop until done() holds or the program quits (modal waits).
    void run_until(const std::function<bool()>& done);
    // Runs the loop for all but the person's keys and clicks until done() holds: those wait
    // in the queue, in their order, until the wait is over. A key whose handling waits for
    // an answer must not be overtaken by the next one.
    void wait_until(const std::function<bool()>& done);
    // Whether a handler below waits in one of the loops above: what it uses must live on.
    bool waiting() const { return nested_loops_ > 0; }

    // Shared GDI objects, kept for the whole run.
    // A font at the scaling (dots per inch) of the window that shows it.
    HFONT font(const Font& font, int dpi);
    HBRUSH brush(Color color);
    // The desktop's scale, in which forms are placed: the system's.
    int twips_per_pixel() const { return twips_per_pixel_; }
    void forget(Win32FormPeer* peer);

  private:
    bool dispatch(MSG& msg);

    int twips_per_pixel_;
    bool quitting_ = false;
    int nested_loops_ = 0;
    bool busy_cursor_ = false;
    int exit_code_ = 0;
    std::vector<std::unique_ptr<Win32FormPeer>> peers_;
    std::unique_ptr<Win32TimerWindow> timers_;
    std::map<std::tuple<std::string, int, bool, int>, UniqueGdi> fonts_;
    std::map<Color, UniqueGdi> brushes_;
};

}  // namespace vardex::win32
