#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vardex {
namespace {

// A blocked machine three seconds after start, with logging of the timer switched on.
struct Countdown : testing::BlockedMachineTest {
    Countdown() {
        pc.put_number("Value8", 1);
        start_blocked();
    }
    const std::string& small_text() { return p->lauf2_dialog.time_label.caption(); }
    // The user opens the timing window from the small one and presses its pause button.
    void press_pause() {
        if (p->lauf2_dialog.visible()) {
            ASSERT_TRUE(user->click_form(p->lauf2_dialog));
        }
        ASSERT_TRUE(user->click(p->lauf_dialog.pause_button));
    }
    std::vector<std::string> log_lines() {
        std::vector<std::string> lines;
        const std::string log = pc.log();
        for (std::size_t pos = 0; pos < log.size();) {
            const auto end = log.find("\r\n", pos);
            lines.push_back(log.substr(pos, end - pos));
            pos = end + 2;
        }
        return lines;
    }
};

TEST_F(Countdown, AStartShowsOneSecondMoreUntilTheFirstRegularTick) {
    p->countdown.start_timer(1800, ": Timer started for 0:30");
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(small_text(), "Computer time: 00:30:01");
    EXPECT_TRUE(p->lauf2_dialog.visible());
    EXPECT_FALSE(p->lauf_dialog.visible());
    EXPECT_FALSE(p->vardex_dialog.visible());
    EXPECT_FALSE(p->blocker_win.visible());
    EXPECT_FALSE(pc.machine.desktop().cursor_clip().has_value());
    EXPECT_TRUE(p->vardex_dialog.countdown_timer.running());
    EXPECT_FALSE(p->vardex_dialog.blocked_sweep_timer.running());
    EXPECT_TRUE(p->vardex_dialog.sweep_timer.running());
    // Top centre of the screen, 5 pixels down.
    EXPECT_EQ(p->lauf2_dialog.top(), 75);
    world.advance(1000);
    EXPECT_EQ(small_text(), "Computer time: 00:30:00");
    EXPECT_EQ(pc.number("Value5"), 30);
    world.advance(59000);
    EXPECT_EQ(small_text(), "Computer time: 00:29:01");
    world.advance(1000);
    EXPECT_EQ(pc.number("Value5"), 29);
    const auto lines = log_lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "\r");
    EXPECT_EQ(lines[1], std::string(60, '-'));
    EXPECT_EQ(lines[2].substr(10), " - 09:00:03: Timer started for 0:30");
}

TEST_F(Countdown, AStartOfZeroEndsAtTheFirstRegularTick) {
    p->countdown.start_timer(0, ": Timer started for 0:0");
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    world.advance(1000);
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_TRUE(p->vardex_dialog.visible());
    EXPECT_TRUE(p->blocker_win.visible());
    EXPECT_FALSE(p->lauf2_dialog.visible());
    EXPECT_FALSE(p->time_dialog2.visible());  // no warning
    EXPECT_EQ(pc.number("Value5"), 0);
    const auto lines = log_lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3].substr(10), " - 09:00:04: Timer-Period was over.");
    EXPECT_EQ(lines[lines.size() - 2], std::string(60, '-'));
    EXPECT_EQ(lines.back(), "\r");
}

TEST_F(Countdown, OpenEndedTimingCountsUpAndStoresMinusTheMinutes) {
    p->countdown.start_timer(-1, ": Timer started over network");
    EXPECT_EQ(p->mode.get(), ProgramMode::open_ended);
    EXPECT_EQ(small_text(), "Computer time: 00:00:00");
    EXPECT_EQ(pc.number("Value5"), 0);
    world.advance(60000);
    EXPECT_EQ(small_text(), "Computer time: 00:01:00");
    EXPECT_EQ(pc.number("Value5"), -1);
    world.advance(60000);
    EXPECT_EQ(pc.number("Value5"), -2);
    world.advance(3600 * 1000);
    EXPECT_EQ(p->mode.get(), ProgramMode::open_ended);  // it never runs out
}

TEST_F(Countdown, ASleepingMachineIsChargedOneSecond) {
    p->countdown.start_timer(1800, ": Timer started for 0:30");
    world.advance(1000);
    pc.machine.suspend();
    world.advance(3600 * 1000);
    pc.machine.resume();
    world.advance(10);
    EXPECT_EQ(small_text(), "Computer time: 00:29:59");
}

