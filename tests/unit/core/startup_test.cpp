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
    EXPECT_EQ(p.start_dialog.label4.caption(), "Built 2");
    world.advance(2700);
    EXPECT_FALSE(p.vardex_dialog.visible());
    world.advance(150);
    EXPECT_FALSE(p.start_dialog.visible());
    EXPECT_TRUE(p.vardex_dialog.visible());
    EXPECT_TRUE(p.blocker_win.visible());
    EXPECT_EQ(p.state.program_mode, mode_blocked);
    EXPECT_TRUE(p.vardex_dialog.timer2.running());
    EXPECT_EQ(p.vardex_dialog.timer2.interval(), 300);
    EXPECT_TRUE(p.vardex_dialog.timer3.running());
    EXPECT_TRUE(p.vardex_dialog.timer4.running());
    EXPECT_FALSE(p.vardex_dialog.timer1.running());
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
    EXPECT_NE(p.time_dialog2.label1.caption().find("Password is set to 'zel'"), std::string::npos);
}

}  // namespace
}  // namespace vardex
