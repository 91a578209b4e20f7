#include "settings/misc_pages.h"

#include <string>

#include "platform/ansi.h"

namespace vardex {

namespace {
bool on(int value) {
    return value != 0;
}
}  // namespace

MiscPage1::MiscPage1(Form& f, Frame& p) : form(f), page(p) {
    shutdown_frame.set_caption("Shutdown");
    shutdown_frame.move(60, 0, 4020, 1200);
    shutdown_label.set_caption(
        "Should the user be allowed to shutdown the computer in timing mode?");
    shutdown_label.move(120, 270, 3780, 480);
    shutdown_check.set_caption("&User is allowed to shutdown");
    shutdown_check.move(120, 810, 3780, 270);

    timer_frame.set_caption("Defau&lt Value Timer");
    timer_frame.move(60, 1290, 4020, 1260);
    timer_label.set_caption("Enter the preset values in Vardex Main Dialog here...");
    timer_label.move(120, 270, 3780, 480);
    hours_label.set_caption("Hours:");
    hours_label.move(120, 870, 720, 255);
    hours_box.move(840, 840, 660, 315);
    minutes_label.set_caption("Minutes:");
    minutes_label.move(1740, 870, 900, 255);
    minutes_box.move(2640, 840, 660, 315);

    pause_frame.set_caption("Pausing Timer");
    pause_frame.move(60, 2640, 4020, 1200);
    pause_label.set_caption("Should the user be allowed to pause the timer in timing mode?");
    pause_label.move(120, 270, 3780, 480);
    pause_check.set_caption("User can &pause timer");
    pause_check.move(120, 810, 3780, 270);

    logo_frame.set_caption("Path for logo file:");
    logo_frame.move(4170, 0, 4050, 1620);
    logo_label.set_caption(
        "If you want to have your logo displayed in the main dialog, enter the location here:");
    logo_label.move(120, 270, 3810, 660);
    logo_path_label.set_caption("Path and Filename:");
    logo_path_label.move(120, 960, 3810, 240);
    logo_box.move(120, 1200, 3210, 315);
    logo_button.set_caption("...");
    logo_button.move(3390, 1200, 540, 315);

    log_frame.set_caption("Log File");
    log_frame.move(4170, 1710, 4050, 2640);
    log_label.set_caption("Which of the following actions should be logged in a Log File...");
    log_label.move(120, 270, 3810, 480);
    log_path_label.set_caption("Path && Filename of Log-File:");
    log_path_label.move(120, 780, 3810, 240);
    log_box.move(120, 1020, 3210, 315);
    log_button.set_caption("...");
    log_button.move(3390, 1020, 540, 315);
    const char* log_captions[] = {"Start&ing / Exiting Vardex", "Start / St&op of the Timer Mode",
                                  "Pausi&ng of the Timer Mode",
                                  "pre&vent an opening of protected Window"};
    CheckBox* log_checks[] = {&log_start_exit, &log_timer, &log_pausing, &log_prevented};
    for (int i = 0; i < 4; ++i) {
        log_checks[i]->set_caption(log_captions[i]);
        log_checks[i]->move(120, 1440 + i * 285, 3810, 270);
    }
}

void MiscPage1::fill(const SettingsRecord& r) {
    pause_check.set_value(r.Pause_Option);
    shutdown_check.set_value(r.Shutoff_Option);
    logo_box.set_text(r.Path_of_Logo);
    // The path before the boxes that check it.
    hours_box.set_text(std::to_string(r.Start_Houres));
    minutes_box.set_text(std::to_string(r.Start_minutes));
    log_box.set_text(r.Log_Path);
    log_start_exit.set_value(r.Log_Start_Exit_Vado);
    log_timer.set_value(r.Log_Start_Stop_Timer);
    log_pausing.set_value(r.Log_Pausing_Timer);
    log_prevented.set_value(r.Log_Preventing_Program);
}

void MiscPage1::apply(SettingsRecord& r) const {
    r.Log_Path = log_box.text();
    r.Pause_Option = pause_check.value();
    r.Shutoff_Option = shutdown_check.value();
    // The leaving checks let only what fits 16 bits reach this point.
    r.Start_Houres = static_cast<std::int32_t>(whole_number(hours_box.text()).value_or(0));
    r.Start_minutes = static_cast<std::int32_t>(whole_number(minutes_box.text()).value_or(0));
    r.Log_Start_Exit_Vado = log_start_exit.value();
    r.Log_Start_Stop_Timer = log_timer.value();
    r.Log_Pausing_Timer = log_pausing.value();
    r.Log_Preventing_Program = log_prevented.value();
}

Explanations MiscPage1::explanations() {
    return {
        {&shutdown_frame,
         "Here you can decide, whether the user should be allowed to shutdown the computer, while "
         "it is running in timing mode. Because the shutdown is very brutal (all unsaved documents "
         "are lost) this option should be normally turned off."},
        {&logo_frame,
         "Enter the Path and Filename of a logo in the text box. The logo will be displayed, when "
         "the system is blocked. The logo has to be in bmp-format and it should be 110x110 pixels, "
         "otherwise it will be scaled to fit."},
        {&timer_frame,
         "Here you can enter the most often used values of hours and minutes. They will be the "
         "preset in the Vardex Dialog to save you some keystrokes..."},
        {&pause_frame,
         "If you activate this checkbox, the user can pause the timer when Vardex is running in "
         "the timing mode. If the box is not checked the pause button will be disabled"},
        {&log_frame,
         "Here you can decide, which actions should be logged to a Log-File. You have to enter a "
         "filename in the textbox, before you can check the checkboxes."},
    };
}

MiscPage2::MiscPage2(Form& f, Frame& p) : form(f), page(p) {
    warnings_frame.set_caption("Timer Warnings");
    warnings_frame.move(60, 0, 4020, 1800);
    warnings_label.set_caption(
        "This makes it possible, to determine, at which remaining times Vardex gives a warning to "
        "the user in timing mode");
    warnings_label.move(120, 270, 3780, 660);
    const char* captions[] = {"at 1&0 min.", "at  &5 min", "at &3 min", "at 1 &min"};
    for (int i = 0; i < 4; ++i) {
        warnings[i].set_caption(captions[i]);
        warnings[i].move(120 + (i % 2) * 1890, 1080 + (i / 2) * 330, 1800, 270);
    }

    autostart_frame.set_caption("Auto Start");
    autostart_frame.move(4170, 0, 4050, 2580);
    autostart_label.set_caption("Should Vardex be started at every Windows start?");
    autostart_label.move(120, 270, 3810, 480);
    autostart_check.set_caption("A&utostart Vardex");
    autostart_check.move(120, 780, 3810, 270);
    start_kind_label.set_caption(
        "When should Vardex be started? Sometimes the early start can cause problems, because the "
        "Network isn't running already");
    start_kind_label.move(120, 1140, 3810, 900);
    early_start.set_caption("earl&y start");
    early_start.move(120, 2130, 1800, 270);
    standard_start.set_caption("standa&rd start");
    standard_start.move(1980, 2130, 1950, 270);

    file_frame.set_caption("Save / Load Options");
    file_frame.move(60, 2700, 8160, 1440);
    file_label.set_caption(
        "To copy the options from one computer to another one, you can save and load options "
        "here...");
    file_label.move(120, 270, 7920, 480);
    export_button.set_caption("Sa&ve options to file...");
    export_button.move(120, 870, 3780, 375);
    import_button.set_caption("Load &options from file...");
    import_button.move(4260, 870, 3780, 375);
}

void MiscPage2::fill(const SettingsRecord& r) {
    // 33 means the autostart keys could not be written: no autostart is in force, the box
    // shows it off.
    autostart_check.set_value(r.Autostart == 1 ? 1 : 0);
    if (on(r.Early_or_Standard_Autostart)) {
        early_start.set_value(true);
    } else {
        standard_start.set_value(true);
    }
    enable_start_kinds();
    const std::int32_t values[] = {r.Warning_at_10_minutes, r.Warning_at_5_minutes,
                                   r.Warning_at_3_minutes, r.Warning_at_1_minutes};
    for (int i = 0; i < 4; ++i) {
        warnings[i].set_value(values[i]);
    }
}

void MiscPage2::apply(SettingsRecord& r) const {
    r.Autostart = autostart_check.value();
    r.Warning_at_10_minutes = warnings[0].value();
    r.Warning_at_5_minutes = warnings[1].value();
    r.Warning_at_3_minutes = warnings[2].value();
    r.Warning_at_1_minutes = warnings[3].value();
    r.Early_or_Standard_Autostart = early_start.value() ? 1 : 0;
}

Explanations MiscPage2::explanations() {
    return {
        {&warnings_frame,
         "With these checkboxes you can decide, at which remaining times Vardex gives a warning "
         "to the user. In some very rare cases computers can freeze, if Vardex gives a warning. If "
         "this happens, you should deactivate all warnings"},
        {&autostart_frame,
         "Here you can decide, whether Vardex will be started at every windows start and when "
         "Vardex is started. You should first try out 'early start', because it offers more "
         "protection. If it causes problems, switch to 'standard'. Early start is the Vardex "
         "guard, a service that starts with Windows and that a customer cannot end. 'standard' "
         "starts Vardex at logon in the user's account, which is weaker: that account can end "
         "Vardex and read and change its settings."},
        {&file_frame,
         "Here you can load/save the options from/to a file. If you have Vardex installed on "
         "multiple computers, this can make it easy to set the same options on them"},
        {&export_button,
         "This button makes it possible to save most of the options to a regular text file."},
        {&import_button,
         "Click this button to import the options from a file. After clicking, a file dialog will "
         "open, where you can choose a filename."},
    };
}

}  // namespace vardex
