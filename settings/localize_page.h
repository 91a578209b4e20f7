#pragma once

#include "platform/control_array.h"
#include "platform/controls.h"
#include "settings/localised_texts.h"
#include "settings/options_page.h"
#include "settings/settings_record.h"

namespace vardex {

class Form;

// "&Localize": the nine texts a customer sees, in the operator's language.
class LocalizePage {
  public:
    LocalizePage(Form& form, Frame& page);

    void fill(const SettingsRecord& r);
    void apply(SettingsRecord& r) const;
    Explanations explanations();
    // "&Default (english) values": the English texts into the boxes; stored when applied.
    void reset_localisation();

    Form& form;
    Frame& page;
    ControlArray<Label> labels{form, "Label13", localised_text_count, &page};
    ControlArray<TextBox> boxes{form, "Text13", localised_text_count, &page};
    CommandButton english_button{form, "Command25", &page};
};

}  // namespace vardex
