#include "core/lifecycle.h"

#include <algorithm>
#include <climits>

#include "core/program.h"

namespace vardex {

namespace {
constexpr char instance_lock_name[] = "Vardex.vado41.SingleInstance";
}

void Lifecycle::centre(Form& form) {
    const Size screen = program_.platform.desktop().screen_size_twips();
    form.move((screen.width - form.width()) / 2, (screen.height - form.height()) / 2, form.width(),
              form.height());
}

void Lifecycle::lock_system_keys(bool on) {
    system_keys_locked_ = on;
    program_.platform.desktop().set_system_keys_locked(on);
}

void Lifecycle::load() {
    Program& p = program_;
    if (!p.platform.desktop().claim_single_instance(instance_lock_name)) {
        second_instance_ = true;
        centre(p.time_dialog);
        p.start_dialog.hide();
        p.time_dialog.message("Vardex is already running!", 0, 0, false);
        return;
    }
    p.start_dialog.image1_1.set_visible(false);
    p.network_dialog.command2.set_caption("Help");
    p.explan_dialog.set_height(1485);
    p.explan_dialog.text1.set_height(1110);
    p.start_dialog.label4.set_caption(std::string("Built ") + "2");
    p.about_dialog.label2.set_caption(std::string("Version: ") + "4.1" + "2");
    lock_system_keys(true);

    Grid& fg1 = p.network_dialog.fg1;
    const std::int32_t widths[] = {1400, 1400, 1300, 1300, 600};
    const char* headers[] = {"Computer Name", "Status", "Time Running", "Time Remaining", "Com"};
    for (int c = 0; c < 5; ++c) {
        fg1.set_col_width(c, widths[c]);
        fg1.set_cell(0, c, headers[c]);
    }

    p.start_dialog.timer1.set_enabled(true);

    StartDialog& s = p.start_dialog;
    const Size inner = s.inner_size();
    s.set_height(s.height() - inner.height + s.image1_0.height());
    s.set_width(s.image1_0.width());
    centre(s);

    p.options_dialog.move(p.options_dialog.left(), p.options_dialog.top(), 7100, 5900);
    for (Form* f : std::initializer_list<Form*>{&p.vardex_dialog, &p.sec_dialog, &p.options_dialog,
                                                &p.quest_dialog, &p.network_dialog, &p.lauf_dialog,
                                                &p.time_dialog, &p.about_dialog, &p.time_dialog2}) {
        centre(*f);
    }
    p.explan_dialog.move(0, 0, p.explan_dialog.width(), p.explan_dialog.height());

    p.blocking.lay_out();

    for (int k = 0; k < p.options_dialog.frame11.size(); ++k) {
        Frame& f = p.options_dialog.frame11[k];
        f.move(210, 528, f.width(), f.height());
        f.set_border(false);
    }
    for (Form* f : std::initializer_list<Form*>{&p.vardex_dialog, &p.about_dialog, &p.sec_dialog,
                                                &p.time_dialog2}) {
        f->set_popup_style(true);
    }
    p.explan_dialog.text1.set_visible(false);
    // The fixed pictures of the main dialog and the security check ship beside the program.
    const std::string picture = p.platform.files().program_folder() + "\\pictures\\vardex.bmp";
    p.vardex_dialog.image1.load_picture(picture);
    p.sec_dialog.image1.load_picture(picture);
    s.show();
}

void Lifecycle::startup_tick() {
    ++startup_tick_count;
    if (startup_tick_count == 6) {
        program_start();
    }
    if (startup_tick_count == 28 && !startup_failed) {
        main_start_step();
    }
    if (startup_tick_count == 150) {
        end_program();
    }
}

void Lifecycle::program_start() {
    Program& p = program_;
    SettingsRecord& r = p.settings.record();
    r.Active_Time_Dist_ID = 0;
    p.state.program_mode = mode_blocked;
    p.platform.random().seed(p.platform.clock().seconds_since_midnight());

    p.settings.load_settings();
    p.blocking.load_logo(r.Path_of_Logo);

    std::string temp = p.platform.files().temp_folder();
    temp = temp.substr(0, std::min<std::size_t>(temp.find('\0'), 999));
    backup_file_path = temp + "~btw.tmp";

    p.help_file_path = p.platform.files().program_folder() + "\\vado.hlp";

    const std::string hours = std::to_string(r.Start_Houres);
    const std::string minutes = std::to_string(r.Start_minutes);
    p.network_dialog.stunden.set_text(hours);
    p.network_dialog.minuten.set_text(minutes);
    p.vardex_dialog.stunden.set_text(hours);
    p.vardex_dialog.minuten.set_text(minutes);

    p.vardex_dialog.timer2.set_interval(300);
    p.blocking.apply_texts();
    if (r.Log_Start_Exit_Vado == 1) {
        p.log.write_event(": Vardex was started.");
    }

    if (r.Recovery_Minutes != 0) {
        p.network.network_startup();
        p.lauf2_dialog.make_topmost();
        p.start_dialog.timer1.set_enabled(false);
        p.start_dialog.hide();
        // Charge the minute that was lost. A negative value counts the elapsed minutes of an
        // open-ended run, which grows by one. The product must fit the 32-bit countdown.
        std::int64_t m = r.Recovery_Minutes;
        if (m > 1) {
            m -= 1;
        }
        if (m < -1) {
            m -= 1;
        }
        m = std::clamp<std::int64_t>(m, INT32_MIN / 60, INT32_MAX / 60);
        p.countdown.start_timer(static_cast<std::int32_t>(m * 60),
                                ": Timer started at Vardex start for " +
                                    p.vardex_dialog.stunden.text() + ":" +
                                    p.vardex_dialog.minuten.text());
        p.time_dialog.message(
            "Vardex discovered unusual shutdown! Timer continued running from last recorded time.",
            0, 0, false);
    }
    lock_system_keys(true);
}

void Lifecycle::main_start_step() {
    Program& p = program_;
    VardexDialog& v = p.vardex_dialog;
    const SettingsRecord& r = p.settings.record();
    const bool ids = !r.time_dist_ids.empty();
    if (!ids) {
        v.frame4.set_enabled(false);
        v.label5.set_enabled(false);
        v.command6.set_enabled(false);
        v.text2.set_enabled(false);
    } else {
        v.frame4.set_visible(true);
        v.frame4.set_enabled(true);
        v.label5.set_enabled(true);
        v.command6.set_enabled(true);
        v.text2.set_enabled(true);
    }
    p.network.network_startup();
    p.start_dialog.timer1.set_enabled(false);
    p.start_dialog.hide();
    v.show();
    v.set_focus();
    p.blocking.block_screen();
    v.timer1.set_enabled(false);
    v.timer2.set_enabled(true);
    v.timer3.set_enabled(true);
    v.timer4.set_enabled(true);
    if (r.Start_Network_Dialog == 1 && r.Network_Role == 2) {
        p.security.begin_security_check(6);
        v.timer3.set_enabled(false);
        v.timer2.set_enabled(false);
    }
    v.set_focus();
    if (p.time_dialog.visible()) {
        p.time_dialog2.message(p.time_dialog.get_string());
    }
}

void Lifecycle::show_start_error(const std::string& text, int kind) {
    int aktion = 0;
    if (kind == 1 || kind == 3) {
        startup_failed = true;
        aktion = 2;
    }
    program_.time_dialog.message(text, aktion, 0, false);
}

void Lifecycle::make_folders(const std::string& path) {
    for (std::size_t pos = path.find('\\'); pos != std::string::npos;
         pos = path.find('\\', pos + 1)) {
        program_.platform.files().create_folder(path.substr(0, pos + 1));
    }
}

void Lifecycle::guard_program_file() {
    Files& files = program_.platform.files();
    const std::string program_file =
        program_.settings.record().Help_Dir + files.program_name() + ".exe";
    if (files.exists(program_file)) {
        if (!files.exists(backup_file_path)) {
            files.copy(program_file, backup_file_path);
        }
    } else {
        make_folders(program_file);
        files.copy(backup_file_path, program_file);
    }
    lock_system_keys(true);
}

void Lifecycle::release_system() {
    program_.vardex_dialog.timer4.set_enabled(false);
    lock_system_keys(false);
    program_.settings.close_settings_key();
}

void Lifecycle::exit_program() {
    Program& p = program_;
    p.vardex_dialog.hide();
    p.blocking.unblock_screen();
    release_system();
    p.platform.desktop().close_help();
    if (p.settings.record().Log_Start_Exit_Vado == 1) {
        p.log.write_event(": Vardex was closed.");
    }
    p.state.program_mode = mode_exiting;
    if (p.settings.record().Network_Role == 1) {
        p.network.send_status_report(false);
    }
    p.platform.udp().close();
    end_program();
}

void Lifecycle::shutdown_computer() {
    program_.platform.desktop().shut_down(5);  // EWX_SHUTDOWN | EWX_FORCE
    exit_program();
}

void Lifecycle::end_program() {
    // A start that ends on a fatal message must not leave the key lock on or the pointer held.
    if (system_keys_locked_) {
        program_.platform.desktop().clip_cursor(nullptr);
        lock_system_keys(false);
    }
    program_.platform.windows().quit(0);
}

}  // namespace vardex
