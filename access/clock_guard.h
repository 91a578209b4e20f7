#pragma once

#include "platform/clock.h"
#include "settings/user_messages.h"

namespace vardex {

// While a Time Distributer ID runs, its period must not be moved by setting the clock: the
// guard compares how far the wall clock moved with how far the monotonic clock moved since
// the last check. A sleeping machine moves both, a changed clock only one, which is then put
// back where it would be had nobody touched it.
class ClockGuard {
  public:
    ClockGuard(Clock& clock, UserMessages& messages) : clock_(clock), messages_(messages) {}

    // Once a second while an ID runs.
    void check();
    // The next check takes the clock as it is (a new run of an ID starts).
    void reset() { has_reference_ = false; }

  private:
    Clock& clock_;
    UserMessages& messages_;
    bool has_reference_ = false;
    double last_wall_ = 0;       // seconds since the start of the serial day count
    double last_monotonic_ = 0;  // the platform's monotonic seconds
    // Set when the clock could not be set back (a standard user may not): the guard then
    // stays quiet until the program starts again.
    bool given_up_ = false;
};

}  // namespace vardex
