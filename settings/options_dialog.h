#pragma once

#include <cstdint>
#include <vector>

#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/list_controls.h"
#include "platform/tab_strip.h"
#include "settings/settings_record.h"

namespace vardex {

// The options dialog: eight tab pages over every setting.
class OptionsDialog final : public Form {
  public:
    OptionsDialog();

    TabStrip tabs{*this, "TabStrip1"};
    ControlArray<Frame> pages{*this, "Frame11", 9};
    CommandButton exit_button{*this, "Command10"};
    CommandButton help_button{*this, "Command11"};
    CommandButton explanation_button{*this, "Command18"};

    // Page 3: forbidden windows.
    Label label_forbidden{*this, "Label10", &pages[2]};
    ListBox forbidden_list{*this, "List1", &pages[2]};
    Label label_add{*this, "Label11", &pages[2]};
    TextBox title_box{*this, "Text1", &pages[2]};
    CommandButton add_title_button{*this, "Command1", &pages[2]};
    CommandButton remove_title_button{*this, "Command2", &pages[2]};
    CommandButton pick_title_button{*this, "Command7", &pages[2]};
    Label label_match{*this, "Label12", &pages[2]};
    CheckBox front_check{*this, "Check2", &pages[2]};
    CheckBox back_check{*this, "Check3", &pages[2]};
    // The match mode of each line of List1, as the sweep uses them.
    std::vector<MatchMode> forbidden_modes;

    // Page 4: password and formula.
    Label label_password{*this, "Label20", &pages[3]};
    TextBox password_box{*this, "Text4", &pages[3]};
    CommandButton password_button{*this, "Command5", &pages[3]};
    Label label_new_formula{*this, "Label21", &pages[3]};
    TextBox formula_box{*this, "Text2", &pages[3]};
    Label label_used_formula{*this, "Label22", &pages[3]};
    TextBox used_formula_box{*this, "Text3", &pages[3]};
    CommandButton formula_button{*this, "Command4", &pages[3]};

    // Page 6: the localisable texts.
    ControlArray<Label> localised_labels{*this, "Label13", 9, &pages[5]};
    ControlArray<TextBox> localised_boxes{*this, "Text13", 9, &pages[5]};
    CommandButton english_button{*this, "Command25", &pages[5]};

    // Puts the English defaults into the nine boxes; stored when the options are applied.
    void reset_localisation();

  private:
    void lay_out_forbidden_page();
    void lay_out_localize_page();
    void lay_out_security_page();
};

}  // namespace vardex
