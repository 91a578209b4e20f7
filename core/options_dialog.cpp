#include "core/options_dialog.h"

namespace vardex {

OptionsDialog::OptionsDialog() : Form("Options_Dialog", "Vardex - Options") {
    // Wide enough for the eight tabs and the pages' texts in today's dialog font.
    move(0, 0, 8700, 6300);
    tabs.set_tabs({"Misc&1", "Misc&2", "&Forb.Win", "&Security", "&Direct. Acc", "&Localize",
                   "&Network", "&Time Distr."});
    tabs.move(120, 120, 8460, 5160);
    for (int k = 0; k < pages.size(); ++k) {
        // The pages lie on the tab strip without a border of their own.
        pages[k].move(210, 528, 8280, 4680);
        pages[k].set_border(false);
        pages[k].set_visible(k == 0);
    }
    exit_button.set_caption("E&xit Options");
    exit_button.move(120, 5400, 2640, 390);
    help_button.set_caption("Help");
    help_button.move(3030, 5400, 2640, 390);
    explanation_button.set_caption("Expl&anation Window");
    explanation_button.move(5940, 5400, 2640, 390);
    tabs.on_click = [this] { show_page(tabs.selected()); };
}

void OptionsDialog::show_page(int index) {
    for (int k = 0; k < 8; ++k) {
        pages[k].set_visible(index == k);
    }
}

Explanations OptionsDialog::explanations() {
    Explanations out = {
        {&exit_button, "This button exits the options dialog and saves the settings"},
        {&help_button, "This button brings up the online help."},
        {&explanation_button,
         "This button opens and closes this explanation window, which should give you some ideas "
         "about the options!"},
    };
    for (Explanations page :
         {misc1.explanations(), misc2.explanations(), forbidden.explanations(),
          security.explanations(), code_pages.explanations(), localize.explanations(),
          network.explanations(), distributer.explanations()}) {
        out.insert(out.end(), page.begin(), page.end());
    }
    return out;
}

}  // namespace vardex
