#include "core/lifecycle.h"

#include <algorithm>
#include <climits>

#include "core/program.h"

namespace vardex {

void Lifecycle::centre(Form& form) {
    const Size screen = program_.platform.desktop().screen_size_twips();
    form.move((screen.width - form.width()) / 2, (screen.height - form.height()) / 2, form.width(),
              form.height());
}

Lifecycle::Lifecycle(Program& program) : program_(program) {
    program_.mode.observe([this](const ModeChange& change) { hold_keys_for(change.to); });
}

void Lifecycle::lock_system_keys(bool on) {
    system_keys_locked_ = on;
    program_.platform.desktop().set_system_keys_locked(on);
    hold_keys_for(program_.mode.get());
}

void Lifecycle::hold_keys_for(ProgramMode mode) {
    const bool held = mode == ProgramMode::blocked || mode == ProgramMode::paused ||
                      mode == ProgramMode::open_ended_paused;
    program_.platform.desktop().hold_system_keys(system_keys_locked_ && held);
}

void Lifecycle::lay_out_again() {
    Program& p = program_;
    for (Form* f : std::initializer_list<Form*>{&p.vardex_dialog, &p.sec_dialog, &p.options_dialog,
                                                &p.quest_dialog, &p.network_dialog, &p.lauf_dialog,
                                                &p.time_dialog, &p.about_dialog, &p.time_dialog2}) {
        centre(*f);
    }
    p.blocking.lay_out();
}

void Lifecycle::load() {
    Program& p = program_;
    if (!p.platform.desktop().claim_single_instance(program_instance_lock)) {
        second_instance_ = true;
        centre(p.time_dialog);
        p.start_dialog.hide();
        p.time_dialog.message("Vardex is already running!");
        // Above everything: behind a blocked first instance's screen it could never be
        // answered, and this process would never end.
        p.time_dialog.make_topmost();
        return;
    }
    p.start_dialog.second_splash.set_visible(false);
    p.start_dialog.build_label.set_caption(std::string("Built ") + "2");
    p.about_dialog.version_label.set_caption(std::string("Version: ") + "4.1" + "2");
    lock_system_keys(true);

    p.start_dialog.startup_timer.set_enabled(true);

    StartDialog& s = p.start_dialog;
    const Size inner = s.inner_size();
    s.set_height(s.height() - inner.height + s.splash.height());
    s.set_width(s.splash.width());
    centre(s);
    p.explan_dialog.move(0, 0, p.explan_dialog.width(), p.explan_dialog.height());
    lay_out_again();

    // The fixed pictures of the main dialog and the security check ship beside the program.
    const std::string picture = p.platform.files().program_folder() + "\\pictures\\vardex.bmp";
    p.vardex_dialog.picture.load_picture(picture);
    p.sec_dialog.picture.load_picture(picture);
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
    p.mode.change_to(ProgramMode::blocked).announce();
    p.platform.random().seed(p.platform.clock().seconds_since_midnight());

    p.settings.load_settings();
    p.blocking.load_logo(r.Path_of_Logo);

    std::string temp = p.platform.files().work_folder();
    temp = temp.substr(0, std::min<std::size_t>(temp.find('\0'), 999));
    backup_file_path = temp + "~btw.tmp";

    const std::string hours = std::to_string(r.Start_Houres);
    const std::string minutes = std::to_string(r.Start_minutes);
    p.network_dialog.hours_box.set_text(hours);
    p.network_dialog.minutes_box.set_text(minutes);
    p.vardex_dialog.hours_box.set_text(hours);
    p.vardex_dialog.minutes_box.set_text(minutes);

    p.pace_sweeps();
    p.blocking.apply_texts();
    if (r.Log_Start_Exit_Vado == 1) {
        p.log.write_event(": Vardex was started.");
    }
    // After a fatal message the start stops here: no countdown runs on damaged settings.
    if (r.Recovery_Minutes != 0 && !startup_failed) {
        continue_countdown();
    }
    lock_system_keys(true);
}

void Lifecycle::continue_countdown() {
    Program& p = program_;
    p.network.network_startup();
    p.lauf2_dialog.make_topmost();
    p.start_dialog.startup_timer.set_enabled(false);
    p.start_dialog.hide();
    // Charge the minute that was lost. A negative value counts the elapsed minutes of an
    // open-ended run, which grows by one. The product must fit the 32-bit countdown.
    std::int64_t m = p.settings.record().Recovery_Minutes;
    if (m > 1) {
        m -= 1;
    }
    if (m < -1) {
        m -= 1;
    }
    m = std::clamp<std::int64_t>(m, INT32_MIN / 60, INT32_MAX / 60);
    const std::int64_t shown = m < 0 ? -m : m;
    const std::string minutes = std::to_string(shown % 60);
    p.countdown.start_timer(static_cast<std::int32_t>(m * 60),
                            ": Timer started at Vardex start for " + std::to_string(shown / 60) +
                                ":" + (minutes.size() < 2 ? "0" : "") + minutes);
    // The main start step does not run in this start: what it would set up is set up here.
    p.main_dialog.enable_distributer_controls();
    p.vardex_dialog.guard_timer.set_enabled(true);
    started_ = true;
    p.time_dialog.message(
        "Vardex discovered unusual shutdown! Timer continued running from last recorded time.");
}

void Lifecycle::main_start_step() {
    Program& p = program_;
    VardexDialog& v = p.vardex_dialog;
    const SettingsRecord& r = p.settings.record();
    p.main_dialog.enable_distributer_controls();
    p.network.network_startup();
    p.start_dialog.startup_timer.set_enabled(false);
    p.start_dialog.hide();
    v.show();
    v.set_focus();
    p.blocking.block_screen();
    v.countdown_timer.set_enabled(false);
    v.start_sweeps();
    v.guard_timer.set_enabled(true);
    started_ = true;
    if (r.Start_Network_Dialog == 1 && r.Network_Role == NetworkRole::administrator) {
        p.security.begin_security_check(CheckAction::network_dialog);
        v.stop_sweeps();
    }
    v.set_focus();
    if (p.time_dialog.visible()) {
        p.time_dialog2.message(p.time_dialog.get_string());
    }
}

void Lifecycle::show_start_error(const std::string& text, StoreProblem kind) {
    AfterOk aktion = AfterOk::nothing;
    if (is_fatal(kind)) {
        startup_failed = true;
        aktion = AfterOk::end_program;
    }
    program_.time_dialog.message(text, aktion);
}

void Lifecycle::end_after_fatal_message() {
    // Once the program runs, it ends in order: log line, report to the administrator, socket.
    if (started_) {
        exit_program();
    } else {
        end_program();
    }
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
    program_.vardex_dialog.guard_timer.set_enabled(false);
    lock_system_keys(false);
    program_.settings.close_settings_key();
}

void Lifecycle::exit_program() {
    Program& p = program_;
    p.vardex_dialog.hide();
    p.blocking.unblock_screen();
    release_system();
    p.help.close();
    if (p.settings.record().Log_Start_Exit_Vado == 1) {
        p.log.write_event(": Vardex was closed.");
    }
    p.mode.change_to(ProgramMode::exiting).announce();
    p.platform.udp().close();
    end_program();
}

void Lifecycle::shutdown_computer() {
    program_.platform.desktop().force_shut_down();
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
