#include <gtest/gtest.h>

#include "network/admin_log.h"
#include "network/console_rows.h"
#include "network_fixture.h"
#include "platform/sim/sim_files.h"

namespace vardex {
namespace {

using testing::Seat;

TEST(ConsoleRows, TimesAreHoursMinutesAndSecondsOfTwoDigitsAtLeast) {
    EXPECT_EQ(format_hms(3725), "01:02:05");
    EXPECT_EQ(format_hms(360000), "100:00:00");
    EXPECT_EQ(format_hms(0), "00:00:00");
    EXPECT_EQ(format_hms(59.9), "00:00:59");
    EXPECT_EQ(admin_log_duration(2, 5), "02:05:00");
    EXPECT_EQ(admin_log_duration(0, 75), "00:75:00");
}

TEST(ConsoleRows, ARecordKeepsItsFiveFieldsWhateverTheName) {
    EXPECT_EQ(admin_log_record("07.12.2026", "14:03:12", "PC3", "Countdown start", "02:05:00"),
              "07.12.2026,14:03:12,PC3,Countdown start,02:05:00");
    EXPECT_EQ(admin_log_record("d", "t", "Room 3, PC \"A\"", "Countup stopped", "???"),
              "d,t,\"Room 3, PC \"\"A\"\"\",Countup stopped,???");
    EXPECT_EQ(admin_log_record("d", "t", "two\r\nlines", "e", "v"), "d,t,\"two\r\nlines\",e,v");
}

// An administrator started with the console at start, and two clients that joined it.
struct ConsoleTest : ::testing::Test {
    sim::World world;
    Seat admin{world, "ADMINPC", "192.168.0.1"};
    Seat pc1{world, "HOST1", "192.168.0.11"};
    Seat pc2{world, "HOST2", "192.168.0.12"};

