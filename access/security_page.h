#pragma once

#include "platform/controls.h"
#include "settings/options_page.h"
#include "settings/settings_record.h"

namespace vardex {

class Form;

// "&Security": a new password and a new security formula.
class SecurityPage {
  public:
    SecurityPage(Form& form, Frame& page);

    void fill(const SettingsRecord& r);
    Explanations explanations();

    Form& form;
    Frame& page;
    Frame password_frame{form, "Frame12", &page};
    Label password_label{form, "Label20", &password_frame};
    TextBox password_box{form, "Text4", &password_frame};
    CommandButton password_button{form, "Command5", &password_frame};
    Frame formula_frame{form, "Frame13", &page};
    Label new_formula_label{form, "Label21", &formula_frame};
    TextBox formula_box{form, "Text2", &formula_frame};
    Label used_formula_label{form, "Label22", &formula_frame};
    TextBox used_formula_box{form, "Text3", &formula_frame};
    CommandButton formula_button{form, "Command4", &formula_frame};
};

}  // namespace vardex
