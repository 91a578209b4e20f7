#include "platform/form.h"

#include <algorithm>

#include "platform/controls.h"

namespace vardex {

Form::Form(std::string name, std::string caption, ScaleMode scale)
    : name_(std::move(name)), caption_(std::move(caption)), scale_mode_(scale) {}

Form::~Form() {
    if (peer_ != nullptr) {
        peer_->detach();
    }
}

Control* Form::find(const std::string& name) const {
    for (Control* c : controls_) {
        if (c->name() == name) {
            return c;
        }
    }
    return nullptr;
}

void Form::remove_control(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void Form::set_caption(std::string caption) {
    if (caption != caption_) {
        caption_ = std::move(caption);
        notify(FormProp::caption);
    }
}

void Form::move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) {
        return;
    }
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    notify(FormProp::geometry);
}

Size Form::inner_size() const {
    if (peer_ != nullptr) {
        return peer_->inner_size();
    }
    return Size{width_, height_};
}

Rect Form::window_rect() const {
    return peer_ != nullptr ? peer_->window_rect() : Rect{};
}

void Form::show() {
    if (!visible_) {
        visible_ = true;
        notify(FormProp::visible);
    }
}

void Form::hide() {
    if (visible_) {
        visible_ = false;
        notify(FormProp::visible);
    }
}

void Form::set_window_state(WindowState state) {
    if (state != window_state_) {
        window_state_ = state;
        notify(FormProp::window_state);
        if (on_resize) {
            on_resize();
        }
    }
}

void Form::set_popup_style(bool on) {
    if (on != popup_style_) {
        popup_style_ = on;
        notify(FormProp::style);
    }
}

void Form::make_topmost() {
    topmost_ = true;
    notify(FormProp::topmost);
}

void Form::set_back_color(Color color) {
    back_color_ = color;
    notify(FormProp::colors);
}

void Form::set_focus() {
    if (peer_ != nullptr) {
        peer_->set_focus();
    }
}

bool Form::raise_close_request() {
    if (on_query_unload && on_query_unload()) {
        return false;
    }
    hide();
    if (on_unload) {
        on_unload();
    }
    return true;
}

void Form::raise_activate() {
    if (on_activate) {
        on_activate();
    }
}

void Form::user_moved(std::int32_t left, std::int32_t top, std::int32_t width,
                      std::int32_t height) {
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (resized && on_resize) {
        on_resize();
    }
}

void Form::user_changed_state(WindowState state) {
    if (state == window_state_) {
        return;
    }
    window_state_ = state;
    if (on_resize) {
        on_resize();
    }
}

void Form::option_selected(OptionButton& selected) {
    for (Control* c : controls_) {
        if (c != &selected && c->kind() == ControlKind::option_button &&
            c->container() == selected.container()) {
            auto* other = static_cast<OptionButton*>(c);
            if (other->value_) {
                other->value_ = false;
                if (other->peer() != nullptr) {
                    other->peer()->changed(Prop::value);
                }
            }
        }
    }
}

}  // namespace vardex
