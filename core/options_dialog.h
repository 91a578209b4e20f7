#pragma once

#include "access/code_pages_page.h"
#include "access/distributer_page.h"
#include "access/forbidden_page.h"
#include "access/security_page.h"
#include "network/network_page.h"
#include "platform/control_array.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/tab_strip.h"
#include "settings/localize_page.h"
#include "settings/misc_pages.h"
#include "settings/options_page.h"

namespace vardex {

// The options dialog: eight tab pages over every setting. Each page is a unit of the subsystem
// that owns its subject; the dialog only switches the pages.
class OptionsDialog final : public Form {
  public:
    OptionsDialog();

    // Shows the frame of tab `index` (0-based) and hides the others.
    void show_page(int index);
    // The explanation texts of the dialog and of every page.
    Explanations explanations();

    TabStrip tabs{*this, "TabStrip1"};
    ControlArray<Frame> pages{*this, "Frame11", 9};
    MiscPage1 misc1{*this, pages[0]};
    MiscPage2 misc2{*this, pages[1]};
    ForbiddenPage forbidden{*this, pages[2]};
    SecurityPage security{*this, pages[3]};
    CodePagesPage code_pages{*this, pages[4]};
    LocalizePage localize{*this, pages[5]};
    NetworkPage network{*this, pages[6]};
    DistributerPage distributer{*this, pages[7]};
    CommandButton exit_button{*this, "Command10"};
    CommandButton help_button{*this, "Command11"};
    CommandButton explanation_button{*this, "Command18"};
};

}  // namespace vardex
