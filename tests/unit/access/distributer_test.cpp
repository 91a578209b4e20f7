#include <gtest/gtest.h>

#include "../core/program_fixture.h"

namespace vardex {
namespace {

// The operator's "&Time Distr." page, and the customers' starts from the main dialog.
struct Distributer : testing::BlockedMachineTest {
    Distributer() { start_blocked(); }
    DistributerPage& page() { return p->options_dialog.distributer; }
    void open_page() {
        ASSERT_TRUE(user->click(p->vardex_dialog.options_button));
        ASSERT_TRUE(user->replace_text(p->sec_dialog.password_box, "zel"));
        ASSERT_TRUE(user->click(p->sec_dialog.ok_button));
        ASSERT_TRUE(user->select_tab(p->options_dialog.tabs, 7));
    }
    // Fills the new-ID boxes; the period: 0 none, 1 day, 7 week.
    void enter(const std::string& id, const std::string& hours, const std::string& minutes,
               int period) {
        ASSERT_TRUE(user->replace_text(page().id_box, id));
        ASSERT_TRUE(user->replace_text(page().hours_box, hours));
        ASSERT_TRUE(user->replace_text(page().minutes_box, minutes));
        if (period == 1) {
            ASSERT_TRUE(user->click(page().daily));
        } else if (period == 7) {
            ASSERT_TRUE(user->click(page().weekly));
        }
        ASSERT_TRUE(user->click(page().create_button));
    }
    std::string last_message() {
        const TimeDialog& t = p->time_dialog;
        return t.message_count > 0 ? t.mess_txt[t.message_count - 1].caption() : "";
    }
    void start(const std::string& id) {
        ASSERT_TRUE(user->replace_text(p->vardex_dialog.distributer_box, id));
        ASSERT_TRUE(user->click(p->vardex_dialog.distributer_button));
    }
    void stop() {
        ASSERT_TRUE(user->click_form(p->lauf2_dialog));
        ASSERT_TRUE(user->click(p->lauf_dialog.exit_button));
    }
    sim::SimClock& clock() { return pc.machine.clock(); }
    void to_day(std::int32_t day) { clock().change_time(LocalTime{day, 10 * 3600.0}); }
};

TEST_F(Distributer, ANewIdIsCheckedInOrderAndListed) {
    open_page();
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"Anna", "", "30", "1"},
         "You have to enter a number of hours, for which the computer will be accesible every "
         "day/week!"},
        {{"", "1", "30", "1"}, "You have to enter an ID in the ID textfield!"},
        {{"Anna", "1", "", "1"},
         "You have to enter a number of minutes in the minutes text field!"},
        {{"Anna", "1a", "30", "1"}, "Please enter an integer in the 'hours' Textbox!"},
        {{"Anna", "1", "3x", "1"}, "Please enter just integers in the 'Minutes' Textbox!"},
        {{"Anna", "1", "30", "0"}, "Please choose a period: 'weekly' or 'daily'"},
    };
    for (const auto& [in, message] : refused) {
        enter(in[0], in[1], in[2], std::stoi(in[3]));
        EXPECT_EQ(last_message(), message);
        EXPECT_TRUE(p->settings.record().time_dist_ids.empty());
        p->time_dialog.ok();
        page().daily.set_value(false);
        page().weekly.set_value(false);
    }
    enter("Anna", "2", "0", 1);
    ASSERT_EQ(p->settings.record().time_dist_ids.size(), 1u);
    const TimeDistributerId& id = p->settings.record().time_dist_ids[0];
    EXPECT_EQ(id.Time_Dist_Time, 7200);
    EXPECT_EQ(id.Time_Dist_Remain, 7200);
    EXPECT_EQ(id.Time_Dist_Period, 1);
    EXPECT_EQ(id.Time_Dist_Date, clock().today());
    EXPECT_EQ(page().ids.items(),
              (std::vector<std::string>{"Anna | 02:00 | daily | 02:00 | 08.12.2026"}));
    EXPECT_EQ(page().id_box.text(), "");
    EXPECT_EQ(page().hours_box.text(), "");
    // Twenty-one IDs at most.
    for (int i = 1; i < 21; ++i) {
        enter("Id" + std::to_string(i), "1", "0", 7);
    }
    EXPECT_EQ(p->settings.record().time_dist_ids.size(), 21u);
    enter("Extra", "1", "0", 7);
    EXPECT_EQ(last_message(),
              "The maximum allowed number of Time Distributer IDs has been reached.\nPlease delete "
              "another Time Distributer ID before continuing!");
    EXPECT_EQ(p->settings.record().time_dist_ids.size(), 21u);
    ASSERT_TRUE(user->select(page().ids, 3));
    pc.machine.desktop().answer_yes_no(true);
    ASSERT_TRUE(user->click(page().delete_button));
    enter("Extra", "1", "0", 7);
    EXPECT_EQ(p->settings.record().time_dist_ids.back().Time_Dist_ID, "Extra");
    // Leaving stores them, and the main dialog's group can be used now.
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    EXPECT_EQ(pc.number("l2_1"), 21);
    EXPECT_TRUE(p->vardex_dialog.distributer_button.enabled());
    EXPECT_TRUE(p->vardex_dialog.distributer_frame.enabled());
}

