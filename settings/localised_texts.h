#pragma once

#include <array>
#include <string>

namespace vardex {

// The nine texts an operator may replace (String20 to String28), in their order.
inline constexpr int localised_text_count = 9;

enum LocalisedText {
    blocker_corner_text = 0,  // String20
    dac_label = 1,            // String21
    dac_button = 2,           // String22
    dac_frame_help = 3,       // String23
    dac_button_help = 4,      // String24
    timer_label = 5,          // String25
    pause_running = 6,        // String26
    pause_paused = 7,         // String27
    shutdown_label = 8,       // String28
};

const std::array<std::string, localised_text_count>& default_localised_texts();

}  // namespace vardex