TEST_F(Countdown, TheWarningsComeOnTheirExactSecondOnly) {
    p->countdown.start_timer(600, ": Timer started for 0:10");
    world.advance(1000);  // the first regular tick: 600 s left
    ASSERT_TRUE(p->time_dialog.visible());
    EXPECT_EQ(p->time_dialog.mess_txt[0].caption(), "Ten minutes computer time left!");
    p->time_dialog.ok();
    world.advance(299 * 1000);  // 301 s left
    // A tick that comes two seconds late jumps over 300.
    pc.machine.suspend();
    world.advance(2000);
    pc.machine.resume();
    world.advance(10);
    EXPECT_EQ(p->countdown.remaining_seconds, 299);
    EXPECT_FALSE(p->time_dialog.visible());
    world.advance(119 * 1000);
    EXPECT_EQ(p->countdown.remaining_seconds, 180);
    EXPECT_EQ(p->time_dialog.mess_txt[0].caption(),
              "Three minutes computer time left!\nPlease close all open Programs");
    p->time_dialog.ok();
    world.advance(120 * 1000);
    EXPECT_EQ(p->time_dialog.mess_txt[0].caption(),
              "One minute computer time left!\nPlease close all open Programs");
}

TEST_F(Countdown, SwitchedOffWarningsStaySilent) {
    p->settings.record().Warning_at_10_minutes = 0;
    p->countdown.start_timer(600, ": Timer started for 0:10");
    world.advance(1000);
    EXPECT_EQ(p->countdown.remaining_seconds, 600);
    EXPECT_FALSE(p->time_dialog.visible());
}

TEST_F(Countdown, TwoBlocksInARowShareOneCarriageReturnLine) {
    p->countdown.start_timer(100, ": Timer started for 0:1");
    p->countdown.end_timer(": Timer was exited.");
    p->countdown.start_timer(100, ": Timer started for 0:1");
    const auto lines = log_lines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "\r");
    EXPECT_EQ(lines[1], std::string(60, '-'));
    EXPECT_EQ(lines[3].substr(21), ": Timer was exited.");
    EXPECT_EQ(lines[4], std::string(60, '-'));
    EXPECT_EQ(lines[5], "\r");
    EXPECT_EQ(lines[6], std::string(60, '-'));
    EXPECT_EQ(lines[7].substr(21), ": Timer started for 0:1");
}

TEST_F(Countdown, AnEndPutsTheMachineBackBehindTheBlockingScreen) {
    p->countdown.start_timer(100, ": Timer started for 0:1");
    p->countdown.end_timer(": Timer was exited.");
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_TRUE(p->blocker_win.visible());
    EXPECT_TRUE(p->vardex_dialog.visible());
    EXPECT_FALSE(p->lauf2_dialog.visible());
    EXPECT_FALSE(p->vardex_dialog.countdown_timer.running());
    EXPECT_TRUE(p->vardex_dialog.blocked_sweep_timer.running());
    EXPECT_EQ(pc.number("Value5"), 0);
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), p->vardex_dialog.window_rect());
}

TEST_F(Countdown, TheCheckpointStaysAtItsMinuteWhilePaused) {
    p->settings.record().Pause_Option = 1;
    p->countdown.start_timer(600, ": Timer started for 0:10");
    world.advance(61000);
    EXPECT_EQ(pc.number("Value5"), 9);
    press_pause();
    // A crash now would resume the minutes that were left, not what the pause lasted.
    world.advance(600 * 1000);
    EXPECT_EQ(pc.number("Value5"), 9);
    press_pause();
    world.advance(59000);
    EXPECT_EQ(p->countdown.remaining_seconds, 480);
    EXPECT_EQ(pc.number("Value5"), 8);
}

TEST_F(Countdown, TenMinutesOfPauseCostOneSecond) {
    p->settings.record().Pause_Option = 1;
    p->settings.record().Log_Pausing_Timer = 1;
    p->countdown.start_timer(600, ": Timer started for 0:10");
    world.advance(1000);
    press_pause();
    EXPECT_EQ(p->mode.get(), ProgramMode::paused);
    EXPECT_EQ(p->lauf_dialog.time_box.text(), "paused");
    EXPECT_EQ(p->lauf_dialog.pause_button.caption(), "&Start");
    EXPECT_TRUE(p->blocker_win.visible());
    EXPECT_FALSE(p->lauf_dialog.exit_button.enabled());
    world.advance(600 * 1000);
    press_pause();
    EXPECT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(p->countdown.remaining_seconds, 599);
    EXPECT_EQ(p->lauf_dialog.time_box.text(), "00:09:59");
    EXPECT_FALSE(p->blocker_win.visible());
    const std::string log = pc.log();
    EXPECT_NE(log.find(": Timer paused.\r\n"), std::string::npos);
    EXPECT_NE(log.find(": Pause ended.\r\n"), std::string::npos);
}

