#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "network_fixture.h"
#include "platform/sim/sim_windows.h"

namespace vardex {
namespace {

using testing::Seat;

struct NetworkTest : ::testing::Test {
    sim::World world;
    Seat admin{world, "ADMINPC", "192.168.0.1"};
    Seat client{world, "PC7HOST", "192.168.0.7"};

    void join_both() { testing::join_pc7(admin, client); }
    NetworkComputer* seen(const std::string& name) {
        const int i = admin.protocol().find_computer(name);
        return i < 0 ? nullptr : &admin.protocol().computer_table[static_cast<std::size_t>(i)];
    }
    void send_command(MessageCode code, const std::string& param, const std::string& to = "PC7") {
        NetworkComputer* c = seen(to);
        ASSERT_NE(c, nullptr);
        std::int16_t id = new_queued_id;
        admin.protocol().send_message(code, param, c->name, c->address, c->port, id);
    }
};

TEST_F(NetworkTest, AnAdministratorAndAClientJoinThroughTheirOptionsDialogs) {
    admin.start();
    client.start();
    admin.become_administrator();
    EXPECT_EQ(admin.page().admin_own_address_box.text(), "192.168.0.1") << "looked up";
    EXPECT_EQ(admin.page().status_label.caption(),
              "This computer is connected to the network as a ADMINISTER...");
    EXPECT_EQ(admin.record().Computer_Name, "admin");
    admin.leave_options();
    EXPECT_EQ(admin.pc.number("Value11"), 2);

    client.connect_client("PC7", "192.168.0.1");
    EXPECT_EQ(client.page().client_address_box.text(), "192.168.0.7");
    EXPECT_EQ(client.page().admin_port_box.text(), "9023");
    EXPECT_EQ(client.record().Network_Role, NetworkRole::client);
    EXPECT_EQ(client.page().status_label.caption(),
              "This computer is connected to the network as a CLIENT...");
    EXPECT_FALSE(client.pc.process(*client.p).shown_windows().busy_cursor());
    client.leave_options();
    world.advance(1000);
    EXPECT_EQ(client.pc.number("Value11"), 1);

    // The administrator keeps its clients in its store.
    sim::SimRegistry& reg = admin.pc.machine.registry();
    const std::string key = testing::settings_path;
    EXPECT_EQ(reg.number(key, "Value1000"), 1);
    EXPECT_EQ(unscramble_text(reg.text(key, "str1001").value_or("")), "PC7");
    EXPECT_EQ(unscramble_text(reg.text(key, "str1002").value_or("")), "192.168.0.7");
    EXPECT_EQ(reg.number(key, "val1003"), 9023);
    ASSERT_NE(seen("PC7"), nullptr);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::locked)
        << "leaving the options reported Lock mode";

