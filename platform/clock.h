#pragma once

#include <cstdint>
#include <string>

#include "platform/date.h"

namespace vardex {

// The system clock: the local date and time, and their texts in the user's locale.
class Clock {
  public:
    virtual ~Clock() = default;

    virtual LocalTime now() = 0;
    double seconds_since_midnight() { return now().seconds; }
    std::int32_t today() { return now().day; }

    // Sets the system date and time; false when the platform refuses (a standard user may
    // not set the clock).
    virtual bool set_now(LocalTime time) = 0;

    // Seconds since some fixed moment, counting on through sleep and hibernation and never
    // moved by a change of the clock: wall time that drifts from it was changed by someone.
    virtual double monotonic_seconds() = 0;

    // Whether the system's time synchronisation runs: a jump of the clock may then be its
    // correction, which the program must never fight.
    virtual bool time_sync_running() = 0;

    // Seconds since 1970-01-01 00:00 UTC: a time stamp other machines compare with theirs.
    virtual std::int64_t unix_seconds() = 0;

    virtual std::string short_date_text(std::int32_t day) = 0;
    virtual std::string time_text(double seconds_since_midnight) = 0;
};

}  // namespace vardex
