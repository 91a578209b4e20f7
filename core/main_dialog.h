#pragma once

#include <string>

namespace vardex {

class Program;

// What the main dialog does: the manual start after the security check, the Direct Access
// Code and Time Distributer entries, exit, options, About, and the help label.
class MainDialog {
  public:
    explicit MainDialog(Program& program);

    // The Time Distributer group is usable only while at least one ID exists.
    void enable_distributer_controls();
    // Keeps the digits up to the first "." or ","; more than max_digits gives the largest value.
    static std::string input_filter(const std::string& text, std::size_t max_digits,
                                    const std::string& too_long);

  private:
    void wire_help_texts();
    Program& program_;
};

}  // namespace vardex
