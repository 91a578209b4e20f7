#include "settings/options.h"

#include "core/program.h"

namespace vardex {

Options::Options(Program& program) : program_(program) {
    program.options_dialog.exit_button.on_click = [this] { leave_options(); };
    program.options_dialog.on_query_unload = [this] {
        leave_options();
        return true;
    };
}

void Options::fill_options_dialog() {
    Program& p = program_;
    OptionsDialog& d = p.options_dialog;
    p.settings.load_settings();
    const SettingsRecord& r = p.settings.record();
    for (int i = 0; i < localised_text_count; ++i) {
        d.localised_boxes[i].set_text(r.localised_texts[static_cast<std::size_t>(i)]);
    }
    d.front_check.set_enabled(false);
    d.back_check.set_enabled(false);
    d.forbidden_list.clear();
    d.forbidden_modes.clear();
    for (const ForbiddenWindow& entry : r.forbidden_windows) {
        d.forbidden_list.add_item(entry.title);
        d.forbidden_modes.push_back(entry.matching);
    }
    d.used_formula_box.set_text(r.Security_Formula);
}

void Options::apply_options_dialog() {
    Program& p = program_;
    OptionsDialog& d = p.options_dialog;
    SettingsRecord& r = p.settings.record();
    for (int i = 0; i < localised_text_count; ++i) {
        r.localised_texts[static_cast<std::size_t>(i)] = d.localised_boxes[i].text();
    }
    p.blocking.apply_texts();
    r.forbidden_windows.clear();
    for (int i = 0; i < d.forbidden_list.list_count(); ++i) {
        const MatchMode mode = i < static_cast<int>(d.forbidden_modes.size())
                                   ? d.forbidden_modes[static_cast<std::size_t>(i)]
                                   : MatchMode::whole;
        r.forbidden_windows.push_back({d.forbidden_list.item(i), mode});
    }
    p.settings.save_settings();
}

void Options::leave_options() {
    Program& p = program_;
    p.explan_dialog.hide();
    p.options_dialog.explanation_button.set_caption("Expl&anation Window");
    apply_options_dialog();
    p.vardex_dialog.show();
    p.options_dialog.hide();
    p.blocking.block_screen();
    p.vardex_dialog.start_sweeps();
    p.mode.change_to(ProgramMode::blocked).announce();
    p.vardex_dialog.set_focus();
}

void Options::open_options_dialog() {
    Program& p = program_;
    fill_options_dialog();
    if (p.platform.windows().quitting()) {
        return;  // the reload found the store beyond repair, and the program ends
    }
    p.mode.change_to(ProgramMode::options).announce();
    p.options_dialog.show();
    p.blocking.unblock_screen();
    p.time_dialog.hide();
    p.vardex_dialog.hide();
}

}  // namespace vardex
