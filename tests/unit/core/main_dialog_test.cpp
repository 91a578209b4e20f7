#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vardex {
namespace {

struct MainDialogTest : testing::BlockedMachineTest {
    MainDialogTest() { start_blocked(); }
    VardexDialog& v() { return p->vardex_dialog; }
    void pass_check() {
        user->replace_text(p->sec_dialog.password_box, "zel");
        user->click(p->sec_dialog.ok_button);
    }
};

TEST(InputFilter, DigitsUpToTheFirstSeparator) {
    EXPECT_EQ(MainDialog::input_filter("2,5", 2, "100"), "2");
    EXPECT_EQ(MainDialog::input_filter("1h30", 4, "10000"), "130");
    EXPECT_EQ(MainDialog::input_filter("1h30", 2, "100"), "100");
    EXPECT_EQ(MainDialog::input_filter("123", 2, "100"), "100");
    EXPECT_EQ(MainDialog::input_filter("abc", 2, "100"), "");
    EXPECT_EQ(MainDialog::input_filter("99999", 4, "10000"), "10000");
    EXPECT_EQ(MainDialog::input_filter("1.9", 4, "10000"), "1");
}

TEST_F(MainDialogTest, AManualStartAfterTheCheck) {
    user->replace_text(v().hours_box, "7");
    user->replace_text(v().minutes_box, "99");
    user->click(v().start_button);
    EXPECT_FALSE(v().blocked_sweep_timer.running());
    EXPECT_FALSE(v().sweep_timer.running());
    ASSERT_TRUE(p->sec_dialog.visible());
    pass_check();
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(p->countdown.end_seconds, 7 * 3600 + 99 * 60);
}

TEST_F(MainDialogTest, TheBoxesAreFilteredWhenLeftAndEmptyOnesStartAtZero) {
    user->replace_text(v().hours_box, "123");
    user->click(v().options_button);  // leaving the box runs its filter
    EXPECT_EQ(v().hours_box.text(), "100");
    user->click(p->sec_dialog.cancel_button);
    user->replace_text(v().hours_box, "");
    user->replace_text(v().minutes_box, "abc");
    user->click(v().start_button);
    EXPECT_EQ(v().minutes_box.text(), "0");
    EXPECT_EQ(v().hours_box.text(), "0");
    pass_check();
    EXPECT_EQ(p->countdown.end_seconds, 0);
}

TEST_F(MainDialogTest, HelpTextsFollowThePointer) {
    user->move_mouse(v().picture);
    EXPECT_EQ(v().help_label.caption(), "That's just a pretty picture to look at...");
    user->move_mouse(v().code_frame);
    EXPECT_EQ(v().help_label.caption().substr(0, 29), "If you have a 'Direct Access ");
    p->settings.record().localised_texts[dac_button_help] = "Hilfe";
    user->move_mouse(v().code_button);
    EXPECT_EQ(v().help_label.caption(), "Hilfe");
    user->move_mouse_over(v());
    EXPECT_EQ(v().help_label.caption(), "Touch the item for which you need help...");
}

TEST_F(MainDialogTest, AboutHidesTheMainDialogAndHoldsThePointer) {
    user->click(v().about_button);
    EXPECT_FALSE(v().visible());
    EXPECT_TRUE(p->about_dialog.visible());
    EXPECT_EQ(p->about_dialog.version_label.caption(), "Version: 4.12");
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), p->about_dialog.window_rect());
    EXPECT_TRUE(p->about_dialog.focus_timer.running());
    // A start (for example from the network) closes it as its button does.
    p->countdown.start_timer(60, ": Timer started over network");
    EXPECT_FALSE(p->about_dialog.visible());
}

TEST_F(MainDialogTest, CodesAndIdsThatAreNotThereAreReported) {
    user->press_key(v().code_box, 13);  // Enter in an empty box does nothing
    EXPECT_FALSE(p->time_dialog2.visible());
    user->click(v().code_button);
    EXPECT_EQ(p->time_dialog2.text_label.caption(),
              "Enter a Direct Access Code first, then press the button!");
    user->click(p->time_dialog2.ok_button);
    user->replace_text(v().code_box, "123-456-789-012-345");
    user->press_key(v().code_box, 13);
    EXPECT_EQ(p->time_dialog2.text_label.caption(), "Direct Access Code was not recognized!");
    EXPECT_EQ(v().code_box.text(), "123-456-789-012-345");  // Enter leaves the text
    user->click(p->time_dialog2.ok_button);
    user->click(v().code_button);
    EXPECT_EQ(v().code_box.text(), "");  // the button empties it
    user->click(p->time_dialog2.ok_button);
    v().distributer_button.set_enabled(true);
    v().distributer_frame.set_enabled(true);
    v().distributer_box.set_enabled(true);
    user->replace_text(v().distributer_box, "Kid");
    user->click(v().distributer_button);
    EXPECT_EQ(p->time_dialog2.text_label.caption(), "This Time Distributer ID is unknown!");
    EXPECT_EQ(v().distributer_box.text(), "");
}

