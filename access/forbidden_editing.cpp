#include "access/forbidden_editing.h"

#include "access/forbidden_page.h"
#include "access/forbidden_windows.h"
#include "platform/ansi.h"
#include "settings/explan_dialog.h"
#include "settings/settings_store.h"
#include "settings/user_messages.h"

namespace vardex {

namespace {
constexpr char pick_pending[] = "Click on the Window, from whic";
constexpr char pick_opened[] = "Click on the Window, from which you want to get the titel!";
constexpr char pick_visible[] = "Click on the Window, from which you want to get the titel...";

}  // namespace

ForbiddenEditing::ForbiddenEditing(ForbiddenPage& page, Form& options_dialog,
                                   ExplanDialog& explanation, SettingsStore& settings,
                                   Desktop& desktop, UserMessages& messages)
    : page_(page),
      options_dialog_(options_dialog),
      explanation_(explanation),
      settings_(settings),
      desktop_(desktop),
      messages_(messages) {
    ForbiddenPage& d = page_;
    d.add_button.on_click = [this] { add_forbidden_title(true); };
    d.title_box.on_key_press = [this](int& key) {
        if (key == 13 && !page_.title_box.text().empty()) {
            add_forbidden_title(false);
        }
    };
    d.remove_button.on_click = [this] { remove_forbidden_titles(); };
    d.pick_button.on_click = [this] { pick_window_title(); };
    d.titles.on_click = [this] { show_matching_flags(); };
    d.front_check.on_click = [this] { set_matching_flags(); };
    d.back_check.on_click = [this] { set_matching_flags(); };
    explanation_.on_mouse_up = [this](const MouseEvent&) { finish_pick(); };
}

void ForbiddenEditing::add_forbidden_title(bool check_length) {
    ForbiddenPage& d = page_;
    const std::string text = d.title_box.text();
    if (text.empty()) {
        return;
    }
    if (check_length && text.size() >= 200) {
        messages_.message(
            "This window title is too long! A forbidden window title can have at most 199 "
            "characters.");
        return;
    }
    const std::string title = trim_spaces(text);
    if (title.empty()) {
        // A blank title would match every window in front: nothing could be used any more.
        messages_.message(
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

void ForbiddenEditing::remove_forbidden_titles() {
    ForbiddenPage& d = page_;
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

void ForbiddenEditing::show_matching_flags() {
    ForbiddenPage& d = page_;
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

void ForbiddenEditing::set_matching_flags() {
    ForbiddenPage& d = page_;
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
        auto& stored = settings_.record().forbidden_windows;
        if (i < static_cast<int>(stored.size())) {
            stored[static_cast<std::size_t>(i)].matching = mode;
        }
        return;
    }
}

void ForbiddenEditing::pick_window_title() {
    ExplanDialog& e = explanation_;
    e.explanation_label.set_caption(e.visible() ? pick_visible : pick_opened);
    e.show();
    e.set_focus();
    options_dialog_.set_window_state(WindowState::minimized);
    e.set_focus();
    desktop_.capture_mouse(e.window_id());
}

void ForbiddenEditing::finish_pick() {
    ExplanDialog& e = explanation_;
    if (e.explanation_label.caption().compare(0, 30, pick_pending) != 0) {
        return;
    }
    Desktop& desktop = desktop_;
    auto usable = [&](const std::string& t) {
        return !t.empty() && t != options_dialog_.caption() && t != e.caption();
    };
    std::string t = window_title(desktop_, desktop.window_from_point(desktop.cursor_pos()));
    if (!usable(t)) {
        t = window_title(desktop_, desktop.foreground_window());
    }
    if (!usable(t)) {
        return;  // the pick stays pending for the next click
    }
    if (e.explanation_label.caption() == pick_opened) {
        e.hide();
    }
    page_.title_box.set_text(t);
    options_dialog_.set_window_state(WindowState::normal);
    options_dialog_.set_focus();
    e.explanation_label.set_caption("");
    desktop.release_mouse();
}

}  // namespace vardex
