#include "settings/explan_dialog.h"

namespace vardex {

ExplanDialog::ExplanDialog() : Form("Explan_Dialog", "Vardex - Explanation Window") {
    move(0, 0, 7200, 1485);
    explanation_label.set_caption(
        "Just move the mouse cursor to the control you need help with and a explanation will "
        "occur in the Explanation Window");
    explanation_label.move(120, 120, 6840, 1000);
    spare_box.move(120, 1700, 5640, 1110);
    spare_box.set_visible(false);
}

}  // namespace vardex
