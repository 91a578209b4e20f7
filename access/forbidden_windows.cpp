#include "access/forbidden_windows.h"

#include "platform/ansi.h"
#include "platform/clock.h"
#include "settings/settings_store.h"

namespace vardex {

namespace {

// How long a title read stays good without a reported change.
constexpr double recheck_seconds = 1.0;
// After a reported change the sweep looks closely for a while: a window shown may come in
// front, or get its title, a moment after the report.
constexpr double settle_seconds = 0.5;

}  // namespace

ForbiddenWindows::ForbiddenWindows(SettingsStore& settings, Desktop& desktop, Clock& clock)
    : settings_(settings), desktop_(desktop), clock_(clock) {}

std::string window_title(Desktop& desktop, WindowId window) {
    std::string t = trim_spaces(desktop.window_text(window));
    if (!t.empty() && t.back() == '\0') {
        t.pop_back();
    }
    return t;
}

namespace {

// The part of the upper-cased title at `offset` equals the entry, upper-cased as it goes.
bool equal_at(const std::string& title_upper, std::size_t offset, const std::string& entry) {
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (title_upper[offset + i] != upper_ansi(entry[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ForbiddenWindows::matches(const std::string& t, const std::string& e, MatchMode mode) {
    if (mode == MatchMode::whole) {
        return t.size() == e.size() && equal_at(t, 0, e);
    }
    if (t.size() < e.size()) {
        return false;
    }
    const bool front = mode == MatchMode::front || mode == MatchMode::front_or_back;
    const bool back = mode == MatchMode::back || mode == MatchMode::front_or_back;
    if (front && equal_at(t, 0, e)) {
        return true;
    }
    return back && equal_at(t, t.size() - e.size(), e);
}

void ForbiddenWindows::forbidden_window_sweep() {
    sweep(desktop_.foreground_window());
}

void ForbiddenWindows::sweep(WindowId front) {
    Desktop& desktop = desktop_;
    const double now = clock_.monotonic_seconds();
    // Which window is in front costs next to nothing to ask; its title is read again only
    // when that window changed, when the system reported a new title, or after a while.
    if (front != seen_window_ && seen_valid_) {
        noticed_change();
    }
    if (!watched_ || !seen_valid_ || front != seen_window_ || now - seen_at_ >= recheck_seconds ||
        now < seen_at_) {
        seen_window_ = front;
        seen_title_ = window_title(desktop_, front);
        seen_upper_ = upper_ansi(seen_title_);
        seen_at_ = now;
        seen_valid_ = true;
    }
    const WindowId w = seen_window_;
    const std::string& t = seen_title_;
    const std::string& upper = seen_upper_;
    for (const ForbiddenWindow& entry : settings_.record().forbidden_windows) {
        if (!matches(upper, entry.title, entry.matching)) {
            continue;
        }
        if (desktop.post_close(w) && settings_.record().Log_Preventing_Program == 1 &&
            write_event) {
            write_event(entry.matching == MatchMode::whole
                            ? ": Opening of Protected Window '" + t + "' prevented"
                            : ": Protected Window '" + t + "' closed");
        }
        set_pressing(true);
        return;
    }
    set_pressing(false);
}

void ForbiddenWindows::set_pressing(bool pressing) {
    pressing_ = pressing;
    update_pace();
}

void ForbiddenWindows::update_pace() {
    const bool close = pressing_ || clock_.monotonic_seconds() < settle_until_;
    if (close != looking_closely_) {
        looking_closely_ = close;
        if (on_pace_changed) {
            on_pace_changed();
        }
    }
}

void ForbiddenWindows::noticed_change() {
    // A new window in front that the system did not report: after a few of them its reports
    // are not to be relied on (some window systems never send them), and titles are read at
    // every tick again.
    if (watched_ && !reports_arrived_ && ++unreported_changes_ >= 3) {
        watched_ = false;
        if (on_pace_changed) {
            on_pace_changed();
        }
    }
}

void ForbiddenWindows::window_changed(WindowChange change, WindowId window) {
    reports_arrived_ = true;
    if (change == WindowChange::title && window != seen_window_) {
        return;  // a title of a window that is not in front
    }
    seen_valid_ = false;
    settle_until_ = clock_.monotonic_seconds() + settle_seconds;
    if (sweeping()) {
        // The report names the new window in front: asking the system could still answer
        // the old one while the switch completes.
        if (change == WindowChange::foreground && window != 0) {
            sweep(window);
        } else {
            forbidden_window_sweep();
        }
    }
    update_pace();
}

bool ForbiddenWindows::sweeping() const {
    return sweeping_ && sweeping_();
}

}  // namespace vardex
