#include "core/dialogs.h"

#include "core/program.h"

namespace vardex {

AboutDialog::AboutDialog(Program& program)
    : Form("About_Dialog", "Vardex - About..."), program_(program) {
    set_popup_style(true);
    move(0, 0, 4800, 2700);
    set_back_color(rgb(255, 255, 255));
    name_label.set_caption("Vardex");
    name_label.set_font(Font{"Arial", 24, true});
    name_label.set_alignment(Alignment::center);
    name_label.move(120, 240, 4560, 600);
    version_label.set_caption("Version: ");
    version_label.set_alignment(Alignment::center);
    version_label.move(120, 960, 4560, 255);
    about_label.set_caption("Controls how long this computer may be used.");
    about_label.set_alignment(Alignment::center);
    about_label.move(120, 1320, 4560, 255);
    exit_button.set_caption("E&xit About Dialog");
    exit_button.move(1320, 1920, 2160, 420);
    exit_button.on_click = [this] { leave(); };
    focus_timer.on_tick = [this] { program_.blocking.keep_about_focused(); };
    on_query_unload = [] { return true; };
}

void AboutDialog::leave() {
    focus_timer.set_enabled(false);
    hide();
    program_.vardex_dialog.show();
    program_.blocking.confine_cursor(PointerZone::main_dialog);
    program_.vardex_dialog.blocked_sweep_timer.set_enabled(true);
}

QuestDialog::QuestDialog(Program& program) : Form("Quest_Dialog", "Shutdown Computer...") {
    move(0, 0, 5400, 2760);
    question_label.set_caption(
        "This command shuts down all Programs and the Computer. ALL UNSAVED DOUCMENTS ARE "
        "LOST!!!! We strongly suggest to close all Programs besides Vardex before using this "
        "command. Do you want to continue?");
    question_label.move(240, 180, 4800, 1200);
    yes_button.set_caption("Yes");
    yes_button.move(1200, 1620, 1335, 420);
    no_button.set_caption("No");
    no_button.move(2760, 1620, 1335, 420);
    yes_button.on_click = [&program] { program.lifecycle.shutdown_computer(); };
    no_button.on_click = [this] { hide(); };
}

}  // namespace vardex
