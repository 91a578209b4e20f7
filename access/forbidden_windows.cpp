#include "access/forbidden_windows.h"

#include "core/program.h"
#include "platform/ansi.h"

namespace vardex {

namespace {

std::string trim_spaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

constexpr char pick_pending[] = "Click on the Window, from whic";
constexpr char pick_opened[] = "Click on the Window, from which you want to get the titel!";
constexpr char pick_visible[] = "Click on the Window, from which you want to get the titel...";

}  // namespace

ForbiddenWindows::ForbiddenWindows(Program& program) : program_(program) {
    OptionsDialog& d = program.options_dialog;
    d.command1.on_click = [this] { add_forbidden_title(true); };
    d.text1.on_key_press = [this](int& key) {
        if (key == 13 && !program_.options_dialog.text1.text().empty()) {
            add_forbidden_title(false);
        }
    };
    d.command2.on_click = [this] { remove_forbidden_titles(); };
    d.command7.on_click = [this] { pick_window_title(); };
    d.list1.on_click = [this] { show_matching_flags(); };
    d.check2.on_click = [this] { set_matching_flags(); };
    d.check3.on_click = [this] { set_matching_flags(); };
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

bool ForbiddenWindows::matches(const std::string& t, const std::string& e, int mode) {
    if (mode == 0) {
        return t.size() == e.size() && equal_at(t, 0, e);
    }
    if (t.size() < e.size()) {
        return false;
    }
    if ((mode == 1 || mode == 3) && equal_at(t, 0, e)) {
        return true;
    }
    return (mode == 2 || mode == 3) && equal_at(t, t.size() - e.size(), e);
}

void ForbiddenWindows::forbidden_window_sweep() {
    Desktop& desktop = program_.platform.desktop();
    const WindowId w = desktop.foreground_window();
    const std::string t = foreground_title(w);
    const std::string upper = upper_ansi(t);
    for (const ForbiddenWindow& entry : program_.settings.record().forbidden_windows) {
        if (!matches(upper, entry.title, entry.matching)) {
            continue;
        }
        if (desktop.post_close(w) && program_.settings.record().Log_Preventing_Program == 1) {
            program_.log.write_event(entry.matching == 0
                                         ? ": Opening of Protected Window '" + t + "' prevented"
                                         : ": Protected Window '" + t + "' closed");
        }
        return;
    }
}

void ForbiddenWindows::add_forbidden_title(bool check_length) {
    OptionsDialog& d = program_.options_dialog;
    const std::string text = d.text1.text();
    if (text.empty()) {
        return;
    }
    if (check_length && text.size() >= 200) {
        program_.time_dialog.message(
            "This window title is too long! A forbidden window title can have at most 199 "
            "characters.",
            0, 0, false);
        return;
    }
    d.list1.add_item(trim_spaces(text));
    d.list1_modes.push_back(0);
    d.text1.set_text("");
    if (check_length) {
        d.text1.set_focus();
    }
}

void ForbiddenWindows::remove_forbidden_titles() {
    OptionsDialog& d = program_.options_dialog;
    for (int i = 0; i < d.list1.list_count();) {
        if (d.list1.selected(i)) {
            d.list1.remove_item(i);
            if (i < static_cast<int>(d.list1_modes.size())) {
                d.list1_modes.erase(d.list1_modes.begin() + i);
            }
        } else {
            ++i;
        }
    }
    show_matching_flags();
}

void ForbiddenWindows::show_matching_flags() {
    OptionsDialog& d = program_.options_dialog;
    int first = -1;
    for (int i = 0; i < d.list1.list_count(); ++i) {
        if (d.list1.selected(i)) {
            first = i;
            break;
        }
    }
    if (first < 0 || first >= static_cast<int>(d.list1_modes.size())) {
        d.check2.set_enabled(false);
        d.check3.set_enabled(false);
        return;
    }
    d.check2.set_enabled(true);
    d.check3.set_enabled(true);
    const std::int16_t mode = d.list1_modes[static_cast<std::size_t>(first)];
    d.check2.set_value(mode == 1 || mode == 3 ? 1 : 0);
    d.check3.set_value(mode == 2 || mode == 3 ? 1 : 0);
}

void ForbiddenWindows::set_matching_flags() {
    OptionsDialog& d = program_.options_dialog;
    for (int i = 0; i < d.list1.list_count(); ++i) {
        if (!d.list1.selected(i)) {
            continue;
        }
        if (i >= static_cast<int>(d.list1_modes.size())) {
            return;
        }
        const auto mode = static_cast<std::int16_t>((d.check2.value() != 0 ? 1 : 0) +
                                                    (d.check3.value() != 0 ? 2 : 0));
        d.list1_modes[static_cast<std::size_t>(i)] = mode;
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
    e.label1.set_caption(e.visible() ? pick_visible : pick_opened);
    e.show();
    e.set_focus();
    p.options_dialog.set_window_state(WindowState::minimized);
    e.set_focus();
    p.platform.desktop().capture_mouse(e.window_id());
}

void ForbiddenWindows::finish_pick() {
    Program& p = program_;
    ExplanDialog& e = p.explan_dialog;
    if (e.label1.caption().compare(0, 30, pick_pending) != 0) {
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
    if (e.label1.caption() == pick_opened) {
        e.hide();
    }
    p.options_dialog.text1.set_text(t);
    p.options_dialog.set_window_state(WindowState::normal);
    p.options_dialog.set_focus();
    e.label1.set_caption("");
    desktop.release_mouse();
}

}  // namespace vardex
