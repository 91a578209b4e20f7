#pragma once

#include "platform/clock.h"

namespace vardex::win32 {

class Win32Clock final : public Clock {
  public:
    LocalTime now() override;
    bool set_now(LocalTime time) override;
    double monotonic_seconds() override;
    bool time_sync_running() override;
    std::int64_t unix_seconds() override;
    std::string short_date_text(std::int32_t day) override;
    std::string time_text(double seconds_since_midnight) override;
};

}  // namespace vardex::win32