    ConsoleTest() {
        admin.pc.put_number("Value11", 2);
        admin.pc.put_number("Value13", 9023);
        admin.pc.put_number("Value20", 1);
        admin.pc.machine.registry().put_text(testing::settings_path, "String9",
                                             scramble_text("admin"));
        admin.pc.machine.registry().put_text(testing::settings_path, "String10",
                                             scramble_text("192.168.0.1"));
        admin.start();
        pass_check();
        for (Seat* c : {&pc1, &pc2}) {
            c->start();
            c->connect_client(c == &pc1 ? "PC1" : "PC2", "192.168.0.1");
            c->leave_options();
        }
        world.advance(1500);
    }
    void pass_check() {
        EXPECT_TRUE(admin.p->sec_dialog.visible());
        EXPECT_TRUE(admin.user->replace_text(admin.p->sec_dialog.password_box, "zel"));
        EXPECT_TRUE(admin.user->click(admin.p->sec_dialog.ok_button));
    }
    NetworkDialog& d() { return admin.p->network_dialog; }
    Grid& grid() { return d().computer_grid; }
    int row_of(const std::string& name) {
        for (int r = 1; r < grid().rows(); ++r) {
            if (grid().cell(r, 0) == name) {
                return r;
            }
        }
        return -1;
    }
    std::string cell(const std::string& name, ConsoleColumn col) {
        const int r = row_of(name);
        return r < 0 ? "(no row)" : grid().cell(r, static_cast<int>(col));
    }
    NetworkComputer& record(const std::string& name) {
        NetworkProtocol& p = admin.protocol();
        return p.computer_table.at(static_cast<std::size_t>(p.find_computer(name)));
    }
    void select(const std::string& name) {
        ASSERT_TRUE(admin.user->select_row(grid(), row_of(name)));
    }
    void click(CommandButton& button) { ASSERT_TRUE(admin.user->click(button)); }
    void log_to(const std::string& path) {
        admin.record().Log_for_Admin = 1;
        admin.record().Path_for_Log_for_Admin = path;
    }
    std::string file(const std::string& path) {
        return admin.pc.machine.files().content(path).value_or("(none)");
    }
};

TEST_F(ConsoleTest, TheConsoleOpensAtStartAndShowsEveryClient) {
    EXPECT_TRUE(d().visible());
    EXPECT_EQ(d().caption(), "Network Control...");
    EXPECT_FALSE(admin.p->blocker_win.visible());
    EXPECT_FALSE(admin.p->vardex_dialog.visible());
    EXPECT_TRUE(d().repaint_timer.enabled());
    EXPECT_EQ(grid().cell(0, 0), "Computer Name");
    EXPECT_EQ(grid().cell(0, 4), "Com");
    EXPECT_EQ(grid().col_width(0), 1400);
    EXPECT_EQ(grid().col_width(4), 600);
    EXPECT_EQ(grid().rows(), 100);
    for (const char* name : {"PC1", "PC2"}) {
        EXPECT_EQ(cell(name, ConsoleColumn::status), "Lock mode") << name;
        EXPECT_EQ(cell(name, ConsoleColumn::running), "-");
        EXPECT_EQ(cell(name, ConsoleColumn::remaining), "-");
        EXPECT_EQ(cell(name, ConsoleColumn::busy), "");
    }
    // Sorting by status puts the locked client below the one in its options.
    ASSERT_TRUE(pc1.user->click(pc1.p->vardex_dialog.options_button));
    ASSERT_TRUE(pc1.user->replace_text(pc1.p->sec_dialog.password_box, "zel"));
    ASSERT_TRUE(pc1.user->click(pc1.p->sec_dialog.ok_button));
    world.advance(1500);
    EXPECT_EQ(cell("PC1", ConsoleColumn::status), "Options mode");
    ASSERT_TRUE(admin.user->select(d().sort_box, 1));
    EXPECT_EQ(grid().cell(1, 0), "PC2");
    EXPECT_EQ(grid().cell(2, 0), "PC1");
    ASSERT_TRUE(admin.user->select(d().sort_box, 0));
    EXPECT_EQ(grid().cell(1, 0), "PC1");
    EXPECT_EQ(grid().row(), 0) << "sorting clears the selection";
}

TEST_F(ConsoleTest, APingShowsNoFeedbackUntilAnsweredThenPingAnsweredForTwoSeconds) {
    pc2.pc.machine.suspend();
    click(d().ping_button);
    EXPECT_EQ(cell("PC1", ConsoleColumn::status), "NO FEEDBACK");
    EXPECT_EQ(cell("PC2", ConsoleColumn::status), "NO FEEDBACK");
    world.advance(100);
    EXPECT_EQ(cell("PC1", ConsoleColumn::status), "Ping answered");
    EXPECT_EQ(cell("PC2", ConsoleColumn::status), "NO FEEDBACK");
    world.advance(2500);
    EXPECT_EQ(cell("PC1", ConsoleColumn::status), "Lock mode");
    EXPECT_EQ(cell("PC2", ConsoleColumn::status), "NO FEEDBACK");
    // A client without feedback takes no command.
    select("PC2");
    click(d().open_ended_button);
    EXPECT_EQ(admin.last_message(),
              "This computer gives no feedback, so it can't take commands. Try to 'Ping all "
              "computers' to get some Feedback or check Vardex on that computer.");
}

TEST_F(ConsoleTest, ACountdownIsSentLoggedAndCountedDownEachSecond) {
    log_to("C:\\logs\\admin.csv");
    admin.pc.machine.files().create_folder("C:\\logs");
    select("PC1");
    ASSERT_TRUE(admin.user->replace_text(d().hours_box, "1"));
    ASSERT_TRUE(admin.user->replace_text(d().minutes_box, "30"));
    click(d().countdown_button);
    EXPECT_EQ(cell("PC1", ConsoleColumn::busy), "***");
    EXPECT_EQ(grid().row(), 0);
    world.advance(200);
    EXPECT_EQ(pc1.p->mode.get(), ProgramMode::timing);
    EXPECT_NEAR(pc1.p->countdown.remaining_seconds, 5400, 1);
    EXPECT_EQ(cell("PC1", ConsoleColumn::busy), "");
    EXPECT_EQ(cell("PC1", ConsoleColumn::status), "Timing mode");
    EXPECT_EQ(cell("PC1", ConsoleColumn::running), "00:00:00");
    EXPECT_EQ(cell("PC1", ConsoleColumn::remaining), "01:30:00");
    world.advance(1000);
    admin.p->console.repaint_list();  // what the next tick shows
    EXPECT_EQ(cell("PC1", ConsoleColumn::running), "00:00:01");
    EXPECT_EQ(cell("PC1", ConsoleColumn::remaining), "01:29:59");
    const std::string log = file("C:\\logs\\admin.csv");
    EXPECT_EQ(log.substr(0, 11), "07.12.2026,");
    EXPECT_EQ(log.substr(19), ",PC1,Countdown start,01:30:00\r\n");

    // A stall of 30 seconds counts as one.
    pc1.pc.machine.suspend();
    d().repaint_timer.set_enabled(false);
    world.advance(30000);
    admin.p->console.repaint_list();
    EXPECT_EQ(cell("PC1", ConsoleColumn::remaining), "01:29:58");

    // A running client takes no new start, and no second command before the first is done.
    select("PC1");
    click(d().countdown_button);
    EXPECT_EQ(admin.last_message(),
              "Computer has to be in block mode before you can put it into timing mode");
    record("PC1").busy = true;
    select("PC1");
    click(d().lock_button);
    EXPECT_EQ(admin.last_message(),
              "The computer is still working on an old command. Please wait, until the old "
              "command id done!");
}

TEST_F(ConsoleTest, TheTimeBoxesTakeDigitsOnly) {
    const std::pair<std::pair<const char*, const char*>, const char*> refused[] = {
        {{"1a", "0"}, "Please enter an integer in the 'hours' Textbox!"},
        {{"-1", "0"}, "Please enter an integer in the 'hours' Textbox!"},
        {{"1", "x"}, "Please enter just integers in the 'Minutes' Textbox!"},
        {{"100", "0"}, "Number in houres box is to large!"},
        {{"1", "123"}, "Number in minutes box is to large!"},
    };
    for (const auto& [boxes, text] : refused) {
        select("PC1");
        ASSERT_TRUE(admin.user->replace_text(d().hours_box, boxes.first));
        ASSERT_TRUE(admin.user->replace_text(d().minutes_box, boxes.second));
        click(d().countdown_button);
        EXPECT_EQ(admin.last_message(), text) << boxes.first << " " << boxes.second;
        EXPECT_FALSE(record("PC1").busy);
    }
    select("PC1");
    ASSERT_TRUE(admin.user->replace_text(d().hours_box, ""));
    ASSERT_TRUE(admin.user->replace_text(d().minutes_box, "75"));
    click(d().countdown_button);
    world.advance(200);
    EXPECT_NEAR(pc1.p->countdown.remaining_seconds, 4500, 1);
    EXPECT_EQ(file("C:\\logs\\admin.csv"), "(none)") << "the log is off";
}

TEST_F(ConsoleTest, EachStatusRefusesWhatItCannotTake) {
    pc1.pc.machine.suspend();  // the status set here stays
    const std::string admin_selected =
        "You selected the administration computer, which can't take commands!";
    const std::string not_running =
        "Vardex is not running on that Computer, so it can't be put into timing mode!";
    const std::string cannot_block = "The selected computer can't be changed to blocking mode!";
    const std::string not_blocked =
        "Computer has to be in block mode before you can put it into timing mode";
    const std::string from_options =
        "Computer can't go from options mode to Timing mode. Exit options dialog first!";
    struct Case {
        ClientStatus status;
        CommandButton* button;
        std::string refusal;  // empty: sent
    };
    const Case cases[] = {
        {ClientStatus::unheard, &d().countdown_button, admin_selected},
        {ClientStatus::unheard, &d().open_ended_button, ""},
        {ClientStatus::unheard, &d().lock_button, ""},
        {ClientStatus::unheard, &d().send_button, admin_selected},
        {ClientStatus::locked, &d().lock_button, "Computer is already in blocking mode!"},
        {ClientStatus::locked, &d().countdown_button, ""},
        {ClientStatus::timing, &d().countdown_button, not_blocked},
        {ClientStatus::timing, &d().open_ended_button, not_blocked},
        {ClientStatus::open_ended, &d().open_ended_button, not_blocked},
        {ClientStatus::open_ended, &d().lock_button, ""},
        {ClientStatus::not_running, &d().countdown_button, not_running},
        {ClientStatus::not_running, &d().open_ended_button, not_running},
        {ClientStatus::not_running, &d().lock_button, cannot_block},
        {ClientStatus::not_running, &d().send_button, not_running},
        {ClientStatus::options, &d().countdown_button, from_options},
        {ClientStatus::options, &d().open_ended_button, from_options},
        {ClientStatus::options, &d().lock_button, cannot_block},
        {ClientStatus::options, &d().send_button, ""},
        {ClientStatus::paused, &d().countdown_button, ""},
        {ClientStatus::paused, &d().send_button, ""},
    };
    for (const Case& k : cases) {
        NetworkComputer& c = record("PC1");
        c.status = k.status;
        c.busy = false;
        ASSERT_TRUE(admin.user->replace_text(d().text_box, "hello"));
        const std::size_t pending = admin.protocol().pending().size();
        const int shown = admin.messages_shown();
        select("PC1");
        click(*k.button);
        if (k.refusal.empty()) {
            EXPECT_EQ(admin.protocol().pending().size(), pending + 1)
                << static_cast<int>(k.status) << " " << k.button->caption();
            EXPECT_TRUE(record("PC1").busy);
        } else {
            EXPECT_EQ(admin.messages_shown(), shown + 1);
            EXPECT_EQ(admin.last_message(), k.refusal)
                << static_cast<int>(k.status) << " " << k.button->caption();
            EXPECT_EQ(admin.protocol().pending().size(), pending);
        }
    }
    // Without a selection nothing is sent; an empty message is not sent either.
    click(d().lock_button);
    EXPECT_EQ(admin.last_message(), "Select an computer out of the list on the left first!");
    record("PC1").busy = false;
    record("PC1").status = ClientStatus::locked;
    ASSERT_TRUE(admin.user->replace_text(d().text_box, ""));
    select("PC1");
    click(d().send_button);
    EXPECT_EQ(admin.last_message(),
              "You have to enter a message above before you can sent anything!");
}

TEST_F(ConsoleTest, AClientThatNeverAnswersIsBusyUntilTheCommandIsGivenUp) {
    pc2.pc.machine.suspend();
    select("PC2");
    ASSERT_TRUE(admin.user->replace_text(d().text_box, "Are you there?"));
    click(d().send_button);
    EXPECT_EQ(d().text_box.text(), "");
    EXPECT_EQ(cell("PC2", ConsoleColumn::busy), "***");
    world.advance(20000);
    EXPECT_EQ(cell("PC2", ConsoleColumn::busy), "***");
    world.advance(10000);
    EXPECT_EQ(cell("PC2", ConsoleColumn::status), "NO FEEDBACK");
    EXPECT_EQ(cell("PC2", ConsoleColumn::busy), "");
    EXPECT_EQ(admin.last_message(),
              "Error! Had to cancel a message for computer PC2! If error contiunues, check that "
              "computer!");
    // The ping brings it back once it is awake.
    pc2.pc.machine.resume();
    click(d().ping_button);
    world.advance(3000);
    EXPECT_EQ(cell("PC2", ConsoleColumn::status), "Lock mode");
}

TEST_F(ConsoleTest, AnOpenEndedRunThatEndsIsReportedOnceAndLogged) {
    log_to("C:\\Users\\Public\\admin.csv");
    select("PC2");
    click(d().open_ended_button);
    world.advance(5200);
    EXPECT_EQ(pc2.p->mode.get(), ProgramMode::open_ended);
    EXPECT_EQ(cell("PC2", ConsoleColumn::status), "Timing mode");
    EXPECT_EQ(cell("PC2", ConsoleColumn::remaining), "-");
    const std::string ran = cell("PC2", ConsoleColumn::running);
    EXPECT_EQ(ran.substr(0, 7), "00:00:0");
    select("PC2");
    click(d().lock_button);
    world.advance(100);
    EXPECT_EQ(pc2.p->mode.get(), ProgramMode::blocked);
    EXPECT_EQ(cell("PC2", ConsoleColumn::status), "Lock mode");
    const std::string message = admin.last_message();
    EXPECT_EQ(message.rfind("Timing mode was stopped on computer PC2 after: 00:00:0", 0), 0u)
        << message;
    const int shown = admin.messages_shown();
    world.advance(5000);
    EXPECT_EQ(admin.messages_shown(), shown) << "once";
    const std::string log = file("C:\\Users\\Public\\admin.csv");
    EXPECT_NE(log.find(",PC2,Countup stopped,00:00:0"), std::string::npos) << log;
    EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
    EXPECT_EQ(record("PC2").remaining_seconds_seen, -1);
}

TEST_F(ConsoleTest, ACountdownWhoseStartWasNotSeenShowsQuestionMarks) {
    // The start's report is lost; the report a minute later is the first the console hears.
    world.lan().set_drop_filter([](const sim::SentDatagram& d) {
        return unscramble_text(d.data).find(";28;") != std::string::npos;
    });
    pc1.p->countdown.start_timer(600, ": Timer started");
    world.advance(65000);
    EXPECT_EQ(cell("PC1", ConsoleColumn::status), "Timing mode");
    EXPECT_EQ(cell("PC1", ConsoleColumn::running), "???");
    EXPECT_EQ(cell("PC1", ConsoleColumn::remaining).substr(0, 5), "00:08");
}

TEST_F(ConsoleTest, TheLogSaysWhenItCannotBeWrittenAndTouchesNothingWhenOff) {
    log_to("C:\\missing\\admin.csv");
    select("PC1");
    ASSERT_TRUE(admin.user->replace_text(d().hours_box, "0"));
    ASSERT_TRUE(admin.user->replace_text(d().minutes_box, "15"));
    click(d().countdown_button);
    EXPECT_EQ(admin.last_message(),
              "Error! Could not write to Admin-Log-File! Check the path in the options dialog!");
    EXPECT_FALSE(admin.pc.machine.files().exists("C:\\missing\\admin.csv"));
    world.advance(200);
    EXPECT_EQ(pc1.p->mode.get(), ProgramMode::timing) << "the countdown went all the same";
}

TEST_F(ConsoleTest, MoreClientsThanTheGridHadRowsAllGetOne) {
    pc1.pc.machine.suspend();
    pc2.pc.machine.suspend();
    NetworkProtocol& protocol = admin.protocol();
    const auto name = [](int i) {
        std::string text = std::to_string(1000 + i);
        text.insert(text.begin(), 'R');
        return text;
    };
    for (int i = 0; i < 150; ++i) {
        NetworkComputer c;
        c.name = name(i);
        c.address = "10.1.0." + std::to_string(i % 250);
        c.port = 9023;
        c.status = i % 2 == 0 ? ClientStatus::locked : ClientStatus::options;
        protocol.computer_table.push_back(c);
    }
    admin.p->console.repaint_list();
    EXPECT_GT(grid().rows(), 152);
    for (int i = 0; i < 150; ++i) {
        EXPECT_GE(row_of(name(i)), 1);
    }
    // Sorting, selection and commands reach the last rows.
    ASSERT_TRUE(admin.user->select(d().sort_box, 1));
    EXPECT_EQ(grid().cell(1, 1), "Lock mode");
    EXPECT_EQ(grid().cell(152, 1), "Options mode");
    ASSERT_TRUE(admin.user->select_row(grid(), 152));
    click(d().lock_button);
    EXPECT_EQ(admin.last_message(), "The selected computer can't be changed to blocking mode!");
    // Clients that left lose their rows; the others close up.
    protocol.computer_table.erase(protocol.computer_table.begin() + 2,
                                  protocol.computer_table.end());
    admin.p->console.repaint_list();
    EXPECT_EQ(grid().cell(3, 0), "");
    EXPECT_NE(row_of("PC1"), -1);
    EXPECT_NE(row_of("PC2"), -1);
    EXPECT_EQ(row_of("R1000"), -1);
}

TEST_F(ConsoleTest, RemovingAClientAsksFirstAndTakesItOutOfTheNetwork) {
    select("PC2");
    admin.pc.machine.desktop().answer_yes_no(false);
    click(d().remove_button);
    EXPECT_NE(row_of("PC2"), -1);
    ASSERT_FALSE(admin.pc.machine.desktop().questions().empty());
    EXPECT_EQ(admin.pc.machine.desktop().questions().back(),
              "This will delete the computer from the Vardex network!\r\nTo reconnect the "
              "computer, you have to goto\r\nthe options dialog of that computer and select "
              "'Client'!\r\n\nDo you want to remove computer from this list?");
    select("PC2");
    admin.pc.machine.desktop().answer_yes_no(true);
    click(d().remove_button);
    EXPECT_EQ(row_of("PC2"), -1);
    EXPECT_EQ(admin.pc.number("Value1000"), 1);
    world.advance(100);
    EXPECT_EQ(pc2.record().Network_Role, NetworkRole::none);
    // Dragging with the button held moves the selection.
    ASSERT_TRUE(admin.user->mouse_move(grid(), 1, 100, Grid::row_height * 1.5));
    EXPECT_EQ(grid().row(), 1);
}

TEST_F(ConsoleTest, EveryWayOutLeavesTheConsoleTheOptionsOrABlockedMachine) {
    click(d().main_dialog_button);
    EXPECT_FALSE(d().visible());
    EXPECT_TRUE(admin.p->vardex_dialog.visible());
    EXPECT_TRUE(admin.p->blocker_win.visible());
    EXPECT_FALSE(d().repaint_timer.enabled());
    EXPECT_TRUE(admin.p->vardex_dialog.sweep_timer.enabled() ||
                admin.p->vardex_dialog.blocked_sweep_timer.enabled());
    EXPECT_EQ(admin.p->mode.get(), ProgramMode::blocked);

    // Through the options: the console's options button, and back.
    admin.open_options();
    ASSERT_TRUE(admin.user->click(admin.page().goto_button));
    EXPECT_TRUE(d().visible());
    EXPECT_EQ(admin.p->mode.get(), ProgramMode::options);
    click(d().options_button);
    EXPECT_TRUE(admin.p->options_dialog.visible());
    EXPECT_FALSE(d().visible());
    ASSERT_TRUE(admin.user->click(admin.page().goto_button));
    ASSERT_TRUE(admin.user->select(d().sort_box, 2));
    // The close box is the main dialog button, and the console starts afresh next time.
    EXPECT_FALSE(admin.user->close(d()));
    EXPECT_FALSE(d().visible());
    EXPECT_TRUE(admin.p->blocker_win.visible());
    EXPECT_EQ(admin.p->mode.get(), ProgramMode::blocked) << "the options were left";
    EXPECT_EQ(d().sort_box.list_index(), 0);

    // In from the options once more; the exit button ends the program.
    admin.open_options();
    ASSERT_TRUE(admin.user->click(admin.page().goto_button));
    click(d().exit_button);
    EXPECT_TRUE(admin.pc.process(*admin.p).ended());
    world.advance(200);
    EXPECT_EQ(record("PC1").status, ClientStatus::locked) << "the clients stay";
}

TEST_F(ConsoleTest, WithANetworkKeyTheConsoleCountsWhatItRefusedSinceItWasOpened) {
    Label& dropped = d().dropped_label;
#ifdef VARDEX_TEST_NETWORK_KEY
    // A stranger without the key poses as PC1 with a countdown running.
    const std::string posing = scramble_text("-2;admin;PC1;192.168.0.11;9023;22;3600");
    for (int i = 0; i < 3; ++i) {
        world.lan().send("192.168.0.66", 9023, "192.168.0.1", 9023, posing);
    }
    world.advance(1500);
    EXPECT_EQ(cell("PC1", ConsoleColumn::status), "Lock mode");
    EXPECT_TRUE(dropped.visible());
    EXPECT_EQ(dropped.caption(), "Messages refused since opened (wrong or missing network key): 3");
    // Opened again through the options, it counts from nothing.
    click(d().options_button);
    world.lan().send("192.168.0.66", 9023, "192.168.0.1", 9023, posing);
    world.advance(500);
    ASSERT_TRUE(admin.user->select_tab(admin.p->options_dialog.tabs, 6));
    ASSERT_TRUE(admin.user->click(admin.page().goto_button));
    world.advance(1500);
    EXPECT_EQ(dropped.caption(), "Messages refused since opened (wrong or missing network key): 0");
#else
    EXPECT_FALSE(dropped.visible());
#endif
}

}  // namespace
}  // namespace vardex

