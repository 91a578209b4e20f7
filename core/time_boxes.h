#pragma once

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

}  // namespace vardex
