#pragma once

#include <string>

#include "platform/controls.h"
#include "platform/list_controls.h"
#include "settings/options_page.h"
#include "settings/settings_record.h"

namespace vardex {

class Form;

// The list line of a Code Page: time, codes left, number and the comment's beginning, as in
// "1:30  / 60 / 1/ Room A".
std::string code_page_list_line(const CodePage& page);

// "&Direct. Acc": the Code Pages and a new one.
class CodePagesPage {
  public:
    CodePagesPage(Form& form, Frame& page);

    void fill(const SettingsRecord& r);
    Explanations explanations();

    Form& form;
    Frame& page;
    Frame frame{form, "Frame14", &page};
    Label list_label{form, "Label23", &frame};
    ListBox pages{form, "List2", &frame};
    CommandButton invalidate_button{form, "Command14", &frame};
    CommandButton reprint_button{form, "Command15", &frame};
    CommandButton renew_button{form, "Command17", &frame};
    CommandButton save_file_button{form, "Command20", &frame};
    CommandButton print_file_button{form, "Command19", &frame};
    Frame new_frame{form, "Frame15", &page};
    Label hours_label{form, "Label24", &new_frame};
    TextBox hours_box{form, "Text8", &new_frame};
    Label minutes_label{form, "Label25", &new_frame};
    TextBox minutes_box{form, "Text9", &new_frame};
    Label comment_label{form, "Label26", &new_frame};
    TextBox comment_box{form, "Text10", &new_frame};
    CommandButton create_button{form, "Command16", &new_frame};
};

}  // namespace vardex
