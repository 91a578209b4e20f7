#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/geometry.h"
#include "platform/pointer_events.h"

namespace vardex {

class Form;

enum class ControlKind {
    label,
    text_box,
    command_button,
    check_box,
    option_button,
    frame,
    combo_box,
    list_box,
    image,
    timer,
    tab_strip,
    grid,
};

const char* kind_name(ControlKind kind);

// What changed on a control; the backend reads the new state from the control.
enum class Prop {
    text,
    geometry,
    visible,
    enabled,
    font,
    colors,
    value,
    items,
    selection,
    text_options,  // max length, password character, locked
    picture,
    timer,
    tabs,
    cells,
    focus,
};

// COLORREF layout (0x00bbggrr); default_color leaves the platform's colour.
using Color = std::int32_t;
inline constexpr Color default_color = -1;
constexpr Color rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

struct Font {
    std::string face = "MS Sans Serif";
    double size = 8.0;
    bool bold = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// The backend's side of a control: told about every change, asked for what only it knows.
class ControlPeer {
  public:
    virtual ~ControlPeer() = default;
    virtual void changed(Prop prop) = 0;
    // The control is going away: stop referring to it.
    virtual void detach() = 0;
    virtual void cell_changed(int /*row*/, int /*col*/) { changed(Prop::cells); }
    // Size of a text in the control's font, wrapped at wrap_width when it is above 0.
    virtual Size measure_text(const std::string& text, std::int32_t wrap_width) = 0;
    virtual bool load_picture(const std::string& path) = 0;
    virtual void set_focus() = 0;
    virtual WindowId window_id() const = 0;
};

// A named control on a form, as a form designer lays it out. Coordinates are relative to
// the container (a frame or the form) in the form's scale units.
class Control : public PointerEvents {
  public:
    Control(Form& form, ControlKind kind, std::string name, Control* container = nullptr);
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    Form& form() const { return form_; }
    Control* container() const { return container_; }

    // The caption of labels, buttons and frames; the text of text and combo boxes.
    const std::string& text() const { return text_; }
    void set_text(std::string text);
    const std::string& caption() const { return text_; }
    void set_caption(std::string caption) { set_text(std::move(caption)); }

    std::int32_t left() const { return left_; }
    std::int32_t top() const { return top_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    void move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    void set_left(std::int32_t v) { move(v, top_, width_, height_); }
    void set_top(std::int32_t v) { move(left_, v, width_, height_); }
    void set_width(std::int32_t v) { move(left_, top_, v, height_); }
    void set_height(std::int32_t v) { move(left_, top_, width_, v); }
    // Position relative to the form's inner area.
    Point form_position() const;

    bool visible() const { return visible_; }
    void set_visible(bool visible);
    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);
    // Visible itself, in every container and on a visible form.
    bool shown() const;
    // Shown and enabled in every container: a person can use it.
    bool usable() const;

    const Font& font() const { return font_; }
    void set_font(Font font);
    Color fore_color() const { return fore_color_; }
    Color back_color() const { return back_color_; }
    void set_fore_color(Color color);
    void set_back_color(Color color);

    void set_focus();
    ControlPeer* peer() const { return peer_; }
    // The backend attached: sizes that depend on it (an auto-sized label) are taken anew.
    void attach_peer(ControlPeer* peer);
    WindowId window_id() const { return peer_ != nullptr ? peer_->window_id() : 0; }

    std::function<void()> on_change;
    std::function<void()> on_lost_focus;
    std::function<void(int& key)> on_key_press;

    // Entry points of the backends and of the simulated user, besides the pointer's.
    void raise_change();
    void raise_lost_focus();
    // Returns the key after the handler, which may have set it to 0 to drop it.
    int raise_key_press(int key);
    // The user edited the text in the window: take it without echoing it back.
    void user_edited_text(std::string text);

  protected:
    void notify(Prop prop) {
        if (peer_ != nullptr) {
            peer_->changed(prop);
        }
    }
    void set_text_silently(std::string text) { text_ = std::move(text); }
    virtual void text_changed() {}
    virtual void geometry_changed() {}

  private:
    Form& form_;
    ControlKind kind_;
    std::string name_;
    Control* container_;
    std::string text_;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t width_ = 1215;
    std::int32_t height_ = 375;
    bool visible_ = true;
    bool enabled_ = true;
    Font font_;
    Color fore_color_ = default_color;
    Color back_color_ = default_color;
    ControlPeer* peer_ = nullptr;
};

}  // namespace vardex
