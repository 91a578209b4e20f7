#include <gtest/gtest.h>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/grid.h"
#include "platform/list_controls.h"
#include "platform/remote/form_state.h"
#include "platform/remote/wire.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/user.h"
#include "platform/sim/world.h"

namespace vardex {
namespace {

using remote::Wire;
using remote::WireReader;
using remote::WireWriter;

class Panel final : public Form {
  public:
    Panel() : Form("Panel_Dialog", "Panel") {}
    CommandButton shown_button{*this, "Command1"};
    CommandButton hidden_button{*this, "Command2"};
    TextBox locked_box{*this, "Text1"};
    TextBox short_box{*this, "Text2"};
    TextBox disabled_box{*this, "Text3"};
    ComboBox picks{*this, "Combo1", ComboBox::Style::dropdown_list};
    ListBox list{*this, "List1"};
    Grid grid{*this, "Grid1"};
    Label label{*this, "Label1"};
    Image logo{*this, "Image1"};
    Timer timer{*this, "Timer1", 1000, true};
};

// A program's panel in a guarded process, and frames sent to the guard as a face's program
// (or another program that opened the pipe) might send them.
struct GuardedPanel : ::testing::Test {
    sim::World world;
    sim::Machine& machine = world.add_machine("PC1", "10.0.0.1");
    sim::SimProcess& process = [this]() -> sim::SimProcess& {
        machine.set_programs_guarded(true);
        return machine.start_process();
    }();
    Panel panel;
    int clicks = 0;
    int changes = 0;
    int ticks = 0;