    // A second machine under a known name is refused.
    Seat other{world, "OTHERHOST", "192.168.0.8"};
    other.start();
    other.connect_client("pc7", "192.168.0.1");
    EXPECT_EQ(other.last_message(),
              "Admin didn't acknowledge the checkin! A computer with this name is already signed "
              "in at the admin.");
    EXPECT_EQ(other.record().Network_Role, NetworkRole::none);
    EXPECT_EQ(admin.protocol().computer_table.size(), 1u);
}

TEST_F(NetworkTest, TheConnectButtonsCheckTheirBoxesInOrder) {
    admin.start();
    admin.open_options();
    NetworkPage& a = admin.page();
    ASSERT_TRUE(admin.user->click(a.administrator()));
    const std::pair<std::pair<const char*, const char*>, const char*> admin_cases[] = {
        {{"192.168.0.1", "90x"}, "Port number has to be numeric"},
        {{"192.168.0", "x"}, "Port number has to be numeric"},
        {{"192.168.0", "9023"},
         "The IP Address has to be in the format x.x.x.x, where x are integers between 0 and "
         "255!"},
        {{"192.168.0.1", "1024"}, "Port number has to be between 1024 and 65535"},
        {{"192.168.0.1", "65536"}, "Port number has to be between 1024 and 65535"},
    };
    for (const auto& [boxes, text] : admin_cases) {
        ASSERT_TRUE(admin.user->replace_text(a.admin_own_address_box, boxes.first));
        ASSERT_TRUE(admin.user->replace_text(a.own_port_box, boxes.second));
        ASSERT_TRUE(admin.user->click(a.admin_connect));
        EXPECT_EQ(admin.last_message(), text) << boxes.first << " " << boxes.second;
        EXPECT_EQ(admin.record().Network_Role, NetworkRole::none);
    }
    ASSERT_TRUE(admin.user->replace_text(a.admin_own_address_box, "192.168.0.1"));
    ASSERT_TRUE(admin.user->replace_text(a.own_port_box, "65535"));
    ASSERT_TRUE(admin.user->click(a.admin_connect));
    EXPECT_EQ(admin.record().Own_Port, 65535);
    ASSERT_TRUE(admin.user->click(a.admin_connect));
    EXPECT_EQ(admin.last_message(), "This computer is already connected!");

    client.start();
    client.open_options();
    NetworkPage& c = client.page();
    // A host name that does not resolve: no address, and the system's message box says so.
    client.pc.machine.set_host_resolves(false);
    ASSERT_TRUE(client.user->click(c.client()));
    EXPECT_EQ(c.client_address_box.text(), "");
    ASSERT_FALSE(client.pc.machine.desktop().message_boxes().empty());
    EXPECT_EQ(client.pc.machine.desktop().message_boxes().back().substr(0, 48),
              "Could not get IP address of this machine. Probab");
    struct Case {
        const char* own;
        const char* admin_address;
        const char* port;
        const char* name;
        const char* text;
    };
    const Case cases[] = {
        {"1.2.3", "1.2.3", "x", "", "IP Addresses of Admin and this machine have to be different!"},
        {"192.168.0.7", "192.168.0", "x", "",
         "IP Addresses have to be in the format x.x.x.x, where x are integers between 0 and 255!"},
        {"192.168.0.7.7", "192.168.0.1", "x", "",
         "IP Addresses have to be in the format x.x.x.x, where x are integers between 0 and 255!"},
        {"192.168.0.7", "192.168.0.1", "x", "", "Port number of Admin has to be numeric"},
        {"192.168.0.7", "192.168.0.1", "1024", "",
         "Port number of Admin has to be between 1024 and 65535"},
        {"192.168.0.7", "192.168.0.1", "65535", "", "Please enter a name for this computer"},
        {"192.168.0.7", "192.168.0.1", "65535", "PC;7", "The ';' is not allowed in computer name!"},
    };
    for (const Case& k : cases) {
        ASSERT_TRUE(client.user->replace_text(c.client_address_box, k.own));
        ASSERT_TRUE(client.user->replace_text(c.admin_address_box, k.admin_address));
        ASSERT_TRUE(client.user->replace_text(c.admin_port_box, k.port));
        ASSERT_TRUE(client.user->replace_text(c.name_box, k.name));
        ASSERT_TRUE(client.user->click(c.client_connect));
        EXPECT_EQ(client.last_message(), k.text) << k.own << " " << k.admin_address;
        EXPECT_EQ(client.record().Network_Role, NetworkRole::none);
    }
    EXPECT_EQ(c.name_box.text(), "PC;7") << "the refused name stays in its box";
    EXPECT_NE(client.record().Computer_Name, "PC;7") << "but is never the computer's name";

    // A wrong administrator port: no answer within ten seconds.
    ASSERT_TRUE(client.user->replace_text(c.name_box, "PC7"));
    ASSERT_TRUE(client.user->replace_text(c.admin_port_box, "9023"));
    const std::int64_t before = world.now_ms();
    ASSERT_TRUE(client.user->click(c.client_connect));
    EXPECT_GE(world.now_ms() - before, 10000);
    EXPECT_LT(world.now_ms() - before, 10100);
    EXPECT_EQ(client.last_message(),
              "Didn't get any answer from admin! Make sure that Vardex is running on admin "
              "computer, check IP and port number of admin. If that doesn't help check network "
              "setup.");
    EXPECT_EQ(client.record().Network_Role, NetworkRole::none);
    // Addresses typed with a trailing dot or leading zeros are kept as a socket takes them.
    ASSERT_TRUE(client.user->replace_text(c.admin_port_box, "65535"));
    ASSERT_TRUE(client.user->replace_text(c.admin_address_box, "192.168.000.001."));
    ASSERT_TRUE(client.user->replace_text(c.client_address_box, "192.168.0.07"));
    ASSERT_TRUE(client.user->click(c.client_connect));
    EXPECT_EQ(client.record().Network_Role, NetworkRole::client);
    EXPECT_EQ(client.record().Admin_IP_Address, "192.168.0.1");
    EXPECT_EQ(client.record().Own_IP_Address, "192.168.0.7");
}

TEST_F(NetworkTest, ABusyPortMovesTheAdministratorUpTheLadder) {
    admin.start();
    sim::Lan& lan = world.lan();
    lan.occupy("192.168.0.1", 9023);
    admin.become_administrator();
    EXPECT_EQ(admin.last_message(),
              "Computer connected! Had to change your suggested port number!");
    EXPECT_EQ(admin.page().own_port_box.text(), "9723");
    EXPECT_EQ(admin.record().Own_Port, 9723);
    EXPECT_EQ(admin.record().Network_Role, NetworkRole::administrator)
        << "the port the program wrote into the box leaves no network";

    // Another start port that is busy: tried first, then the ladder from 9023.
    lan.occupy("192.168.0.1", 5000);
    EXPECT_EQ(admin.p->network.find_free_port(5000), 9723);
    EXPECT_EQ(admin.p->network.find_free_port(40000), 40000);
    for (int port = 9023; port <= 24999; port += 700) {
        lan.occupy("192.168.0.1", port);
    }
    lan.occupy("192.168.0.1", 40000);
    EXPECT_EQ(admin.p->network.find_free_port(40000), -1);
    EXPECT_EQ(admin.p->network.find_free_port(0), -1) << "no port 0 in the ladder";

    // Connecting without a free port.
    ASSERT_TRUE(admin.user->click(admin.page().no_network()));
    ASSERT_TRUE(admin.user->click(admin.page().administrator()));
    const int shown = admin.messages_shown();
    ASSERT_TRUE(admin.user->click(admin.page().admin_connect));
    EXPECT_EQ(admin.messages_shown(), shown + 2);
    EXPECT_EQ(admin.p->time_dialog.mess_txt[admin.p->time_dialog.message_count - 2].caption(),
              "Could not find a free Winsock port for Vardex. Check network installation.");
    EXPECT_EQ(admin.last_message(), "Error! Could not connect computer!");
    EXPECT_EQ(admin.page().status_label.caption(), "This computer is not part of the network!");
    EXPECT_EQ(admin.record().Network_Role, NetworkRole::none);
}

TEST_F(NetworkTest, EditingANetworkBoxOrLeavingTakesTheClientOutOfTheTable) {
    join_both();
    ASSERT_NE(seen("PC7"), nullptr);
    client.open_options();
    world.advance(500);
    ASSERT_NE(seen("PC7"), nullptr);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::options) << "the options are open";
    ASSERT_TRUE(client.user->type(client.page().name_box, "x"));
    EXPECT_EQ(client.page().status_label.caption(), "This computer is not part of the network!");
    EXPECT_EQ(client.record().Network_Role, NetworkRole::none);
    world.advance(500);
    EXPECT_EQ(seen("PC7"), nullptr) << "code 17 removed it";
    EXPECT_EQ(admin.pc.number("Value1000"), 0);

