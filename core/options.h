#pragma once

#include <string>

namespace vardex {

class Program;

// The options dialog as a whole: its opening, its fill from the store and its apply into it,
// leaving it, the general options of the two "Misc" pages with their file-name checks, the
// options file, and the explanation window.
class Options {
  public:
    explicit Options(Program& program);

    // After a passed security check: the dialog, filled from the store, in Options mode.
    void open_options_dialog();
    void fill_options_dialog();
    void apply_options_dialog();
    void leave_options();
    // "&Goto Network Dialog": only on the administrator.
    void goto_network_dialog();

    void export_options();
    void import_options();
    // True when the file opens for reading or for appending; false for an empty path, and
    // false (said to the user) when it does not open.
    bool file_usable(const std::string& path, bool for_reading);

    // The file-name checks of the log file, the administrator log and the logo.
    void check_log_file();
    void check_admin_log_file();
    void check_logo_file();

  private:
    void wire_explanations();
    void toggle_explanation_window();
    // Steps 1 to 4 of leaving; false when a box holds no whole number.
    bool leave_checks(const std::string& minutes_message);
    // Steps 1 and 2: empty boxes become "0"; false (and said) when one holds no number that
    // fits its setting.
    bool time_boxes_hold_numbers(const std::string& minutes_message);
    // The open-file dialog of a "..." button; empty when cancelled.
    std::string pick_file();
    void message(const std::string& text);

    Program& program_;
    bool checking_log_ = false;
};

}  // namespace vardex
