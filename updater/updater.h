#pragma once

#include <string>

#include "platform/platform.h"
#include "updater/update_form.h"

namespace vardex {

// The updater program: its window, the installed program it found, the replace.
class Updater {
  public:
    Updater(Platform& platform, UpdateForm& form);

    // Finds the installed program and shows it; says so when the installation is unknown.
    void start();
    // The replace button.
    void replace();

  private:
    Platform& platform_;
    UpdateForm& form_;
};

// Who to ask for help, in the window and in its messages.
inline constexpr char support_sentence[] =
    "For help, write to the support address printed on your licence sheet.";

}  // namespace vardex
