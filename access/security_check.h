#pragma once

#include <cstdint>

namespace vardex {

class Program;

// The gate of every privileged action. A check is started with the action to run once it is
// passed.
class SecurityCheck {
public:
    explicit SecurityCheck(Program& program) : program_(program) {}

    void begin_security_check(std::int16_t check_action);
    void show_random_numbers();

    std::int16_t check_action = 0;
    int random_numbers[26] = {};

private:
    Program& program_;
};

}  // namespace vardex
