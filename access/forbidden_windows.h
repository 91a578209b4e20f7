#pragma once

#include <string>

#include "platform/desktop.h"
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
    // The system reported a new window in front or a new title: the title is read again, and
    // while the sweep runs it runs at once, so a forbidden window goes as soon as it shows.
    void window_changed(WindowChange change, WindowId window);
    // Whether the system reports those changes; without it the title is read at every tick.
    void set_watched(bool watched) { watched_ = watched; }
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
    bool sweeping() const;
    void noticed_change();

    Program& program_;
    bool watched_ = false;
    bool reports_arrived_ = false;
    int unreported_changes_ = 0;
    // The window in front and its title as last read: valid until a reported change, and for
    // at most recheck_seconds, in case the system missed one.
    bool seen_valid_ = false;
    WindowId seen_window_ = 0;
    std::string seen_title_;
    std::string seen_upper_;
    double seen_at_ = 0;
};

}  // namespace vardex
