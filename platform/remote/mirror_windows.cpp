#include "platform/remote/mirror_windows.h"

#include <cmath>

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/remote/form_state.h"
#include "platform/tab_strip.h"
#include "platform/text_metrics.h"

namespace vardex::remote {

struct MirrorWindowSystem::Entry {
    Form* form = nullptr;
    int index = 0;
    std::unique_ptr<MirrorWindowSystem::FormPeer> peer;
    std::vector<std::unique_ptr<MirrorWindowSystem::ControlPeer>> controls;
    WindowId window = 0;
    std::vector<WindowId> control_windows;
};

class MirrorWindowSystem::FormPeer final : public vardex::FormPeer {
  public:
    FormPeer(MirrorWindowSystem& ws, Entry& entry) : ws_(ws), entry_(entry) {}

    void changed(FormProp prop) override {
        if (entry_.form == nullptr) {
            return;
        }
        if (prop == FormProp::topmost) {
            WireWriter out(Wire::form_topmost);
            out.number(entry_.index);
            ws_.face_.send(out);
            return;
        }
        WireWriter out(Wire::form_changed);
        out.number(entry_.index);
        write_form_prop(out, *entry_.form, prop);
        ws_.face_.send(out);
    }
    void detach() override { entry_.form = nullptr; }
    WindowId window_id() const override { return entry_.window; }
    Rect window_rect() const override {
        WireWriter out(Wire::form_rect);
        out.number(entry_.index);
        if (auto answer = ws_.face_.call(out)) {
            WireReader in(*answer);
            const Rect r = in.rect();
            if (in.complete()) {
                return r;
            }
        }
        return {};
    }
    Size inner_size() const override {
        WireWriter out(Wire::form_inner_size);
        out.number(entry_.index);
        if (auto answer = ws_.face_.call(out)) {
            WireReader in(*answer);
            const Size s = in.size();
            if (in.complete()) {
                return s;
            }
        }
        return entry_.form != nullptr ? Size{entry_.form->width(), entry_.form->height()} : Size{};
    }
    void set_focus() override {
        WireWriter out(Wire::form_focus);
        out.number(entry_.index);
        ws_.face_.send(out);
    }

  private:
    MirrorWindowSystem& ws_;
    Entry& entry_;
};

class MirrorWindowSystem::ControlPeer final : public vardex::ControlPeer {
  public:
    ControlPeer(MirrorWindowSystem& ws, Entry& entry, Control& control, int index)
        : ws_(ws), entry_(entry), control_(&control), index_(index) {}

    void changed(Prop prop) override {
        if (control_ == nullptr || prop == Prop::timer || prop == Prop::focus) {
            return;
        }
        // A grid that is not redrawn sends its cells once, when it is again.
        if (prop == Prop::cells && !static_cast<Grid*>(control_)->redraw()) {
            return;
        }
        WireWriter out(Wire::control_changed);
        out.number(entry_.index).number(index_);
        write_control_prop(out, *control_, prop);
        ws_.face_.send(out);
        // New items move the selection without a word of their own.
        if (prop == Prop::items) {
            changed(Prop::selection);
        }
    }
    void cell_changed(int row, int col) override {
        if (control_ == nullptr || !static_cast<Grid*>(control_)->redraw()) {
            return;
        }
        WireWriter out(Wire::grid_cell);
        out.number(entry_.index).number(index_).number(row).number(col);
        out.text(static_cast<Grid*>(control_)->cell(row, col));
        ws_.face_.send(out);
    }
    void detach() override { control_ = nullptr; }
    Size measure_text(const std::string& text, std::int32_t wrap_width) override {
        WireWriter out(Wire::measure_text);
        out.number(entry_.index).number(index_).text(text).number(wrap_width);
        if (auto answer = ws_.face_.call(out)) {
            WireReader in(*answer);
            const Size s = in.size();
            if (in.complete()) {
                return s;
            }
        }
        if (control_ == nullptr) {
            return {};
        }
        // No face to measure: the fixed measure keeps the layout usable until one comes.
        return estimate_text_size(text, control_->font().size, wrap_width,
                                  control_->form().scale_mode() == ScaleMode::pixels);
    }
    bool load_picture(const std::string& path) override {
        // Without a face the path is kept for the next one, which loads it when it comes.
        if (!ws_.face_.connected()) {
            return true;
        }
        WireWriter out(Wire::load_picture);
        out.number(entry_.index).number(index_).text(path);
        if (auto answer = ws_.face_.call(out)) {
            WireReader in(*answer);
            const bool ok = in.flag();
            return in.complete() && ok;
        }
        return false;
    }
    void set_focus() override {
        WireWriter out(Wire::control_focus);
        out.number(entry_.index).number(index_);
        ws_.face_.send(out);
    }
    WindowId window_id() const override {
        const auto i = static_cast<std::size_t>(index_);
        return i < entry_.control_windows.size() ? entry_.control_windows[i] : 0;
    }

