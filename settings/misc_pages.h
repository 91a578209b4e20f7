#pragma once

#include "platform/control_array.h"
#include "platform/controls.h"
#include "settings/options_page.h"
#include "settings/settings_record.h"

namespace vardex {

class Form;

// "Misc1": the shutdown and pause permissions, the logo, the main dialog's preset time and the
// event log.
class MiscPage1 {
  public:
    MiscPage1(Form& form, Frame& page);

    void fill(const SettingsRecord& r);
    void apply(SettingsRecord& r) const;
    Explanations explanations();

    Form& form;
    Frame& page;
    Frame shutdown_frame{form, "Frame1_misc", &page};
    Label shutdown_label{form, "Label1_misc", &shutdown_frame};
    CheckBox shutdown_check{form, "Check10", &shutdown_frame};
    Frame timer_frame{form, "Frame3_misc", &page};
    Label timer_label{form, "Label3_misc", &timer_frame};
    Label hours_label{form, "Label4_misc", &timer_frame};
    TextBox hours_box{form, "Text5", &timer_frame};
    Label minutes_label{form, "Label5_misc", &timer_frame};
    TextBox minutes_box{form, "Text6", &timer_frame};
    Frame pause_frame{form, "Frame4_misc", &page};
    Label pause_label{form, "Label6_misc", &pause_frame};
    CheckBox pause_check{form, "Check1", &pause_frame};
    Frame logo_frame{form, "Frame2_misc", &page};
    Label logo_label{form, "Label2_misc", &logo_frame};
    Label logo_path_label{form, "Label7_misc", &logo_frame};
    TextBox logo_box{form, "Text19", &logo_frame};
    CommandButton logo_button{form, "Command27", &logo_frame};
    Frame log_frame{form, "Frame5_misc", &page};
    Label log_label{form, "Label8_misc", &log_frame};
    Label log_path_label{form, "Label9_misc", &log_frame};
    TextBox log_box{form, "Text7", &log_frame};
    CommandButton log_button{form, "Command13", &log_frame};
    CheckBox log_start_exit{form, "Check8", &log_frame};
    CheckBox log_timer{form, "Check5", &log_frame};
    CheckBox log_pausing{form, "Check7", &log_frame};
    CheckBox log_prevented{form, "Check6", &log_frame};
};

// "Misc2": the timer warnings, the autostart and the options file.
class MiscPage2 {
  public:
    MiscPage2(Form& form, Frame& page);

    void fill(const SettingsRecord& r);
    void apply(SettingsRecord& r) const;
    Explanations explanations();
    // The autostart box decides whether its two kinds can be chosen.
    void enable_start_kinds() {
        early_start.set_enabled(autostart_check.value() != 0);
        standard_start.set_enabled(autostart_check.value() != 0);
    }

    Form& form;
    Frame& page;
    Frame warnings_frame{form, "Frame6_misc", &page};
    Label warnings_label{form, "Label10_misc", &warnings_frame};
    ControlArray<CheckBox> warnings{form, "Check11", 4, &warnings_frame};
    Frame autostart_frame{form, "Frame7_misc", &page};
    Label autostart_label{form, "Label11_misc", &autostart_frame};
    CheckBox autostart_check{form, "Check4", &autostart_frame};
    Label start_kind_label{form, "Label12_misc", &autostart_frame};
    OptionButton early_start{form, "Option3(0)", &autostart_frame};
    OptionButton standard_start{form, "Option3(1)", &autostart_frame};
    Frame file_frame{form, "Frame8_misc", &page};
    Label file_label{form, "Label13_misc", &file_frame};
    CommandButton export_button{form, "Command9", &file_frame};
    CommandButton import_button{form, "Command12", &file_frame};
};

}  // namespace vardex
