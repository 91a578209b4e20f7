#pragma once

#include <cstdint>
#include <string>

namespace vardex {

class Program;

// The gate of every privileged action: the password, or a one-time code computed with the
// secret formula from 26 random digits. A check is started with the action to run once passed.
class SecurityCheck {
  public:
    explicit SecurityCheck(Program& program);

    void begin_security_check(std::int16_t check_action);
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

    std::int16_t check_action = 0;
    int random_numbers[26] = {};
    std::string saved_formula;
    std::int16_t tests_left = 0;
    int wait_count = 0;
    bool wait_armed = false;

  private:
    void passed();
    void show_hover(const std::string& text);
    Program& program_;
};

}  // namespace vardex
