#pragma once

#include <cstdint>
#include <string>

#include "settings/countdown_control.h"

namespace vardex {

class Program;

// The countdown: into and out of timing, the one-second tick with its checkpoint and
// warnings.
class Countdown final : public CountdownControl {
  public:
    explicit Countdown(Program& program) : program_(program) {}

    void start_timer(std::int32_t seconds, const std::string& log_text) override;
    void end_timer(const std::string& log_text) override;
    void tick() override;
    std::int32_t seconds_left() const override { return remaining_seconds; }
    void endzeit_festlegen(std::int32_t endz);
    void vergangene_festlegen(double z);
    void save_recovery_minutes(std::int32_t minutes) override;
    // The time as hh:mm:ss (hours may have more digits).
    static std::string time_text(std::int32_t seconds);

    // Timing and Paused: seconds left; open-ended: seconds elapsed.
    std::int32_t remaining_seconds = 0;
    std::int32_t end_seconds = 0;
    double elapsed_seconds = -1.0;
    double last_tick = 0;

  private:
    void show_time(const std::string& text);
    void show_warning(std::int32_t remaining);

    Program& program_;
};

}  // namespace vardex
