#pragma once

#include <vector>

#include "platform/controls.h"
#include "platform/list_controls.h"
#include "settings/options_page.h"
#include "settings/settings_record.h"

namespace vardex {

class Form;

// "&Forb.Win": the forbidden window titles and how each is matched.
class ForbiddenPage {
  public:
    ForbiddenPage(Form& form, Frame& page);

    void fill(const SettingsRecord& r);
    // The list's titles, in order, with their match modes.
    void apply(SettingsRecord& r) const;
    Explanations explanations();

    Form& form;
    Frame& page;
    Frame frame{form, "Frame9", &page};
    Label list_label{form, "Label10", &frame};
    ListBox titles{form, "List1", &frame};
    CommandButton remove_button{form, "Command2", &frame};
    Label match_label{form, "Label12", &frame};
    CheckBox front_check{form, "Check2", &frame};
    CheckBox back_check{form, "Check3", &frame};
    CommandButton pick_button{form, "Command7", &frame};
    Label title_label{form, "Label11", &frame};
    TextBox title_box{form, "Text1", &frame};
    CommandButton add_button{form, "Command1", &frame};
    // The match mode of each line of the list.
    std::vector<MatchMode> modes;
};

}  // namespace vardex
