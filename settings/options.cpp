#include "settings/options.h"

#include "core/program.h"

namespace vardex {

Options::Options(Program& program) : program_(program) {
    program.options_dialog.command10.on_click = [this] { leave_options(); };
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
        d.text13[i].set_text(r.localised_texts[static_cast<std::size_t>(i)]);
    }
    d.check2.set_enabled(false);
    d.check3.set_enabled(false);
    d.list1.clear();
    d.list1_modes.clear();
    for (const ForbiddenWindow& entry : r.forbidden_windows) {
        d.list1.add_item(entry.title);
        d.list1_modes.push_back(entry.matching);
    }
    d.text3.set_text(r.Security_Formula);
}

void Options::apply_options_dialog() {
    Program& p = program_;
    OptionsDialog& d = p.options_dialog;
    SettingsRecord& r = p.settings.record();
    for (int i = 0; i < localised_text_count; ++i) {
        r.localised_texts[static_cast<std::size_t>(i)] = d.text13[i].text();
    }
    p.blocking.apply_texts();
    r.forbidden_windows.clear();
    for (int i = 0; i < d.list1.list_count(); ++i) {
        const std::int16_t mode = i < static_cast<int>(d.list1_modes.size())
                                      ? d.list1_modes[static_cast<std::size_t>(i)]
                                      : 0;
        r.forbidden_windows.push_back({d.list1.item(i), mode});
    }
    p.settings.save_settings();
}

void Options::leave_options() {
    Program& p = program_;
    p.explan_dialog.hide();
    p.options_dialog.command18.set_caption("Expl&anation Window");
    apply_options_dialog();
    p.vardex_dialog.show();
    p.options_dialog.hide();
    p.blocking.block_screen();
    p.vardex_dialog.timer3.set_enabled(true);
    p.vardex_dialog.timer2.set_enabled(true);
    p.state.program_mode = mode_blocked;
    if (p.settings.record().Network_Role == 1) {
        p.network.send_status_report(true);
    }
    p.vardex_dialog.set_focus();
}

}  // namespace vardex
