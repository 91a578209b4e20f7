#include "access/clock_guard.h"

#include <cmath>
#include <cstdint>

namespace vardex {

namespace {
constexpr double seconds_per_day = 86400.0;
// A wall clock that drifts from the monotonic clock by more than this was changed.
constexpr double clock_change_tolerance = 10.0;
}  // namespace

void ClockGuard::check() {
    if (given_up_) {
        return;
    }
    const LocalTime now = clock_.now();
    const double wall = now.day * seconds_per_day + now.seconds;
    const double monotonic = clock_.monotonic_seconds();
    if (has_reference_) {
        const double passed = monotonic - last_monotonic_;
        const double drift = (wall - last_wall_) - passed;
        // A jump while the time service runs may be its correction: it becomes the reference.
        if (std::abs(drift) > clock_change_tolerance && !clock_.time_sync_running()) {
            const double restored = last_wall_ + passed;
            const auto day = static_cast<std::int32_t>(std::floor(restored / seconds_per_day));
            if (!clock_.set_now(LocalTime{day, restored - day * seconds_per_day})) {
                given_up_ = true;
                messages_.message(
                    "Date/Time was changed. This is not allowed in Time Distributer mode!\n"
                    "Vardex could not change it back, because this user may not set the clock. "
                    "The clock is not watched until Vardex is started again.");
                return;
            }
            messages_.message(
                "Date/Time was changed. This is not allowed in Time Distributer mode!\nVardex "
                "changed to old value!");
            last_wall_ = restored;
            last_monotonic_ = monotonic;
            return;
        }
    }
    has_reference_ = true;
    last_wall_ = wall;
    last_monotonic_ = monotonic;
}

}  // namespace vardex
