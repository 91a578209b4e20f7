#pragma once

#include <cstdint>
#include <string>

namespace vardex {

class Program;

// The countdown: into and out of timing, the one-second tick with its checkpoint and
// warnings, and the guard against clock changes while a Time Distributer ID runs.
class Countdown {
  public:
    explicit Countdown(Program& program) : program_(program) {}

    void start_timer(std::int32_t seconds, const std::string& log_text);
    void end_timer(const std::string& log_text);
    void tick();
    void endzeit_festlegen(std::int32_t endz);
    void vergangene_festlegen(double z);
    void reset_dat_tim();
    void date_time_guard();
    void save_recovery_minutes(std::int32_t minutes);
    // The time as hh:mm:ss (hours may have more digits).
    static std::string time_text(std::int32_t seconds);

    std::int32_t end_seconds = 0;
    double elapsed_seconds = -1.0;
    double last_tick = 0;
    float guard_last_timer = 0;
    double guard_last_time = 0;
    std::int32_t guard_last_date = 0;

  private:
    void show_time(const std::string& text);
    Program& program_;
};

}  // namespace vardex
