#include "access/forbidden_page.h"

namespace vardex {

ForbiddenPage::ForbiddenPage(Form& f, Frame& p) : form(f), page(p) {
    frame.set_caption("Forbidden Windows");
    frame.move(60, 0, 8160, 4080);
    list_label.set_caption("Forbidden window titles:");
    list_label.move(120, 270, 4800, 255);
    titles.set_multi_select(ListBox::MultiSelect::extended);
    titles.move(120, 540, 4800, 2520);
    remove_button.set_caption("Remo&ve selected Title");
    remove_button.move(5100, 540, 2940, 375);
    match_label.set_caption("Match selected Title...");
    match_label.move(5100, 1110, 2940, 255);
    front_check.set_caption("&front");
    front_check.move(5100, 1410, 2940, 270);
    back_check.set_caption("&back");
    back_check.move(5100, 1710, 2940, 270);
    front_check.set_enabled(false);
    back_check.set_enabled(false);
    pick_button.set_caption("&Get a Window Title");
    pick_button.move(5100, 2685, 2940, 375);
    title_label.set_caption("Window Titel to add:");
    title_label.move(120, 3240, 4800, 255);
    title_box.move(120, 3510, 4800, 315);
    title_box.set_max_length(199);
    add_button.set_caption("&Add Window Title");
    add_button.move(5100, 3480, 2940, 375);
}

void ForbiddenPage::fill(const SettingsRecord& r) {
    // The match boxes wait for a selected title.
    front_check.set_enabled(false);
    back_check.set_enabled(false);
    titles.clear();
    modes.clear();
    for (const ForbiddenWindow& entry : r.forbidden_windows) {
        titles.add_item(entry.title);
        modes.push_back(entry.matching);
    }
}

void ForbiddenPage::apply(SettingsRecord& r) const {
    r.forbidden_windows.clear();
    for (int i = 0; i < titles.list_count(); ++i) {
        const auto n = static_cast<std::size_t>(i);
        r.forbidden_windows.push_back(
            {titles.item(i), n < modes.size() ? modes[n] : MatchMode::whole});
    }
}

Explanations ForbiddenPage::explanations() {
    const std::string matching =
        "Here you can choose, how Vardex compares the marked window title. With 'front' a window "
        "is forbidden whose title begins with it, with 'back' one whose title ends with it, with "
        "both either; with none of them the whole title has to be the same.";
    return {
        {&frame, ""},
        {&front_check, matching},
        {&back_check, matching},
        {&match_label, matching},
        {&add_button,
         "This button will add the window titel you entered in the textbox beside it to the list "
         "of forbidden windows."},
        {&remove_button,
         "If you don't want a window to be forbidden any more, mark its title in the list and "
         "press this button."},
        {&pick_button,
         "This button saves you the keystrokes: press it, then click on the window whose title "
         "you want to forbid. The title is put into the textbox below."},
        {&title_box,
         "Enter the title of the forbidden window here, exactly as it is shown in the window's "
         "title bar, and press 'Add Window Title'."},
        {&titles,
         "In this list the windows are listed, which are forbidden. Vardex closes every window "
         "with such a title as soon as it is in front."},
    };
}

}  // namespace vardex