    ASSERT_TRUE(client.user->replace_text(client.page().name_box, "PC7"));
    ASSERT_TRUE(client.user->click(client.page().client_connect));
    world.advance(500);
    ASSERT_NE(seen("PC7"), nullptr) << "the same name can sign in again";
    ASSERT_TRUE(client.user->click(client.page().no_network()));
    EXPECT_EQ(client.page().status_label.caption(),
              "This computer is not part of the Vado network!");
    EXPECT_EQ(client.record().Computer_Name, "");
    EXPECT_FALSE(client.page().client_connect.enabled());
    world.advance(500);
    EXPECT_EQ(seen("PC7"), nullptr);
    client.leave_options();
    EXPECT_EQ(client.pc.number("Value11"), 0);
    EXPECT_FALSE(client.p->vardex_dialog.network_timer.enabled());
}

TEST_F(NetworkTest, TheAdministratorDrivesTheClient) {
    join_both();
    // A remote start of two minutes: the client counts down and says so.
    send_command(MessageCode::start_countdown, "120");
    seen("PC7")->busy = true;
    world.advance(500);
    EXPECT_EQ(client.p->mode.get(), ProgramMode::timing);
    EXPECT_NEAR(client.p->countdown.remaining_seconds, 120, 1);
    EXPECT_FALSE(seen("PC7")->busy);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::timing);
    EXPECT_EQ(seen("PC7")->countdown_total, 120);
    // While it runs, its report comes every minute.
    world.advance(65000);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::timing);
    EXPECT_LT(seen("PC7")->remaining_seconds_seen, 120);
    EXPECT_GT(seen("PC7")->remaining_seconds_seen, 40);

    // A text message, whatever its words, is only shown.
    send_command(MessageCode::text, "Time is up, please exit; and quit");
    world.advance(500);
    EXPECT_EQ(client.last_message(),
              "The Admin has sent you the following message: Time is up, please exit");
    EXPECT_FALSE(client.pc.process(*client.p).ended());
    EXPECT_EQ(client.p->mode.get(), ProgramMode::timing);

    // A ping is answered with the time left.
    admin.protocol().ping_computer(static_cast<std::size_t>(admin.protocol().find_computer("PC7")));
    EXPECT_EQ(seen("PC7")->status, ClientStatus::no_feedback);
    world.advance(500);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::timing);

    // The remote lock brings the blocking screen back.
    send_command(MessageCode::end_timer, "0");
    world.advance(500);
    EXPECT_EQ(client.p->mode.get(), ProgramMode::blocked);
    EXPECT_TRUE(client.p->blocker_win.visible());
    EXPECT_EQ(seen("PC7")->status, ClientStatus::locked);

    // An open-ended run reports its elapsed seconds.
    send_command(MessageCode::start_open_ended, "0");
    world.advance(30000);
    EXPECT_EQ(client.p->mode.get(), ProgramMode::open_ended);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::open_ended);

    // The end of the program is the last report.
    client.p->lifecycle.exit_program();
    world.advance(500);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::not_running);
    EXPECT_TRUE(admin.protocol().pending().empty());
}

