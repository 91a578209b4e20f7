#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "platform/list_controls.h"
#include "settings/options_page.h"
#include "settings/settings_record.h"

namespace vardex {

class Clock;
class Form;

// The list line of a Time Distributer ID: "Anna | 02:00 | daily | 01:30 | 08.12.2026", with the
// allowance, the period, the time left and the day of the next recharge (today when that day is
// past).
std::string distributer_list_line(const TimeDistributerId& id, Clock& clock);
// The day a period ends (the last recharge and the period), within the calendar whatever the
// store holds; the next recharge: that day, or today when it is past.
std::int32_t period_end(const TimeDistributerId& id);
std::int32_t next_recharge(const TimeDistributerId& id, std::int32_t today);
// Whether a start today recharges the ID: a whole period has passed since its last recharge.
bool recharge_due(const TimeDistributerId& id, std::int32_t today);

// "&Time Distr.": the Time Distributer IDs and a new one.
class DistributerPage {
  public:
    DistributerPage(Form& form, Frame& page);

    void fill(const SettingsRecord& r, Clock& clock);
    Explanations explanations();

    Form& form;
    Frame& page;
    Frame frame{form, "Frame16", &page};
    Label list_label{form, "Label27", &frame};
    ListBox ids{form, "List3", &frame};
    CommandButton delete_button{form, "Command29", &frame};
    CommandButton reset_button{form, "Command30", &frame};
    Frame new_frame{form, "Frame17", &page};
    Label id_label{form, "Label28", &new_frame};
    TextBox id_box{form, "Text20", &new_frame};
    Label hours_label{form, "Label29", &new_frame};
    TextBox hours_box{form, "Text21", &new_frame};
    Label minutes_label{form, "Label30", &new_frame};
    TextBox minutes_box{form, "Text22", &new_frame};
    OptionButton daily{form, "Option2(0)", &new_frame};
    OptionButton weekly{form, "Option2(1)", &new_frame};
    CommandButton create_button{form, "Command28", &new_frame};
};

}  // namespace vardex