namespace vardex {
namespace {

TEST_F(ConsoleTest, AcknowledgementsAndCheckInsShowAtOnce) {
    select("PC1");
    click(d().lock_button);  // PC1 is locked already: refused, so a message instead
    record("PC1").status = ClientStatus::paused;
    select("PC1");
    ASSERT_TRUE(admin.user->replace_text(d().text_box, "hello"));
    click(d().send_button);
    ASSERT_EQ(cell("PC1", ConsoleColumn::busy), "***");
    d().repaint_timer.set_enabled(false);  // only what the messages themselves repaint
    world.advance(200);
    EXPECT_EQ(cell("PC1", ConsoleColumn::busy), "");
    // A new client checks in: its row is there at once, and a sort right after has no gap.
    Seat pc3{world, "HOST3", "192.168.0.13"};
    pc3.start();
    pc3.connect_client("PC0", "192.168.0.1");
    EXPECT_NE(row_of("PC0"), -1);
    ASSERT_TRUE(admin.user->select(d().sort_box, 1));
    ASSERT_TRUE(admin.user->select(d().sort_box, 0));
    EXPECT_EQ(grid().cell(1, 0), "PC0");
    EXPECT_EQ(grid().cell(2, 0), "PC1");
    EXPECT_EQ(grid().cell(3, 0), "PC2");
}

TEST_F(ConsoleTest, TheConsoleOpensFreshAfterItWasClosed) {
    ASSERT_TRUE(admin.user->replace_text(d().hours_box, "3"));
    ASSERT_TRUE(admin.user->replace_text(d().minutes_box, "45"));
    ASSERT_TRUE(admin.user->replace_text(d().text_box, "half typed"));
    EXPECT_FALSE(admin.user->close(d()));
    admin.open_options();
    ASSERT_TRUE(admin.user->click(admin.page().goto_button));
    ASSERT_TRUE(d().visible());
    EXPECT_EQ(d().hours_box.text(), "1");
    EXPECT_EQ(d().minutes_box.text(), "00");
    EXPECT_EQ(d().text_box.text(), "");
}

TEST_F(ConsoleTest, AFullTableSaysSoAndTakesNoNewName) {
    NetworkProtocol& protocol = admin.protocol();
    EXPECT_FALSE(d().full_label.visible());
    std::vector<NetworkComputer> table = protocol.computer_table;
    for (std::size_t i = table.size(); i < max_computers; ++i) {
        NetworkComputer c;
        c.name = std::to_string(i);
        c.name.insert(c.name.begin(), 'R');  // GCC 12 warns wrongly of "R" + a temporary
        c.address = "10.1." + std::to_string(i / 250) + "." + std::to_string(i % 250);
        c.port = 9023;
        table.push_back(c);
    }
    protocol.set_computer_table(table);
    Seat late{world, "HOST3", "192.168.0.13"};
    late.start();
    late.connect_client("PC3", "192.168.0.1");
    world.advance(1500);
    EXPECT_EQ(late.record().Network_Role, NetworkRole::none);
    EXPECT_EQ(row_of("PC3"), -1);
    EXPECT_TRUE(d().full_label.visible());
    EXPECT_EQ(d().full_label.caption(),
              "The list is full (1000 computers)! Remove unused ones so new ones can join.");
}

}  // namespace
}  // namespace vardex
