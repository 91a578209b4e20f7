#pragma once

#include <functional>
#include <string>

#include "platform/platform.h"
#include "updater/update_form.h"

namespace vardex {

// The guard's service, where one runs the program: its face holds the program's file open,
// so it is stopped for the replace and started again afterwards.
struct GuardControl {
    std::function<bool()> running;
    std::function<bool()> stop;  // true once it has stopped
    std::function<bool()> start;
};

// The updater program: its window, the installed program it found, the replace.
class Updater {
  public:
    Updater(Platform& platform, UpdateForm& form, GuardControl guard = {});

    // Finds the installed program and shows it; says so when the installation is unknown.
    void start();
    // The replace button.
    void replace();

  private:
    Platform& platform_;
    UpdateForm& form_;
    GuardControl guard_;
};

// Who to ask for help, in the window and in its messages.
inline constexpr char support_sentence[] =
    "For help, write to the support address printed on your licence sheet.";

}  // namespace vardex
