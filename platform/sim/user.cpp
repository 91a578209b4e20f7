#include "platform/sim/user.h"

#include "platform/sim/sim_process.h"

namespace vardex::sim {

namespace {
bool focusable(ControlKind kind) {
    switch (kind) {
        case ControlKind::text_box:
        case ControlKind::command_button:
        case ControlKind::check_box:
        case ControlKind::option_button:
        case ControlKind::combo_box:
        case ControlKind::list_box:
        case ControlKind::tab_strip:
        case ControlKind::grid:
            return true;
        default:
            return false;
    }
}
}  // namespace

bool User::focus(Control& control) {
    if (process_.ended() || !control.usable()) {
        return false;
    }
    if (focusable(control.kind())) {
        process_.sim_windows().focus(&control);
    }
    control.form().set_focus();
    return true;
}

bool User::click(Control& control) {
    if (!focus(control)) {
        return false;
    }
    control.raise_click();
    return true;
}

bool User::type(Control& box, std::string_view text) {
    if (box.kind() != ControlKind::text_box && box.kind() != ControlKind::combo_box) {
        return false;
    }
    if (!focus(box)) {
        return false;
    }
    for (char c : text) {
        const int key = box.raise_key_press(static_cast<unsigned char>(c));
        if (key == 0 || process_.ended()) {
            continue;
        }
        if (box.kind() == ControlKind::text_box) {
            auto& t = static_cast<TextBox&>(box);
            if (t.locked() ||
                (t.max_length() > 0 && static_cast<int>(t.text().size()) >= t.max_length())) {
                continue;
            }
        } else if (static_cast<ComboBox&>(box).style() == ComboBox::Style::dropdown_list) {
            continue;
        }
        box.user_edited_text(box.text() + static_cast<char>(key));
    }
    return true;
}

bool User::replace_text(Control& box, std::string_view text) {
    if (!focus(box)) {
        return false;
    }
    if (box.kind() == ControlKind::text_box && static_cast<TextBox&>(box).locked()) {
        return false;
    }
    box.user_edited_text({});
    return type(box, text);
}

bool User::press_key(Control& control, int key) {
    if (!focus(control)) {
        return false;
    }
    control.raise_key_press(key);
    return true;
}

bool User::select(ComboBox& combo, int index) {
    if (!focus(combo) || index < 0 || index >= combo.list_count()) {
        return false;
    }
    combo.user_selected(index);
    return true;
}

bool User::select(ListBox& list, int index) {
    if (!focus(list) || index < 0 || index >= list.list_count()) {
        return false;
    }
    list.user_clicked(index);
    return true;
}

bool User::select_tab(TabStrip& tabs, int index) {
    if (!focus(tabs) || index < 0 || index >= static_cast<int>(tabs.tabs().size())) {
        return false;
    }
    tabs.user_selected(index);
    return true;
}

bool User::select_row(Grid& grid, int row) {
    if (!focus(grid)) {
        return false;
    }
    grid.user_selected_row(row);
    return true;
}

bool User::move_mouse(Control& control, double x, double y) {
    if (process_.ended() || !control.shown()) {
        return false;
    }
    control.raise_mouse_move(MouseEvent{0, 0, x, y});
    return true;
}

bool User::mouse_move(Control& control, int buttons, double x, double y) {
    if (process_.ended() || !control.shown()) {
        return false;
    }
    control.raise_mouse_move(MouseEvent{buttons, 0, x, y});
    if (buttons != 0 && control.kind() == ControlKind::grid && control.enabled()) {
        auto& grid = static_cast<Grid&>(control);
        grid.user_dragged_to_row(grid.row_at(y));
    }
    return true;
}

bool User::mouse_down(Control& control, int button, double x, double y) {
    if (!focus(control)) {
        return false;
    }
    control.raise_mouse_down(MouseEvent{button, 0, x, y});
    return true;
}

bool User::mouse_up(Control& control, int button, double x, double y) {
    if (process_.ended() || !control.usable()) {
        return false;
    }
    control.raise_mouse_up(MouseEvent{button, 0, x, y});
    return true;
}

bool User::move_mouse_over(Form& form, double x, double y) {
    if (process_.ended() || !form.visible()) {
        return false;
    }
    form.raise_mouse_move(MouseEvent{0, 0, x, y});
    return true;
}

bool User::click_form(Form& form) {
    if (process_.ended() || !form.visible()) {
        return false;
    }
    form.set_focus();
    form.raise_click();
    return true;
}

bool User::close(Form& form) {
    if (process_.ended() || !form.visible()) {
        return false;
    }
    return form.raise_close_request();
}

void User::leave_focus() {
    process_.sim_windows().focus(nullptr);
}

}  // namespace vardex::sim
