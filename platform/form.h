#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/geometry.h"

namespace vardex {

class OptionButton;

enum class WindowState { normal, minimized, maximized };
// Inner coordinates of a form: twips, or pixels for the forms that declare them.
enum class ScaleMode { twips, pixels };

enum class FormProp { caption, geometry, visible, window_state, style, colors, topmost };

class FormPeer {
  public:
    virtual ~FormPeer() = default;
    virtual void changed(FormProp prop) = 0;
    // The form is going away: stop referring to it.
    virtual void detach() = 0;
    virtual WindowId window_id() const = 0;
    // Outer window rectangle in screen pixels.
    virtual Rect window_rect() const = 0;
    // Size of the inner area in the form's scale units.
    virtual Size inner_size() const = 0;
    virtual void set_focus() = 0;
};

// A window of the program with its named controls. Each form of the system is described once,
// as a class with its controls as members; the backend renders any form. Position and size of
// the form itself are always in twips.
class Form : public PointerEvents {
  public:
    explicit Form(std::string name, std::string caption = {}, ScaleMode scale = ScaleMode::twips);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    ScaleMode scale_mode() const { return scale_mode_; }
    const std::vector<Control*>& controls() const { return controls_; }
    Control* find(const std::string& name) const;

    const std::string& caption() const { return caption_; }
    void set_caption(std::string caption);

    std::int32_t left() const { return left_; }
    std::int32_t top() const { return top_; }
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    void move(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    void set_left(std::int32_t v) { move(v, top_, width_, height_); }
    void set_top(std::int32_t v) { move(left_, v, width_, height_); }
    void set_width(std::int32_t v) { move(left_, top_, v, height_); }
    void set_height(std::int32_t v) { move(left_, top_, width_, v); }
    // Inner area in scale units, as the backend lays it out.
    Size inner_size() const;
    Rect window_rect() const;  // screen pixels

    bool visible() const { return visible_; }
    void show();
    void hide();
    WindowState window_state() const { return window_state_; }
    void set_window_state(WindowState state);
    // Caption and border removed: a plain pop-up window.
    bool popup_style() const { return popup_style_; }
    void set_popup_style(bool on);
    // A pop-up still shows a thin raised frame unless this is off (full-screen windows).
    bool popup_frame() const { return popup_frame_; }
    void set_popup_frame(bool on) { popup_frame_ = on; }
    bool topmost() const { return topmost_; }
    // SetWindowPos with HWND_TOPMOST: above all normal windows, raised to the top of the topmost.
    void make_topmost();
    Color back_color() const { return back_color_; }
    void set_back_color(Color color);
    void set_focus();

    WindowId window_id() const { return peer_ != nullptr ? peer_->window_id() : 0; }
    void attach_peer(FormPeer* peer) { peer_ = peer; }
    FormPeer* peer() const { return peer_; }

    std::function<void()> on_activate;
    // Return true to refuse the close request.
    std::function<bool()> on_query_unload;
    std::function<void()> on_unload;
    std::function<void()> on_resize;

    // Entry points of the backends and of the simulated user, besides the pointer's.
    // A close request (close box, system menu, Alt+F4): hides the form unless refused.
    bool raise_close_request();
    void raise_activate();
    // The backend saw the window resized, moved or minimised by the user.
    void user_moved(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    void user_changed_state(WindowState state);

  private:
    friend class Control;
    friend class OptionButton;
    void add_control(Control* control) { controls_.push_back(control); }
    void remove_control(Control* control);
    void option_selected(OptionButton& selected);
    void notify(FormProp prop) {
        if (peer_ != nullptr) {
            peer_->changed(prop);
        }
    }

    std::string name_;
    std::string caption_;
    ScaleMode scale_mode_;
    std::vector<Control*> controls_;
    std::int32_t left_ = 0;
    std::int32_t top_ = 0;
    std::int32_t width_ = 4800;
    std::int32_t height_ = 3600;
    bool visible_ = false;
    WindowState window_state_ = WindowState::normal;
    bool popup_style_ = false;
    bool popup_frame_ = true;
    bool topmost_ = false;
    Color back_color_ = default_color;
    FormPeer* peer_ = nullptr;
};

}  // namespace vardex