TEST_F(NetworkTest, RestartedMachinesFindEachOtherAgain) {
    join_both();
    Seat third{world, "PC9HOST", "192.168.0.9"};
    third.start();
    third.connect_client("PC9", "192.168.0.1");
    third.leave_options();
    Seat fourth{world, "PC8HOST", "192.168.0.8"};
    fourth.start();
    fourth.connect_client("PC8", "192.168.0.1");
    fourth.leave_options();
    world.advance(1000);
    ASSERT_EQ(admin.pc.number("Value1000"), 3);

    // The client restarts: its hello brings its report.
    client.p->lifecycle.exit_program();
    world.advance(500);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::not_running);
    client.start();
    world.advance(1000);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::locked);

    // The administrator restarts: it reloads its table and pings everyone; a machine that is
    // off stays without feedback.
    fourth.pc.machine.suspend();
    admin.p->lifecycle.exit_program();
    admin.start();
    ASSERT_EQ(admin.protocol().computer_table.size(), 3u);
    EXPECT_EQ(admin.protocol().computer_table[0].name, "PC7");
    EXPECT_EQ(admin.protocol().computer_table[1].name, "PC9");
    EXPECT_EQ(admin.protocol().computer_table[2].name, "PC8");
    world.advance(1000);
    EXPECT_EQ(seen("PC7")->status, ClientStatus::locked);
    EXPECT_EQ(seen("PC9")->status, ClientStatus::locked);
    EXPECT_EQ(seen("PC8")->status, ClientStatus::no_feedback);
}

