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

OptionsDialog::OptionsDialog() : Form("Options_Dialog", "Vardex - Options") {
    move(0, 0, 7100, 5900);
    tabs.set_tabs({"Misc&1", "Misc&2", "&Forb.Win", "&Security", "&Direct. Acc", "&Localize",
                   "&Network", "&Time Distr."});
    tabs.move(120, 120, 6780, 4800);
    for (int k = 0; k < pages.size(); ++k) {
        pages[k].move(210, 528, 6600, 4300);
        pages[k].set_border(false);
        pages[k].set_visible(k == 0);
    }
    exit_button.set_caption("E&xit Options");
    exit_button.move(120, 5040, 2100, 390);
    help_button.set_caption("Help");
    help_button.move(2400, 5040, 2100, 390);
    explanation_button.set_caption("Expl&anation Window");
    explanation_button.move(4680, 5040, 2220, 390);
    lay_out_forbidden_page();
    lay_out_localize_page();
    lay_out_security_page();
    tabs.on_click = [this] {
        for (int k = 0; k < 8; ++k) {
            pages[k].set_visible(tabs.selected() == k);
        }
    };
}

void OptionsDialog::lay_out_forbidden_page() {
    pages[2].set_caption("Forbidden Windows");
    label_forbidden.set_caption("Forbidden window titles:");
    label_forbidden.move(120, 240, 3600, 255);
    forbidden_list.set_multi_select(ListBox::MultiSelect::extended);
    forbidden_list.move(120, 510, 3600, 2400);
    label_add.set_caption("Window Titel to add:");
    label_add.move(120, 3060, 3600, 255);
    title_box.move(120, 3330, 3600, 315);
    title_box.set_max_length(199);
    add_title_button.set_caption("&Add Window Title");
    add_title_button.move(3900, 3300, 2520, 375);
    remove_title_button.set_caption("Remo&ve selected Title");
    remove_title_button.move(3900, 510, 2520, 375);
    pick_title_button.set_caption("&Get a Window Title");
    pick_title_button.move(3900, 2760, 2520, 375);
    label_match.set_caption("Match selected Title...");
    label_match.move(3900, 1080, 2520, 255);
    front_check.set_caption("&front");
    front_check.move(3900, 1380, 2520, 300);
    back_check.set_caption("&back");
    back_check.move(3900, 1740, 2520, 300);
    front_check.set_enabled(false);
    back_check.set_enabled(false);
}

void OptionsDialog::lay_out_localize_page() {
    pages[5].set_caption("Localization");
    for (int i = 0; i < localised_text_count; ++i) {
        localised_labels[i].set_caption(localize_labels[i]);
        localised_labels[i].move(120, 270 + i * 390, 3300, 255);
        localised_boxes[i].move(3480, 240 + i * 390, 2940, 315);
        localised_boxes[i].set_max_length(localize_lengths[i]);
    }
    english_button.set_caption("&Default (english) values");
    english_button.move(3480, 3780, 2940, 375);
    english_button.on_click = [this] { reset_localisation(); };
}

void OptionsDialog::lay_out_security_page() {
    pages[3].set_caption("Password and Code Generation");
    label_password.set_caption("New Password:");
    label_password.move(120, 300, 1800, 255);
    password_box.move(2040, 270, 2400, 315);
    password_box.set_max_length(15);
    password_box.set_password_char('X');
    password_button.set_caption("C&hange Password");
    password_button.move(4560, 240, 1860, 375);
    label_new_formula.set_caption("New Formula:");
    label_new_formula.move(120, 1140, 1800, 255);
    formula_box.move(2040, 1110, 2400, 315);
    formula_box.set_max_length(31);
    label_used_formula.set_caption("Used Formula:");
    label_used_formula.move(120, 1560, 1800, 255);
    used_formula_box.move(2040, 1530, 2400, 315);
    used_formula_box.set_locked(true);
    formula_button.set_caption("&Use new formula");
    formula_button.move(4560, 1080, 1860, 375);
}

void OptionsDialog::reset_localisation() {
    for (int i = 0; i < localised_text_count; ++i) {
        localised_boxes[i].set_text(default_localised_texts()[static_cast<std::size_t>(i)]);
    }
}

}  // namespace vardex
