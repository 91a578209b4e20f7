#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vardex {
namespace {

struct Messages : testing::BlockedMachineTest {
    Messages() { start_blocked(); }
};

TEST_F(Messages, FiveMessagesShowTheLastFourWithTheirNumbers) {
    p->vardex_dialog.hide();
    for (int i = 1; i <= 5; ++i) {
        p->time_dialog.message("text " + std::to_string(i));
    }
    TimeDialog& d = p->time_dialog;
    EXPECT_TRUE(d.visible());
    EXPECT_EQ(d.message_count, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(d.mess_txt[i].caption(), "text " + std::to_string(i + 2));
        EXPECT_EQ(d.titel[i].caption().rfind("Message Nr. " + std::to_string(i + 2) + "   (", 0),
                  0u);
        EXPECT_TRUE(d.titel[i].visible());
    }
    EXPECT_EQ(d.titel[0].caption(), "Message Nr. 2   (09:00:03)");
    // The newest entry stands out; the list lies on its panel; the buttons below it.
    EXPECT_EQ(d.mess_txt[3].fore_color(), rgb(128, 0, 0));
    EXPECT_EQ(d.mess_txt[2].fore_color(), rgb(95, 95, 95));
    EXPECT_GT(d.mess_txt[0].top(), d.titel[0].top());
    EXPECT_GT(d.titel[1].top(), d.mess_txt[0].top() + d.mess_txt[0].height());
    EXPECT_EQ(d.height(), d.panel.height() + 1100);
    EXPECT_EQ(d.ok_button.top(), d.height() - 850);
    EXPECT_EQ(d.ok_button.left(), 945);

    EXPECT_TRUE(user->click(d.ok_button));
    EXPECT_FALSE(d.visible());
    d.message("after OK", AfterOk::nothing, true);
    EXPECT_EQ(d.titel[0].caption().substr(0, 13), "Message Nr. 1");
    EXPECT_TRUE(d.more_help_button.visible());
    EXPECT_EQ(d.ok_button.left(), 210);
}

TEST_F(Messages, MessagesFromTheAdministratorBeep) {
    p->vardex_dialog.hide();
    p->time_dialog.message("The Admin has sent you the following message: hi");
    EXPECT_EQ(pc.machine.desktop().beeps(), 1);
    p->time_dialog.message(" The Admin has sent you the following message: hi");
    EXPECT_EQ(pc.machine.desktop().beeps(), 1);
}

TEST_F(Messages, OverTheMainDialogAMessageGoesToTheSmallWindowAndHoldsThePointer) {
    const Rect main_rect = p->vardex_dialog.window_rect();
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), main_rect);
    p->time_dialog.message("Ten minutes computer time left!");
    EXPECT_FALSE(p->time_dialog.visible());
    ASSERT_TRUE(p->time_dialog2.visible());
    const std::string& shown = p->time_dialog2.text_label.caption();
    EXPECT_EQ(shown.substr(0, 13), "Message Nr. 1");
    EXPECT_EQ(shown.substr(shown.size() - 33), "\n\rTen minutes computer time left!");
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), p->time_dialog2.window_rect());
    EXPECT_EQ(p->time_dialog2.height(), p->time_dialog2.text_label.height() + 750);
    EXPECT_TRUE(user->click(p->time_dialog2.ok_button));
    EXPECT_FALSE(p->time_dialog2.visible());
    EXPECT_EQ(p->time_dialog2.text_label.caption(), "");
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), main_rect);
}

TEST_F(Messages, WhilePausedAMessageGoesToTheSmallWindowAndThePointerBackToThePauseButton) {
    p->settings.record().Pause_Option = 1;
    p->countdown.start_timer(900, ": Timer started for 0:15");
    world.advance(2000);
    ASSERT_TRUE(user->click_form(p->lauf2_dialog));
    ASSERT_TRUE(user->click(p->lauf_dialog.pause_button));
    const auto pause_button = pc.machine.desktop().cursor_clip();
    ASSERT_TRUE(pause_button.has_value());
    p->time_dialog.message("The Admin has sent you the following message: closing soon");
    EXPECT_FALSE(p->time_dialog.visible());
    ASSERT_TRUE(p->time_dialog2.visible());
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), p->time_dialog2.window_rect());
    // The focus keeper of the paused timer leaves the message alone.
    world.advance(500);
    EXPECT_EQ(p->platform.windows().active_form(), &p->time_dialog2);
    EXPECT_TRUE(user->click(p->time_dialog2.ok_button));
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), pause_button);
    EXPECT_EQ(p->mode.get(), ProgramMode::paused);
}

TEST_F(Messages, GetStringJoinsTheListAndRunsTheAfterOkAction) {
    p->vardex_dialog.hide();
    p->time_dialog.message("first");
    p->time_dialog.message("second");
    const std::string all = p->time_dialog.get_string();
    EXPECT_EQ(all,
              "Message Nr. 1   (09:00:03)\n\rfirst\n\r\n\rMessage Nr. 2   (09:00:03)\n\rsecond");
    EXPECT_EQ(p->time_dialog.message_count, 0);
    EXPECT_FALSE(p->time_dialog.visible());

    p->time_dialog.message("fatal", AfterOk::end_program);
    EXPECT_FALSE(pc.process(*p).ended());
    p->time_dialog.get_string();
    EXPECT_TRUE(pc.process(*p).ended());
}

TEST_F(Messages, TheAboutWindowKeepsItsFocusAndGivesThePointerBack) {
    p->about_dialog.show();
    p->blocking.confine_cursor(PointerZone::about);
    p->about_dialog.focus_timer.set_enabled(true);
    const WindowId other = pc.machine.desktop().open_window("Untitled - Editor");
    EXPECT_EQ(pc.machine.desktop().foreground_window(), other);
    world.advance(150);
    EXPECT_EQ(p->platform.windows().active_form(), &p->about_dialog);
    EXPECT_TRUE(user->click(p->about_dialog.exit_button));
    EXPECT_FALSE(p->about_dialog.visible());
    EXPECT_FALSE(p->about_dialog.focus_timer.running());
    EXPECT_TRUE(p->vardex_dialog.visible());
    EXPECT_TRUE(p->vardex_dialog.blocked_sweep_timer.running());
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), p->vardex_dialog.window_rect());
}

}  // namespace
}  // namespace vardex