  private:
    MirrorWindowSystem& ws_;
    Entry& entry_;
    Control* control_;
    int index_;
};

MirrorWindowSystem::MirrorWindowSystem(FaceChannel& face, WindowSystem& local)
    : face_(face), local_(local) {}

MirrorWindowSystem::~MirrorWindowSystem() {
    for (auto& entry : forms_) {
        if (entry->form != nullptr) {
            entry->form->attach_peer(nullptr);
            for (Control* c : entry->form->controls()) {
                if (c->kind() != ControlKind::timer) {
                    c->attach_peer(nullptr);
                }
            }
        }
    }
}

void MirrorWindowSystem::send_form(Entry& entry) {
    const Form& form = *entry.form;
    WireWriter out(Wire::form_created);
    out.number(entry.index).text(form.name()).number(static_cast<std::int32_t>(form.scale_mode()));
    const auto& controls = form.controls();
    out.number(static_cast<std::int32_t>(controls.size()));
    for (const Control* c : controls) {
        int container = -1;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i] == c->container()) {
                container = static_cast<int>(i);
            }
        }
        write_control_shape(out, *c, container);
    }
    for (const Control* c : controls) {
        for (Prop prop : control_props) {
            write_control_prop(out, *c, prop);
        }
    }
    for (FormProp prop : form_props) {
        write_form_prop(out, form, prop);
    }
    write_form_prop(out, form, FormProp::visible);
    write_form_prop(out, form, FormProp::topmost);
    face_.send(out);
}

void MirrorWindowSystem::attach(Form& form) {
    auto entry = std::make_unique<Entry>();
    entry->form = &form;
    entry->index = static_cast<int>(forms_.size());
    forms_.push_back(std::move(entry));
    Entry& e = *forms_.back();
    // The face has the form before its peers attach: an auto-sized label measures there.
    send_form(e);
    e.peer = std::make_unique<FormPeer>(*this, e);
    form.attach_peer(e.peer.get());
    int index = 0;
    for (Control* c : form.controls()) {
        if (c->kind() != ControlKind::timer) {
            e.controls.push_back(std::make_unique<ControlPeer>(*this, e, *c, index));
            c->attach_peer(e.controls.back().get());
        }
        ++index;
    }
    local_.attach_timers(form);
}

std::vector<Form*> MirrorWindowSystem::forms() const {
    std::vector<Form*> out;
    for (const auto& entry : forms_) {
        if (entry->form != nullptr) {
            out.push_back(entry->form);
        }
    }
    return out;
}

void MirrorWindowSystem::show_all() {
    // What the person should see comes first; the hidden forms follow.
    for (const bool shown : {true, false}) {
        for (auto& entry : forms_) {
            if (entry->form != nullptr && entry->form->visible() == shown) {
                entry->window = 0;
                entry->control_windows.clear();
                send_form(*entry);
            }
        }
    }
    WireWriter busy(Wire::busy_cursor);
    busy.flag(busy_);
    face_.send(busy);
}

bool MirrorWindowSystem::refit_labels() {
    bool resized = false;
    for (Form* form : forms()) {
        for (Control* c : form->controls()) {
            if (c->kind() == ControlKind::label) {
                resized = static_cast<Label*>(c)->refit() || resized;
            }
        }
    }
    return resized;
}

