#pragma once

#include <cstdint>
#include <vector>

#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/list_controls.h"
#include "platform/tab_strip.h"

namespace vardex {

class Program;

// The options dialog: eight tab pages over every setting.
class OptionsDialog final : public Form {
  public:
    explicit OptionsDialog(Program& program);

    TabStrip tab_strip1{*this, "TabStrip1"};
    ControlArray<Frame> frame11{*this, "Frame11", 9};
    CommandButton command10{*this, "Command10"};
    CommandButton command11{*this, "Command11"};
    CommandButton command18{*this, "Command18"};

    // Page 3: forbidden windows.
    Label label_forbidden{*this, "Label10", &frame11[2]};
    ListBox list1{*this, "List1", &frame11[2]};
    Label label_add{*this, "Label11", &frame11[2]};
    TextBox text1{*this, "Text1", &frame11[2]};
    CommandButton command1{*this, "Command1", &frame11[2]};
    CommandButton command2{*this, "Command2", &frame11[2]};
    CommandButton command7{*this, "Command7", &frame11[2]};
    Label label_match{*this, "Label12", &frame11[2]};
    CheckBox check2{*this, "Check2", &frame11[2]};
    CheckBox check3{*this, "Check3", &frame11[2]};
    // The match mode of each line of List1, as the sweep uses them.
    std::vector<std::int16_t> list1_modes;

    // Page 4: password and formula.
    Label label_password{*this, "Label20", &frame11[3]};
    TextBox text4{*this, "Text4", &frame11[3]};
    CommandButton command5{*this, "Command5", &frame11[3]};
    Label label_new_formula{*this, "Label21", &frame11[3]};
    TextBox text2{*this, "Text2", &frame11[3]};
    Label label_used_formula{*this, "Label22", &frame11[3]};
    TextBox text3{*this, "Text3", &frame11[3]};
    CommandButton command4{*this, "Command4", &frame11[3]};

    // Page 6: the localisable texts.
    ControlArray<Label> label13{*this, "Label13", 9, &frame11[5]};
    ControlArray<TextBox> text13{*this, "Text13", 9, &frame11[5]};
    CommandButton command25{*this, "Command25", &frame11[5]};

    // Puts the English defaults into the nine boxes; stored when the options are applied.
    void reset_localisation();

  private:
    void lay_out_forbidden_page();
    void lay_out_localize_page();
    void lay_out_security_page();
};

}  // namespace vardex
