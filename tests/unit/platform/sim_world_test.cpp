#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"

namespace vardex {
namespace {

class TimerForm final : public Form {
  public:
    TimerForm() : Form("Timer_Dialog") {}
    Timer fast{*this, "Timer1", 30, false};
    Timer slow{*this, "Timer2", 100, false};
};

struct SimWorld : ::testing::Test {
    sim::World world{CivilDate{2026, 12, 7}, 23 * 3600.0 + 59 * 60.0 + 58.0};
    sim::Machine& machine = world.add_machine("PC1", "10.0.0.1");
    sim::SimProcess& process = machine.start_process();
    TimerForm form;
    std::vector<std::string> ticks;
    SimWorld() {
        process.windows().attach(form);
        form.fast.on_tick = [this] { ticks.push_back("fast@" + std::to_string(world.now_ms())); };
        form.slow.on_tick = [this] { ticks.push_back("slow@" + std::to_string(world.now_ms())); };
    }
};

TEST_F(SimWorld, TimersFireInTimeOrderOnlyWhileEnabled) {
    form.fast.set_enabled(true);
    form.slow.set_enabled(true);
    world.advance(100);
    EXPECT_EQ(ticks, (std::vector<std::string>{"fast@30", "fast@60", "fast@90", "slow@100"}));
    ticks.clear();
    form.fast.set_enabled(false);
    world.advance(100);
    EXPECT_EQ(ticks, (std::vector<std::string>{"slow@200"}));
    ticks.clear();
    form.slow.set_interval(0);  // an interval of 0 stops a timer
    world.advance(1000);
    EXPECT_TRUE(ticks.empty());
}

TEST_F(SimWorld, ReEnablingRestartsTheIntervalAndAHandlerMayStopItsTimer) {
    form.slow.set_enabled(true);
    world.advance(50);
    form.slow.set_enabled(false);
    form.slow.set_enabled(true);
    world.advance(120);
    EXPECT_EQ(ticks, (std::vector<std::string>{"slow@150"}));
    ticks.clear();
    form.slow.on_tick = [this] {
        ticks.push_back("once");
        form.slow.set_enabled(false);
    };
    world.advance(1000);
    EXPECT_EQ(ticks, (std::vector<std::string>{"once"}));
}

TEST_F(SimWorld, ASuspendedMachineFiresEachDueTimerOnceAtWakeUp) {
    form.slow.set_enabled(true);
    world.advance(100);
    machine.suspend();
    world.advance(3'600'000);
    EXPECT_EQ(ticks.size(), 1u);
    machine.resume();
    world.advance(0);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[1], "slow@3600100");
    world.advance(100);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(SimWorld, WaitLoopsRunOtherTimersInsideAHandlerButNotItsOwn) {
    // A handler that waits by letting the message loop run, as the check-in and the guard's
    // calls to its face do. Its own timer falling due meanwhile must not start it again inside
    // itself: such waits would nest without end.
    form.fast.set_enabled(true);
    int entered = 0;
    int waits = 0;
    form.slow.on_tick = [&] {
        ++entered;
        if (waits++ == 0) {
            const auto before = ticks.size();
            while (ticks.size() < before + 5) {
                process.windows().do_events();
            }
        }
    };
    form.slow.set_enabled(true);
    world.advance(250);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(ticks.size(), 8u);  // fast@30 to fast@240: the others ran during the wait
    world.advance(50);
    EXPECT_EQ(entered, 2);  // the next tick after the wait comes as usual
}

TEST_F(SimWorld, TheClockCrossesMidnightAndCanBeSet) {
    Clock& clock = process.clock();
    EXPECT_DOUBLE_EQ(clock.seconds_since_midnight(), 86398.0);
    const std::int32_t day = clock.today();
    world.advance(2500);
    EXPECT_EQ(clock.today(), day + 1);
    EXPECT_NEAR(clock.seconds_since_midnight(), 0.5, 1e-9);
    EXPECT_EQ(clock.short_date_text(clock.today()), "08.12.2026");
    EXPECT_EQ(clock.time_text(9 * 3600 + 16 * 60 + 54.7), "09:16:54");
    ASSERT_TRUE(clock.set_now(LocalTime{day, 3600.0}));
    world.advance(1000);
    EXPECT_EQ(clock.now(), (LocalTime{day, 3601.0}));
    machine.clock().refuse_set(true);
    EXPECT_FALSE(clock.set_now(LocalTime{day, 0}));
}

TEST_F(SimWorld, QuitEndsTheProcessItsTimersAndItsLocks) {
    ASSERT_TRUE(process.desktop().claim_single_instance("Vardex"));
    sim::SimProcess& second = machine.start_process();
    EXPECT_FALSE(second.desktop().claim_single_instance("VARDEX"));
    form.fast.set_enabled(true);
    form.show();
    process.windows().quit(0);
    EXPECT_TRUE(process.ended());
    world.advance(1000);
    EXPECT_TRUE(ticks.empty());
    EXPECT_TRUE(machine.desktop().z_order().empty());
    EXPECT_TRUE(second.desktop().claim_single_instance("Vardex"));
}

}  // namespace
}  // namespace vardex