Form* MirrorWindowSystem::active_form() {
    WireWriter out(Wire::foreground_window);
    const auto answer = face_.call(out);
    if (!answer) {
        return nullptr;
    }
    WireReader in(*answer);
    const WindowId front = in.window();
    if (!in.complete() || front == 0) {
        return nullptr;
    }
    for (auto& entry : forms_) {
        if (entry->form != nullptr && entry->window == front) {
            return entry->form;
        }
    }
    return nullptr;
}

void MirrorWindowSystem::quit(int exit_code) {
    if (quitting_) {
        return;
    }
    quitting_ = true;
    WireWriter out(Wire::end_face);
    face_.send(out);
    if (on_quit) {
        on_quit(exit_code);
    } else {
        local_.quit(exit_code);
    }
}

void MirrorWindowSystem::set_busy_cursor(bool busy) {
    busy_ = busy;
    WireWriter out(Wire::busy_cursor);
    out.flag(busy);
    face_.send(out);
}

Form* MirrorWindowSystem::form_at(WireReader& in) {
    const std::int32_t index = in.number_in(0, static_cast<std::int32_t>(forms_.size()) - 1);
    return in.ok() ? forms_[static_cast<std::size_t>(index)]->form : nullptr;
}

Control* MirrorWindowSystem::control_at(WireReader& in, Form** form_out) {
    Form* form = form_at(in);
    const std::int32_t count =
        form != nullptr ? static_cast<std::int32_t>(form->controls().size()) : 0;
    const std::int32_t index = in.number_in(0, count - 1);
    if (!in.ok() || form == nullptr) {
        return nullptr;
    }
    if (form_out != nullptr) {
        *form_out = form;
    }
    return form->controls()[static_cast<std::size_t>(index)];
}

namespace {

MouseEvent read_mouse(WireReader& in) {
    MouseEvent e;
    e.button = in.number_in(0, 7);
    e.shift = in.number_in(0, 7);
    e.x = in.number();
    e.y = in.number();
    return e;
}

enum class MouseAction { move, down, up };

}  // namespace

