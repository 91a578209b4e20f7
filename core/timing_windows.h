#pragma once

namespace vardex {

class Program;

// The windows of timing mode: the pause button of the timing window and its focus keeper.
class TimingWindows {
  public:
    explicit TimingWindows(Program& program);

    // The pause button: pauses a running countdown, or resumes a paused one.
    void pause_button();
    // Leaves the pause state without resuming the countdown, for a new start while paused.
    void leave_pause_state();
    void exit_timing_mode();
    void minimize();
    void resize();
    void show_timing_window();
    // The label window: press, move and release of the pointer on its label (twips).
    void label_down(int button, double x, double y);
    void label_move(int buttons, double x, double y);
    void label_up(int button);

  private:
    Program& program_;
};

}  // namespace vardex
