// Fuzz target: what any program that opened the face's pipe could send to the guard. Each frame
// (a length byte, then that many bytes) goes to the guard's mirror of a form with every kind of
// control, whose handlers change the others. Nothing may fail unsafely, and no event may reach
// a control a person could not use.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/controls.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/remote/mirror.h"
#include "platform/tab_strip.h"

namespace {

using namespace vardex;

// The guard's own window system and desktop, which the mirror leaves the timers and the
// machine's locks to.
class QuietWindows final : public WindowSystem {
  public:
    void attach(Form&) override {}
    void attach_timers(Form&) override {}
    Form* active_form() override { return nullptr; }
    void do_events() override {}
    void quit(int) override { quitting_ = true; }
    bool quitting() const override { return quitting_; }
    void set_busy_cursor(bool) override {}

  private:
    bool quitting_ = false;
};

class QuietDesktop final : public Desktop {
  public:
    Size screen_size_twips() override { return {19200, 15360}; }
    int twips_per_pixel_x() override { return 15; }
    int twips_per_pixel_y() override { return 15; }
    Rect virtual_screen_pixels() override { return {0, 0, 1280, 1024}; }
    WindowId foreground_window() override { return 0; }
    bool watch_windows(std::function<void(WindowChange, WindowId)>) override { return false; }
    std::string window_text(WindowId) override { return {}; }
    bool post_close(WindowId) override { return false; }
    WindowId window_from_point(Point) override { return 0; }
    Rect window_rect(WindowId) override { return {}; }
    Point cursor_pos() override { return {}; }
    void set_cursor_pos(Point) override {}
    void clip_cursor(const Rect*) override {}
    std::optional<Rect> cursor_clip() override { return std::nullopt; }
    void capture_mouse(WindowId) override {}
    void release_mouse() override {}
    void set_system_keys_locked(bool) override {}
    void hold_system_keys(bool) override {}
    bool force_shut_down() override { return false; }
    void beep() override {}
    bool claim_single_instance(std::string_view) override { return true; }
    bool instance_running(std::string_view) override { return false; }
    void message_box(std::string_view, std::string_view) override {}
    bool yes_no_box(std::string_view, std::string_view) override { return false; }
    std::string input_box(std::string_view, std::string_view, std::string_view) override {
        return {};
    }
    std::optional<std::string> file_dialog(const FileDialogRequest&) override {
        return std::nullopt;
    }
};

class Panel final : public Form {
  public:
    Panel() : Form("Panel_Dialog", "Panel") {}
    Frame frame{*this, "Frame1"};
    CommandButton button{*this, "Command1", &frame};
    CommandButton hidden{*this, "Command2"};
    TextBox box{*this, "Text1", &frame};
    TextBox locked{*this, "Text2"};
    CheckBox check{*this, "Check1"};
    OptionButton option_a{*this, "Option1(0)", &frame};
    OptionButton option_b{*this, "Option1(1)", &frame};
    ComboBox combo{*this, "Combo1"};
    ComboBox picks{*this, "Combo2", ComboBox::Style::dropdown_list};
    ListBox list{*this, "List1"};
    Label label{*this, "Label1"};
    Image image{*this, "Image1"};
    TabStrip tabs{*this, "TabStrip1"};
    Grid grid{*this, "Grid1"};
    Timer timer{*this, "Timer1", 100, true};
};

// A control a person could not have used was reached: the guard let through what it must not.
[[noreturn]] void reached_unusable() {
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QuietWindows windows;
    QuietDesktop desktop;
    remote::Mirror mirror(windows, desktop);
    Panel panel;
    windows.attach(panel);
    mirror.windows().attach(panel);
    panel.hidden.set_visible(false);
    panel.locked.set_locked(true);
    panel.box.set_max_length(8);
    panel.tabs.set_tabs({"One", "Two", "Three"});
    panel.grid.set_size(4, 3, 1);
    for (const char* item : {"a", "b", "c"}) {
        panel.combo.add_item(item);
        panel.picks.add_item(item);
        panel.list.add_item(item);
    }
    // Handlers that change other controls, so that frames meet many states.
    panel.button.on_click = [&] {
        panel.frame.set_enabled(!panel.frame.enabled());
        panel.list.add_item("more");
    };
    panel.box.on_change = [&] {
        if (static_cast<int>(panel.box.text().size()) > panel.box.max_length()) {
            std::abort();
        }
        panel.label.set_caption(panel.box.text());
    };
    panel.locked.on_change = [] { reached_unusable(); };
    panel.hidden.on_click = [] { reached_unusable(); };
    panel.check.on_click = [&] { panel.hidden.set_visible(false); };
    panel.option_b.on_click = [&] { panel.list.clear(); };
    panel.list.on_click = [&] { panel.grid.set_size(panel.list.list_count() + 1, 3, 1); };
    panel.tabs.on_click = [&] { panel.combo.clear(); };
    panel.grid.on_click = [&] { panel.grid.set_cell(panel.grid.row(), 0, "picked"); };
    panel.on_query_unload = [&] { return panel.check.value() == 0; };
    panel.show();

    for (std::size_t pos = 0; pos < size;) {
        const std::size_t length = data[pos++];
        const std::size_t take = length < size - pos ? length : size - pos;
        mirror.receive(std::string(reinterpret_cast<const char*>(data + pos), take));
        pos += take;
    }
    return 0;
}