TEST_F(MainDialogTest, ARedeemedCodeStartsItsPagesTime) {
    CodePage page;
    page.canz = 60;
    page.cpnr = 1;
    page.cpstd = 1;
    page.cpmin = 30;
    page.codes.fill("0000000000000001");
    page.codes[5] =
        "123456789012345"
        "1";
    p->settings.record().code_pages.push_back(page);
    p->settings.save_settings();
    user->replace_text(v().code_box, "123-456 789012-345");
    user->click(v().code_button);
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(p->countdown.end_seconds, 5400);
    EXPECT_EQ(p->settings.record().code_pages[0].canz, 59);
    EXPECT_EQ(pc.machine.registry().number(testing::settings_path + "\\cp0", "canz"), 59);
    EXPECT_EQ(unscramble_text(*pc.machine.registry().text(testing::settings_path + "\\cp0", "0_5")),
              "1234567890123450");
    p->countdown.end_timer(": Timer was exited.");
    user->replace_text(v().code_box, "123456789012345");
    user->click(v().code_button);
    EXPECT_EQ(p->time_dialog2.text_label.caption(), "Direct Access Code was not recognized!");
}

struct Timing : MainDialogTest {
    LaufDialog& lauf() { return p->lauf_dialog; }
    Lauf2Dialog& small() { return p->lauf2_dialog; }
    Timing() {
        p->settings.record().Pause_Option = 1;
        p->countdown.start_timer(1800, ": Timer started for 0:30");
        world.advance(1000);
    }
};

TEST_F(Timing, TheLabelWindowOpensTheTimingWindowAndMinimizeGoesBack) {
    EXPECT_TRUE(user->click_form(small()));
    EXPECT_TRUE(lauf().visible());
    EXPECT_FALSE(small().visible());
    world.advance(1000);
    EXPECT_EQ(lauf().time_box.text(), "00:29:59");
    lauf().set_window_state(WindowState::minimized);
    world.advance(1000);
    EXPECT_EQ(lauf().caption(), "Time: 00:29:58");
    lauf().set_window_state(WindowState::normal);
    EXPECT_EQ(lauf().caption(), "Vardex");
    user->click(lauf().minimize_button);
    EXPECT_TRUE(small().visible());
    EXPECT_FALSE(lauf().visible());
}

TEST_F(Timing, ASmallMovementIsAClickAndALargerOneADrag) {
    Label& label = small().time_label;
    user->mouse_down(label, mouse::left, 200, 100);
    user->mouse_move(label, mouse::left, 250, 150);  // 50 twips: still a click
    user->mouse_up(label, mouse::left, 250, 150);
    EXPECT_TRUE(lauf().visible());
    user->click(lauf().minimize_button);

    const std::int32_t left = small().left();
    small().time_label.raise_mouse_down(MouseEvent{mouse::left, 0, 200, 100});
    small().time_label.raise_mouse_move(MouseEvent{mouse::left, 0, 500, 100});
    small().time_label.raise_mouse_up(MouseEvent{mouse::left, 0, 500, 100});
    EXPECT_EQ(small().left(), left + 300);
    EXPECT_FALSE(lauf().visible());
    // Past the left edge it stays touching the edge.
    small().time_label.raise_mouse_down(MouseEvent{mouse::left, 0, 200, 100});
    small().time_label.raise_mouse_move(MouseEvent{mouse::left, 0, -20000, 100});
    EXPECT_EQ(small().left(), 0);
    small().time_label.raise_mouse_move(MouseEvent{mouse::left, 0, 40000, 40000});
    EXPECT_EQ(small().left() + small().width(), 15360);
    EXPECT_EQ(small().top() + small().height(), 11520);
    small().time_label.raise_mouse_up(
        MouseEvent{mouse::right, 0, 0, 0});  // the right button opens it
    EXPECT_TRUE(lauf().visible());
}

