#include "access/distributer.h"

#include "core/program.h"

namespace vardex {

void Distributer::end_distributer_timing() {
    SettingsRecord& r = program_.settings.record();
    const std::int32_t active = r.Active_Time_Dist_ID;
    if (active >= 1 && active <= static_cast<std::int32_t>(r.time_dist_ids.size())) {
        r.time_dist_ids[static_cast<std::size_t>(active - 1)].Time_Dist_Remain =
            program_.state.remaining_seconds;
    }
    r.Active_Time_Dist_ID = 0;
    program_.countdown.end_timer(": Timer was exited.");
    program_.settings.save_settings();
}

}  // namespace vardex
