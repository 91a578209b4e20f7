#include <gtest/gtest.h>

#include <vector>

#include "program_fixture.h"
#include "settings/operating_mode.h"

namespace vardex {
namespace {

TEST(OperatingMode, ObserversHearEachChangeOnceWhenItIsAnnounced) {
    OperatingMode mode;
    std::vector<ModeChange> heard;
    mode.observe([&](const ModeChange& c) { heard.push_back(c); });
    {
        ModeTransition change = mode.change_to(ProgramMode::timing, ModeCause::countdown_started);
        EXPECT_TRUE(mode.is(ProgramMode::timing));  // in force at once
        EXPECT_TRUE(heard.empty());                 // heard when announced
        ModeTransition moved = std::move(change);
        moved.announce();
        moved.announce();
    }
    {
        ModeTransition pause = mode.change_to(ProgramMode::paused);
    }  // announced at the end of its scope at the latest
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].from, ProgramMode::blocked);
    EXPECT_EQ(heard[0].to, ProgramMode::timing);
    EXPECT_EQ(heard[0].cause, ModeCause::countdown_started);
    EXPECT_EQ(heard[1].from, ProgramMode::timing);
    EXPECT_EQ(heard[1].to, ProgramMode::paused);
    EXPECT_EQ(heard[1].cause, ModeCause::other);
    EXPECT_TRUE(mode.paused());
}

// Every way through the program changes the mode through its owner, and the observer hears it
// at the step where the administrator must: a start after its time shows.
struct ModeObserver : testing::BlockedMachineTest {
    struct Heard {
        ProgramMode to;
        ModeCause cause;
        std::int32_t remaining;
    };
    std::vector<Heard> heard;
    ModeObserver() {
        start_blocked();
        p->mode.observe([this](const ModeChange& c) {
            heard.push_back({c.to, c.cause, p->countdown.remaining_seconds});
        });
        p->settings.record().Pause_Option = 1;
    }
    void pass_check() {
        ASSERT_TRUE(user->replace_text(p->sec_dialog.password_box, "zel"));
        ASSERT_TRUE(user->click(p->sec_dialog.ok_button));
    }
};

TEST_F(ModeObserver, HearsEveryChangeOfASession) {
    p->vardex_dialog.hours_box.set_text("0");
    p->vardex_dialog.minutes_box.set_text("10");
    ASSERT_TRUE(user->click(p->vardex_dialog.start_button));
    pass_check();
    world.advance(3000);
    ASSERT_TRUE(user->click_form(p->lauf2_dialog));
    ASSERT_TRUE(user->click(p->lauf_dialog.pause_button));
    ASSERT_TRUE(user->click(p->lauf_dialog.pause_button));
    p->countdown.end_timer(": Timer was exited.");
    ASSERT_TRUE(user->click(p->vardex_dialog.options_button));
    pass_check();
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    p->lifecycle.exit_program();

    const std::vector<ProgramMode> expected = {
        ProgramMode::timing,  ProgramMode::paused,  ProgramMode::timing, ProgramMode::blocked,
        ProgramMode::options, ProgramMode::blocked, ProgramMode::exiting};
    ASSERT_EQ(heard.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(heard[i].to, expected[i]) << i;
    }
    EXPECT_EQ(heard[0].cause, ModeCause::countdown_started);
    // The start is heard with the time it shows (one second more until the first regular
    // tick), not with what the last run left.
    EXPECT_EQ(heard[0].remaining, 601);
    EXPECT_EQ(heard[2].cause, ModeCause::other);  // a resume is no new start
}

}  // namespace
}  // namespace vardex
