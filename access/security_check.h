#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vardex {

class Form;
class Random;
class SecDialog;
class SecurityPage;
class SettingsStore;
class UserMessages;

// What the security check does once it is passed; the number is the one the system has
// always used for it.
enum class CheckAction : std::int16_t {
    new_formula = 1,     // one of the three tests of a new formula
    exit_timing = 2,     // end the countdown
    exit_program = 3,    // end Vardex
    manual_start = 4,    // start the hours and minutes of the main dialog
    options = 5,         // open the options dialog
    network_dialog = 6,  // open the network dialog at start
};

// The gate of every privileged action: the password, or a one-time code computed with the
// secret formula from 26 random digits. A check is started with the action that whoever
// handles on_passed runs once it is passed; a new formula is tested here, three times.
class SecurityCheck {
  public:
    SecurityCheck(SecDialog& dialog, SecurityPage& page, Form& options_dialog,
                  SettingsStore& settings, Random& random, UserMessages& messages);

    std::function<void(CheckAction)> on_passed;
    std::function<void(CheckAction)> on_cancelled;
    // Holds the pointer in the check's window.
    std::function<void()> hold_pointer;

    void begin_security_check(CheckAction check_action);
    void show_random_numbers();
    std::string compute_security_code() const;
    void security_ok();
    void check_security_entry();
    void cancel_security_check();
    void wait_tick();
    void test_new_formula(bool starting);

    CheckAction check_action = CheckAction::options;
    int random_numbers[26] = {};
    std::string saved_formula;
    std::int16_t tests_left = 0;
    int wait_count = 0;
    bool wait_armed = false;

  private:
    void cancel_formula_test();
    SecDialog& dialog_;
    SecurityPage& page_;
    Form& options_dialog_;
    SettingsStore& settings_;
    Random& random_;
    UserMessages& messages_;
};

}  // namespace vardex
