#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace vardex::sim {

class SimProcess;
class SimFormPeer;
class SimControlPeer;

// The simulated window system of one process: renders nothing, keeps each form's window on
// the machine's desktop and runs the timers on the world's clock.
class SimWindows final : public WindowSystem {
  public:
    explicit SimWindows(SimProcess& process);
    ~SimWindows() override;

    void attach(Form& form) override;
    void attach_timers(Form& form) override;
    Form* active_form() override;
    void do_events() override;
    void quit(int exit_code) override;
    bool quitting() const override { return quitting_; }
    void set_busy_cursor(bool busy) override { busy_cursor_ = busy; }
    bool busy_cursor() const { return busy_cursor_; }

    SimProcess& process() { return process_; }
    const std::vector<Form*>& forms() const { return forms_; }
    Form* form(const std::string& name) const;
    Control* focused() const { return focused_; }
    // Moves the keyboard focus, raising lost focus on the control that had it.
    void focus(Control* control);
    int exit_code() const { return exit_code_; }
    // Timers that were due while the machine slept fire once when it wakes.
    void resume_timers();

  private:
    SimProcess& process_;
    std::vector<Form*> forms_;
    std::vector<std::unique_ptr<SimFormPeer>> form_peers_;
    std::vector<std::unique_ptr<SimControlPeer>> control_peers_;
    Control* focused_ = nullptr;
    bool quitting_ = false;
    bool busy_cursor_ = false;
    int exit_code_ = 0;
};

}  // namespace vardex::sim
