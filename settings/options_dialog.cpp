#include "settings/options_dialog.h"

#include "settings/localised_texts.h"

namespace vardex {

namespace {
// The labels of the rows of the "&Localize" page and the longest text of each.
const char* const localize_labels[localised_text_count] = {
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
const int localize_lengths[localised_text_count] = {25, 20, 45, 160, 160, 30, 20, 20, 20};
}  // namespace

OptionsDialog::OptionsDialog(Program& /*program*/) : Form("Options_Dialog", "Vardex - Options") {
    move(0, 0, 7100, 5900);
    tab_strip1.set_tabs({"Misc&1", "Misc&2", "&Forb.Win", "&Security", "&Direct. Acc", "&Localize",
                         "&Network", "&Time Distr."});
    tab_strip1.move(120, 120, 6780, 4800);
    for (int k = 0; k < frame11.size(); ++k) {
        frame11[k].move(210, 528, 6600, 4300);
        frame11[k].set_visible(k == 0);
    }
    command10.set_caption("E&xit Options");
    command10.move(120, 5040, 2100, 390);
    command11.set_caption("Help");
    command11.move(2400, 5040, 2100, 390);
    command18.set_caption("Expl&anation Window");
    command18.move(4680, 5040, 2220, 390);
    lay_out_forbidden_page();
    lay_out_localize_page();
    lay_out_security_page();
    tab_strip1.on_click = [this] {
        for (int k = 0; k < 8; ++k) {
            frame11[k].set_visible(tab_strip1.selected() == k);
        }
    };
}

void OptionsDialog::lay_out_forbidden_page() {
    frame11[2].set_caption("Forbidden Windows");
    label_forbidden.set_caption("Forbidden window titles:");
    label_forbidden.move(120, 240, 3600, 255);
    list1.set_multi_select(ListBox::MultiSelect::extended);
    list1.move(120, 510, 3600, 2400);
    label_add.set_caption("Window Titel to add:");
    label_add.move(120, 3060, 3600, 255);
    text1.move(120, 3330, 3600, 315);
    text1.set_max_length(199);
    command1.set_caption("&Add Window Title");
    command1.move(3900, 3300, 2520, 375);
    command2.set_caption("Remo&ve selected Title");
    command2.move(3900, 510, 2520, 375);
    command7.set_caption("&Get a Window Title");
    command7.move(3900, 2760, 2520, 375);
    label_match.set_caption("Match selected Title...");
    label_match.move(3900, 1080, 2520, 255);
    check2.set_caption("&front");
    check2.move(3900, 1380, 2520, 300);
    check3.set_caption("&back");
    check3.move(3900, 1740, 2520, 300);
    check2.set_enabled(false);
    check3.set_enabled(false);
}

void OptionsDialog::lay_out_localize_page() {
    frame11[5].set_caption("Localization");
    for (int i = 0; i < localised_text_count; ++i) {
        label13[i].set_caption(localize_labels[i]);
        label13[i].move(120, 270 + i * 390, 3300, 255);
        text13[i].move(3480, 240 + i * 390, 2940, 315);
        text13[i].set_max_length(localize_lengths[i]);
    }
    command25.set_caption("&Default (english) values");
    command25.move(3480, 3780, 2940, 375);
    command25.on_click = [this] { reset_localisation(); };
}

void OptionsDialog::lay_out_security_page() {
    frame11[3].set_caption("Password and Code Generation");
    label_password.set_caption("New Password:");
    label_password.move(120, 300, 1800, 255);
    text4.move(2040, 270, 2400, 315);
    text4.set_max_length(15);
    text4.set_password_char('X');
    command5.set_caption("C&hange Password");
    command5.move(4560, 240, 1860, 375);
    label_new_formula.set_caption("New Formula:");
    label_new_formula.move(120, 1140, 1800, 255);
    text2.move(2040, 1110, 2400, 315);
    text2.set_max_length(31);
    label_used_formula.set_caption("Used Formula:");
    label_used_formula.move(120, 1560, 1800, 255);
    text3.move(2040, 1530, 2400, 315);
    text3.set_locked(true);
    command4.set_caption("&Use new formula");
    command4.move(4560, 1080, 1860, 375);
}

void OptionsDialog::reset_localisation() {
    for (int i = 0; i < localised_text_count; ++i) {
        text13[i].set_text(default_localised_texts()[static_cast<std::size_t>(i)]);
    }
}

}  // namespace vardex