TEST_F(Countdown, TheSystemKeysAreHeldWhileBlockedOrPausedOnly) {
    const auto held = [&] { return pc.machine.desktop().system_keys_held(); };
    EXPECT_TRUE(held());
    p->settings.record().Pause_Option = 1;
    p->countdown.start_timer(600, ": Timer started for 0:10");
    EXPECT_FALSE(held());
    world.advance(2000);
    press_pause();
    EXPECT_TRUE(held());
    p->countdown.end_timer(": Timer was exited over network.");
    EXPECT_TRUE(held());
    p->countdown.start_timer(-1, ": Timer started over network");
    EXPECT_FALSE(held());
    p->lifecycle.exit_program();
    EXPECT_FALSE(held());
}

TEST_F(Countdown, EndingAPausedTimerResumesItFirst) {
    p->settings.record().Pause_Option = 1;
    p->settings.record().Log_Pausing_Timer = 1;
    p->countdown.start_timer(600, ": Timer started for 0:10");
    world.advance(5000);
    press_pause();
    ASSERT_EQ(p->mode.get(), ProgramMode::paused);
    world.advance(20000);
    p->countdown.end_timer(": Timer was exited over network.");
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_FALSE(p->lauf_dialog.visible());
    EXPECT_FALSE(p->lauf_dialog.focus_timer.running());
    EXPECT_FALSE(p->vardex_dialog.countdown_timer.running());
    EXPECT_EQ(p->lauf_dialog.pause_button.caption(), "&Pause");
    EXPECT_TRUE(p->lauf_dialog.exit_button.enabled());
    EXPECT_EQ(pc.machine.desktop().cursor_clip(), p->vardex_dialog.window_rect());
    const auto lines = log_lines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_NE(lines[lines.size() - 4].find(": Pause ended."), std::string::npos);
    EXPECT_NE(lines[lines.size() - 3].find(": Timer was exited over network."), std::string::npos);
}

TEST_F(Countdown, AnOpenEndedRunPausesAndResumesAsOpenEnded) {
    p->settings.record().Pause_Option = 1;
    p->countdown.start_timer(-1, ": Timer started over network");
    world.advance(30000);
    press_pause();
    EXPECT_EQ(p->mode.get(), ProgramMode::open_ended_paused);
    EXPECT_TRUE(p->blocker_win.visible());
    world.advance(600 * 1000);
    press_pause();
    EXPECT_EQ(p->mode.get(), ProgramMode::open_ended);
    // The ten minutes of pause count as one second; the count goes on upwards.
    EXPECT_EQ(p->countdown.remaining_seconds, 31);
    EXPECT_EQ(p->lauf_dialog.time_box.text(), "00:00:31");
    world.advance(29000);
    EXPECT_EQ(pc.number("Value5"), -1);
    EXPECT_FALSE(p->time_dialog.visible());  // no warnings counting up
}

// A Time Distributer ID runs on a machine whose clock may be changed.
struct ClockGuard : Countdown {
    ClockGuard() { start_id(); }
    void start_id() {
        TimeDistributerId id;
        id.Time_Dist_ID = "Kid1";
        id.Time_Dist_Time = 3600;
        id.Time_Dist_Remain = 3600;
        id.Time_Dist_Date = p->platform.clock().today();
        p->settings.record().time_dist_ids.push_back(id);
        p->settings.record().Active_Time_Dist_ID = 1;
        p->settings.record().Pause_Option = 1;
        p->countdown.start_timer(3600, ": Timer started with Time Distributer ID Kid1");
        world.advance(2000);
    }
    sim::SimClock& clock() { return pc.machine.clock(); }
    bool told_of_a_change() {
        return p->time_dialog.visible() &&
               p->time_dialog.mess_txt[0].caption().starts_with("Date/Time was changed.");
    }
};

TEST_F(ClockGuard, AClockSetForwardOrBackIsPutRightWithinASecond) {
    const LocalTime before = clock().now();
    clock().change_time(LocalTime{before.day, before.seconds + 60});
    world.advance(1000);
    EXPECT_EQ(clock().sets(), 1);
    // Back where it would be had nobody touched it: a second later than before.
    EXPECT_NEAR(clock().now().seconds, before.seconds + 1, 0.01);
    ASSERT_TRUE(told_of_a_change());
    EXPECT_EQ(
        p->time_dialog.mess_txt[0].caption(),
        "Date/Time was changed. This is not allowed in Time Distributer mode!\nVardex changed to "
        "old value!");
    // The countdown itself is not changed: only the real second is charged.
    EXPECT_EQ(p->countdown.remaining_seconds, 3598);

    const LocalTime now = clock().now();
    clock().change_time(LocalTime{now.day - 1, now.seconds});
    world.advance(1000);
    EXPECT_EQ(clock().sets(), 2);
    EXPECT_EQ(clock().today(), now.day);
}

