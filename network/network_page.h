#pragma once

#include "platform/control_array.h"
#include "platform/controls.h"
#include "settings/options_page.h"
#include "settings/settings_record.h"

namespace vardex {

class Form;

// "&Network": the machine's role in a Vardex network, the connect buttons of both roles, and
// the administrator's start-up dialog and log.
class NetworkPage {
  public:
    NetworkPage(Form& form, Frame& page);

    void fill(const SettingsRecord& r);
    // The role and the boxes that go with it, as the record has them; what else the page
    // shows stays as it is.
    void show_role(const SettingsRecord& r);
    void apply(SettingsRecord& r) const;
    Explanations explanations();
    // Which controls can be used in a role; the boxes of the other side are emptied.
    void set_up_for(NetworkRole role);

    Form& form;
    Frame& page;
    Label role_label{form, "Label31", &page};
    ControlArray<OptionButton> roles{form, "Option1", 3, &page};
    Label status_label{form, "Label32", &page};
    Label protocol_label{form, "Label33", &page};
    Label key_label{form, "Label41", &page};
    TextBox key_box{form, "Text25", &page};
    Label key_hint{form, "Label42", &page};
    Frame client_frame{form, "Frame18", &page};
    Label name_label{form, "Label34", &client_frame};
    TextBox name_box{form, "Text16", &client_frame};
    Label admin_address_label{form, "Label35", &client_frame};
    TextBox admin_address_box{form, "Text17", &client_frame};
    Label admin_port_label{form, "Label36", &client_frame};
    TextBox admin_port_box{form, "Text18", &client_frame};
    Label client_address_label{form, "Label37", &client_frame};
    TextBox client_address_box{form, "Text23", &client_frame};
    CommandButton client_connect{form, "Command6", &client_frame};
    Frame admin_frame{form, "Frame19", &page};
    Label admin_own_address_label{form, "Label38", &admin_frame};
    TextBox admin_own_address_box{form, "Text14", &admin_frame};
    Label own_port_label{form, "Label39", &admin_frame};
    TextBox own_port_box{form, "Text15", &admin_frame};
    CommandButton admin_connect{form, "Command8", &admin_frame};
    CommandButton goto_button{form, "Command3", &admin_frame};
    CheckBox start_dialog_check{form, "Check9", &admin_frame};
    Frame admin_log_frame{form, "Frame20", &admin_frame};
    CheckBox admin_log_check{form, "Check12", &admin_log_frame};
    Label admin_log_label{form, "Label40", &admin_log_frame};
    TextBox admin_log_box{form, "Text24", &admin_log_frame};
    CommandButton admin_log_button{form, "Command21", &admin_log_frame};

    // True while the program, not the user, writes the boxes: such a change leaves no network.
    bool filling = false;

    OptionButton& client() { return roles[0]; }
    OptionButton& administrator() { return roles[1]; }
    OptionButton& no_network() { return roles[2]; }
};

}  // namespace vardex
