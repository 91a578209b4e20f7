#include "platform/remote/face.h"

#include <algorithm>
#include <cmath>

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/remote/form_state.h"
#include "platform/remote/mirror_printer.h"
#include "platform/tab_strip.h"

namespace vardex::remote {

struct Face::Copy {
    std::unique_ptr<Form> form;
    std::vector<std::unique_ptr<Control>> controls;
    int index = 0;
    // A form gets its windows when it is first needed: a new face shows what is visible at
    // once and makes the rest when it is shown or measured.
    bool attached = false;
    std::vector<std::pair<Image*, std::string>> pictures;
    ~Copy() {
        // Controls leave their form before it goes.
        controls.clear();
    }
};

namespace {

enum class MouseAction { move, down, up };

void write_mouse(WireWriter& out, MouseAction action, const MouseEvent& e) {
    out.number(static_cast<std::int32_t>(action))
        .number(e.button)
        .number(e.shift)
        .number(static_cast<std::int32_t>(std::lround(e.x)))
        .number(static_cast<std::int32_t>(std::lround(e.y)));
}

// Applies the guard's changes with the copies' echoes muted, also when a setter throws.
class Applying {
  public:
    explicit Applying(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~Applying() { flag_ = was_; }

  private:
    bool& flag_;
    bool was_;
};

}  // namespace

Face::Face(Platform& own, Link& guard) : own_(own), guard_(guard) {}

Face::~Face() = default;

void Face::send(WireWriter& out) {
    guard_.send(out.take());
}

Form* Face::copy_of(const Form& original) const {
    for (const auto& copy : forms_) {
        if (copy && copy->form->name() == original.name()) {
            return copy->form.get();
        }
    }
    return nullptr;
}

Control* Face::copy_of(const Control& original) const {
    const auto& controls = original.form().controls();
    const auto at = std::find(controls.begin(), controls.end(), &original);
    for (const auto& copy : forms_) {
        if (copy && copy->form->name() == original.form().name()) {
            const auto index = static_cast<std::size_t>(at - controls.begin());
            return index < copy->controls.size() ? copy->controls[index].get() : nullptr;
        }
    }
    return nullptr;
}

void Face::wire_control(Control& c, int form_index, int index) {
    c.on_click = [this, &c, form_index, index] {
        if (applying_) {
            return;
        }
        std::optional<WireWriter> out;
        switch (c.kind()) {
            case ControlKind::check_box:
                out.emplace(Wire::check);
                out->number(form_index).number(index).number(static_cast<CheckBox&>(c).value());
                break;
            case ControlKind::combo_box:
                out.emplace(Wire::combo_pick);
                out->number(form_index)
                    .number(index)
                    .number(static_cast<ComboBox&>(c).list_index());
                break;
            case ControlKind::list_box: {
                auto& list = static_cast<ListBox&>(c);
                out.emplace(Wire::list_pick);
                out->number(form_index)
                    .number(index)
                    .number(list.list_index())
                    .number(list.list_count());
                for (int i = 0; i < list.list_count(); ++i) {
                    out->flag(list.selected(i));
                }
                break;
            }
            case ControlKind::tab_strip:
                out.emplace(Wire::tab_pick);
                out->number(form_index).number(index).number(static_cast<TabStrip&>(c).selected());
                break;
            case ControlKind::grid:
                out.emplace(Wire::grid_pick);
                out->number(form_index).number(index).number(static_cast<Grid&>(c).row());
                break;
            default:
                out.emplace(Wire::click);
                out->number(form_index).number(index);
                break;
        }
        send(*out);
    };
    c.on_change = [this, &c, form_index, index] {
        if (applying_) {
            return;
        }
        WireWriter out(Wire::edited);
        out.number(form_index).number(index).text(c.text());
        send(out);
    };
    c.on_lost_focus = [this, form_index, index] {
        WireWriter out(Wire::lost_focus);
        out.number(form_index).number(index);
        send(out);
    };
    c.on_key_press = [this, form_index, index](int& key) {
        WireWriter out(Wire::key_press);
        out.number(form_index).number(index).number(key);
        const auto answer = guard_.call(out.take());
        // Without the guard's word no key is taken.
        int taken = 0;
        if (answer) {
            WireReader in(*answer);
            const std::int32_t k = in.number_in(0, 0xFFFF);
            taken = in.complete() && in.kind() == Wire::answer ? k : 0;
        }
        key = taken;
    };
    const auto mouse = [this, form_index, index](MouseAction action) {
        return [this, form_index, index, action](const MouseEvent& e) {
            WireWriter out(Wire::mouse);
            out.number(form_index).number(index);
            write_mouse(out, action, e);
            send(out);
        };
    };
    c.on_mouse_move = mouse(MouseAction::move);
    c.on_mouse_down = mouse(MouseAction::down);
    c.on_mouse_up = mouse(MouseAction::up);
}

void Face::wire_events(Copy& copy, int form_index) {
    Form& f = *copy.form;
    f.on_activate = [this, form_index] {
        WireWriter out(Wire::form_activated);
        out.number(form_index);
        send(out);
    };
    f.on_query_unload = [this, form_index] {
        WireWriter out(Wire::close_request);
        out.number(form_index);
        const auto answer = guard_.call(out.take());
        if (!answer) {
            return true;
        }
        WireReader in(*answer);
        const bool refused = in.flag();
        return !in.complete() || refused;
    };
    f.on_click = [this, form_index] {
        WireWriter out(Wire::form_clicked);
        out.number(form_index);
        send(out);
    };
    const auto mouse = [this, form_index](MouseAction action) {
        return [this, form_index, action](const MouseEvent& e) {
            WireWriter out(Wire::form_mouse);
            out.number(form_index);
            write_mouse(out, action, e);
            send(out);
        };
    };
    f.on_mouse_move = mouse(MouseAction::move);
    f.on_mouse_down = mouse(MouseAction::down);
    f.on_mouse_up = mouse(MouseAction::up);
    f.on_resize = [this, &f, form_index] {
        if (applying_) {
            return;
        }
        WireWriter out(Wire::form_moved);
        out.number(form_index)
            .rect(Rect{f.left(), f.top(), f.left() + f.width(), f.top() + f.height()})
            .number(static_cast<std::int32_t>(f.window_state()));
        send(out);
    };
    int index = 0;
    for (auto& c : copy.controls) {
        wire_control(*c, form_index, index++);
    }
}

void Face::create(WireReader& in) {
    // Forms come in any order (the shown ones first), each once.
    const std::int32_t index = in.number_in(0, max_forms - 1);
    if (in.ok() && static_cast<std::size_t>(index) < forms_.size() && forms_[index]) {
        in.fail();
    }
    std::string name = in.text();
    const auto scale = static_cast<ScaleMode>(in.number_in(0, 1));
    const std::int32_t count = in.number_in(0, 4096);
    if (!in.ok()) {
        return;
    }
    auto copy = std::make_unique<Copy>();
    copy->form = std::make_unique<Form>(std::move(name), std::string{}, scale);
    for (std::int32_t i = 0; i < count && in.ok(); ++i) {
        if (auto c = make_control_copy(in, *copy->form, copy->controls)) {
            copy->controls.push_back(std::move(c));
        } else {
            in.fail();
        }
    }
    // Pictures are loaded by the backend: once the copy is attached.
    for (auto& c : copy->controls) {
        for (Prop prop : control_props) {
            const auto read = static_cast<Prop>(in.number());
            if (read != prop) {
                in.fail();
            }
            if (prop == Prop::picture) {
                std::string path = in.text();
                if (c->kind() == ControlKind::image && !path.empty()) {
                    copy->pictures.emplace_back(static_cast<Image*>(c.get()), std::move(path));
                }
                continue;
            }
            apply_control_prop(in, *c, prop);
        }
    }
    for (FormProp prop : form_props) {
        if (static_cast<FormProp>(in.number()) != prop) {
            in.fail();
        }
        apply_form_prop(in, *copy->form, prop);
    }
    if (!in.ok()) {
        return;
    }
    copy->index = index;
    wire_events(*copy, index);
    if (forms_.size() <= static_cast<std::size_t>(index)) {
        forms_.resize(static_cast<std::size_t>(index) + 1);
    }
    forms_[static_cast<std::size_t>(index)] = std::move(copy);
    Copy& made = *forms_[static_cast<std::size_t>(index)];
    bool flags[2] = {false, false};
    for (FormProp prop : {FormProp::visible, FormProp::topmost}) {
        if (static_cast<FormProp>(in.number()) != prop) {
            in.fail();
        }
        flags[prop == FormProp::visible ? 0 : 1] = in.flag();
    }
    if (!in.ok()) {
        return;
    }
    if (flags[1]) {
        made.form->make_topmost();
    }
    if (flags[0]) {
        attach(made);
        // Shown last, once the guard knows the windows: showing may activate the form.
        made.form->show();
    }
}

void Face::attach(Copy& copy) {
    if (copy.attached) {
        return;
    }
    copy.attached = true;
    own_.windows().attach(*copy.form);
    for (auto& [image, path] : copy.pictures) {
        image->load_picture(path);
    }
    copy.pictures.clear();
    if (copy.form->topmost()) {
        copy.form->make_topmost();
    }
    WireWriter out(Wire::windows_created);
    out.number(copy.index)
        .window(copy.form->window_id())
        .number(static_cast<std::int32_t>(copy.controls.size()));
    for (auto& c : copy.controls) {
        out.window(c->window_id());
    }
    send(out);
}

Face::Copy* Face::copy_at(WireReader& in) {
    const std::int32_t index = in.number_in(0, static_cast<std::int32_t>(forms_.size()) - 1);
    Copy* copy = in.ok() ? forms_[static_cast<std::size_t>(index)].get() : nullptr;
    if (copy == nullptr) {
        in.fail();
    }
    return copy;
}

Control* Face::control_at(WireReader& in, bool needs_windows) {
    Copy* copy = copy_at(in);
    if (copy != nullptr && needs_windows) {
        attach(*copy);
    }
    const std::int32_t count =
        copy != nullptr ? static_cast<std::int32_t>(copy->controls.size()) : 0;
    const std::int32_t index = in.number_in(0, count - 1);
    return in.ok() ? copy->controls[static_cast<std::size_t>(index)].get() : nullptr;
}

bool Face::command(WireReader& in) {
    Desktop& desktop = own_.desktop();
    switch (in.kind()) {
        case Wire::form_created:
            create(in);
            return in.complete();
        case Wire::form_changed: {
            Copy* copy = copy_at(in);
            const auto prop =
                static_cast<FormProp>(in.number_in(0, static_cast<int>(FormProp::topmost)));
            if (in.ok()) {
                if (prop == FormProp::visible) {
                    attach(*copy);
                }
                apply_form_prop(in, *copy->form, prop);
            }
            return in.complete();
        }
        case Wire::form_topmost: {
            Copy* copy = copy_at(in);
            if (in.complete()) {
                copy->form->make_topmost();
            }
            return in.complete();
        }
        case Wire::form_focus: {
            Copy* copy = copy_at(in);
            if (in.complete()) {
                attach(*copy);
                copy->form->set_focus();
            }
            return in.complete();
        }
        case Wire::control_changed: {
            Copy* copy = copy_at(in);
            const std::int32_t count =
                copy != nullptr ? static_cast<std::int32_t>(copy->controls.size()) : 0;
            const std::int32_t index = in.number_in(0, count - 1);
            const auto prop = static_cast<Prop>(in.number_in(0, static_cast<int>(Prop::focus)));
            Control* c = in.ok() ? copy->controls[static_cast<std::size_t>(index)].get() : nullptr;
            if (in.ok()) {
                // A picture is loaded by the backend.
                if (prop == Prop::picture) {
                    attach(*copy);
                }
                apply_control_prop(in, *c, prop);
            }
            return in.complete();
        }
        case Wire::grid_cell: {
            Control* c = control_at(in);
            const std::int32_t row = in.number();
            const std::int32_t col = in.number();
            std::string text = in.text();
            if (in.complete() && c->kind() == ControlKind::grid) {
                static_cast<Grid*>(c)->set_cell(row, col, std::move(text));
                return true;
            }
            return false;
        }
        case Wire::control_focus: {
            Control* c = control_at(in, true);
            if (in.complete()) {
                c->set_focus();
            }
            return in.complete();
        }
        case Wire::busy_cursor: {
            const bool busy = in.flag();
            if (in.complete()) {
                own_.windows().set_busy_cursor(busy);
            }
            return in.complete();
        }
        case Wire::cursor_moved: {
            const Point p = in.point();
            if (in.complete()) {
                desktop.set_cursor_pos(p);
            }
            return in.complete();
        }
        case Wire::cursor_clipped: {
            const bool clipped = in.flag();
            const Rect r = in.rect();
            if (in.complete()) {
                desktop.clip_cursor(clipped ? &r : nullptr);
            }
            return in.complete();
        }
        case Wire::mouse_captured: {
            const WindowId w = in.window();
            if (in.complete()) {
                desktop.capture_mouse(w);
            }
            return in.complete();
        }
        case Wire::mouse_released:
            if (in.complete()) {
                desktop.release_mouse();
            }
            return in.complete();
        case Wire::system_keys_locked:
        case Wire::system_keys_held: {
            const bool on = in.flag();
            if (!in.complete()) {
                return false;
            }
            in.kind() == Wire::system_keys_locked ? desktop.set_system_keys_locked(on)
                                                  : desktop.hold_system_keys(on);
            return true;
        }
        case Wire::beep:
            desktop.beep();
            return in.complete();
        case Wire::heartbeat: {
            WireWriter out(Wire::heartbeat_answer);
            send(out);
            return in.complete();
        }
        case Wire::end_face:
            own_.windows().quit(0);
            return in.complete();
        default:
            return false;
    }
}

bool Face::answer(WireReader& in, WireWriter& out) {
    Desktop& desktop = own_.desktop();
    switch (in.kind()) {
        case Wire::form_rect:
        case Wire::form_inner_size: {
            Copy* copy = copy_at(in);
            if (!in.complete()) {
                return false;
            }
            attach(*copy);
            in.kind() == Wire::form_rect ? out.rect(copy->form->window_rect())
                                         : out.size(copy->form->inner_size());
            return true;
        }
        case Wire::measure_text: {
            Control* c = control_at(in, true);
            const std::string text = in.text();
            const std::int32_t wrap = in.number();
            if (!in.complete() || c->peer() == nullptr) {
                return false;
            }
            out.size(c->peer()->measure_text(text, wrap));
            return true;
        }
        case Wire::load_picture: {
            Control* c = control_at(in, true);
            const std::string path = in.text();
            if (!in.complete() || c->kind() != ControlKind::image) {
                return false;
            }
            out.flag(static_cast<Image*>(c)->load_picture(path));
            return true;
        }
        case Wire::screen:
            out.size(desktop.screen_size_twips())
                .number(desktop.twips_per_pixel_x())
                .number(desktop.twips_per_pixel_y())
                .rect(desktop.virtual_screen_pixels());
            return in.complete();
        case Wire::foreground_window:
            out.window(desktop.foreground_window());
            return in.complete();
        case Wire::window_text:
        case Wire::post_close:
        case Wire::window_rect: {
            const WindowId w = in.window();
            if (!in.complete()) {
                return false;
            }
            if (in.kind() == Wire::window_text) {
                out.text(desktop.window_text(w));
            } else if (in.kind() == Wire::post_close) {
                out.flag(desktop.post_close(w));
            } else {
                out.rect(desktop.window_rect(w));
            }
            return true;
        }
        case Wire::window_from_point: {
            const Point p = in.point();
            if (!in.complete()) {
                return false;
            }
            out.window(desktop.window_from_point(p));
            return true;
        }
        case Wire::cursor_pos:
            out.point(desktop.cursor_pos());
            return in.complete();
        case Wire::cursor_clip: {
            const std::optional<Rect> clip = desktop.cursor_clip();
            out.flag(clip.has_value()).rect(clip.value_or(Rect{}));
            return in.complete();
        }
        case Wire::message_box:
        case Wire::yes_no_box: {
            const std::string text = in.text();
            const std::string caption = in.text();
            if (!in.complete()) {
                return false;
            }
            if (in.kind() == Wire::message_box) {
                desktop.message_box(text, caption);
            } else {
                out.flag(desktop.yes_no_box(text, caption));
            }
            return true;
        }
        case Wire::input_box: {
            const std::string prompt = in.text();
            const std::string title = in.text();
            const std::string initial = in.text();
            if (!in.complete()) {
                return false;
            }
            out.text(desktop.input_box(prompt, title, initial));
            return true;
        }
        case Wire::file_dialog: {
            FileDialogRequest r;
            r.kind = static_cast<FileDialogRequest::Kind>(in.number_in(0, 1));
            r.title = in.text();
            r.filter = in.text();
            r.initial_name = in.text();
            r.overwrite_prompt = in.flag();
            r.hide_read_only = in.flag();
            r.path_must_exist = in.flag();
            r.file_must_exist = in.flag();
            if (!in.complete()) {
                return false;
            }
            const std::optional<std::string> picked = desktop.file_dialog(r);
            out.flag(picked.has_value()).text(picked.value_or(""));
            return true;
        }
        case Wire::watch_windows:
            out.flag(desktop.watch_windows([this](WindowChange change, WindowId w) {
                WireWriter event(Wire::window_changed);
                event.number(static_cast<std::int32_t>(change)).window(w);
                send(event);
            }));
            return in.complete();
        default:
            return false;
    }
}

std::string Face::receive(std::string_view frame) {
    WireReader in(frame);
    if (!in.ok()) {
        ++refused_;
        return {};
    }
    Applying applying(applying_);
    if (is_call(in.kind())) {
        WireWriter out(Wire::answer);
        if (!answer(in, out) && !serve_print_call(own_.printer(), in, out)) {
            ++refused_;
            // An answer that does not read: the guard takes it for none.
            return std::string{static_cast<char>(Wire::answer), '\xFF'};
        }
        return out.take();
    }
    if (!command(in) && !serve_print_command(own_.printer(), in)) {
        ++refused_;
    }
    return {};
}

}  // namespace vardex::remote
