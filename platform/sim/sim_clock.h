#pragma once

#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace vardex::sim {

class World;

// A machine's system clock: the world's virtual time plus the machine's own offset, which a
// clock change (by the program or by a test) moves.
class SimClock final : public Clock {
  public:
    explicit SimClock(World& world) : world_(world) {}

    LocalTime now() override;
    bool set_now(LocalTime time) override;
    double monotonic_seconds() override;
    bool time_sync_running() override { return time_sync_running_; }
    // A simulated machine's clock has no time zone: its local time is UTC.
    std::int64_t unix_seconds() override;
    std::string short_date_text(std::int32_t day) override;
    std::string time_text(double seconds_since_midnight) override;

    // A person changing the clock: the world goes on from the new time.
    void change_time(LocalTime time) { set_offset_to(time); }
    void refuse_set(bool refuse) { refuse_set_ = refuse; }
    void set_time_sync_running(bool on) { time_sync_running_ = on; }
    // Sets that took effect, and every attempt (refused ones too).
    int sets() const { return sets_; }
    int set_attempts() const { return set_attempts_; }

  private:
    void set_offset_to(LocalTime time);
    World& world_;
    std::int64_t offset_ms_ = 0;
    bool refuse_set_ = false;
    bool time_sync_running_ = false;
    int sets_ = 0;
    int set_attempts_ = 0;
};

}  // namespace vardex::sim
