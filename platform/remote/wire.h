#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

namespace vardex::remote {

// The frames between the guard, which runs the program, and its face, which shows the program's
// windows to the person at the session. Both ends are built together; the numbers only have to
// agree within one installation.
enum class Wire : std::uint8_t {
    // Guard to face, no answer: the form model and the desktop's commands.
    form_created = 1,
    form_changed,
    form_topmost,
    form_focus,
    control_changed,
    grid_cell,
    control_focus,
    busy_cursor,
    cursor_moved,
    cursor_clipped,
    mouse_captured,
    mouse_released,
    system_keys_locked,
    system_keys_held,
    beep,
    heartbeat,
    end_face,
    print_scale,
    print_font_size,
    print_abort,
    // Guard to face, answered: what only the session's desktop knows or asks a person.
    form_rect = 32,
    form_inner_size,
    measure_text,
    load_picture,
    screen,
    foreground_window,
    window_text,
    post_close,
    window_from_point,
    window_rect,
    cursor_pos,
    cursor_clip,
    message_box,
    yes_no_box,
    input_box,
    file_dialog,
    watch_windows,
    print_begin,
    print_measure,
    print_text,
    print_box,
    print_line,
    print_end,
    // Face to guard, no answer: what the person did and what the desktop reported.
    windows_created = 64,
    click,
    edited,
    lost_focus,
    mouse,
    check,
    combo_pick,
    list_pick,
    tab_pick,
    grid_pick,
    grid_drag,
    form_activated,
    form_clicked,
    form_mouse,
    form_moved,
    window_changed,
    heartbeat_answer,
    // Face to guard, answered.
    key_press = 96,
    close_request,
    // The answer to any answered frame.
    answer = 127,
};

// Whether the other end waits for an answer to this frame.
bool is_call(Wire kind);

// A frame is a kind byte and its fields: numbers as 4 bytes little-endian, texts as a length
// and their bytes.
class WireWriter {
  public:
    explicit WireWriter(Wire kind) { out_.push_back(static_cast<char>(kind)); }
    WireWriter& number(std::int32_t v);
    WireWriter& flag(bool v) { return number(v ? 1 : 0); }
    WireWriter& text(std::string_view s);
    WireWriter& texts(const std::vector<std::string>& list);
    WireWriter& point(Point p) { return number(p.x).number(p.y); }
    WireWriter& size(Size s) { return number(s.width).number(s.height); }
    WireWriter& rect(const Rect& r) {
        return number(r.left).number(r.top).number(r.right).number(r.bottom);
    }
    WireWriter& window(WindowId id);
    WireWriter& real(double v);
    std::string take() { return std::move(out_); }

  private:
    std::string out_;
};

// Reads a frame from a peer that may not be what it claims: every read is checked, and a
// frame that ends early or holds more than any frame may is bad as a whole (`ok()` false,
// every later read gives 0 or empty).
class WireReader {
  public:
    explicit WireReader(std::string_view frame);
    Wire kind() const { return kind_; }
    std::int32_t number();
    // A number that must lie in [low, high]; outside it the frame is bad.
    std::int32_t number_in(std::int32_t low, std::int32_t high);
    bool flag() { return number_in(0, 1) != 0; }
    std::string text();
    std::vector<std::string> texts();
    Point point();
    Size size();
    Rect rect();
    WindowId window();
    // A finite real number; anything else makes the frame bad.
    double real();
    bool ok() const { return ok_; }
    // The whole frame was read and nothing was wrong.
    bool complete() const { return ok_ && pos_ == frame_.size(); }
    void fail() { ok_ = false; }

  private:
    std::string_view frame_;
    std::size_t pos_ = 1;
    Wire kind_ = Wire::answer;
    bool ok_ = true;
};

// The longest frame either end accepts, and the most entries of a list in one.
inline constexpr std::size_t max_frame = 16u << 20;
inline constexpr std::int32_t max_list = 1 << 20;

}  // namespace vardex::remote
