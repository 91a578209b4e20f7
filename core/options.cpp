#include "core/options.h"

#include <initializer_list>

#include "core/program.h"
#include "platform/hover_help.h"
#include "settings/options_file.h"

namespace vardex {

namespace {

constexpr char cr[] = "\r";
constexpr char explanation_closed[] = "Expl&anation Window";
constexpr char explanation_open[] = "Close Expl. Window";
constexpr char hours_message[] =
    "Please enter an integer in the 'hours' Textbox at the 'Misc' Tab!";
constexpr char minutes_message[] =
    "Please enter an integer in the 'Minutes' Textbox at the 'Misc' Tab!";

// Digits only, and a value that fits the 16-bit setting it goes to.
bool whole_number_text(const std::string& text) {
    const std::optional<std::int64_t> value = whole_number(text);
    return !text.empty() && all_digits(text) && value && *value <= 32767;
}

}  // namespace

Options::Options(Program& program) : program_(program) {
    OptionsDialog& d = program.options_dialog;
    d.exit_button.on_click = [this] { leave_options(); };
    d.on_query_unload = [this] {
        leave_options();
        return true;  // the window is hidden by leaving, or stays for a correction
    };
    d.help_button.on_click = [this] { program_.help.show_topic(HelpTopic::options); };
    d.explanation_button.on_click = [this] { toggle_explanation_window(); };

    MiscPage1& m1 = d.misc1;
    m1.log_box.on_lost_focus = [this] { check_log_file(); };
    m1.log_button.on_click = [this] {
        if (const std::string path = pick_file(); !path.empty()) {
            program_.options_dialog.misc1.log_box.set_text(path);
            check_log_file();
        }
    };
    for (CheckBox* box : {&m1.log_start_exit, &m1.log_timer, &m1.log_pausing, &m1.log_prevented}) {
        // A log box cannot stay on without a log file.
        box->on_click = [this] {
            MiscPage1& m = program_.options_dialog.misc1;
            const bool any = m.log_start_exit.value() != 0 || m.log_timer.value() != 0 ||
                             m.log_pausing.value() != 0 || m.log_prevented.value() != 0;
            if (any && m.log_box.text().empty() && !checking_log_) {
                check_log_file();
            }
        };
    }
    m1.logo_box.on_lost_focus = [this] { check_logo_file(); };
    m1.logo_button.on_click = [this] {
        if (const std::string path = pick_file(); !path.empty()) {
            program_.options_dialog.misc1.logo_box.set_text(path);
            check_logo_file();
        }
    };

    MiscPage2& m2 = d.misc2;
    m2.autostart_check.on_click = [this] { program_.options_dialog.misc2.enable_start_kinds(); };
    m2.export_button.on_click = [this] { export_options(); };
    m2.import_button.on_click = [this] { import_options(); };

    NetworkPage& n = d.network;
    n.admin_log_check.on_click = [this] {
        if (program_.options_dialog.network.admin_log_check.value() != 0) {
            check_admin_log_file();
        }
    };
    n.admin_log_box.on_lost_focus = [this] { check_admin_log_file(); };
    n.admin_log_button.on_click = [this] {
        if (const std::string path = pick_file(); !path.empty()) {
            program_.options_dialog.network.admin_log_box.set_text(path);
            check_admin_log_file();
        }
    };
    n.goto_button.on_click = [this] { goto_network_dialog(); };

    program.explan_dialog.on_unload = [this] {
        program_.options_dialog.explanation_button.set_caption(explanation_closed);
    };
    wire_explanations();
}

void Options::message(const std::string& text) {
    program_.time_dialog.message(text);
}

void Options::wire_explanations() {
    Program& p = program_;
    OptionsDialog& d = p.options_dialog;
    Label& shown_in = p.explan_dialog.explanation_label;
    show_on_hover(d, shown_in,
                  "Just move the mouse cursor to the control you need help with and a explanation "
                  "will occur in the Explanation Window");
    for (const Explanation& e : d.explanations()) {
        show_on_hover(*e.control, shown_in, e.text);
    }
}

void Options::toggle_explanation_window() {
    Program& p = program_;
    CommandButton& button = p.options_dialog.explanation_button;
    if (button.caption() == explanation_closed) {
        button.set_caption(explanation_open);
        p.explan_dialog.show();
    } else {
        button.set_caption(explanation_closed);
        p.explan_dialog.hide();
    }
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

void Options::fill_options_dialog() {
    Program& p = program_;
    OptionsDialog& d = p.options_dialog;
    // The dialog always shows what the store holds, not what memory held.
    p.settings.load_settings();
    const SettingsRecord& r = p.settings.record();
    d.network.fill(r);
    d.localize.fill(r);
    d.misc1.fill(r);
    d.misc2.fill(r);
    d.forbidden.fill(r);
    d.distributer.fill(r, p.platform.clock());
    d.security.fill(r);
    d.code_pages.fill(r);
}

void Options::apply_options_dialog() {
    Program& p = program_;
    OptionsDialog& d = p.options_dialog;
    SettingsRecord& r = p.settings.record();
    d.misc1.apply(r);
    d.localize.apply(r);
    p.blocking.apply_texts();
    p.vardex_dialog.hours_box.set_text(std::to_string(r.Start_Houres));
    p.vardex_dialog.minutes_box.set_text(std::to_string(r.Start_minutes));
    p.main_dialog.enable_distributer_controls();
    d.network.apply(r);
    d.misc2.apply(r);
    if (r.Network_Role != NetworkRole::none) {
        p.vardex_dialog.network_timer.set_enabled(true);
    }
    if (d.network.no_network().value()) {
        p.vardex_dialog.network_timer.set_enabled(false);
    }
    d.forbidden.apply(r);
    p.settings.save_settings();
}

bool Options::leave_checks(const std::string& minutes_text) {
    if (!time_boxes_hold_numbers(minutes_text)) {
        return false;
    }
    Program& p = program_;
    p.explan_dialog.hide();
    p.options_dialog.explanation_button.set_caption(explanation_closed);
    apply_options_dialog();
    return true;
}

bool Options::time_boxes_hold_numbers(const std::string& minutes_text) {
    MiscPage1& m = program_.options_dialog.misc1;
    if (m.hours_box.text().empty()) {
        m.hours_box.set_text("0");
    }
    if (m.minutes_box.text().empty()) {
        m.minutes_box.set_text("0");
    }
    if (!whole_number_text(m.hours_box.text())) {
        message(hours_message);
        return false;
    }
    if (!whole_number_text(m.minutes_box.text())) {
        message(minutes_text);
        return false;
    }
    return true;
}

void Options::leave_options() {
    Program& p = program_;
    if (!leave_checks(minutes_message)) {
        return;
    }
    p.vardex_dialog.show();
    p.options_dialog.hide();
    p.blocking.block_screen();
    p.vardex_dialog.start_sweeps();
    p.mode.change_to(ProgramMode::blocked).announce();
    p.vardex_dialog.set_focus();
}

void Options::goto_network_dialog() {
    Program& p = program_;
    if (p.settings.record().Network_Role != NetworkRole::administrator) {
        message(
            "You have to connect this computer as an adminster before you can go to the Network "
            "Diaolog!");
        return;
    }
    if (!leave_checks("Please enter an integer in the 'Minutes' Textbox  at the 'Misc' Tab!")) {
        return;
    }
    p.console.open_from_options();
}

std::string Options::pick_file() {
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::open;
    request.hide_read_only = true;
    request.path_must_exist = true;
    return program_.platform.desktop().file_dialog(request).value_or("");
}

bool Options::file_usable(const std::string& path, bool for_reading) {
    if (path.empty()) {
        return false;
    }
    Files& files = program_.platform.person_files();
    std::string content;
    const bool opened = for_reading ? files.read(path, content) : files.append(path, "");
    if (!opened) {
        message("Could not open " + path + cr + "on this computer. Filename won't be used!");
        return false;
    }
    return true;
}

void Options::check_log_file() {
    MiscPage1& m = program_.options_dialog.misc1;
    const std::string path = m.log_box.text();
    if (!path.empty() && program_.platform.person_files().append(path, "")) {
        return;
    }
    message(std::string("Could not open Log-File!") + cr + "Invalid Filname of Log-File");
    // Switching the boxes off must not check the file again.
    checking_log_ = true;
    for (CheckBox* box : {&m.log_timer, &m.log_prevented, &m.log_pausing, &m.log_start_exit}) {
        box->set_value(0);
    }
    checking_log_ = false;
    m.log_box.set_text("");
}

void Options::check_admin_log_file() {
    NetworkPage& n = program_.options_dialog.network;
    const std::string path = n.admin_log_box.text();
    if (!path.empty() && program_.platform.person_files().append(path, "")) {
        return;
    }
    message(std::string("Could not open Admin-Log-File!") + cr +
            "Invalid Filname of Admin-Log-File");
    n.admin_log_check.set_value(0);
    n.admin_log_box.set_text("");
}

void Options::check_logo_file() {
    Program& p = program_;
    const std::string path = p.options_dialog.misc1.logo_box.text();
    if (p.blocking.load_logo(path)) {
        message(std::string("Error! Could not open logo file!") + cr + "Check file name!");
        p.settings.record().Path_of_Logo.clear();
    } else {
        p.settings.record().Path_of_Logo = path;
    }
}

void Options::export_options() {
    Program& p = program_;
    // What the dialog cannot store is refused here as on leaving: nothing is applied or
    // written.
    if (!time_boxes_hold_numbers(minutes_message)) {
        return;
    }
    apply_options_dialog();
    const std::optional<std::string> path =
        p.platform.desktop().file_dialog(FileDialogRequest::save_as());
    if (!path) {
        return;
    }
    if (!write_whole_file(p.platform.person_files(), *path,
                          write_options_file(p.settings.record()))) {
        message("Error occured when writing to File!");
        return;
    }
    message("File was successfully written!");
}

void Options::import_options() {
    Program& p = program_;
    if (!time_boxes_hold_numbers(minutes_message)) {
        return;
    }
    apply_options_dialog();
    const std::optional<std::string> path =
        p.platform.desktop().file_dialog(FileDialogRequest::open_existing());
    if (!path) {
        return;
    }
    std::string text;
    const auto usable = [this](const std::string& file, bool for_reading) {
        return file_usable(file, for_reading);
    };
    SettingsRecord& r = p.settings.record();
    if (!p.platform.person_files().read(*path, text) ||
        !take_over_options(OptionsFile(text), r, usable)) {
        message("Error occured when reading from File!");
        return;
    }
    message("File was successfully read!");
    ForbiddenPage& f = p.options_dialog.forbidden;
    f.titles.clear();
    for (const ForbiddenWindow& w : r.forbidden_windows) {
        f.titles.add_item(w.title);
    }
    p.settings.save_settings();
    p.settings.store_password(r.Password);
    fill_options_dialog();
}

}  // namespace vardex
