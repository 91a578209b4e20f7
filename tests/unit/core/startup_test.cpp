#include <gtest/gtest.h>

#include "program_fixture.h"

namespace vardex {
namespace {

using testing::VardexMachine;

struct Startup : ::testing::Test {
    sim::World world;
    VardexMachine pc{world};
};

TEST_F(Startup, ReachesTheBlockedMachineAtTheTwentyEighthTick) {
    pc.put_settings();
    Program& p = pc.start();
    EXPECT_TRUE(p.start_dialog.visible());
    EXPECT_EQ(p.start_dialog.build_label.caption(), "Built 2");
    world.advance(2700);
    EXPECT_FALSE(p.vardex_dialog.visible());
    world.advance(150);
    EXPECT_FALSE(p.start_dialog.visible());
    EXPECT_TRUE(p.vardex_dialog.visible());
    EXPECT_TRUE(p.blocker_win.visible());
    EXPECT_EQ(p.mode.get(), ProgramMode::blocked);
    EXPECT_TRUE(p.vardex_dialog.blocked_sweep_timer.running());
    EXPECT_TRUE(p.vardex_dialog.sweep_timer.running());
    EXPECT_TRUE(p.vardex_dialog.guard_timer.running());
    EXPECT_FALSE(p.vardex_dialog.countdown_timer.running());
    EXPECT_TRUE(pc.machine.desktop().system_keys_locked());
    EXPECT_FALSE(p.time_dialog.visible());
    EXPECT_FALSE(p.time_dialog2.visible());
}

}  // namespace
}  // namespace vardex

namespace vardex {
namespace {

TEST_F(Startup, FirstRunShowsItsMessagesAndStillReachesTheMainDialog) {
    Program& p = pc.start();
    world.advance(700);
    EXPECT_TRUE(p.time_dialog.visible());
    EXPECT_EQ(p.time_dialog.message_count, 2);
    world.advance(2200);
    EXPECT_TRUE(p.vardex_dialog.visible());
    // The collected messages moved to the small window over the main dialog.
    EXPECT_FALSE(p.time_dialog.visible());
    EXPECT_TRUE(p.time_dialog2.visible());
    EXPECT_NE(p.time_dialog2.text_label.caption().find("Password is set to 'zel'"),
              std::string::npos);
}

}  // namespace
}  // namespace vardex