TEST_F(NetworkTest, AStartUpWithoutAFreePortKeepsTheStoredPort) {
    join_both();
    client.p->lifecycle.exit_program();
    for (int port = 9023; port <= 24999; port += 700) {
        world.lan().occupy("192.168.0.7", port);
    }
    client.start();
    EXPECT_EQ(client.pc.number("Value13"), 9023);
    // A port that is free but other than the stored one is stored.
    client.p->lifecycle.exit_program();
    world.lan().release("192.168.0.7", 10423);
    client.start();
    EXPECT_EQ(client.pc.number("Value13"), 10423);
    world.advance(1000);
    EXPECT_EQ(seen("PC7")->port, 10423) << "the administrator learnt the new port";
}

TEST_F(NetworkTest, MidnightNeitherHoldsAResendNorShortensACheckIn) {
    join_both();
    // Both clocks, as a network's clocks agree (a network key refuses clocks hours apart).
    for (Seat* seat : {&admin, &client}) {
        seat->pc.machine.clock().change_time({seat->pc.machine.clock().now().day, 86399});
    }
    world.lan().drop_next(1);
    client.p->network.send_status_report(true);
    world.advance(10000);  // two ticks: resent at the first one more than 2 s after
    EXPECT_TRUE(client.protocol().pending().empty());

    Seat late{world, "LATEHOST", "192.168.0.5"};
    late.start();
    late.pc.machine.clock().change_time({late.pc.machine.clock().now().day, 86395});
    const std::int64_t before = world.now_ms();
    late.connect_client("LATE", "192.168.0.99");
    EXPECT_GE(world.now_ms() - before, 10000);
    EXPECT_LT(world.now_ms() - before, 10100);
}

// Reads each new message from a machine's message window as it appears.
struct ShownMessages {
    Seat& seat;
    int read = 0;
    std::multiset<std::string> texts;
    void poll() {
        const TimeDialog& t = seat.p->time_dialog;
        const int total = t.message_count + t.message_number_offset;
        for (int n = read; n < total; ++n) {
            const int slot = n - t.message_number_offset;
            ASSERT_GE(slot, 0) << "more new messages than the window holds";
            texts.insert(t.mess_txt[slot].caption());
        }
        read = total;
    }
};

