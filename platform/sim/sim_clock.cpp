#include "platform/sim/sim_clock.h"

#include <cmath>
#include <cstdio>

#include "platform/sim/world.h"

namespace vardex::sim {

namespace {
constexpr std::int64_t day_ms = 86'400'000;

std::int64_t to_ms(LocalTime t) {
    return static_cast<std::int64_t>(t.day) * day_ms +
           static_cast<std::int64_t>(std::llround(t.seconds * 1000.0));
}
}  // namespace

LocalTime SimClock::now() {
    const std::int64_t ms = to_ms(world_.start_time()) + world_.now_ms() + offset_ms_;
    const std::int64_t day = ms >= 0 ? ms / day_ms : (ms - day_ms + 1) / day_ms;
    const std::int64_t rest = ms - day * day_ms;
    return LocalTime{static_cast<std::int32_t>(day), static_cast<double>(rest) / 1000.0};
}

void SimClock::set_offset_to(LocalTime time) {
    offset_ms_ = to_ms(time) - to_ms(world_.start_time()) - world_.now_ms();
}

// The world's time runs on through a sleeping machine, as the system's tick count does.
double SimClock::monotonic_seconds() {
    return static_cast<double>(world_.now_ms()) / 1000.0;
}

std::int64_t SimClock::unix_seconds() {
    const LocalTime t = now();
    const std::int64_t days_since_1970 = t.day - serial_from_civil({1970, 1, 1});
    return days_since_1970 * 86'400 + static_cast<std::int64_t>(std::floor(t.seconds));
}

bool SimClock::set_now(LocalTime time) {
    ++set_attempts_;
    if (refuse_set_) {
        return false;
    }
    ++sets_;
    set_offset_to(time);
    return true;
}

// A German locale, as on the machines the program was first written for.
std::string SimClock::short_date_text(std::int32_t day) {
    const CivilDate d = civil_from_serial(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buf;
}

std::string SimClock::time_text(double seconds_since_midnight) {
    const auto s = static_cast<int>(std::floor(seconds_since_midnight));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", (s / 3600) % 24, (s / 60) % 60, s % 60);
    return buf;
}

}  // namespace vardex::sim
