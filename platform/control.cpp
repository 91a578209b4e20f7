#include "platform/control.h"

#include <algorithm>

#include "platform/form.h"

namespace vardex {

const char* kind_name(ControlKind kind) {
    switch (kind) {
        case ControlKind::label:
            return "label";
        case ControlKind::text_box:
            return "edit";
        case ControlKind::command_button:
            return "button";
        case ControlKind::check_box:
            return "check";
        case ControlKind::option_button:
            return "option";
        case ControlKind::frame:
            return "frame";
        case ControlKind::combo_box:
            return "combo";
        case ControlKind::list_box:
            return "list";
        case ControlKind::image:
            return "image";
        case ControlKind::timer:
            return "timer";
        case ControlKind::tab_strip:
            return "tab";
        case ControlKind::grid:
            return "grid";
    }
    return "control";
}

Control::Control(Form& form, ControlKind kind, std::string name, Control* container)
    : form_(form), kind_(kind), name_(std::move(name)), container_(container) {
    form_.add_control(this);
}

Control::~Control() {
    if (peer_ != nullptr) {
        peer_->detach();
    }
    form_.remove_control(this);
}

void Control::attach_peer(ControlPeer* peer) {
    peer_ = peer;
    if (peer_ != nullptr && kind_ == ControlKind::label) {
        text_changed();
    }
}

void Control::set_text(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    notify(Prop::text);
    text_changed();
    if (kind_ == ControlKind::text_box || kind_ == ControlKind::combo_box) {
        raise_change();
    }
}

void Control::move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(Prop::geometry);
    geometry_changed();
}

Point Control::form_position() const {
    Point p{left_, top_};
    for (const Control* c = container_; c != nullptr; c = c->container()) {
        p.x += c->left();
        p.y += c->top();
    }
    return p;
}

void Control::set_visible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        notify(Prop::visible);
    }
}

void Control::set_enabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        notify(Prop::enabled);
    }
}

bool Control::shown() const {
    if (!form_.visible() || kind_ == ControlKind::timer) {
        return false;
    }
    for (const Control* c = this; c != nullptr; c = c->container()) {
        if (!c->visible()) {
            return false;
        }
    }
    return true;
}

bool Control::usable() const {
    if (!shown()) {
        return false;
    }
    for (const Control* c = this; c != nullptr; c = c->container()) {
        if (!c->enabled()) {
            return false;
        }
    }
    return true;
}

void Control::set_font(Font font) {
    if (!(font == font_)) {
        font_ = std::move(font);
        notify(Prop::font);
        text_changed();
    }
}

void Control::set_fore_color(Color color) {
    if (color != fore_color_) {
        fore_color_ = color;
        notify(Prop::colors);
    }
}

void Control::set_back_color(Color color) {
    if (color != back_color_) {
        back_color_ = color;
        notify(Prop::colors);
    }
}

void Control::set_focus() {
    if (peer_ != nullptr) {
        peer_->set_focus();
    }
}

void Control::raise_change() {
    if (on_change) {
        on_change();
    }
}

void Control::raise_lost_focus() {
    if (on_lost_focus) {
        on_lost_focus();
    }
}

int Control::raise_key_press(int key) {
    if (on_key_press) {
        on_key_press(key);
    }
    return key;
}

void Control::user_edited_text(std::string text) {
    if (text == text_) {
        return;
    }
    text_ = std::move(text);
    text_changed();
    raise_change();
}

}  // namespace vardex