TEST_F(NetworkTest, UnderLossDuplicationAndReorderingEachCommandIsCarriedOutOnceOrGivenUp) {
    admin.start();
    admin.become_administrator();
    admin.leave_options();
    std::vector<std::unique_ptr<Seat>> clients;
    for (int i = 0; i < 4; ++i) {
        clients.push_back(std::make_unique<Seat>(world, "HOST" + std::to_string(i),
                                                 "192.168.1." + std::to_string(10 + i)));
        Seat& c = *clients.back();
        c.start();
        c.connect_client("PC" + std::to_string(i), "192.168.0.1");
        c.leave_options();
    }
    world.advance(2000);
    ASSERT_EQ(admin.protocol().computer_table.size(), 4u);
    // Every machine's time runs, so that its messages pile up in its message window, numbered.
    admin.p->countdown.start_timer(36000, "");
    for (int i = 0; i < 4; ++i) {
        send_command(MessageCode::start_countdown, "36000", "PC" + std::to_string(i));
    }
    world.advance(2000);
    std::vector<int> starts(4, 0);
    std::vector<int> locks(4, 0);
    std::vector<ShownMessages> shown;
    for (int i = 0; i < 4; ++i) {
        Seat& c = *clients[static_cast<std::size_t>(i)];
        ASSERT_EQ(c.p->mode.get(), ProgramMode::timing);
        c.p->mode.observe([&starts, &locks, i](const ModeChange& change) {
            starts[static_cast<std::size_t>(i)] += change.cause == ModeCause::countdown_started;
            locks[static_cast<std::size_t>(i)] += change.to == ProgramMode::blocked;
        });
        shown.push_back({c, 0, {}});
    }
    ShownMessages admin_shown{admin, 0, {}};
    world.lan().set_faults({0.3, 0.2, 3000, 7});
    const auto run = [&](int steps) {
        for (int step = 0; step < steps; ++step) {
            world.advance(100);
            for (ShownMessages& s : shown) {
                s.poll();
            }
            admin_shown.poll();
        }
    };

    // One machine sleeps through some rounds: what it misses is given up.
    const int rounds = 20;
    for (int round = 0; round < rounds; ++round) {
        if (round == 5) {
            clients[3]->pc.machine.suspend();
        }
        if (round == 8) {
            EXPECT_EQ(seen("PC3")->status, ClientStatus::no_feedback) << "no feedback";
            clients[3]->pc.machine.resume();
        }
        for (int i = 0; i < 4; ++i) {
            send_command(MessageCode::text, "note " + std::to_string(round),
                         "PC" + std::to_string(i));
        }
        run(100);
    }
    for (int i = 0; i < 4; ++i) {
        send_command(MessageCode::start_countdown, "600", "PC" + std::to_string(i));
    }
    run(300);
    for (int i = 0; i < 4; ++i) {
        send_command(MessageCode::end_timer, "0", "PC" + std::to_string(i));
    }
    run(300);
    world.lan().set_faults({});
    run(100);

    int carried = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        const std::string name = "PC" + std::to_string(i);
        int missing = 0;
        for (int round = 0; round < rounds; ++round) {
            const std::size_t n = shown[at].texts.count(
                "The Admin has sent you the following message: note " + std::to_string(round));
            EXPECT_LE(n, 1u) << name << " round " << round;
            missing += n == 0 ? 1 : 0;
            carried += static_cast<int>(n);
        }
        EXPECT_LE(starts[at], 1) << name;
        EXPECT_LE(locks[at], 1) << name;
        missing += (starts[at] == 0) + (locks[at] == 0);
        carried += starts[at] + locks[at];
        // What did not arrive was given up, and the administrator said so.
        const std::size_t cancels =
            admin_shown.texts.count("Error! Had to cancel a message for computer " + name +
                                    "! If error contiunues, check that computer!");
        EXPECT_LE(static_cast<std::size_t>(missing), cancels) << name;
        // Nothing else changed on the client.
        const Program& p = *clients[at]->p;
        EXPECT_EQ(p.settings.record().Network_Role, NetworkRole::client);
        EXPECT_EQ(p.settings.record().Computer_Name, name);
        EXPECT_FALSE(clients[at]->pc.process(p).ended());
    }
    EXPECT_GT(carried, 4 * (rounds + 2) * 3 / 4) << "most commands got through";
    EXPECT_EQ(admin.protocol().computer_table.size(), 4u);
    EXPECT_EQ(admin.pc.number("Value1000"), 4);
}

}  // namespace
}  // namespace vardex

