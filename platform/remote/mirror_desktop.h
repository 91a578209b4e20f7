#pragma once

#include <optional>

#include "platform/desktop.h"
#include "platform/remote/face_channel.h"

namespace vardex::remote {

// The guard's desktop: the session's screen, pointer, other windows and the dialogs that ask
// a person are the face's; what is the machine's (the instance lock, the shutdown) stays with
// the guard (`local`). What the desktop is told to hold (the pointer's clip, the system keys,
// the window watch) is kept here and given to each new face.
class MirrorDesktop final : public Desktop {
  public:
    MirrorDesktop(FaceChannel& face, Desktop& local) : face_(face), local_(local) {}

    Size screen_size_twips() override;
    int twips_per_pixel_x() override;
    int twips_per_pixel_y() override;
    Rect virtual_screen_pixels() override;

    WindowId foreground_window() override;
    bool watch_windows(std::function<void(WindowChange, WindowId)> changed) override;
    std::string window_text(WindowId window) override;
    bool post_close(WindowId window) override;
    WindowId window_from_point(Point screen_pixels) override;
    Rect window_rect(WindowId window) override;

    Point cursor_pos() override;
    void set_cursor_pos(Point pos) override;
    void clip_cursor(const Rect* rect) override;
    std::optional<Rect> cursor_clip() override;
    void capture_mouse(WindowId window) override;
    void release_mouse() override;

    void set_system_keys_locked(bool locked) override;
    void hold_system_keys(bool on) override;
    bool force_shut_down() override { return local_.force_shut_down(); }
    void beep() override;

    bool claim_single_instance(std::string_view name) override {
        return local_.claim_single_instance(name);
    }
    bool instance_running(std::string_view name) override { return local_.instance_running(name); }

    void message_box(std::string_view text, std::string_view caption) override;
    bool yes_no_box(std::string_view text, std::string_view caption) override;
    std::string input_box(std::string_view prompt, std::string_view title,
                          std::string_view initial) override;
    std::optional<std::string> file_dialog(const FileDialogRequest& request) override;

    // A new face: it is told what the desktop holds. `resized`: its measures of the windows'
    // texts differ from the last ones.
    void show_all(bool resized);
    // The windows are to be laid out again: a face showed a screen other than the one the
    // program laid them out for, or texts of another size (the first face after a start
    // without one, whose measures were estimates).
    std::function<void()> on_layout_stale;
    // A frame of the face about its desktop; false when it is not one or is bad.
    bool receive(WireReader& in);

  private:
    struct Screen {
        Size twips{12000, 9000};
        int tpp_x = 15;
        int tpp_y = 15;
        Rect pixels{0, 0, 800, 600};
        friend bool operator==(const Screen&, const Screen&) = default;
    };
    Screen screen();
    void send_clip();

    FaceChannel& face_;
    Desktop& local_;
    // The last screen a face told of; until one tells, the guard's own.
    std::optional<Screen> last_screen_;
    // The screen the program was last told of.
    std::optional<Screen> used_screen_;
    std::optional<Rect> clip_;
    bool keys_locked_ = false;
    bool keys_held_ = false;
    std::function<void(WindowChange, WindowId)> watcher_;
};

}  // namespace vardex::remote
