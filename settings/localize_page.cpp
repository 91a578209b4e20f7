#include "settings/localize_page.h"

namespace vardex {

namespace {
// The rows of the page: the label and the longest text a box takes.
const char* const row_labels[localised_text_count] = {
    "Blocker Screen / Message in the corners:",
    "DAC Textfield label:",
    "DAC Button label:",
    "Help Text - DAC Textfield:",
    "Help text - DAC button:",
    "TimerWindow - Label of the Time-Textfield:",
    "TimerWindow - Lab. of Pause Button when running:",
    "TimerWindow - Lab. of Pause Button when paused:",
    "TimerWindow - Lab. of Shutdown Button:",
};
const int row_lengths[localised_text_count] = {25, 20, 45, 160, 160, 30, 20, 20, 20};

const char* const row_explanations[localised_text_count] = {
    "Here you can enter which text will be displayed in the corners of the screen, when the "
    "Vardex blocks the system. The maximal length is 25 characers",
    "Here you can enter the text for the label in front of the Direct Access Code Textbox in the "
    "main dialog. The maximal length is 20 characters",
    "Here you can enter the label of the Direct Access Code button in the main dialog. The "
    "maximum length is 45 characters",
    "Here you can enter the help text, which is displayed in the help frame, when the user "
    "touches the Direct Access Code frame with the mouse pointer. 160 characters maximum",
    "Here you can enter the help text, which is displayed in the help frame, when the user "
    "touches the Direct Access Code button with the mouse pointer. 160 characters maximum",
    "Here you can enter the Label of the textbox, which displays the time in the Timer Dialog. 30 "
    "characters max",
    "Enter the label of the Button to pause the timer here. The maximum length is 20 cahracters. "
    "You can use the ampersand (&&) in front of some letter to designate it as a access key",
    "Enter the label of the Button, which restarts the paused timer here. The maximum length is "
    "20 characters. You can use the ampersand (&&) in front of some letter to designate it as a "
    "access key",
    "Enter the label of the Button to shutdown the computer from the Time Dialog. The maximum "
    "length is 20 cahracters. You can use the ampersand (&&) in front of some letter to designate "
    "it as a access key",
};
}  // namespace

LocalizePage::LocalizePage(Form& f, Frame& p) : form(f), page(p) {
    for (int i = 0; i < localised_text_count; ++i) {
        labels[i].set_caption(row_labels[i]);
        labels[i].move(120, 90 + i * 420, 4560, 255);
        boxes[i].move(4740, 60 + i * 420, 3480, 315);
        boxes[i].set_max_length(row_lengths[i]);
    }
    english_button.set_caption("&Default (english) values");
    english_button.move(4740, 3900, 3480, 375);
    english_button.on_click = [this] { reset_localisation(); };
}

void LocalizePage::fill(const SettingsRecord& r) {
    for (int i = 0; i < localised_text_count; ++i) {
        boxes[i].set_text(r.localised_texts[static_cast<std::size_t>(i)]);
    }
}

void LocalizePage::apply(SettingsRecord& r) const {
    for (int i = 0; i < localised_text_count; ++i) {
        r.localised_texts[static_cast<std::size_t>(i)] = boxes[i].text();
    }
}

void LocalizePage::reset_localisation() {
    for (int i = 0; i < localised_text_count; ++i) {
        boxes[i].set_text(std::string(localised_defaults[static_cast<std::size_t>(i)]));
    }
}

Explanations LocalizePage::explanations() {
    Explanations out;
    for (int i = 0; i < localised_text_count; ++i) {
        out.push_back({&boxes[i], row_explanations[i]});
    }
    out.push_back({&english_button,
                   "To reset the localisation to the original english version, press this button. "
                   "All your costum localisations will be lost!"});
    return out;
}

}  // namespace vardex
