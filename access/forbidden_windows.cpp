#include "access/forbidden_windows.h"

#include "core/program.h"
#include "platform/ansi.h"

namespace vardex {

namespace {

// How long a title read stays good without a reported change.
constexpr double recheck_seconds = 1.0;

constexpr char pick_pending[] = "Click on the Window, from whic";
constexpr char pick_opened[] = "Click on the Window, from which you want to get the titel!";
constexpr char pick_visible[] = "Click on the Window, from which you want to get the titel...";

}  // namespace

ForbiddenWindows::ForbiddenWindows(Program& program) : program_(program) {
    ForbiddenPage& d = program.options_dialog.forbidden;
    d.add_button.on_click = [this] { add_forbidden_title(true); };
    d.title_box.on_key_press = [this](int& key) {
        if (key == 13 && !program_.options_dialog.forbidden.title_box.text().empty()) {
            add_forbidden_title(false);
        }
    };
    d.remove_button.on_click = [this] { remove_forbidden_titles(); };
    d.pick_button.on_click = [this] { pick_window_title(); };
    d.titles.on_click = [this] { show_matching_flags(); };
    d.front_check.on_click = [this] { set_matching_flags(); };
    d.back_check.on_click = [this] { set_matching_flags(); };
    program.explan_dialog.on_mouse_up = [this](const MouseEvent&) { finish_pick(); };
}

std::string ForbiddenWindows::foreground_title(WindowId window) {
    std::string t = trim_spaces(program_.platform.desktop().window_text(window));
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
    Desktop& desktop = program_.platform.desktop();
    const double now = program_.platform.clock().monotonic_seconds();
    // Which window is in front costs next to nothing to ask; its title is read again only
    // when that window changed, when the system reported a new title, or after a while.
    const WindowId front = desktop.foreground_window();
    if (front != seen_window_ && seen_valid_) {
        noticed_change();
    }
    if (!watched_ || !seen_valid_ || front != seen_window_ || now - seen_at_ >= recheck_seconds ||
        now < seen_at_) {
        seen_window_ = front;
        seen_title_ = foreground_title(front);
        seen_upper_ = upper_ansi(seen_title_);
        seen_at_ = now;
        seen_valid_ = true;
    }
    const WindowId w = seen_window_;
    const std::string& t = seen_title_;
    const std::string& upper = seen_upper_;
    for (const ForbiddenWindow& entry : program_.settings.record().forbidden_windows) {
        if (!matches(upper, entry.title, entry.matching)) {
            continue;
        }
        if (desktop.post_close(w) && program_.settings.record().Log_Preventing_Program == 1) {
            program_.log.write_event(entry.matching == MatchMode::whole
                                         ? ": Opening of Protected Window '" + t + "' prevented"
                                         : ": Protected Window '" + t + "' closed");
        }
        return;
    }
}

void ForbiddenWindows::noticed_change() {
    // A new window in front that the system did not report: after a few of them its reports
    // are not to be relied on (some window systems never send them), and titles are read at
    // every tick again.
    if (!reports_arrived_ && ++unreported_changes_ >= 3) {
        watched_ = false;
    }
}

void ForbiddenWindows::window_changed(WindowChange change, WindowId window) {
    reports_arrived_ = true;
    if (change == WindowChange::title && window != seen_window_) {
        return;  // a title of a window that is not in front
    }
    seen_valid_ = false;
    if (sweeping()) {
        forbidden_window_sweep();
    }
}

bool ForbiddenWindows::sweeping() const {
    const Program& p = program_;
    return p.vardex_dialog.sweep_timer.running() || p.vardex_dialog.blocked_sweep_timer.running() ||
           p.sec_dialog.focus_timer.running();
}

void ForbiddenWindows::add_forbidden_title(bool check_length) {
    ForbiddenPage& d = program_.options_dialog.forbidden;
    const std::string text = d.title_box.text();
    if (text.empty()) {
        return;
    }
    if (check_length && text.size() >= 200) {
        program_.time_dialog.message(
            "This window title is too long! A forbidden window title can have at most 199 "
            "characters.");
        return;
    }
    const std::string title = trim_spaces(text);
    if (title.empty()) {
        // A blank title would match every window in front: nothing could be used any more.
        program_.time_dialog.message(
            "A window title of blanks only can't be forbidden! Please enter the title of a "
            "window.");
        return;
    }
    d.titles.add_item(title);
    d.modes.push_back(MatchMode::whole);
    d.title_box.set_text("");
    if (check_length) {
        d.title_box.set_focus();
    }
}

void ForbiddenWindows::remove_forbidden_titles() {
    ForbiddenPage& d = program_.options_dialog.forbidden;
    for (int i = 0; i < d.titles.list_count();) {
        if (d.titles.selected(i)) {
            d.titles.remove_item(i);
            if (i < static_cast<int>(d.modes.size())) {
                d.modes.erase(d.modes.begin() + i);
            }
        } else {
            ++i;
        }
    }
    show_matching_flags();
}

void ForbiddenWindows::show_matching_flags() {
    ForbiddenPage& d = program_.options_dialog.forbidden;
    int first = -1;
    for (int i = 0; i < d.titles.list_count(); ++i) {
        if (d.titles.selected(i)) {
            first = i;
            break;
        }
    }
    if (first < 0 || first >= static_cast<int>(d.modes.size())) {
        d.front_check.set_enabled(false);
        d.back_check.set_enabled(false);
        return;
    }
    d.front_check.set_enabled(true);
    d.back_check.set_enabled(true);
    const MatchMode mode = d.modes[static_cast<std::size_t>(first)];
    const bool both = mode == MatchMode::front_or_back;
    d.front_check.set_value(mode == MatchMode::front || both ? 1 : 0);
    d.back_check.set_value(mode == MatchMode::back || both ? 1 : 0);
}

void ForbiddenWindows::set_matching_flags() {
    ForbiddenPage& d = program_.options_dialog.forbidden;
    for (int i = 0; i < d.titles.list_count(); ++i) {
        if (!d.titles.selected(i)) {
            continue;
        }
        if (i >= static_cast<int>(d.modes.size())) {
            return;
        }
        const auto mode = static_cast<MatchMode>((d.front_check.value() != 0 ? 1 : 0) +
                                                 (d.back_check.value() != 0 ? 2 : 0));
        d.modes[static_cast<std::size_t>(i)] = mode;
        // The sweep follows a mode change at once; titles follow when the settings are saved.
        auto& stored = program_.settings.record().forbidden_windows;
        if (i < static_cast<int>(stored.size())) {
            stored[static_cast<std::size_t>(i)].matching = mode;
        }
        return;
    }
}

void ForbiddenWindows::pick_window_title() {
    Program& p = program_;
    ExplanDialog& e = p.explan_dialog;
    e.explanation_label.set_caption(e.visible() ? pick_visible : pick_opened);
    e.show();
    e.set_focus();
    p.options_dialog.set_window_state(WindowState::minimized);
    e.set_focus();
    p.platform.desktop().capture_mouse(e.window_id());
}

void ForbiddenWindows::finish_pick() {
    Program& p = program_;
    ExplanDialog& e = p.explan_dialog;
    if (e.explanation_label.caption().compare(0, 30, pick_pending) != 0) {
        return;
    }
    Desktop& desktop = p.platform.desktop();
    auto usable = [&](const std::string& t) {
        return !t.empty() && t != p.options_dialog.caption() && t != e.caption();
    };
    std::string t = foreground_title(desktop.window_from_point(desktop.cursor_pos()));
    if (!usable(t)) {
        t = foreground_title(desktop.foreground_window());
    }
    if (!usable(t)) {
        return;  // the pick stays pending for the next click
    }
    if (e.explanation_label.caption() == pick_opened) {
        e.hide();
    }
    p.options_dialog.forbidden.title_box.set_text(t);
    p.options_dialog.set_window_state(WindowState::normal);
    p.options_dialog.set_focus();
    e.explanation_label.set_caption("");
    desktop.release_mouse();
}

}  // namespace vardex
