#pragma once

#include <array>
#include <string>
#include <string_view>

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

// The English texts, used when a text is missing and by "&Default (english) values".
inline constexpr std::array<std::string_view, localised_text_count> localised_defaults = {
    "System blocked!",
    "Enter Code here:",
    "Start with the &Direct Access Code entered",
    "If you have a 'Direct Access Code' enter it in the Textbox and click on the Button "
    "'Start with the Direct Access Code entered'",
    "Click this Button to start the timer with the Direct Access Code you entered above",
    "Computer time:",
    "&Pause",
    "&Start",
    "S&hutdown",
};

std::array<std::string, localised_text_count> default_localised_texts();

}  // namespace vardex