bool MirrorWindowSystem::receive(WireReader& in, WireWriter& answer) {
    switch (in.kind()) {
        case Wire::windows_created: {
            const std::int32_t index =
                in.number_in(0, static_cast<std::int32_t>(forms_.size()) - 1);
            const WindowId window = in.window();
            const std::int32_t count = in.number_in(0, max_list);
            std::vector<WindowId> controls;
            for (std::int32_t i = 0; i < count && in.ok(); ++i) {
                controls.push_back(in.window());
            }
            if (!in.complete()) {
                return false;
            }
            Entry& e = *forms_[static_cast<std::size_t>(index)];
            e.window = window;
            e.control_windows = std::move(controls);
            return true;
        }
        case Wire::click: {
            Control* c = control_at(in);
            if (!in.complete() || !c->usable()) {
                return false;
            }
            c->raise_click();
            return true;
        }
        case Wire::edited: {
            Control* c = control_at(in);
            std::string text = in.text();
            if (!in.complete() || !c->usable()) {
                return false;
            }
            if (c->kind() == ControlKind::text_box) {
                const auto& box = static_cast<TextBox&>(*c);
                if (box.locked() ||
                    (box.max_length() > 0 && static_cast<int>(text.size()) > box.max_length())) {
                    return false;
                }
            } else if (c->kind() != ControlKind::combo_box ||
                       static_cast<ComboBox&>(*c).style() == ComboBox::Style::dropdown_list) {
                return false;
            }
            c->user_edited_text(std::move(text));
            return true;
        }
        case Wire::lost_focus: {
            Control* c = control_at(in);
            if (!in.complete()) {
                return false;
            }
            c->raise_lost_focus();
            return true;
        }
        case Wire::mouse: {
            Control* c = control_at(in);
            const auto action = static_cast<MouseAction>(in.number_in(0, 2));
            const MouseEvent e = read_mouse(in);
            if (!in.complete() || !(action == MouseAction::move ? c->shown() : c->usable())) {
                return false;
            }
            if (action == MouseAction::move) {
                c->raise_mouse_move(e);
            } else if (action == MouseAction::down) {
                c->raise_mouse_down(e);
            } else {
                c->raise_mouse_up(e);
            }
            return true;
        }
        case Wire::check: {
            Control* c = control_at(in);
            const std::int32_t value = in.number_in(0, 1);
            if (!in.complete() || !c->usable() || c->kind() != ControlKind::check_box) {
                return false;
            }
            static_cast<CheckBox&>(*c).user_set_value(value);
            return true;
        }
        case Wire::combo_pick: {
            Control* c = control_at(in);
            const std::int32_t index = in.number();
            if (!in.complete() || !c->usable() || c->kind() != ControlKind::combo_box) {
                return false;
            }
            auto& combo = static_cast<ComboBox&>(*c);
            if (index < 0 || index >= combo.list_count()) {
                return false;
            }
            combo.user_selected(index);
            return true;
        }
        case Wire::list_pick: {
            Control* c = control_at(in);
            const std::int32_t index = in.number();
            const std::int32_t count = in.number_in(0, max_list);
            std::vector<bool> selected;
            for (std::int32_t i = 0; i < count && in.ok(); ++i) {
                selected.push_back(in.flag());
            }
            if (!in.complete() || !c->usable() || c->kind() != ControlKind::list_box) {
                return false;
            }
            auto& list = static_cast<ListBox&>(*c);
            if (index < -1 || index >= list.list_count() || count != list.list_count()) {
                return false;
            }
            list.user_selection(selected, index);
            return true;
        }
        case Wire::tab_pick: {
            Control* c = control_at(in);
            const std::int32_t index = in.number();
            if (!in.complete() || !c->usable() || c->kind() != ControlKind::tab_strip) {
                return false;
            }
            auto& tabs = static_cast<TabStrip&>(*c);
            if (index < 0 || index >= static_cast<int>(tabs.tabs().size())) {
                return false;
            }
            tabs.user_selected(index);
            return true;
        }
        case Wire::grid_pick:
        case Wire::grid_drag: {
            const bool drag = in.kind() == Wire::grid_drag;
            Control* c = control_at(in);
            const std::int32_t row = in.number();
            if (!in.complete() || !c->usable() || c->kind() != ControlKind::grid) {
                return false;
            }
            auto& grid = static_cast<Grid&>(*c);
            drag ? grid.user_dragged_to_row(row) : grid.user_selected_row(row);
            return true;
        }
        case Wire::form_activated: {
            Form* f = form_at(in);
            if (!in.complete() || f == nullptr || !f->visible()) {
                return false;
            }
            f->raise_activate();
            return true;
        }
        case Wire::form_clicked: {
            Form* f = form_at(in);
            if (!in.complete() || f == nullptr || !f->visible()) {
                return false;
            }
            f->raise_click();
            return true;
        }
        case Wire::form_mouse: {
            Form* f = form_at(in);
            const auto action = static_cast<MouseAction>(in.number_in(0, 2));
            const MouseEvent e = read_mouse(in);
            if (!in.complete() || f == nullptr || !f->visible()) {
                return false;
            }
            if (action == MouseAction::move) {
                f->raise_mouse_move(e);
            } else if (action == MouseAction::down) {
                f->raise_mouse_down(e);
            } else {
                f->raise_mouse_up(e);
            }
            return true;
        }
        case Wire::form_moved: {
            Form* f = form_at(in);
            const Rect r = in.rect();
            const auto state = static_cast<WindowState>(
                in.number_in(0, static_cast<std::int32_t>(WindowState::maximized)));
            if (!in.complete() || f == nullptr || !f->visible()) {
                return false;
            }
            f->user_changed_state(state);
            f->user_moved(r.left, r.top, r.width(), r.height());
            return true;
        }
        case Wire::key_press: {
            Control* c = control_at(in);
            const std::int32_t key = in.number_in(0, 0xFFFF);
            const bool taken = in.complete() && c->usable();
            answer.number(taken ? c->raise_key_press(key) : 0);
            return taken;
        }
        case Wire::close_request: {
            Form* f = form_at(in);
            const bool taken = in.complete() && f != nullptr && f->visible();
            answer.flag(taken ? !f->raise_close_request() : true);
            return taken;
        }
        default:
            return false;
    }
}

}  // namespace vardex::remote
