#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi.h"
#include "platform/list_controls.h"

namespace vardex {

// The hours and minutes boxes of the main and network dialogs offer the same choices.
inline void fill_hour_items(ComboBox& box) {
    for (int h = 0; h <= 6; ++h) {
        box.add_item(std::to_string(h));
    }
}

inline void fill_minute_items(ComboBox& box) {
    for (const char* m : {"00", "15", "30", "45"}) {
        box.add_item(m);
    }
}

// What is said when the hours or minutes typed for a countdown are not whole numbers.
inline std::optional<std::string> time_digits_refusal(std::string_view hours,
                                                      std::string_view minutes) {
    if (!all_digits(hours)) {
        return "Please enter an integer in the 'hours' Textbox!";
    }
    if (!all_digits(minutes)) {
        return "Please enter just integers in the 'Minutes' Textbox!";
    }
    return std::nullopt;
}

}  // namespace vardex
