#pragma once

#include <functional>
#include <string>

#include "platform/desktop.h"
#include "settings/settings_record.h"

namespace vardex {

class Clock;
class SettingsStore;

// The title of a window, trimmed, without a trailing NUL.
std::string window_title(Desktop& desktop, WindowId window);

// Windows whose titles are on the forbidden list are asked to close as soon as they come in
// front.
class ForbiddenWindows {
  public:
    ForbiddenWindows(SettingsStore& settings, Desktop& desktop, Clock& clock);

    // Whether a sweep runs now (the blocked machine, a countdown, a security check).
    void set_sweeping(std::function<bool()> sweeping) { sweeping_ = std::move(sweeping); }
    // The event log's line for a closed window.
    std::function<void(const std::string&)> write_event;

    // Looks at the foreground window once and asks it to close when its title matches.
    void forbidden_window_sweep();
    // The system reported a new window in front or a new title: the title is read again, and
    // while the sweep runs it runs at once, so a forbidden window goes as soon as it shows.
    void window_changed(WindowChange change, WindowId window);
    // Whether the system reports those changes; without it the title is read at every tick.
    void set_watched(bool watched) { watched_ = watched; }
    bool watched() const { return watched_; }
    // True while the sweep should look at every fast tick: the window in front matched and
    // was asked to close (until it goes), or a change was reported a moment ago.
    bool looking_closely() const { return looking_closely_; }
    // Heard when the reports turned out not to come, and when looking closely starts or ends:
    // whoever paces the sweep looks again.
    std::function<void()> on_pace_changed;
    // True when the upper-cased title matches the entry, ignoring its case, in this mode.
    static bool matches(const std::string& title_upper, const std::string& entry, MatchMode mode);

  private:
    bool sweeping() const;
    void sweep(WindowId front);
    void noticed_change();
    void set_pressing(bool pressing);
    void update_pace();

    SettingsStore& settings_;
    Desktop& desktop_;
    Clock& clock_;
    std::function<bool()> sweeping_;
    bool watched_ = false;
    bool pressing_ = false;
    bool looking_closely_ = false;
    double settle_until_ = 0;
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
