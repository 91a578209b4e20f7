#include "access/distributer_page.h"

#include <algorithm>

#include "platform/clock.h"

namespace vardex {

namespace {
// Whole hours and the whole minutes of the rest, each with two digits at least.
std::string hours_minutes(std::int32_t seconds) {
    auto two = [](std::int64_t v) {
        std::string text = std::to_string(v);
        if (v < 10) {
            text.insert(text.begin(), '0');
        }
        return text;
    };
    const std::int64_t s = std::max<std::int64_t>(seconds, 0);  // a damaged store's "-1"
    return two(s / 3600) + ":" + two((s % 3600) / 60);
}
}  // namespace

std::int32_t period_end(const TimeDistributerId& id) {
    const std::int64_t day = std::int64_t{id.Time_Dist_Date} + id.Time_Dist_Period;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(day, 0, last_serial_day));
}

std::int32_t next_recharge(const TimeDistributerId& id, std::int32_t today) {
    return std::max(period_end(id), today);
}

bool recharge_due(const TimeDistributerId& id, std::int32_t today) {
    return std::int64_t{today} - id.Time_Dist_Date >= id.Time_Dist_Period;
}

std::string distributer_list_line(const TimeDistributerId& id, Clock& clock) {
    const std::int32_t today = clock.today();
    const std::int32_t next = next_recharge(id, today);
    return id.Time_Dist_ID + " | " + hours_minutes(id.Time_Dist_Time) + " | " +
           (id.Time_Dist_Period == 1 ? "daily | " : "weekly | ") +
           hours_minutes(id.Time_Dist_Remain) + " | " + clock.short_date_text(next);
}

DistributerPage::DistributerPage(Form& f, Frame& p) : form(f), page(p) {
    frame.set_caption("Time Distributor");
    frame.move(60, 0, 8160, 2640);
    list_label.set_caption("Time Dist. ID  | Time  |  Period  |  remaining  |  next recharge ");
    list_label.move(120, 270, 7920, 255);
    ids.move(120, 540, 7920, 1500);
    delete_button.set_caption("Delete Ti&me Distributor ID");
    delete_button.move(120, 2130, 3780, 375);
    reset_button.set_caption("&Reset Time Distributor ID");
    reset_button.move(4260, 2130, 3780, 375);

    new_frame.set_caption("Add new Time Distributor ID");
    new_frame.move(60, 2760, 8160, 1560);
    id_label.set_caption("New ID:");
    id_label.move(120, 420, 900, 255);
    id_box.move(1020, 390, 2700, 315);
    id_box.set_max_length(20);
    hours_label.set_caption("Hours:");
    hours_label.move(3960, 420, 720, 255);
    hours_box.move(4680, 390, 600, 315);
    hours_box.set_max_length(2);
    minutes_label.set_caption("Minutes:");
    minutes_label.move(5520, 420, 900, 255);
    minutes_box.move(6420, 390, 600, 315);
    minutes_box.set_max_length(2);
    daily.set_caption("day");
    daily.move(120, 960, 1200, 270);
    weekly.set_caption("week");
    weekly.move(1440, 960, 1200, 270);
    create_button.set_caption("&Create new Time Distributor ID");
    create_button.move(3960, 900, 4080, 375);
}

void DistributerPage::fill(const SettingsRecord& r, Clock& clock) {
    ids.clear();
    for (const TimeDistributerId& id : r.time_dist_ids) {
        ids.add_item(distributer_list_line(id, clock));
    }
}

Explanations DistributerPage::explanations() {
    return {
        {&frame,
         "Just move the mouse cursor to the control you need help with and a explanation will "
         "occur in the Explanation Window"},
        {&new_frame,
         "In this frame you can create a new Time Distributor ID. Enter the ID, the hours and "
         "minutes it gives every day or every week, choose the period and press 'Create new Time "
         "Distributor ID'."},
        {&ids,
         "This list shows the Time Ditributer IDs with their time per period, the period, the "
         "time left in this period and the day of the next recharge."},
        {&delete_button,
         "If you want to delete a Time Distributor ID, mark it in the list and press this "
         "button."},
        {&reset_button,
         "If you select a Time Distributor ID in the list and press this button, it gets its full "
         "time again, and its period starts today."},
    };
}

}  // namespace vardex
