#pragma once

#include <cstdint>
#include <string>

namespace vardex {

// The countdown's commands, as the ways of granting and ending time use them.
class CountdownControl {
  public:
    virtual ~CountdownControl() = default;
    // Seconds < 0 run open-ended; the text goes to the event log.
    virtual void start_timer(std::int32_t seconds, const std::string& log_text) = 0;
    virtual void end_timer(const std::string& log_text) = 0;
    virtual void tick() = 0;
    // Timing and Paused: seconds left; open-ended: seconds elapsed.
    virtual std::int32_t seconds_left() const = 0;
    // The checkpoint a restart after a crash resumes from.
    virtual void save_recovery_minutes(std::int32_t minutes) = 0;
};

}  // namespace vardex
