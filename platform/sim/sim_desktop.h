#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace vardex {
class Form;
}

namespace vardex::sim {

class World;

// One machine's screen: the program's windows and other programs' windows in z-order, the
// foreground window, the pointer and its clip, and the system's own dialogs with answers that
// tests queue. Geometry is in pixels of 15 twips.
class SimDesktop final : public Desktop {
  public:
    struct Window {
        WindowId id = 0;
        std::string title;
        bool visible = false;
        bool topmost = false;
        Rect rect;
        Form* form = nullptr;  // a window of the program, else another program's
        int process = 0;
        bool refuses_close = false;
        int close_requests = 0;
        bool closed = false;
    };

    explicit SimDesktop(World& world) : world_(world) {}

    Size screen_size_twips() override;

    int twips_per_pixel_x() override { return 15; }
    int twips_per_pixel_y() override { return 15; }
    Rect virtual_screen_pixels() override;
    WindowId foreground_window() override { return foreground_; }
    bool watch_windows(std::function<void(WindowChange, WindowId)> changed) override {
        return watch_windows(0, std::move(changed));
    }
    bool watch_windows(int process, std::function<void(WindowChange, WindowId)> changed);
    // A platform without window events: watch_windows refuses.
    void set_window_events(bool on) { window_events_ = on; }
    // Calls of the title reader, for tests of how often the sweep looks.
    int title_reads() const { return title_reads_; }
    int clip_reads() const { return clip_reads_; }
    std::string window_text(WindowId window) override;
    bool post_close(WindowId window) override;
    WindowId window_from_point(Point p) override;
    Rect window_rect(WindowId window) override;
    Point cursor_pos() override { return cursor_; }
    void set_cursor_pos(Point pos) override;
    void clip_cursor(const Rect* rect) override;
    std::optional<Rect> cursor_clip() override {
        ++clip_reads_;
        return clip_;
    }
    void capture_mouse(WindowId window) override { capture_ = window; }
    void release_mouse() override { capture_ = 0; }
    void set_system_keys_locked(bool locked) override { keys_locked_ = locked; }
    bool force_shut_down() override;
    void beep() override { ++beeps_; }
    bool claim_single_instance(std::string_view name) override;
    void hold_system_keys(bool on) override { system_keys_held_ = on; }
    bool system_keys_held() const { return system_keys_held_; }
    bool instance_running(std::string_view name) override;
    void message_box(std::string_view text, std::string_view caption) override;
    bool yes_no_box(std::string_view text, std::string_view caption) override;
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view initial) override;
    std::optional<std::string> file_dialog(const FileDialogRequest& request) override;

    // The program's windows (used by the simulated window system).
    WindowId add_window(Form* form, int process);
    void set_visible(WindowId id, bool visible);
    void set_rect(WindowId id, Rect rect);
    void set_title(WindowId id, std::string title);
    void set_topmost(WindowId id);
    void activate(WindowId id);
    void end_process(int process);
    int claiming_process = 0;  // the process that calls claim_single_instance

    // Other programs' windows, opened by tests; they come to the foreground.
    WindowId open_window(const std::string& title, Rect rect = {100, 100, 500, 400},
                         bool refuses_close = false);
    bool is_open(WindowId id) const;
    const Window* window(WindowId id) const;
    // Visible windows, front first.
    std::vector<WindowId> z_order() const;
    bool is_above(WindowId a, WindowId b) const;

    void set_screen_pixels(int width, int height) { screen_ = {width, height}; }
    // How much wider than the estimate this display draws texts (its fonts and scaling).
    void set_text_width_percent(int percent) { text_width_percent_ = percent; }
    int text_width_percent() const { return text_width_percent_; }
    void add_monitor(Rect pixels) { monitors_.push_back(pixels); }
    bool system_keys_locked() const { return keys_locked_; }
    int beeps() const { return beeps_; }
    int shutdowns() const { return shutdowns_; }
    WindowId captured() const { return capture_; }
    const std::vector<std::string>& message_boxes() const { return message_boxes_; }
    const std::vector<std::string>& questions() const { return questions_; }
    const std::vector<FileDialogRequest>& file_dialogs() const { return file_dialogs_; }
    void answer_yes_no(bool yes) { yes_no_answers_.push_back(yes); }
    void answer_input(std::string text) { input_answers_.push_back(std::move(text)); }
    void answer_file_dialog(std::optional<std::string> path) {
        file_answers_.push_back(std::move(path));
    }

  private:
    Window* find(WindowId id);
    void raise(WindowId id);
    void pick_new_foreground();
    void set_foreground(WindowId id);
    void report(WindowChange change, WindowId id);

    World& world_;
    std::map<WindowId, Window> windows_;
    std::vector<WindowId> order_;  // front first
    WindowId next_id_ = 0x10010;
    WindowId foreground_ = 0;
    bool window_events_ = true;
    int title_reads_ = 0;
    int clip_reads_ = 0;
    std::vector<std::pair<int, std::function<void(WindowChange, WindowId)>>> watchers_;
    Size screen_{1024, 768};
    int text_width_percent_ = 100;
    std::vector<Rect> monitors_;
    Point cursor_{512, 384};
    std::optional<Rect> clip_;
    WindowId capture_ = 0;
    bool keys_locked_ = false;
    int beeps_ = 0;
    int shutdowns_ = 0;
    std::map<std::string, int> mutexes_;
    bool system_keys_held_ = false;
    std::vector<std::string> message_boxes_;
    std::vector<std::string> questions_;
    std::vector<FileDialogRequest> file_dialogs_;
    std::deque<bool> yes_no_answers_;
    std::deque<std::string> input_answers_;
    std::deque<std::optional<std::string>> file_answers_;
};

}  // namespace vardex::sim
