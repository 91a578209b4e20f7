#include "settings/options_dialog.h"

namespace vardex {

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
    tab_strip1.on_click = [this] {
        for (int k = 0; k < 8; ++k) {
            frame11[k].set_visible(tab_strip1.selected() == k);
        }
    };
}

}  // namespace vardex
