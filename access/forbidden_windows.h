#pragma once

#include <string>

#include "platform/geometry.h"
#include "settings/settings_record.h"

namespace vardex {

class Program;

// Windows whose titles are on the forbidden list are asked to close, many times a second.
class ForbiddenWindows {
  public:
    explicit ForbiddenWindows(Program& program);

    // The title of a window, trimmed, without a trailing NUL.
    std::string foreground_title(WindowId window);
    // Looks at the foreground window once and asks it to close when its title matches.
    void forbidden_window_sweep();
    // True when the upper-cased title matches the entry, ignoring its case, in this mode.
    static bool matches(const std::string& title_upper, const std::string& entry, MatchMode mode);

    // The options dialog's list editing.
    void add_forbidden_title(bool check_length);
    void remove_forbidden_titles();
    void show_matching_flags();
    void set_matching_flags();
    void pick_window_title();
    // The mouse was released over the explanation window while a pick may be pending.
    void finish_pick();

  private:
    Program& program_;
};

}  // namespace vardex