namespace vardex {
namespace {

TEST_F(Startup, ASecondInstanceOnlySaysSoAndEndsAtOk) {
    pc.put_settings();
    Program& first = pc.start();
    world.advance(3000);
    const auto writes = pc.machine.registry().write_count();
    Program& second = pc.start();
    EXPECT_FALSE(second.start_dialog.visible());
    ASSERT_TRUE(second.time_dialog.visible());
    EXPECT_EQ(second.time_dialog.mess_txt[0].caption(), "Vardex is already running!");
    // Above the first instance's blocking screen, where it can be answered.
    EXPECT_TRUE(second.time_dialog.topmost());
    const std::vector<WindowId> z = pc.machine.desktop().z_order();
    EXPECT_EQ(z.front(), second.time_dialog.window_id());
    EXPECT_FALSE(second.start_dialog.startup_timer.running());
    world.advance(20000);
    EXPECT_FALSE(pc.process(second).ended());  // it waits for OK
    sim::User user(pc.process(second));
    EXPECT_TRUE(user.click(second.time_dialog.ok_button));
    EXPECT_TRUE(pc.process(second).ended());
    EXPECT_EQ(pc.machine.registry().write_count(), writes);
    EXPECT_EQ(pc.log(), "");
    EXPECT_FALSE(pc.process(first).ended());
    EXPECT_TRUE(first.vardex_dialog.visible());
    EXPECT_TRUE(pc.machine.desktop().system_keys_locked());  // the first one still holds it
}

TEST_F(Startup, OnlyTheSingleInstanceTestEndsTheProgramThroughItsText) {
    pc.put_settings();
    Program& p = pc.start();
    world.advance(3000);
    // An administrator's text that happens to end with the same words.
    p.time_dialog2.message(
        "The Admin has sent you the following message: Vardex is already running!");
    sim::User user(pc.process(p));
    EXPECT_TRUE(user.click(p.time_dialog2.ok_button));
    EXPECT_FALSE(pc.process(p).ended());
    p.vardex_dialog.hide();
    p.time_dialog.message("Vardex is already running!");
    EXPECT_TRUE(user.click(p.time_dialog.ok_button));
    EXPECT_FALSE(pc.process(p).ended());
}

TEST_F(Startup, AMissingInstallationEndsAtOkOrByItselfAtTheHundredFiftiethTick) {
    pc.machine.registry().remove_value(testing::install_path, "Help_Dir");
    Program& p = pc.start();
    world.advance(700);
    ASSERT_TRUE(p.time_dialog.visible());
    EXPECT_NE(p.time_dialog.mess_txt[0].caption().find("resgestry keys are right!"),
              std::string::npos);
    EXPECT_TRUE(p.lifecycle.startup_failed);
    world.advance(5000);
    EXPECT_FALSE(p.vardex_dialog.visible());  // the start sequence stopped
    sim::User user(pc.process(p));
    EXPECT_TRUE(user.click(p.time_dialog.ok_button));
    EXPECT_TRUE(pc.process(p).ended());
    EXPECT_FALSE(pc.machine.desktop().system_keys_locked());

    Program& again = pc.start();
    world.advance(14800);
    EXPECT_FALSE(pc.process(again).ended());
    world.advance(300);
    EXPECT_TRUE(pc.process(again).ended());
}

TEST_F(Startup, AFatalMessageFollowedByAnotherOneNoLongerEndsAtOk) {
    pc.put_settings();
    pc.machine.registry().remove_value(testing::settings_path, "String1");
    pc.machine.registry().fail_write(testing::settings_path, "String1");
    Program& p = pc.start();
    world.advance(700);
    ASSERT_TRUE(p.lifecycle.startup_failed);
    p.time_dialog.message("Another message");
    sim::User user(pc.process(p));
    EXPECT_TRUE(user.click(p.time_dialog.ok_button));
    EXPECT_FALSE(pc.process(p).ended());
    world.advance(14500);  // the 150th tick, 15 s after start
    EXPECT_TRUE(pc.process(p).ended());
    EXPECT_FALSE(p.vardex_dialog.visible());
}

TEST_F(Startup, AFatalStartRunsNoRecoveryOnDamagedSettings) {
    pc.put_settings();
    pc.put_number("Value5", 10);
    pc.machine.registry().remove_value(testing::settings_path, "String1");
    pc.machine.registry().fail_write(testing::settings_path, "String1");
    Program& p = pc.start();
    world.advance(3000);
    ASSERT_TRUE(p.lifecycle.startup_failed);
    EXPECT_EQ(p.mode.get(), ProgramMode::blocked);
    EXPECT_FALSE(p.lauf2_dialog.visible());
    EXPECT_FALSE(p.vardex_dialog.countdown_timer.running());
    world.advance(12000);
    EXPECT_TRUE(pc.process(p).ended());
}

TEST_F(Startup, AFatalMessageAfterStartUpEndsTheProgramInOrder) {
    pc.put_settings();
    pc.put_number("Value7", 1);
    Program& p = pc.start();
    world.advance(3000);
    sim::User user(pc.process(p));
    // The options reload the settings, and a repair that cannot be written is fatal.
    pc.machine.registry().remove_value(testing::settings_path, "String3");
    pc.machine.registry().fail_write(testing::settings_path, "String3");
    ASSERT_TRUE(user.click(p.vardex_dialog.options_button));
    ASSERT_TRUE(user.replace_text(p.sec_dialog.password_box, "zel"));
    ASSERT_TRUE(user.click(p.sec_dialog.ok_button));
    EXPECT_TRUE(pc.process(p).ended());
    EXPECT_EQ(p.mode.get(), ProgramMode::exiting);
    EXPECT_FALSE(p.options_dialog.visible());
    EXPECT_NE(pc.log().find(": Vardex was closed.\r\n"), std::string::npos);
    EXPECT_FALSE(pc.machine.desktop().system_keys_locked());
    EXPECT_EQ(pc.machine.registry().open_handles(), 0u);
}

TEST_F(Startup, RecoveryWithARunningTimeDistributerId) {
    pc.put_settings();
    sim::SimRegistry& reg = pc.machine.registry();
    reg.put_number(testing::settings_path, "l2_1", 1);
    reg.put_text(testing::settings_path, "l2_2_0", scramble_text("Kid1"));
    reg.put_number(testing::settings_path, "l2_3_0", 3600);
    reg.put_number(testing::settings_path, "l2_4_0", 1);
    reg.put_number(testing::settings_path, "l2_5_0", serial_from_civil({2026, 12, 7}));
    reg.put_number(testing::settings_path, "l2_6_0", 600);
    pc.put_number("l2_0", 1);
    pc.put_number("Value5", 11);  // what the ID's start wrote: its minutes plus one
    Program& p = pc.start();
    world.advance(700);
    ASSERT_EQ(p.mode.get(), ProgramMode::timing);
    EXPECT_EQ(p.settings.record().Active_Time_Dist_ID, 1);
    EXPECT_EQ(p.countdown.end_seconds, 600);
    // The ID's controls are usable, and its exit needs no check: the rest is kept.
    EXPECT_TRUE(p.vardex_dialog.distributer_button.enabled());
    world.advance(100000);
    const std::int32_t left = p.countdown.remaining_seconds;
    EXPECT_NEAR(left, 500, 1);
    sim::User user(pc.process(p));
    ASSERT_TRUE(user.click_form(p.lauf2_dialog));
    ASSERT_TRUE(user.click(p.lauf_dialog.exit_button));
    EXPECT_EQ(p.mode.get(), ProgramMode::blocked);
    EXPECT_FALSE(p.sec_dialog.visible());
    EXPECT_EQ(p.settings.record().time_dist_ids[0].Time_Dist_Remain, left);
    EXPECT_EQ(pc.number("l2_6_0"), left);
    EXPECT_EQ(pc.number("l2_0"), 0);
}

struct Recovery
    : Startup,
      ::testing::WithParamInterface<std::tuple<std::int32_t, std::int32_t, const char*>> {};

TEST_P(Recovery, ACheckpointRestartsTheCountdownChargingTheLostMinute) {
    const auto [stored, seconds, logged] = GetParam();
    pc.put_settings();
    pc.put_number("Value5", stored);
    pc.put_number("Value8", 1);
    Program& p = pc.start();
    world.advance(650);
    EXPECT_FALSE(p.start_dialog.visible());
    EXPECT_FALSE(p.start_dialog.startup_timer.running());
    EXPECT_EQ(p.mode.get(), seconds < 0 ? ProgramMode::open_ended : ProgramMode::timing);
    EXPECT_TRUE(p.lauf2_dialog.visible());
    EXPECT_TRUE(p.lauf2_dialog.topmost());
    EXPECT_EQ(p.countdown.end_seconds, seconds < 0 ? 0 : seconds);
    if (seconds < 0) {
        EXPECT_DOUBLE_EQ(p.countdown.elapsed_seconds, -seconds);
    }
    ASSERT_TRUE(p.time_dialog.visible());
    EXPECT_EQ(
        p.time_dialog.mess_txt[0].caption(),
        "Vardex discovered unusual shutdown! Timer continued running from last recorded time.");
    // The log names the time that was resumed.
    EXPECT_NE(pc.log().find(std::string(": Timer started at Vardex start for ") + logged + "\r\n"),
              std::string::npos);
    world.advance(10000);
    EXPECT_FALSE(p.vardex_dialog.visible());  // the main start step never runs in this start
    // What the main start step would have set up runs all the same: the program-file guard
    // with its key-lock refresh, and the Time Distributer group (no ID here: off).
    EXPECT_TRUE(p.vardex_dialog.guard_timer.running());
    EXPECT_FALSE(p.vardex_dialog.distributer_button.enabled());
    pc.machine.files().remove("C:\\Program Files\\Vardex\\vado41.exe");
    world.advance(3000);
    EXPECT_TRUE(pc.machine.files().exists("C:\\Program Files\\Vardex\\vado41.exe"));
}

INSTANTIATE_TEST_SUITE_P(Values, Recovery,
                         ::testing::Values(std::tuple{1, 60, "0:01"}, std::tuple{2, 60, "0:01"},
                                           std::tuple{10, 540, "0:09"}, std::tuple{-1, -60, "0:01"},
                                           std::tuple{-5, -360, "0:06"},
                                           std::tuple{125, 7440, "2:04"}));

TEST_F(Startup, AbsurdCheckpointsStayWithinTheCountdown) {
    pc.put_settings();
    pc.put_number("Value5", 2147483647);
    Program& p = pc.start();
    world.advance(700);
    EXPECT_EQ(p.mode.get(), ProgramMode::timing);
    EXPECT_GT(p.countdown.end_seconds, 2000000000);
    EXPECT_GT(p.countdown.remaining_seconds, 0);

    sim::World w2;
    testing::VardexMachine other(w2, "PC2", "10.0.0.2");
    other.put_settings();
    other.put_number("Value5", -2147483647 - 1);
    Program& q = other.start();
    w2.advance(700);
    EXPECT_EQ(q.mode.get(), ProgramMode::open_ended);
    EXPECT_GT(q.countdown.elapsed_seconds, 2000000000.0);
    // The count saturates instead of overflowing the 32-bit seconds.
    w2.advance(10000);
    EXPECT_EQ(q.countdown.remaining_seconds, 2147483647);
}

TEST_F(Startup, TheProgramFileComesBackWithItsFolders) {
    pc.put_settings();
    Program& p = pc.start();
    world.advance(3000);
    sim::SimFiles& files = pc.machine.files();
    world.advance(3000);
    ASSERT_EQ(files.content(files.work_folder() + "~btw.tmp"), "MZ program");
    files.put("C:\\Program Files\\Vardex\\vado41.exe", "MZ newer");
    world.advance(6000);
    EXPECT_EQ(files.content(files.work_folder() + "~btw.tmp"), "MZ program");  // made once
    // The whole installation folder goes; the backup is older than the installed file.
    files.remove_folder("C:\\Program Files\\Vardex");
    EXPECT_FALSE(files.folder_exists("C:\\Program Files\\Vardex"));
    world.advance(3000);
    EXPECT_EQ(files.content("C:\\Program Files\\Vardex\\vado41.exe"), "MZ program");
    (void)p;
}

TEST_F(Startup, ExitInOrderAndTheShutdownQuestion) {
    pc.put_settings();
    pc.put_number("Value7", 1);
    Program& p = pc.start();
    world.advance(3000);
    pc.machine.files().put("C:\\Program Files\\Vardex\\help\\index.html", "<p>Topics</p>");
    p.help.show_topic(HelpTopic::main_dialog);
    ASSERT_TRUE(p.help_dialog.visible());
    p.lifecycle.exit_program();
    EXPECT_FALSE(p.help_dialog.visible());
    EXPECT_TRUE(pc.process(p).ended());
    EXPECT_FALSE(pc.machine.desktop().system_keys_locked());
    EXPECT_FALSE(pc.machine.desktop().cursor_clip().has_value());
    EXPECT_EQ(p.mode.get(), ProgramMode::exiting);
    EXPECT_EQ(pc.machine.registry().open_handles(), 0u);
    const std::string log = pc.log();
    EXPECT_NE(log.find(": Vardex was started.\r\n"), std::string::npos);
    EXPECT_NE(log.find(": Vardex was closed.\r\n"), std::string::npos);
    EXPECT_EQ(log.substr(0, 13), "07.12.2026 - ");

    Program& q = pc.start();
    world.advance(3000);
    sim::User user(pc.process(q));
    q.quest_dialog.show();
    EXPECT_TRUE(user.click(q.quest_dialog.no_button));
    EXPECT_FALSE(q.quest_dialog.visible());
    q.quest_dialog.show();
    EXPECT_TRUE(user.click(q.quest_dialog.yes_button));
    EXPECT_EQ(pc.machine.desktop().shutdowns(), 1);
    EXPECT_TRUE(pc.process(q).ended());
}

TEST_F(Startup, TheMainWindowsRefuseToClose) {
    pc.put_settings();
    Program& p = pc.start();
    sim::User user(pc.process(p));
    EXPECT_FALSE(user.close(p.start_dialog));
    world.advance(3000);
    p.time_dialog.show();
    p.about_dialog.show();
    p.lauf_dialog.show();
    for (Form* f : std::initializer_list<Form*>{&p.vardex_dialog, &p.time_dialog, &p.about_dialog,
                                                &p.lauf_dialog}) {
        EXPECT_FALSE(user.close(*f)) << f->name();
        EXPECT_TRUE(f->visible()) << f->name();
    }
}

}  // namespace
}  // namespace vardex
