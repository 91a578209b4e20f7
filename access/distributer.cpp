#include "access/distributer.h"

#include <algorithm>

#include "access/distributer_page.h"
#include "platform/ansi.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "settings/countdown_control.h"
#include "settings/settings_store.h"
#include "settings/user_messages.h"

namespace vardex {

namespace {
constexpr auto max_ids = static_cast<std::size_t>(max_time_dist_ids);
}  // namespace

Distributer::Distributer(DistributerPage& page, TextBox& id_box, SettingsStore& settings,
                         Clock& clock, Desktop& desktop, UserMessages& messages,
                         CountdownControl& countdown)
    : page_(page),
      id_box_(id_box),
      settings_(settings),
      clock_(clock),
      desktop_(desktop),
      messages_(messages),
      countdown_(countdown) {
    page.create_button.on_click = [this] { create_distributer_id(); };
    page.delete_button.on_click = [this] { delete_distributer_id(); };
    page.reset_button.on_click = [this] { reset_distributer_id(); };
}

int Distributer::selected_line() const {
    const ListBox& list = page_.ids;
    int found = -1;
    for (int i = 0; i < list.list_count(); ++i) {
        if (list.selected(i)) {
            found = i;
        }
    }
    return found;
}

void Distributer::refill_list() {
    ListBox& list = page_.ids;
    list.clear();
    for (const TimeDistributerId& id : settings_.record().time_dist_ids) {
        list.add_item(distributer_list_line(id, clock_));
    }
}

void Distributer::create_distributer_id() {
    DistributerPage& page = page_;
    const std::string id_text = page.id_box.text();
    const std::string hours = page.hours_box.text();
    const std::string minutes = page.minutes_box.text();
    auto refuse = [this](const std::string& text) { messages_.message(text); };
    if (hours.empty()) {
        refuse(
            "You have to enter a number of hours, for which the computer will be accesible every "
            "day/week!");
    } else if (id_text.empty()) {
        refuse("You have to enter an ID in the ID textfield!");
    } else if (minutes.empty()) {
        refuse("You have to enter a number of minutes in the minutes text field!");
    } else if (!all_digits(hours)) {
        refuse("Please enter an integer in the 'hours' Textbox!");
    } else if (!all_digits(minutes)) {
        refuse("Please enter just integers in the 'Minutes' Textbox!");
    } else if (!page.daily.value() && !page.weekly.value()) {
        refuse("Please choose a period: 'weekly' or 'daily'");
    } else if (settings_.record().time_dist_ids.size() >= max_ids) {
        refuse(
            "The maximum allowed number of Time Distributer IDs has been reached.\nPlease delete "
            "another Time Distributer ID before continuing!");
    } else {
        TimeDistributerId id;
        id.Time_Dist_ID = id_text;
        // The boxes take two digits each: this cannot overflow.
        id.Time_Dist_Time = static_cast<std::int32_t>(whole_number(hours).value_or(0) * 3600 +
                                                      whole_number(minutes).value_or(0) * 60);
        id.Time_Dist_Remain = id.Time_Dist_Time;
        id.Time_Dist_Period = page.daily.value() ? 1 : 7;
        id.Time_Dist_Date = clock_.today();
        settings_.record().time_dist_ids.push_back(id);
        page.ids.add_item(distributer_list_line(id, clock_));
        page.id_box.set_text("");
        page.hours_box.set_text("");
        page.minutes_box.set_text("");
    }
}

void Distributer::delete_distributer_id() {
    const int line = selected_line();
    if (line < 0) {
        messages_.message(
            "No Time Distributor ID was deleted, because no one was selected in the list!");
        return;
    }
    if (!desktop_.yes_no_box("Are you sure, you want to delete the selected Time Distributor ID?",
                             "Vardex - Question")) {
        return;
    }
    SettingsRecord& r = settings_.record();
    page_.ids.remove_item(line);
    r.time_dist_ids.erase(r.time_dist_ids.begin() + line);
    // The running ID stays the same ID; it is none when it was the one deleted.
    if (r.Active_Time_Dist_ID == line + 1) {
        r.Active_Time_Dist_ID = 0;
    } else if (r.Active_Time_Dist_ID > line + 1) {
        --r.Active_Time_Dist_ID;
    }
}

void Distributer::reset_distributer_id() {
    const int line = selected_line();
    if (line < 0) {
        messages_.message(
            "No Time Distributor ID was reseted, because no one was selected in the list!");
        return;
    }
    TimeDistributerId& id = settings_.record().time_dist_ids.at(static_cast<std::size_t>(line));
    id.Time_Dist_Date = clock_.today();
    id.Time_Dist_Remain = id.Time_Dist_Time;
    refill_list();
    messages_.message("The Time Distributor ID was successfully reseted!");
}

void Distributer::start_distributer_id() {
    SettingsRecord& r = settings_.record();
    TextBox& box = id_box_;
    int found = -1;
    // An empty box is no ID, whatever the store holds.
    for (std::size_t i = 0; i < r.time_dist_ids.size() && !box.text().empty(); ++i) {
        if (equal_ignoring_case(r.time_dist_ids[i].Time_Dist_ID, box.text())) {
            found = static_cast<int>(i);  // the last equal one wins
        }
    }
    if (found < 0) {
        messages_.small_message("This Time Distributer ID is unknown!");
        box.set_text("");
        return;
    }
    TimeDistributerId& id = r.time_dist_ids[static_cast<std::size_t>(found)];
    const std::int32_t today = clock_.today();
    if (recharge_due(id, today)) {
        id.Time_Dist_Remain = id.Time_Dist_Time;
        id.Time_Dist_Date = today;
    }
    if (id.Time_Dist_Remain > 5) {
        box.set_text("");
        r.Active_Time_Dist_ID = found + 1;
        countdown_.save_recovery_minutes(id.Time_Dist_Remain / 60 + 1);
        settings_.save_settings();
        countdown_.start_timer(id.Time_Dist_Remain,
                               ": Timer started with Time Distributer ID " + id.Time_Dist_ID);
        return;
    }
    messages_.small_message("This Time Distributer ID has no time left! Next recharge " +
                            clock_.short_date_text(period_end(id)));
    box.set_text("");
}

void Distributer::end_distributer_timing() {
    SettingsRecord& r = settings_.record();
    const std::int32_t active = r.Active_Time_Dist_ID;
    if (active >= 1 && active <= static_cast<std::int32_t>(r.time_dist_ids.size())) {
        // Never more than the ID had at its start: the countdown shows one second more in its
        // first second, and a stop then must not add that second to the allowance.
        std::int32_t& remain =
            r.time_dist_ids[static_cast<std::size_t>(active - 1)].Time_Dist_Remain;
        remain = std::clamp(countdown_.seconds_left(), 0, remain);
    }
    r.Active_Time_Dist_ID = 0;
    countdown_.end_timer(": Timer was exited.");
    settings_.save_settings();
}

}  // namespace vardex