TEST_F(Timing, PausedTheWindowCannotBeMinimisedAndTheButtonsWait) {
    user->click_form(small());
    user->click(lauf().pause_button);
    EXPECT_EQ(p->mode.get(), ProgramMode::paused);
    lauf().set_window_state(WindowState::minimized);
    EXPECT_EQ(lauf().window_state(), WindowState::normal);
    EXPECT_FALSE(user->click(lauf().exit_button));
    EXPECT_FALSE(user->click(lauf().minimize_button));
    // A new start while paused leaves the pause state first.
    p->countdown.start_timer(600, ": Timer started over network");
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_FALSE(lauf().focus_timer.running());
    EXPECT_TRUE(lauf().exit_button.enabled());
    EXPECT_EQ(lauf().pause_button.caption(), "&Pause");
}

TEST_F(Timing, ExitTimingModeNeedsTheCheckUnlessAnIdRuns) {
    user->click_form(small());
    user->click(lauf().exit_button);
    EXPECT_FALSE(lauf().visible());
    ASSERT_TRUE(p->sec_dialog.visible());
    pass_check();
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);

    TimeDistributerId id;
    id.Time_Dist_ID = "Kid1";
    id.Time_Dist_Time = 3600;
    id.Time_Dist_Remain = 3600;
    id.Time_Dist_Date = p->platform.clock().today();
    p->settings.record().time_dist_ids.push_back(id);
    v().distributer_frame.set_enabled(true);
    v().distributer_button.set_enabled(true);
    v().distributer_box.set_enabled(true);
    user->replace_text(v().distributer_box, "kid1");
    user->press_key(v().distributer_box, 13);
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(p->settings.record().Active_Time_Dist_ID, 1);
    world.advance(10000);
    user->click_form(small());
    user->click(lauf().exit_button);
    EXPECT_FALSE(p->sec_dialog.visible());
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_EQ(p->settings.record().time_dist_ids[0].Time_Dist_Remain,
              3591);  // the start counts one second more
}

TEST_F(Timing, ThePauseButtonFollowsTheOptions) {
    p->countdown.end_timer(": Timer was exited.");
    p->settings.record().Pause_Option = 0;
    p->settings.record().Shutoff_Option = 1;
    p->countdown.start_timer(600, ": Timer started for 0:10");
    EXPECT_FALSE(lauf().pause_button.enabled());
    EXPECT_TRUE(lauf().shutdown_button.enabled());
    user->click_form(small());
    user->click(lauf().shutdown_button);
    EXPECT_TRUE(p->quest_dialog.visible());
    pc.machine.files().put("C:\\Program Files\\Vardex\\help\\topic4.html",
                           "<html><head><title>T</title></head><body><h1>The timing window</h1>"
                           "<ul><li>Pause &amp; go</li></ul></body></html>");
    user->click(lauf().help_button);
    ASSERT_TRUE(p->help_dialog.visible());
    EXPECT_EQ(p->help_dialog.page_box.text(), "The timing window\r\n\r\n- Pause & go");
}

bool draws_a_border(ControlKind kind) {
    switch (kind) {
        case ControlKind::text_box:
        case ControlKind::command_button:
        case ControlKind::combo_box:
        case ControlKind::list_box:
        case ControlKind::grid:
            return true;
        default:
            return false;
    }
}

bool overlap(const Control& a, const Control& b) {
    return a.left() < b.left() + b.width() && b.left() < a.left() + a.width() &&
           a.top() < b.top() + b.height() && b.top() < a.top() + a.height();
}

// A label painted over a box or a button hides its border: at some scalings a line of the
// frame goes missing.
TEST_F(MainDialogTest, NoLabelLiesOverABoxOrAButtonBesideIt) {
    std::vector<std::string> found;
    for (const Form* form : p->forms()) {
        for (const Control* label : form->controls()) {
            if (label->kind() != ControlKind::label) {
                continue;
            }
            for (const Control* boxed : form->controls()) {
                if (draws_a_border(boxed->kind()) && boxed->container() == label->container() &&
                    overlap(*label, *boxed)) {
                    found.push_back(form->name() + "." + label->name() + " over " + boxed->name());
                }
            }
        }
    }
    EXPECT_EQ(found, std::vector<std::string>{});
}

}  // namespace
}  // namespace vardex
