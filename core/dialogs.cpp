#include "core/dialogs.h"

#include "core/program.h"

namespace vardex {

ExplanDialog::ExplanDialog(Program& program)
    : Form("Explan_Dialog", "Vardex - Explanation Window") {
    move(0, 0, 6000, 2200);
    label1.set_caption(
        "Just move the mouse cursor to the control you need help with and a explanation will "
        "occur in the Explanation Window");
    label1.move(120, 120, 5640, 1000);
    text1.move(120, 1700, 5640, 315);
    // Closed by its close box: the options dialog's button offers to open it again.
    on_unload = [&program] { program.options_dialog.command18.set_caption("Expl&anation Window"); };
}

AboutDialog::AboutDialog(Program& program)
    : Form("About_Dialog", "Vardex - About..."), program_(program) {
    move(0, 0, 4800, 2700);
    set_back_color(rgb(255, 255, 255));
    label1.set_caption("Vardex");
    label1.set_font(Font{"Arial", 24, true});
    label1.set_alignment(Alignment::center);
    label1.move(120, 240, 4560, 600);
    label2.set_caption("Version: ");
    label2.set_alignment(Alignment::center);
    label2.move(120, 960, 4560, 255);
    label3.set_caption("Controls how long this computer may be used.");
    label3.set_alignment(Alignment::center);
    label3.move(120, 1320, 4560, 255);
    command1.set_caption("E&xit About Dialog");
    command1.move(1320, 1920, 2160, 420);
    command1.on_click = [this] { leave(); };
    timer1.on_tick = [this] { program_.blocking.keep_about_focused(); };
    on_query_unload = [] { return true; };
}

void AboutDialog::leave() {
    timer1.set_enabled(false);
    hide();
    program_.vardex_dialog.show();
    program_.blocking.confine_cursor(1);
    program_.vardex_dialog.timer2.set_enabled(true);
}

QuestDialog::QuestDialog(Program& program) : Form("Quest_Dialog", "Shutdown Computer...") {
    move(0, 0, 5400, 2760);
    label1.set_caption(
        "This command shuts down all Programs and the Computer. ALL UNSAVED DOUCMENTS ARE "
        "LOST!!!! We strongly suggest to close all Programs besides Vardex before using this "
        "command. Do you want to continue?");
    label1.move(240, 180, 4800, 1200);
    command1.set_caption("Yes");
    command1.move(1200, 1620, 1335, 420);
    command2.set_caption("No");
    command2.move(2760, 1620, 1335, 420);
    command1.on_click = [&program] { program.lifecycle.shutdown_computer(); };
    command2.on_click = [this] { hide(); };
}

}  // namespace vardex
