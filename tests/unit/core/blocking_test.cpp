#include <gtest/gtest.h>

#include <cmath>

#include "program_fixture.h"

namespace vardex {
namespace {

using testing::VardexMachine;

struct Blocking : ::testing::Test {
    sim::World world;
    VardexMachine pc{world};
    Program* p = nullptr;

    void start() {
        pc.put_settings();
        p = &pc.start();
        world.advance(3000);
    }
    sim::SimDesktop& desktop() { return pc.machine.desktop(); }
    bool inside(const Rect& r, Point pt) {
        return pt.x >= r.left && pt.x <= r.right && pt.y >= r.top && pt.y <= r.bottom;
    }
};

TEST_F(Blocking, TheBlockedMachineHasItsDialogsAboveTheScreenAndThePointerInTheMainDialog) {
    start();
    const Rect main = p->vardex_dialog.window_rect();
    EXPECT_EQ(desktop().cursor_clip(), main);
    // The centre, taken to the nearest whole pixel.
    EXPECT_EQ(desktop().cursor_pos(),
              (Point{static_cast<std::int32_t>(std::lround((main.left + main.right) / 2.0)),
                     static_cast<std::int32_t>(std::lround((main.top + main.bottom) / 2.0))}));
    desktop().set_cursor_pos({0, 0});
    EXPECT_TRUE(inside(main, desktop().cursor_pos()));
    EXPECT_TRUE(desktop().is_above(p->vardex_dialog.window_id(), p->blocker_win.window_id()));
    const WindowId editor = desktop().open_window("Untitled - Editor");
    EXPECT_TRUE(desktop().is_above(p->blocker_win.window_id(), editor));
    EXPECT_TRUE(desktop().system_keys_locked());
    // The corners: the window covers the screen, its top-left corner 50 twips off screen.
    const BlockerWin& b = p->blocker_win;
    EXPECT_EQ(b.left(), -50);
    EXPECT_EQ(b.width(), 15360 + 50);
    EXPECT_EQ(b.top_right_label.left() + b.top_right_label.width(), b.width());
    EXPECT_EQ(b.bottom_right_label.top() + b.bottom_right_label.height(), b.height());
    for (const Label* corner :
         {&b.top_left_label, &b.top_right_label, &b.bottom_left_label, &b.bottom_right_label}) {
        EXPECT_EQ(corner->caption(), "System blocked!");
    }
}

TEST_F(Blocking, AFourKScreenLaysOutIn32Bits) {
    desktop().set_screen_pixels(3840, 2160);  // 57600 twips wide
    desktop().add_monitor({3840, 0, 7680, 2160});
    start();
    const BlockerWin& b = p->blocker_win;
    EXPECT_EQ(b.width(), 7680 * 15 + 50);  // both monitors are covered
    EXPECT_EQ(b.top_right_label.left() + b.top_right_label.width(),
              57600 + 50);  // the corners are the primary's
    EXPECT_GT(b.right_logo.left(), 57600 / 2);
    EXPECT_LT(b.right_logo.left() + b.right_logo.width(), 57600);
}

TEST_F(Blocking, AMonitorLeftOfThePrimaryIsCoveredToo) {
    desktop().add_monitor({-1280, 0, 0, 1024});
    start();
    const BlockerWin& b = p->blocker_win;
    EXPECT_EQ(b.left(), -1280 * 15 - 50);
    // The corner text stays where a single screen has it, 50 twips off the primary's corner.
    EXPECT_EQ(b.left() + b.top_left_label.left(), -50);
}

TEST_F(Blocking, LogosAreShownTwiceOrNotAtAll) {
    pc.machine.files().put("C:\\logo.bmp", "BM picture");
    pc.machine.files().put("C:\\logo.txt", "not a picture");
    start();
    BlockerWin& b = p->blocker_win;
    EXPECT_FALSE(b.left_logo.visible());
    EXPECT_FALSE(p->blocking.load_logo("C:\\logo.bmp"));
    EXPECT_TRUE(b.left_logo.visible());
    EXPECT_TRUE(b.right_logo.visible());
    EXPECT_LT(b.left_logo.left() + b.left_logo.width(), p->vardex_dialog.left());
    EXPECT_GT(b.right_logo.left(), p->vardex_dialog.left() + p->vardex_dialog.width());
    EXPECT_TRUE(p->blocking.load_logo("C:\\logo.txt"));
    EXPECT_FALSE(b.left_logo.visible());
    EXPECT_TRUE(p->blocking.load_logo("C:\\missing.bmp"));
    EXPECT_FALSE(p->blocking.load_logo(""));
    EXPECT_FALSE(b.right_logo.visible());
}

TEST_F(Blocking, EachKindHoldsThePointerInItsWindowAndAMessageGivesItBack) {
    start();
    p->sec_dialog.show();
    p->blocking.confine_cursor(PointerZone::security_dialog);
    EXPECT_EQ(desktop().cursor_clip(), p->sec_dialog.window_rect());
    p->time_dialog.message("Password or Security Code was wrong!");
    EXPECT_EQ(desktop().cursor_clip(), p->time_dialog2.window_rect());
    sim::User user(pc.process(*p));
    ASSERT_TRUE(user.click(p->time_dialog2.ok_button));
    EXPECT_EQ(desktop().cursor_clip(), p->sec_dialog.window_rect());
    p->sec_dialog.hide();

    p->about_dialog.show();
    p->blocking.confine_cursor(PointerZone::about);
    EXPECT_EQ(desktop().cursor_clip(), p->about_dialog.window_rect());
    p->about_dialog.hide();

    // Kind 5: only the pause button of the timing window.
    LaufDialog& lauf = p->lauf_dialog;
    lauf.show();
    p->blocking.confine_cursor(PointerZone::pause_button);
    const Rect w = lauf.window_rect();
    const Rect clip = *desktop().cursor_clip();
    const std::int32_t frame = lauf.height() / 15 - lauf.inner_size().height;
    EXPECT_EQ(clip.left, w.left + lauf.pause_button.left() + 3);
    EXPECT_EQ(clip.width(), lauf.pause_button.width());
    EXPECT_EQ(clip.top, w.top + lauf.pause_button.top() + frame - 3);
    EXPECT_EQ(clip.height(), lauf.pause_button.height());
    EXPECT_EQ(desktop().foreground_window(), lauf.window_id());
    p->time_dialog.message("Enter a Direct Access Code first, then press the button!");
    ASSERT_TRUE(user.click(p->time_dialog2.ok_button));
    EXPECT_EQ(desktop().cursor_clip(), p->vardex_dialog.window_rect());  // the main dialog is shown

    p->blocking.unblock_screen();
    EXPECT_FALSE(desktop().cursor_clip().has_value());
    EXPECT_FALSE(p->blocker_win.visible());
}

TEST_F(Blocking, TheLocalisableTextsGoIntoTheirWindows) {
    pc.put_settings();
    pc.machine.registry().put_text(testing::settings_path, "String20", scramble_text("Gesperrt!"));
    pc.machine.registry().put_text(testing::settings_path, "String26", scramble_text(""));
    p = &pc.start();
    world.advance(700);
    EXPECT_EQ(p->blocker_win.bottom_left_label.caption(), "Gesperrt!");
    EXPECT_EQ(p->vardex_dialog.code_label.caption(), "Enter Code here:");
    EXPECT_EQ(p->vardex_dialog.code_button.caption(), "Start with the &Direct Access Code entered");
    EXPECT_EQ(p->lauf_dialog.time_label.caption(), "Computer time:");
    EXPECT_EQ(p->lauf_dialog.shutdown_button.caption(), "S&hutdown");
    EXPECT_EQ(p->lauf_dialog.pause_button.caption(), "");  // an empty text is a valid value
    EXPECT_FALSE(pc.machine.registry().text(testing::settings_path, "String21").has_value());

    for (int i = 0; i < 9; ++i) {
        p->options_dialog.localize.boxes[i].set_text("x");
    }
    p->options_dialog.localize.reset_localisation();
    EXPECT_EQ(p->options_dialog.localize.boxes[0].text(), "System blocked!");
    EXPECT_EQ(p->options_dialog.localize.boxes[7].text(), "&Start");
    // The boxes take at most the row's length.
    p->options_dialog.show();
    p->options_dialog.pages[5].set_visible(true);
    sim::User user(pc.process(*p));
    ASSERT_TRUE(user.replace_text(p->options_dialog.localize.boxes[0], std::string(26, 'a')));
    EXPECT_EQ(p->options_dialog.localize.boxes[0].text().size(), 25u);
}

struct EventLogTest : Blocking {};

TEST_F(EventLogTest, WithEveryGroupOffNoFileIsMade) {
    start();
    p->countdown.start_timer(60, ": Timer started for 0:1");
    world.advance(62000);
    p->lifecycle.exit_program();
    EXPECT_FALSE(pc.machine.files().exists("c:\\vadolog.txt"));
}

TEST_F(EventLogTest, AMissingFolderGivesOneMessagePerDistinctLine) {
    pc.put_settings();
    pc.machine.registry().put_text(testing::settings_path, "String3",
                                   scramble_text("D:\\logs\\v.txt"));
    pc.put_number("Value7", 1);
    p = &pc.start();
    world.advance(700);
    EXPECT_EQ(p->time_dialog.message_count, 1);
    EXPECT_EQ(p->time_dialog.mess_txt[0].caption(), "Error occured when writing to Log-File!");
    p->log.write_log("same");
    p->log.write_log("same");
    EXPECT_EQ(p->time_dialog.message_count, 2);
    p->log.write_log("other");
    EXPECT_EQ(p->time_dialog.message_count, 3);
    world.advance(3000);
    EXPECT_TRUE(p->vardex_dialog.visible());  // the work goes on
}

}  // namespace
}  // namespace vardex
