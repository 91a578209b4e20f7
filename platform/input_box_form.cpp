#include "platform/input_box_form.h"

namespace vardex {

InputBoxForm::InputBoxForm(std::string_view prompt_text, std::string_view title,
                           std::string_view initial)
    : Form("InputBox", std::string(title)) {
    move(0, 0, 6200, 2300);
    prompt.set_caption(std::string(prompt_text));
    prompt.move(120, 120, 4500, 900);
    ok.set_caption("OK");
    ok.move(4800, 120, 1200, 360);
    cancel.set_caption("Cancel");
    cancel.move(4800, 560, 1200, 360);
    text.move(120, 1260, 5880, 315);
    text.set_text(std::string(initial));

    ok.on_click = [this] {
        accepted = true;
        done = true;
    };
    cancel.on_click = [this] { done = true; };
    text.on_key_press = [this](int& key) {
        if (key == 13) {
            key = 0;
            accepted = true;
            done = true;
        } else if (key == 27) {
            key = 0;
            done = true;
        }
    };
    on_query_unload = [this] {
        done = true;
        return false;
    };
}

}  // namespace vardex