TEST_F(Distributer, DeleteAndResetWorkOnTheSelectedLine) {
    open_page();
    enter("Anna", "1", "0", 1);
    enter("Ben", "0", "30", 7);
    ASSERT_TRUE(user->click(page().delete_button));
    EXPECT_EQ(last_message(),
              "No Time Distributor ID was deleted, because no one was selected in the list!");
    ASSERT_TRUE(user->click(page().reset_button));
    EXPECT_EQ(last_message(),
              "No Time Distributor ID was reseted, because no one was selected in the list!");
    p->settings.record().time_dist_ids[1].Time_Dist_Remain = 0;
    ASSERT_TRUE(user->select(page().ids, 1));
    ASSERT_TRUE(user->click(page().reset_button));
    EXPECT_EQ(last_message(), "The Time Distributor ID was successfully reseted!");
    EXPECT_EQ(p->settings.record().time_dist_ids[1].Time_Dist_Remain, 1800);
    // A No keeps the ID.
    ASSERT_TRUE(user->select(page().ids, 0));
    pc.machine.desktop().answer_yes_no(false);
    ASSERT_TRUE(user->click(page().delete_button));
    EXPECT_EQ(p->settings.record().time_dist_ids.size(), 2u);
    EXPECT_EQ(pc.machine.desktop().questions().back(),
              "Are you sure, you want to delete the selected Time Distributor ID?");
    // Deleting an ID before the running one keeps the running one.
    p->settings.record().Active_Time_Dist_ID = 2;
    pc.machine.desktop().answer_yes_no(true);
    ASSERT_TRUE(user->click(page().delete_button));
    EXPECT_EQ(page().ids.list_count(), 1);
    EXPECT_EQ(p->settings.record().Active_Time_Dist_ID, 1);
    ASSERT_TRUE(user->select(page().ids, 0));
    pc.machine.desktop().answer_yes_no(true);
    ASSERT_TRUE(user->click(page().delete_button));
    EXPECT_EQ(p->settings.record().Active_Time_Dist_ID, 0);
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    EXPECT_FALSE(p->vardex_dialog.distributer_button.enabled());
}

TEST_F(Distributer, ADailyIdUsedUpTodayIsRechargedTomorrowNotDoubled) {
    open_page();
    enter("Anna", "0", "2", 1);
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    const std::int32_t today = clock().today();
    start("anna");  // another letter case finds it
    ASSERT_EQ(p->mode.get(), ProgramMode::timing);
    world.advance(125000);
    ASSERT_EQ(p->mode.get(), ProgramMode::blocked);
    start("Anna");
    EXPECT_EQ(p->time_dialog2.text_label.caption(),
              "This Time Distributer ID has no time left! Next recharge " +
                  clock().short_date_text(today + 1));
    ASSERT_TRUE(user->click(p->time_dialog2.ok_button));
    to_day(today + 3);
    start("Anna");
    ASSERT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(p->countdown.end_seconds, 120);  // one day's allowance, whatever days passed
}

TEST_F(Distributer, AWeeklyIdRechargesOnTheSameWeekdayOrLater) {
    open_page();
    enter("Club", "1", "0", 7);
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    const std::int32_t wednesday = serial_from_civil({2026, 12, 9});
    p->settings.record().time_dist_ids[0].Time_Dist_Date = wednesday;
    p->settings.record().time_dist_ids[0].Time_Dist_Remain = 0;
    to_day(wednesday + 6);  // Tuesday
    start("Club");
    EXPECT_TRUE(p->time_dialog2.visible());
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    ASSERT_TRUE(user->click(p->time_dialog2.ok_button));
    to_day(wednesday + 8);  // Thursday after
    start("Club");
    ASSERT_EQ(p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(p->settings.record().time_dist_ids[0].Time_Dist_Date, wednesday + 8);
}

TEST_F(Distributer, AnIdStoppedEarlyKeepsItsRestForThePeriod) {
    open_page();
    enter("Anna", "1", "0", 1);
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    start("Anna");
    world.advance(600 * 1000);
    stop();  // no security check for an ID
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    const std::int32_t rest = p->settings.record().time_dist_ids[0].Time_Dist_Remain;
    EXPECT_NEAR(rest, 3000, 2);
    EXPECT_EQ(pc.number("l2_6_0"), rest);
    start("Anna");
    EXPECT_EQ(p->countdown.end_seconds, rest);
    // Stopped at once, in the second that shows one more: nothing is gained.
    stop();
    for (int i = 0; i < 3; ++i) {
        start("Anna");
        stop();
    }
    EXPECT_EQ(p->settings.record().time_dist_ids[0].Time_Dist_Remain, rest);
}

TEST_F(Distributer, ADamagedStoresNumbersNeitherOverflowNorShowNegativeTime) {
    // Written by an older version's import: the last day there is, and time below nothing.
    pc.put_number("l2_1", 2);
    const std::pair<const char*, std::array<std::int32_t, 4>> stored[] = {
        {"Anna", {3600, 7, 2147483647, -1}}, {"Ben", {3600, -32768, -2147483647, 600}}};
    // Value names built by appending: GCC 12 warns wrongly of "text" + a temporary.
    auto value = [](int field, int i) {
        std::string name = "l2_";
        name += std::to_string(field);
        name += '_';
        name += std::to_string(i);
        return name;
    };
    for (int i = 0; i < 2; ++i) {
        pc.machine.registry().put_text(testing::settings_path, value(2, i),
                                       scramble_text(stored[i].first));
        for (int f = 0; f < 4; ++f) {
            pc.put_number(value(3 + f, i), stored[i].second[f]);
        }
    }
    open_page();
    ASSERT_EQ(page().ids.list_count(), 2);
    EXPECT_EQ(page().ids.item(0).substr(0, 33), "Anna | 01:00 | weekly | 00:00 | 3");
    ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    start("anna");
    EXPECT_EQ(p->mode.get(), ProgramMode::blocked);
    EXPECT_EQ(p->time_dialog2.text_label.caption().substr(0, 56),
              "This Time Distributer ID has no time left! Next recharge");
    start("ben");
    EXPECT_EQ(p->mode.get(), ProgramMode::timing) << "a period long past recharges";
}

}  // namespace
}  // namespace vardex
