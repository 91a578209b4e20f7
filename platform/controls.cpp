#include "platform/controls.h"

#include <algorithm>

#include "platform/form.h"
#include "platform/text_metrics.h"

namespace vardex {

void Label::set_auto_size(bool on, bool word_wrap) {
    auto_size_ = on;
    word_wrap_ = word_wrap;
    fit();
}

void Label::set_alignment(Alignment a) {
    alignment_ = a;
    notify(Prop::text);
}

void Label::set_border(bool on) {
    border_ = on;
    notify(Prop::colors);
}

void Label::fit() {
    if (!auto_size_ || fitting_) {
        return;
    }
    fitting_ = true;
    const std::int32_t wrap = word_wrap_ ? width() : 0;
    Size size = peer() != nullptr ? peer()->measure_text(text(), wrap)
                                  : estimate_text_size(text(), font().size, wrap,
                                                       form().scale_mode() == ScaleMode::pixels);
    if (word_wrap_) {
        size.width = width();
    }
    move(left(), top(), size.width, size.height);
    fitting_ = false;
}

bool Label::refit() {
    const Size before{width(), height()};
    fit();
    return before != Size{width(), height()};
}

void TextBox::set_max_length(int n) {
    max_length_ = n;
    notify(Prop::text_options);
}

void TextBox::set_password_char(char c) {
    password_char_ = c;
    notify(Prop::text_options);
}

void TextBox::set_locked(bool on) {
    locked_ = on;
    notify(Prop::text_options);
}

void TextBox::set_multi_line(bool on) {
    multi_line_ = on;
    notify(Prop::text_options);
}

void CheckBox::set_value(int value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    notify(Prop::value);
    Control::raise_click();
}

void CheckBox::raise_click() {
    set_value(value_ == 0 ? 1 : 0);
}

void CheckBox::user_set_value(int value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    Control::raise_click();
}

void OptionButton::set_value(bool value) {
    if (value == value_) {
        if (value) {
            Control::raise_click();
        }
        return;
    }
    value_ = value;
    notify(Prop::value);
    if (value) {
        form().option_selected(*this);
        Control::raise_click();
    }
}

void Frame::set_border(bool on) {
    border_ = on;
    notify(Prop::colors);
}

bool Image::load_picture(const std::string& path) {
    const bool ok = peer() != nullptr && peer()->load_picture(path);
    picture_ = ok ? path : std::string{};
    notify(Prop::picture);
    return ok;
}

void Image::clear_picture() {
    picture_.clear();
    notify(Prop::picture);
}

Timer::Timer(Form& form, std::string name, int interval_ms, bool enabled)
    : Control(form, ControlKind::timer, std::move(name)), interval_(interval_ms) {
    set_visible(false);
    set_enabled(enabled);
}

void Timer::set_interval(int ms) {
    if (ms != interval_) {
        interval_ = ms;
        notify(Prop::timer);
    }
}

}  // namespace vardex
