#pragma once

#include <cstdint>
#include <string>

namespace vardex {

class Program;

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
// secret formula from 26 random digits. A check is started with the action to run once passed.
class SecurityCheck {
  public:
    explicit SecurityCheck(Program& program);

    void begin_security_check(CheckAction check_action);
    void show_random_numbers();
    std::string compute_security_code() const;
    void security_ok();
    void check_security_entry();
    void cancel_security_check();
    void keep_check_focused();
    void wait_tick();
    void test_new_formula(bool starting);
    // The options dialog's "&Use new formula" and "C&hange Password".
    void use_new_formula();
    void change_password();
    void store_password();

    CheckAction check_action = CheckAction::options;
    int random_numbers[26] = {};
    std::string saved_formula;
    std::int16_t tests_left = 0;
    int wait_count = 0;
    bool wait_armed = false;

  private:
    struct ActionSteps;
    static const ActionSteps& steps(CheckAction action);
    void passed();
    void pass_exit_timing();
    void pass_exit_program();
    void pass_manual_start();
    void pass_options();
    void pass_network_dialog();
    void cancel_formula_test();
    void cancel_exit_timing();
    void cancel_exit_program();
    void cancel_manual_start();
    void back_to_main_dialog();
    void show_hover(const std::string& text);
    Program& program_;
};

}  // namespace vardex
