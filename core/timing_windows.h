#pragma once

namespace vardex {

class Program;

// The windows of timing mode: the pause button of the timing window and its focus keeper.
class TimingWindows {
public:
    explicit TimingWindows(Program& program);

    // The pause button: pauses a running countdown, or resumes a paused one.
    void pause_button();

private:
    Program& program_;
};

}  // namespace vardex