namespace vardex {
namespace {

TEST_F(NetworkTest, TheSameTextOrGrantAgainSoonAfterIsCarriedOutAgain) {
    join_both();
    send_command(MessageCode::start_countdown, "3600");
    world.advance(500);
    ASSERT_EQ(client.p->mode.get(), ProgramMode::timing);
    // The administrator's queue ran empty in between: its ids go on all the same.
    send_command(MessageCode::text, "Please log off");
    world.advance(20000);
    send_command(MessageCode::text, "Please log off");
    world.advance(500);
    EXPECT_EQ(client.messages_shown(), 2);
    send_command(MessageCode::end_timer, "0");
    world.advance(25000);
    ASSERT_EQ(client.p->mode.get(), ProgramMode::blocked);
    send_command(MessageCode::start_countdown, "3600");
    world.advance(500);
    EXPECT_EQ(client.p->mode.get(), ProgramMode::timing);
}

TEST_F(NetworkTest, WhatTheOpenOptionsDialogHoldsSurvivesTheAdministratorsRemoval) {
    join_both();
    client.open_options();
    // A Code Page printed and a new ID, not yet applied.
    ASSERT_TRUE(client.user->select_tab(client.p->options_dialog.tabs, 4));
    CodePagesPage& pages = client.p->options_dialog.code_pages;
    ASSERT_TRUE(client.user->replace_text(pages.hours_box, "1"));
    ASSERT_TRUE(client.user->replace_text(pages.minutes_box, "0"));
    ASSERT_TRUE(client.user->click(pages.create_button));
    ASSERT_EQ(client.pc.machine.printer().printed().size(), 1u);
    ASSERT_TRUE(client.user->select_tab(client.p->options_dialog.tabs, 7));
    DistributerPage& ids = client.p->options_dialog.distributer;
    ASSERT_TRUE(client.user->replace_text(ids.id_box, "Anna"));
    ASSERT_TRUE(client.user->replace_text(ids.hours_box, "1"));
    ASSERT_TRUE(client.user->replace_text(ids.minutes_box, "0"));
    ASSERT_TRUE(client.user->click(ids.daily));
    ASSERT_TRUE(client.user->click(ids.create_button));
    // The administrator removes the client meanwhile.
    admin.protocol().delete_computer(
        static_cast<std::size_t>(admin.protocol().find_computer("PC7")));
    world.advance(500);
    EXPECT_EQ(client.record().Network_Role, NetworkRole::none);
    EXPECT_TRUE(client.page().no_network().value()) << "the page shows it";
    EXPECT_EQ(client.record().code_pages.size(), 1u);
    EXPECT_EQ(pages.pages.list_count(), 1);
    EXPECT_EQ(client.record().time_dist_ids.size(), 1u);
    EXPECT_EQ(client.pc.number("cpanz"), 1) << "stored when printed";
    client.leave_options();
    EXPECT_EQ(client.pc.number("l2_1"), 1);
    EXPECT_EQ(client.pc.number("Value11"), 0);
}

TEST_F(NetworkTest, ARemovedClientsValuesLeaveTheStore) {
    join_both();
    Seat third{world, "PC9HOST", "192.168.0.9"};
    third.start();
    third.connect_client("PC9", "192.168.0.1");
    third.leave_options();
    world.advance(1000);
    ASSERT_EQ(admin.pc.number("Value1000"), 2);
    admin.protocol().delete_computer(
        static_cast<std::size_t>(admin.protocol().find_computer("PC7")));
    EXPECT_EQ(admin.pc.number("Value1000"), 1);
    sim::SimRegistry& reg = admin.pc.machine.registry();
    EXPECT_EQ(unscramble_text(reg.text(testing::settings_path, "str1001").value_or("")), "PC9");
    EXPECT_FALSE(reg.text(testing::settings_path, "str1011").has_value());
    EXPECT_FALSE(reg.text(testing::settings_path, "str1012").has_value());
    EXPECT_FALSE(reg.number(testing::settings_path, "val1013").has_value());
}

}  // namespace
}  // namespace vardex
