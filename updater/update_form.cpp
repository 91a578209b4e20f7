#include "updater/update_form.h"

#include "updater/updater.h"

namespace vardex {

UpdateForm::UpdateForm() : Form("Form1", "Vardex - Update") {
    move(0, 0, 6600, 3600);
    intro_label.set_caption(
        "This program updates Vardex version 4.0-4.12  to the newest version 4.11  It does "
        "*not* work with versions prior to version 4! MAKE SURE VARDEX IS NOT RUNNING WHILE "
        "UPDATING!");
    intro_label.move(240, 180, 6000, 780);
    found_label.set_caption("Existing exe found at:");
    found_label.move(240, 1080, 6000, 255);
    path_box.move(240, 1360, 6000, 315);
    path_box.set_locked(true);
    replace_button.set_caption("Replace exitsing version with new 4.12 version!");
    replace_button.move(240, 1860, 4560, 420);
    replace_button.set_enabled(false);
    cancel_button.set_caption("Cancel");
    cancel_button.move(4920, 1860, 1320, 420);
    support_label.set_caption(support_sentence);
    support_label.move(240, 2520, 6000, 480);
}

}  // namespace vardex