TEST_F(ClockGuard, AJumpWhileTheTimeServiceRunsIsItsCorrectionAndNeverFought) {
    clock().set_time_sync_running(true);
    const LocalTime before = clock().now();
    clock().change_time(LocalTime{before.day, before.seconds + 600});
    world.advance(3000);
    EXPECT_EQ(clock().set_attempts(), 0);
    EXPECT_FALSE(told_of_a_change());
    // The corrected time is the new reference: once the service stops, only a person's change
    // is put right, back to the corrected time and not to the old one.
    clock().set_time_sync_running(false);
    world.advance(2000);
    EXPECT_EQ(clock().set_attempts(), 0);
    const LocalTime corrected = clock().now();
    clock().change_time(LocalTime{corrected.day, corrected.seconds - 300});
    world.advance(1000);
    EXPECT_EQ(clock().sets(), 1);
    EXPECT_NEAR(clock().now().seconds, corrected.seconds + 1, 0.01);
    EXPECT_TRUE(told_of_a_change());
}

TEST_F(ClockGuard, ASleepingOrStalledMachineIsNoClockChange) {
    pc.machine.suspend();
    world.advance(3600 * 1000);
    pc.machine.resume();
    world.advance(3000);
    EXPECT_EQ(clock().set_attempts(), 0);
    EXPECT_FALSE(told_of_a_change());
    EXPECT_FALSE(p->time_dialog2.visible());
}

TEST_F(ClockGuard, AClockThatMayNotBeSetIsToldOnceAndLeftAlone) {
    clock().refuse_set(true);
    const LocalTime now = clock().now();
    clock().change_time(LocalTime{now.day + 1, now.seconds});
    world.advance(1000);
    EXPECT_EQ(clock().set_attempts(), 1);
    ASSERT_TRUE(p->time_dialog.visible());
    EXPECT_NE(p->time_dialog.mess_txt[0].caption().find("could not change it back"),
              std::string::npos);
    p->time_dialog.ok();
    clock().change_time(LocalTime{now.day + 2, now.seconds});
    world.advance(5000);
    EXPECT_EQ(clock().set_attempts(), 1);
    EXPECT_FALSE(p->time_dialog.visible());
}

// The same ID, started 20 seconds before midnight.
struct ClockGuardAtMidnight : ::testing::Test {
    sim::World world{CivilDate{2026, 12, 7}, 86380.0};
    testing::VardexMachine pc{world};
};

TEST_F(ClockGuardAtMidnight, MidnightIsNoClockChange) {
    pc.put_settings();
    Program& p = pc.start();
    world.advance(3000);
    TimeDistributerId id;
    id.Time_Dist_ID = "Kid1";
    id.Time_Dist_Time = id.Time_Dist_Remain = 3600;
    id.Time_Dist_Date = p.platform.clock().today();
    p.settings.record().time_dist_ids.push_back(id);
    p.settings.record().Active_Time_Dist_ID = 1;
    p.countdown.start_timer(3600, ": Timer started with Time Distributer ID Kid1");
    const std::int32_t day = pc.machine.clock().today();
    world.advance(30000);
    ASSERT_EQ(pc.machine.clock().today(), day + 1);  // the day did change
    EXPECT_EQ(pc.machine.clock().set_attempts(), 0);
    EXPECT_FALSE(p.time_dialog.visible());
    EXPECT_NEAR(p.countdown.remaining_seconds, 3570, 1);
}

TEST_F(ClockGuard, APauseIsNoClockChange) {
    press_pause();
    world.advance(120 * 1000);
    press_pause();
    world.advance(3000);
    EXPECT_EQ(pc.machine.clock().sets(), 0);
    EXPECT_FALSE(p->time_dialog.visible());
    EXPECT_FALSE(p->time_dialog2.visible());
}

TEST_F(ClockGuard, TheEndOfThePeriodKeepsTheRestForTheId) {
    p->countdown.end_timer(": Timer was exited.");
    p->settings.record().Active_Time_Dist_ID = 1;
    p->countdown.start_timer(3, ": Timer started with Time Distributer ID Kid1");
    world.advance(4000);
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_EQ(p->settings.record().Active_Time_Dist_ID, 0);
    EXPECT_EQ(p->settings.record().time_dist_ids[0].Time_Dist_Remain, 0);
    EXPECT_EQ(pc.number("l2_0"), 0);
}

}  // namespace
}  // namespace vardex
