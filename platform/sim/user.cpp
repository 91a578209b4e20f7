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

template <class T>
T* shown_as(Control* c) {
    return static_cast<T*>(c);
}
}  // namespace

SimProcess& User::seat() const {
    SimProcess* face = process_.face_process();
    return face != nullptr ? *face : process_;
}

Control* User::shown(Control& control) const {
    if (process_.face_process() == nullptr) {
        return &control;
    }
    remote::Face* face = process_.face();
    return face != nullptr ? face->copy_of(control) : nullptr;
}

Form* User::shown(Form& form) const {
    if (process_.face_process() == nullptr) {
        return &form;
    }
    remote::Face* face = process_.face();
    return face != nullptr ? face->copy_of(form) : nullptr;
}

bool User::focus(Control& control) {
    if (seat().ended() || !control.usable()) {
        return false;
    }
    if (focusable(control.kind())) {
        seat().sim_windows().focus(&control);
    }
    control.form().set_focus();
    return true;
}

bool User::click(Control& original) {
    Control* control = shown(original);
    if (control == nullptr || !focus(*control)) {
        return false;
    }
    control->raise_click();
    return true;
}

bool User::type(Control& original, std::string_view text) {
    Control* box = shown(original);
    if (box == nullptr ||
        (box->kind() != ControlKind::text_box && box->kind() != ControlKind::combo_box)) {
        return false;
    }
    if (!focus(*box)) {
        return false;
    }
    for (char c : text) {
        const int key = box->raise_key_press(static_cast<unsigned char>(c));
        if (key == 0 || seat().ended()) {
            continue;
        }
        if (box->kind() == ControlKind::text_box) {
            auto& t = static_cast<TextBox&>(*box);
            if (t.locked() ||
                (t.max_length() > 0 && static_cast<int>(t.text().size()) >= t.max_length())) {
                continue;
            }
        } else if (static_cast<ComboBox&>(*box).style() == ComboBox::Style::dropdown_list) {
            continue;
        }
        box->user_edited_text(box->text() + static_cast<char>(key));
    }
    return true;
}

bool User::replace_text(Control& original, std::string_view text) {
    Control* box = shown(original);
    if (box == nullptr || !focus(*box)) {
        return false;
    }
    if (box->kind() == ControlKind::text_box && static_cast<TextBox&>(*box).locked()) {
        return false;
    }
    box->user_edited_text({});
    return type(original, text);
}

bool User::press_key(Control& original, int key) {
    Control* control = shown(original);
    if (control == nullptr || !focus(*control)) {
        return false;
    }
    control->raise_key_press(key);
    return true;
}

bool User::select(ComboBox& original, int index) {
    auto* combo = shown_as<ComboBox>(shown(original));
    if (combo == nullptr || !focus(*combo) || index < 0 || index >= combo->list_count()) {
        return false;
    }
    combo->user_selected(index);
    return true;
}

bool User::select(ListBox& original, int index) {
    auto* list = shown_as<ListBox>(shown(original));
    if (list == nullptr || !focus(*list) || index < 0 || index >= list->list_count()) {
        return false;
    }
    list->user_clicked(index);
    return true;
}

bool User::select_tab(TabStrip& original, int index) {
    auto* tabs = shown_as<TabStrip>(shown(original));
    if (tabs == nullptr || !focus(*tabs) || index < 0 ||
        index >= static_cast<int>(tabs->tabs().size())) {
        return false;
    }
    tabs->user_selected(index);
    return true;
}

bool User::select_row(Grid& original, int row) {
    auto* grid = shown_as<Grid>(shown(original));
    if (grid == nullptr || !focus(*grid)) {
        return false;
    }
    grid->user_selected_row(row);
    return true;
}

bool User::move_mouse(Control& original, double x, double y) {
    Control* control = shown(original);
    if (control == nullptr || seat().ended() || !control->shown()) {
        return false;
    }
    control->raise_mouse_move(MouseEvent{0, 0, x, y});
    return true;
}

bool User::mouse_move(Control& original, int buttons, double x, double y) {
    Control* control = shown(original);
    if (control == nullptr || seat().ended() || !control->shown()) {
        return false;
    }
    control->raise_mouse_move(MouseEvent{buttons, 0, x, y});
    if (buttons != 0 && control->kind() == ControlKind::grid && control->enabled()) {
        auto& grid = static_cast<Grid&>(*control);
        grid.user_dragged_to_row(grid.row_at(y));
    }
    return true;
}

bool User::mouse_down(Control& original, int button, double x, double y) {
    Control* control = shown(original);
    if (control == nullptr || !focus(*control)) {
        return false;
    }
    control->raise_mouse_down(MouseEvent{button, 0, x, y});
    return true;
}

bool User::mouse_up(Control& original, int button, double x, double y) {
    Control* control = shown(original);
    if (control == nullptr || seat().ended() || !control->usable()) {
        return false;
    }
    control->raise_mouse_up(MouseEvent{button, 0, x, y});
    return true;
}

bool User::move_mouse_over(Form& original, double x, double y) {
    Form* form = shown(original);
    if (form == nullptr || seat().ended() || !form->visible()) {
        return false;
    }
    form->raise_mouse_move(MouseEvent{0, 0, x, y});
    return true;
}

bool User::click_form(Form& original) {
    Form* form = shown(original);
    if (form == nullptr || seat().ended() || !form->visible()) {
        return false;
    }
    form->set_focus();
    form->raise_click();
    return true;
}

bool User::close(Form& original) {
    Form* form = shown(original);
    if (form == nullptr || seat().ended() || !form->visible()) {
        return false;
    }
    return form->raise_close_request();
}

void User::leave_focus() {
    seat().sim_windows().focus(nullptr);
}

}  // namespace vardex::sim
