#include "settings/localised_texts.h"

namespace vardex {

const std::array<std::string, localised_text_count>& default_localised_texts() {
    static const std::array<std::string, localised_text_count> texts = {
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
    return texts;
}

}  // namespace vardex
