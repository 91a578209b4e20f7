#pragma once

#include <string>

#include "platform/control.h"

namespace vardex {

enum class Alignment { left, right, center };

class Label : public Control {
  public:
    Label(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::label, std::move(name), container) {}

    // With auto size the label takes the size of its text (wrapped at its width with word wrap).
    bool auto_size() const { return auto_size_; }
    bool word_wrap() const { return word_wrap_; }
    void set_auto_size(bool on, bool word_wrap = false);
    Alignment alignment() const { return alignment_; }
    void set_alignment(Alignment a);
    bool border() const { return border_; }
    void set_border(bool on);
    // Measures an auto-sized label's text again (one measured while nothing could show it was
    // only an estimate); true when its size changed.
    bool refit();

  protected:
    void text_changed() override { fit(); }
    void geometry_changed() override {
        if (word_wrap_) {
            fit();
        }
    }

  private:
    void fit();
    bool fitting_ = false;
    bool auto_size_ = false;
    bool word_wrap_ = false;
    bool border_ = false;
    Alignment alignment_ = Alignment::left;
};

class TextBox : public Control {
  public:
    TextBox(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::text_box, std::move(name), container) {}

    int max_length() const { return max_length_; }  // 0 = no limit
    void set_max_length(int n);
    char password_char() const { return password_char_; }  // 0 = none
    void set_password_char(char c);
    bool locked() const { return locked_; }
    void set_locked(bool on);
    bool multi_line() const { return multi_line_; }
    void set_multi_line(bool on);

  private:
    int max_length_ = 0;
    char password_char_ = 0;
    bool locked_ = false;
    bool multi_line_ = false;
};

class CommandButton : public Control {
  public:
    CommandButton(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::command_button, std::move(name), container) {}
};

class CheckBox : public Control {
  public:
    CheckBox(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::check_box, std::move(name), container) {}

    int value() const { return value_; }  // 0 off, 1 on
    // Like a click when the value changes: the click handler runs.
    void set_value(int value);
    // A person's click toggles the box, then the click handler runs.
    void raise_click() override;
    // The backend saw the box change.
    void user_set_value(int value);

  private:
    int value_ = 0;
};

class OptionButton : public Control {
  public:
    OptionButton(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::option_button, std::move(name), container) {}

    bool value() const { return value_; }
    // Selecting clears the other option buttons of the same container and runs the click handler.
    void set_value(bool value);
    void raise_click() override { set_value(true); }

  private:
    friend class Form;
    bool value_ = false;
};

class Frame : public Control {
  public:
    Frame(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::frame, std::move(name), container) {}

    bool border() const { return border_; }
    void set_border(bool on);

  private:
    bool border_ = true;
};

class Image : public Control {
  public:
    Image(Form& form, std::string name, Control* container = nullptr)
        : Control(form, ControlKind::image, std::move(name), container) {}

    const std::string& picture() const { return picture_; }
    // Loads a picture file; false (and no picture) when it cannot be loaded.
    bool load_picture(const std::string& path);
    void clear_picture();

  private:
    std::string picture_;
};

class Timer : public Control {
  public:
    Timer(Form& form, std::string name, int interval_ms = 0, bool enabled = false);

    int interval() const { return interval_; }
    void set_interval(int ms);
    // Enabled is the control's enabled state: a timer ticks while it is enabled with an interval.
    bool running() const { return enabled() && interval_ > 0; }
    std::function<void()> on_tick;
    // A tick that falls due while the last one's handler still waits (for the guard's face, say)
    // is dropped, as the system merges a late timer's ticks: otherwise each wait would start
    // another tick inside it, without end.
    void raise_tick() {
        if (running() && on_tick && !ticking_) {
            ticking_ = true;
            struct Done {
                bool& flag;
                ~Done() { flag = false; }
            } done{ticking_};
            on_tick();
        }
    }

  private:
    int interval_;
    bool ticking_ = false;
};

}  // namespace vardex
