#include "access/distributer.h"

#include "core/program.h"
#include "platform/ansi.h"

namespace vardex {

void Distributer::start_distributer_id() {
    Program& p = program_;
    SettingsRecord& r = p.settings.record();
    TextBox& box = p.vardex_dialog.distributer_box;
    int found = -1;
    for (std::size_t i = 0; i < r.time_dist_ids.size(); ++i) {
        if (equal_ignoring_case(r.time_dist_ids[i].Time_Dist_ID, box.text())) {
            found = static_cast<int>(i);  // the last equal one wins
        }
    }
    if (found < 0) {
        p.time_dialog2.message("This Time Distributer ID is unknown!");
        box.set_text("");
        return;
    }
    TimeDistributerId& id = r.time_dist_ids[static_cast<std::size_t>(found)];
    const std::int32_t today = p.platform.clock().today();
    if (today - id.Time_Dist_Date >= id.Time_Dist_Period) {
        id.Time_Dist_Remain = id.Time_Dist_Time;
        id.Time_Dist_Date = today;
    }
    if (id.Time_Dist_Remain > 5) {
        box.set_text("");
        r.Active_Time_Dist_ID = found + 1;
        p.countdown.save_recovery_minutes(id.Time_Dist_Remain / 60 + 1);
        p.settings.save_settings();
        p.countdown.start_timer(id.Time_Dist_Remain,
                                ": Timer started with Time Distributer ID " + id.Time_Dist_ID);
        return;
    }
    p.time_dialog2.message(
        "This Time Distributer ID has no time left! Next recharge " +
        p.platform.clock().short_date_text(id.Time_Dist_Date + id.Time_Dist_Period));
    box.set_text("");
}

void Distributer::end_distributer_timing() {
    SettingsRecord& r = program_.settings.record();
    const std::int32_t active = r.Active_Time_Dist_ID;
    if (active >= 1 && active <= static_cast<std::int32_t>(r.time_dist_ids.size())) {
        r.time_dist_ids[static_cast<std::size_t>(active - 1)].Time_Dist_Remain =
            program_.countdown.remaining_seconds;
    }
    r.Active_Time_Dist_ID = 0;
    program_.countdown.end_timer(": Timer was exited.");
    program_.settings.save_settings();
}

}  // namespace vardex
