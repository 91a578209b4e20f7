#include "updater/update_form.h"

namespace vardex {

UpdateForm::UpdateForm() : Form("Form1", "Vardex - Update") {
    move(0, 0, 6000, 3900);
    label1.set_caption(
        "This program updates Vardex version 4.0-4.12  to the newest version 4.11  It does "
        "*not* work with versions prior to version 4! MAKE SURE VARDEX IS NOT RUNNING WHILE "
        "UPDATING!");
    label1.move(240, 180, 5400, 780);
    label2.set_caption("Existing exe found at:");
    label2.move(240, 1080, 5400, 255);
    text1.move(240, 1360, 5400, 315);
    text1.set_locked(true);
    command1.set_caption("Replace exitsing version with new 4.12 version!");
    command1.move(240, 1860, 3600, 420);
    command1.set_enabled(false);
    command2.set_caption("Cancel");
    command2.move(4080, 1860, 1560, 420);
    label4.set_caption("Support: write to the support address printed on your licence sheet.");
    label4.move(240, 2520, 5400, 480);
}

}  // namespace vardex