    GuardedPanel() {
        process.windows().attach(panel);
        panel.hidden_button.set_visible(false);
        panel.locked_box.set_locked(true);
        panel.short_box.set_max_length(4);
        panel.disabled_box.set_enabled(false);
        panel.picks.add_item("one");
        panel.picks.add_item("two");
        panel.list.add_item("a");
        panel.grid.set_size(3, 2, 1);
        for (Control* c : panel.controls()) {
            c->on_click = [this] { ++clicks; };
            c->on_change = [this] { ++changes; };
        }
        panel.timer.on_tick = [this] { ++ticks; };
        panel.show();
    }
    int index_of(const Control& c) const {
        const auto& all = panel.controls();
        return static_cast<int>(std::find(all.begin(), all.end(), &c) - all.begin());
    }
    std::string to_guard(WireWriter out) { return process.mirror()->receive(out.take()); }
    WireWriter at(Wire kind, const Control& c) {
        WireWriter out(kind);
        out.number(0).number(index_of(c));
        return out;
    }
};

TEST_F(GuardedPanel, WhatNoPersonCouldDoIsRefusedAndCounted) {
    // What a person can do passes.
    to_guard(at(Wire::click, panel.shown_button));
    EXPECT_EQ(clicks, 1);
    to_guard(std::move(at(Wire::edited, panel.short_box).text("1234")));
    EXPECT_EQ(panel.short_box.text(), "1234");
    EXPECT_EQ(process.mirror()->refused(), 0);

    // A hidden button, a locked or disabled box, a text longer than the box takes, a label's
    // text, an item that is not there, a selection of another length, a timer's click.
    to_guard(at(Wire::click, panel.hidden_button));
    to_guard(std::move(at(Wire::edited, panel.locked_box).text("x")));
    to_guard(std::move(at(Wire::edited, panel.disabled_box).text("x")));
    to_guard(std::move(at(Wire::edited, panel.short_box).text("12345")));
    to_guard(std::move(at(Wire::edited, panel.label).text("x")));
    to_guard(std::move(at(Wire::edited, panel.picks).text("three")));
    to_guard(std::move(at(Wire::combo_pick, panel.picks).number(2)));
    to_guard(std::move(at(Wire::list_pick, panel.list).number(0).number(2).flag(true).flag(true)));
    to_guard(at(Wire::click, panel.timer));
    // Frames that do not read: cut short, past the last control or form, of no kind at all.
    to_guard(WireWriter(Wire::click));
    to_guard(std::move(WireWriter(Wire::click).number(0).number(99)));
    to_guard(std::move(WireWriter(Wire::click).number(5).number(0)));
    EXPECT_EQ(process.mirror()->receive(std::string("\xF0\x01", 2)), "");
    EXPECT_EQ(process.mirror()->receive(""), "");

    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(panel.short_box.text(), "1234");
    EXPECT_EQ(panel.locked_box.text(), "");
    EXPECT_EQ(panel.picks.list_index(), -1);
    EXPECT_EQ(process.mirror()->refused(), 14);

    // A key for a disabled box is answered with no key; a close of a hidden form is refused.
    const std::string key_answer =
        to_guard(std::move(at(Wire::key_press, panel.disabled_box).number('a')));
    WireReader key(key_answer);
    EXPECT_EQ(key.number(), 0);
    panel.hide();
    const std::string close_answer = to_guard(std::move(WireWriter(Wire::close_request).number(0)));
    WireReader close(close_answer);
    EXPECT_TRUE(close.flag());
    EXPECT_EQ(process.mirror()->refused(), 16);
}

// At boot the guard runs the program before any face: texts are measured by estimate. The
// first face that measures them otherwise has the windows laid out again (corner texts whole).
TEST_F(GuardedPanel, ANewFaceThatMeasuresTextsOtherwiseHasTheWindowsLaidOutAgain) {
    panel.label.set_auto_size(true);
    panel.label.set_caption("System blocked!");
    int stale = 0;
    process.mirror()->set_on_layout_stale([&] { ++stale; });
    process.kill_face();
    process.start_face();
    EXPECT_EQ(stale, 0);  // the same screen and the same measures
    const std::int32_t width = panel.label.width();
    process.kill_face();
    machine.desktop().set_text_width_percent(150);
    process.start_face();
    EXPECT_EQ(stale, 1);
    EXPECT_EQ(panel.label.width(), width * 3 / 2);
}

TEST_F(GuardedPanel, ANewFaceIsGivenEveryWindowAndWhatTheDesktopHoldsWhileTheTimersRanOn) {
    sim::SimDesktop& desktop = machine.desktop();
    const Rect keep{10, 10, 200, 100};
    process.desktop().clip_cursor(&keep);
    process.desktop().hold_system_keys(true);
    panel.make_topmost();

    process.kill_face();
    EXPECT_EQ(process.face(), nullptr);
    EXPECT_FALSE(desktop.is_open(panel.window_id()));
    // Without a face the program goes on: its timers tick, its changes wait, and what it
    // would ask a person gets no answer.
    panel.label.set_caption("Changed while nobody saw");
    // A picture named while nobody could load it is loaded by the next face.
    machine.files().put("C:\\logo.bmp", "BM picture");
    EXPECT_TRUE(panel.logo.load_picture("C:\\logo.bmp"));
    panel.grid.set_cell(1, 1, "cell");
    world.advance(5000);
    EXPECT_EQ(ticks, 5);
    EXPECT_FALSE(process.desktop().yes_no_box("Sure?", "Vardex"));
    EXPECT_EQ(process.desktop().file_dialog(FileDialogRequest::open_existing()), std::nullopt);

    // The next face's screen is larger: the program is told, to lay its windows out again.
    int screen_changes = 0;
    process.mirror()->set_on_layout_stale([&] { ++screen_changes; });
    process.desktop().screen_size_twips();
    desktop.set_screen_pixels(1920, 1080);
    process.start_face();
    EXPECT_EQ(screen_changes, 1);
    EXPECT_EQ(process.desktop().screen_size_twips(), (Size{1920 * 15, 1080 * 15}));
    ASSERT_NE(process.face(), nullptr);
    const Form* copy = process.face()->copy_of(panel);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(remote::shown_difference(panel, *copy), "");
    EXPECT_TRUE(copy->visible());
    EXPECT_EQ(static_cast<const Image*>(copy->find("Image1"))->picture(), "C:\\logo.bmp");
    EXPECT_TRUE(desktop.is_open(panel.window_id()));
    EXPECT_NE(panel.window_id(), 0u);
    EXPECT_EQ(desktop.cursor_clip(), keep);
    EXPECT_TRUE(desktop.system_keys_held());
    world.advance(1000);
    EXPECT_EQ(ticks, 6);

    // The person at the new face is heard.
    sim::User user(process);
    ASSERT_TRUE(user.click(panel.shown_button));
    ASSERT_TRUE(user.select(panel.picks, 1));
    EXPECT_EQ(panel.picks.text(), "two");
    ASSERT_TRUE(user.select_row(panel.grid, 2));
    EXPECT_EQ(panel.grid.row(), 2);
    EXPECT_EQ(process.mirror()->refused(), 0);
}

TEST(WireReaderTest, AFrameThatClaimsMoreThanItHoldsIsBadAsAWhole) {
    WireWriter out(Wire::edited);
    out.number(1).texts({"a", "bc"});
    const std::string frame = out.take();
    WireReader whole(frame);
    EXPECT_EQ(whole.number(), 1);
    EXPECT_EQ(whole.texts(), (std::vector<std::string>{"a", "bc"}));
    EXPECT_TRUE(whole.complete());

    WireReader cut(std::string_view(frame).substr(0, frame.size() - 1));
    cut.number();
    EXPECT_TRUE(cut.texts().empty() || !cut.ok());
    EXPECT_FALSE(cut.ok());
    EXPECT_EQ(cut.number(), 0);

    // A count of a million entries in a frame of a few bytes is refused before anything is kept.
    WireWriter huge(Wire::edited);
    huge.number(1000000);
    const std::string lie = huge.take();
    WireReader lying(lie);
    EXPECT_TRUE(lying.texts().empty());
    EXPECT_FALSE(lying.ok());
}

}  // namespace
}  // namespace vardex
