#include "network/protocol.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "fake_protocol_host.h"
#include "settings/scrambler.h"

namespace vardex {
namespace {

using testing::FakeHost;

std::string wire(const std::string& text) {
    return scramble_text(text);
}

struct ClientTest : ::testing::Test {
    FakeHost host;
    NetworkProtocol protocol{host};
    ClientTest() { testing::make_client_pc7(host.settings); }
    // A message from the administrator.
    void from_admin(const std::string& fields) { protocol.handle_message(wire(fields)); }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            host.now += 5;
            protocol.tick();
        }
    }
};

struct AdminTest : ::testing::Test {
    FakeHost host;
    NetworkProtocol protocol{host};
    AdminTest() {
        SettingsRecord& r = host.settings;
        r.Network_Role = NetworkRole::administrator;
        r.Computer_Name = "admin";
        r.Own_IP_Address = "192.168.0.1";
        r.Own_Port = 9023;
    }
    void receive(const std::string& fields) { protocol.handle_message(wire(fields)); }
    NetworkComputer& record(const std::string& name) {
        return protocol.computer_table.at(static_cast<std::size_t>(protocol.find_computer(name)));
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            host.now += 5;
            protocol.tick();
        }
    }
};

TEST_F(ClientTest, EachMessageOfAClientHasItsExactWireText) {
    protocol.send_status_report(true);
    host.mode = ProgramMode::timing;
    host.remaining = 120;
    protocol.send_status_report(true);
    protocol.send_countdown_update();
    host.mode = ProgramMode::open_ended;
    host.remaining = 75;
    protocol.send_status_report(false);
    host.mode = ProgramMode::paused;
    protocol.send_status_report(true);
    protocol.send_hello();
    protocol.send_check_in();
    from_admin("7;PC7;admin;192.168.0.1;9023;16;0");
    EXPECT_EQ(host.texts(), (std::vector<std::string>{
                                "1;admin;PC7;192.168.0.7;9023;21;0",
                                "2;admin;PC7;192.168.0.7;9023;22;120",
                                "3;admin;PC7;192.168.0.7;9023;28;120",
                                "-2;admin;PC7;192.168.0.7;9023;26;75",
                                "4;admin;PC7;192.168.0.7;9023;25;0",
                                "5;admin;PC7;192.168.0.7;9023;30;0",
                                "-2;admin;PC7;192.168.0.7;9023;11;0",
                                // the ping: acknowledged, then answered with a report
                                "-2;admin;PC7;192.168.0.7;9023;10;7",
                                "6;admin;PC7;192.168.0.7;9023;25;0",
                            }));
    for (const FakeHost::Sent& s : host.sent) {
        EXPECT_EQ(s.address, "192.168.0.1");
        EXPECT_EQ(s.port, 9023);
    }
    // Leaving says so, plainly, and forgets everything unacknowledged.
    protocol.leave_network();
    EXPECT_EQ(host.sent.back().text, "-2;admin;PC7;192.168.0.7;9023;17;0");
    EXPECT_TRUE(protocol.pending().empty());
    EXPECT_EQ(host.settings.Network_Role, NetworkRole::none);
    // Outside a network nothing is reported.
    const std::size_t before = host.sent.size();
    protocol.send_status_report(true);
    EXPECT_EQ(host.sent.size(), before);
}

TEST_F(AdminTest, EachMessageOfTheAdministratorHasItsExactWireText) {
    receive("-2;admin;PC7;192.168.0.7;9041;11;0");
    protocol.ping_computer(0);
    receive("1;admin;PC7;192.168.0.7;9041;30;0");
    protocol.delete_computer(0);
    EXPECT_EQ(host.texts(), (std::vector<std::string>{
                                "1;PC7;admin;192.168.0.1;9023;12;1",
                                "-2;PC7;admin;192.168.0.1;9023;16;0",
                                "-2;PC7;admin;192.168.0.1;9023;10;1",
                                "2;PC7;admin;192.168.0.1;9023;31;0",
                                "-2;PC7;admin;192.168.0.1;9023;15;0",
                            }));
    // Replies go to the address and port the message names, not elsewhere.
    EXPECT_EQ(host.sent[0].address, "192.168.0.7");
    EXPECT_EQ(host.sent[0].port, 9041);
    EXPECT_TRUE(protocol.computer_table.empty());
    EXPECT_TRUE(protocol.pending().empty()) << "the deleted client's messages go with it";
    // An administrator sends nothing when it leaves.
    const std::size_t before = host.sent.size();
    protocol.leave_network();
    EXPECT_EQ(host.sent.size(), before);
}

TEST_F(AdminTest, AnUnansweredMessageIsSentFiveTimesThenGivenUpAndTheClientShownWithoutFeedback) {
    receive("-2;admin;PC7;192.168.0.7;9023;11;0");  // answered with a queued 12
    receive("-2;admin;PC9;192.168.0.9;9023;11;0");
    ASSERT_EQ(protocol.pending().size(), 2u);
    host.now += 2;  // not older than 2 seconds: left alone
    protocol.tick();
    EXPECT_EQ(host.sent.size(), 2u);
    ticks(4);
    EXPECT_EQ(host.sent.size(), 10u) << "four resends each";
    EXPECT_EQ(host.shown.size(), 0u);
    ticks(1);
    EXPECT_EQ(host.sent.size(), 10u);
    EXPECT_TRUE(protocol.pending().empty());
    EXPECT_EQ(host.shown, (std::vector<std::string>{
                              "Error! Had to cancel a message for computer PC7! If error "
                              "contiunues, check that computer!",
                              "Error! Had to cancel a message for computer PC9! If error "
                              "contiunues, check that computer!",
                          }));
    EXPECT_EQ(record("PC7").status, ClientStatus::no_feedback);
    EXPECT_EQ(record("pc9").status, ClientStatus::no_feedback);
    // Ids keep counting when nothing waits: a new message never looks like an old one.
    protocol.ping_computer(0);
    std::int16_t id = new_queued_id;
    protocol.send_message(MessageCode::text, "hi", "PC7", "192.168.0.7", 9023, id);
    EXPECT_EQ(id, 3);
}

TEST_F(ClientTest, AClientStopsTellingOfGiveUpsAfterThreeUntilItHearsFromTheAdministrator) {
    for (int i = 0; i < 5; ++i) {
        protocol.send_status_report(true);
    }
    ticks(5);  // each sent five times, all given up
    EXPECT_EQ(host.sent.size(), 25u);
    EXPECT_EQ(protocol.network_error_count, 5);
    const std::string cancel =
        "Error! Had to cancel a message for computer admin! If error contiunues, check that "
        "computer!";
    EXPECT_EQ(host.shown,
              (std::vector<std::string>{
                  cancel, cancel, cancel,
                  "To many Network Errors! Network errors won't be displayed any more!"}));
    // With more than three errors a due message is given up at once, unsent.
    host.shown.clear();
    protocol.send_status_report(true);
    ticks(1);
    EXPECT_EQ(host.sent.size(), 26u);
    EXPECT_TRUE(protocol.pending().empty());
    EXPECT_TRUE(host.shown.empty());
    // Any message from the administrator ends that.
    from_admin("-2;PC7;admin;192.168.0.1;9023;99;0");
    EXPECT_EQ(protocol.network_error_count, 0);
    protocol.send_status_report(true);
    ticks(1);
    EXPECT_EQ(host.sent.size(), 28u) << "resent again";
}

TEST_F(ClientTest, IdsKeepCountingWrapWithinThePositiveRangeAndSkipThoseThatWait) {
    for (int i = 0; i < 3; ++i) {
        protocol.send_status_report(true);
    }
    std::vector<std::int16_t> ids;
    for (const PendingMessage& m : protocol.pending()) {
        ids.push_back(m.id);
    }
    EXPECT_EQ(ids, (std::vector<std::int16_t>{1, 2, 3}));
    for (const char* ack : {"2", "3", "77", "x", "-99999"}) {
        from_admin(std::string("-2;PC7;admin;192.168.0.1;9023;10;") + ack);
    }
    ASSERT_EQ(protocol.pending().size(), 1u);
    // Id 1 keeps waiting while the counter goes round: every new id is positive, and 1 is
    // passed over.
    for (int sent = 4; sent <= 32767; ++sent) {
        protocol.send_status_report(true);
        const std::int16_t id = protocol.pending().back().id;
        ASSERT_EQ(id, sent);
        from_admin("-2;PC7;admin;192.168.0.1;9023;10;" + std::to_string(id));
    }
    protocol.send_status_report(true);
    EXPECT_EQ(protocol.pending().front().id, 1);
    EXPECT_EQ(protocol.pending().back().id, 2);
}

TEST_F(ClientTest, AFailingSocketIsTriedElevenTimesAndAQueuedMessageStaysQueued) {
    host.failing_sends = 100;
    protocol.send_status_report(true);
    EXPECT_EQ(host.send_attempts, 11);
    EXPECT_EQ(protocol.pending().size(), 1u);
    host.failing_sends = 3;
    ticks(1);
    EXPECT_EQ(host.sent.size(), 1u) << "the resend got through on its fourth try";
}

TEST_F(ClientTest, TheAdministratorsCommandsAreCarriedOutOnceEvenWhenResent) {
    from_admin("1;PC7;admin;192.168.0.1;9023;1;600");
    from_admin("1;PC7;admin;192.168.0.1;9023;1;600");  // its acknowledgement was lost
    EXPECT_EQ(host.started, (std::vector<std::int32_t>{600}));
    from_admin("2;PC7;admin;192.168.0.1;9023;50;Close the door");
    from_admin("2;PC7;admin;192.168.0.1;9023;50;Close the door");
    EXPECT_EQ(
        host.shown,
        (std::vector<std::string>{"The Admin has sent you the following message: Close the door"}));
    int acks = 0;
    for (const std::string& t : host.texts()) {
        acks += t.find(";10;") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(acks, 4) << "every copy is acknowledged";
    // The same id later is a new command: ids restart at 1.
    host.now += 31;
    from_admin("1;PC7;admin;192.168.0.1;9023;1;600");
    from_admin("3;PC7;admin;192.168.0.1;9023;4;0");
    from_admin("4;PC7;admin;192.168.0.1;9023;2;0");
    EXPECT_EQ(host.started, (std::vector<std::int32_t>{600, 600, -1}));
    EXPECT_EQ(host.ended, (std::vector<std::string>{": Timer was exited over network."}));
    // A start, a lock, and the same start again under the same id: the sender's ids started
    // again in between, so the second start is new.
    from_admin("1;PC7;admin;192.168.0.1;9023;2;0");
    from_admin("1;PC7;admin;192.168.0.1;9023;1;600");
    EXPECT_EQ(host.started, (std::vector<std::int32_t>{600, 600, -1, 600}));
    // Answers are taken each time they come.
    from_admin("5;PC7;admin;192.168.0.1;9023;12;1");
    protocol.check_in_answer = CheckIn::pending;
    from_admin("5;PC7;admin;192.168.0.1;9023;12;1");
    EXPECT_EQ(protocol.check_in_answer, CheckIn::accepted);
    // Plain messages are never taken for repeats.
    from_admin("-2;PC7;admin;192.168.0.1;9023;16;0");
    from_admin("-2;PC7;admin;192.168.0.1;9023;16;0");
    EXPECT_EQ(protocol.pending().size(), 2u) << "two pings, two reports";
    EXPECT_EQ(host.ended.size(), 2u);
}

TEST_F(ClientTest, AHostileOrBrokenDatagramChangesNothing) {
    const std::vector<std::string> hostile = {
        "",
        std::string(65536, 'x'),
        "garbage",
        wire(""),
        wire(";;;;;;"),
        wire("1;PC7;admin;192.168.0.1;9023;1"),              // too few fields: no param
        wire("1;PC7;admin;192.168.0.1;9023;1;-600"),         // negative grant
        wire("2;PC7;admin;192.168.0.1;9023;1;99999999999"),  // more than any countdown
        wire("3;PC7;admin;192.168.0.1;9023;1;1e9"),
        wire("x;PC7;admin;192.168.0.1;9023;1;60"),      // id not a number
        wire("99999;PC7;admin;192.168.0.1;9023;1;60"),  // id out of range
        wire("4;PC7;admin;192.168.0.1;99999;1;60"),     // port out of range
        wire("4;PC7;admin;192.168.0.1;0;1;60"),
        wire("4;PC7;admin;192.168.0.1;9023;x;60"),  // code not a number
        wire("4;PC7;admin;300.1.1.1;9023;1;60"),    // no address to answer
        wire("4;PC7;;192.168.0.1;9023;1;60"),       // no sender
        wire("5;PC7;admin;192.168.0.1;9023;12;x"),
        wire("6;PC7;admin;192.168.0.1;9023;12;70000"),
    };
    for (const std::string& d : hostile) {
        protocol.handle_message(d);
    }
    EXPECT_TRUE(host.started.empty());
    EXPECT_EQ(protocol.check_in_answer, CheckIn::pending);
    EXPECT_EQ(host.settings.Admin_Port, 9023);
    EXPECT_EQ(host.settings.Admin_IP_Address, "192.168.0.1");
    // What could be answered was acknowledged; nothing else was sent.
    for (const std::string& t : host.texts()) {
        EXPECT_NE(t.find(";10;"), std::string::npos) << t;
    }
    EXPECT_TRUE(protocol.pending().empty());
}

TEST_F(ClientTest, MisdeliveryIsReportedButCarriedOutAndAPingNeverCounts) {
    from_admin("-2;PC8;admin;192.168.0.1;9023;16;0");
    EXPECT_EQ(host.texts().size(), 1u) << "only the report the ping asks for";
    from_admin("5;PC8;admin;192.168.0.1;9023;50;hello");
    const std::vector<std::string> t = host.texts();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1], "2;admin;PC7;192.168.0.7;9023;40;5");
    EXPECT_EQ(t[2], "-2;admin;PC7;192.168.0.7;9023;10;5");
    EXPECT_EQ(host.shown.back(), "The Admin has sent you the following message: hello");
    // The sender of a misdelivered message hears of it and stops resending.
    from_admin("3;PC7;admin;192.168.0.1;9023;40;1");
    EXPECT_EQ(host.shown.back(),
              "The computer admin returned a message, which was wrong delivered! There seems to "
              "me a mixup in IP & ports, try to ping all computers!");
    EXPECT_EQ(protocol.pending().size(), 1u) << "report 1 dropped, the 40 waits";
}

TEST_F(ClientTest, AClientFollowsItsAdministratorToANewAddressAndIsTakenOutByIt) {
    from_admin("-2;PC7;ADMIN;192.168.0.2;9100;16;0");
    EXPECT_EQ(host.settings.Admin_IP_Address, "192.168.0.2");
    EXPECT_EQ(host.settings.Admin_Port, 9100);
    EXPECT_EQ(host.settings_saves, 1);
    EXPECT_EQ(host.sent.back().address, "192.168.0.2");
    from_admin("-2;PC7;PC9;192.168.0.9;9200;16;0");  // another name is no administrator
    EXPECT_EQ(host.settings.Admin_IP_Address, "192.168.0.2");
    from_admin("-2;PC7;admin;192.168.0.2;9100;15;0");
    EXPECT_EQ(host.settings.Network_Role, NetworkRole::none);
    EXPECT_EQ(host.role_stores, 1);
    EXPECT_EQ(host.refills, 1);
}

TEST_F(ClientTest, ARunningCountdownIsReportedOnceAMinute) {
    host.mode = ProgramMode::timing;
    host.remaining = 3000;
    ticks(1);
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0].text, "1;admin;PC7;192.168.0.7;9023;22;3000");
    from_admin("-2;PC7;admin;192.168.0.1;9023;10;1");
    ticks(12);
    EXPECT_EQ(host.sent.size(), 1u) << "a minute is not yet more than a minute";
    ticks(1);
    EXPECT_EQ(host.sent.size(), 2u);
    from_admin("-2;PC7;admin;192.168.0.1;9023;10;2");
    host.mode = ProgramMode::blocked;
    ticks(13);
    EXPECT_EQ(host.sent.size(), 2u) << "nothing runs, nothing to report";
    host.mode = ProgramMode::open_ended;
    ticks(13);
    EXPECT_EQ(host.sent.size(), 3u);
}

TEST_F(AdminTest, ReportsKeepTheTableAndUnknownNamesJoinIt) {
    receive("1;admin;PC7;192.168.0.7;9023;22;1800");
    ASSERT_EQ(protocol.computer_table.size(), 1u) << "an unknown name is added";
    EXPECT_EQ(record("PC7").status, ClientStatus::timing);
    EXPECT_EQ(record("PC7").remaining_seconds_seen, 1800);
    EXPECT_EQ(host.table_saves, 1);
    receive("2;ADMIN;pc7;192.168.0.7;9023;26;95");
    EXPECT_EQ(protocol.computer_table.size(), 1u) << "names are the same whatever the case";
    EXPECT_EQ(record("PC7").status, ClientStatus::open_ended);
    EXPECT_EQ(record("PC7").running_seconds, 95);
    for (const char* code : {"25", "27"}) {
        receive(std::string("3;admin;PC7;192.168.0.7;9023;") + code + ";0");
        EXPECT_EQ(record("PC7").status, ClientStatus::paused);
    }
    receive("3;admin;PC7;192.168.0.7;9023;23;0");
    EXPECT_EQ(record("PC7").status, ClientStatus::not_running);
    // The client moved: its address and port follow.
    receive("4;admin;PC7;192.168.0.17;9723;21;0");
    EXPECT_EQ(record("PC7").address, "192.168.0.17");
    EXPECT_EQ(record("PC7").port, 9723);
    EXPECT_EQ(record("PC7").status, ClientStatus::locked);
    EXPECT_EQ(host.table_saves, 2);
    for (const std::string& t : host.texts()) {
        EXPECT_EQ(t.find(";40;"), std::string::npos) << "no misdelivery: " << t;
    }
    EXPECT_GE(host.repaints, 6);
}

TEST_F(AdminTest, ACountdownStartCloseToAWholeMinuteCountsAsIt) {
    const std::pair<const char*, double> cases[] = {{"3599", 3600}, {"3597", 3597}, {"90", 90},
                                                    {"121", 120},   {"-5", -5},     {"x", 0}};
    for (const auto& [param, seen] : cases) {
        receive(std::string("1;admin;PC7;192.168.0.7;9023;28;") + param);
        EXPECT_EQ(record("PC7").status, ClientStatus::timing);
        EXPECT_EQ(record("PC7").remaining_seconds_seen, seen) << param;
        EXPECT_EQ(record("PC7").countdown_total, seen) << param;
        host.now += 31;  // the same id again is a new report
    }
}

TEST_F(AdminTest, ACheckInTwiceFromOneMachineIsWelcomeTwiceButItsNameFromAnotherIsRefused) {
    receive("-2;admin;PC7;192.168.0.7;9023;11;0");
    receive("-2;admin;PC7;192.168.0.7;9023;11;0");  // a copy, or the client's retry
    receive("-2;admin;pc7;192.168.0.8;9023;11;0");
    receive("-2;admin;PC7;192.168.0.7;9041;11;0");
    const std::vector<std::string> t = host.texts();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[0].substr(t[0].size() - 5), ";12;1");
    EXPECT_EQ(t[1].substr(t[1].size() - 5), ";12;1");
    EXPECT_EQ(t[2].substr(t[2].size() - 6), ";12;-2");
    EXPECT_EQ(t[3].substr(t[3].size() - 6), ";12;-2");
    EXPECT_EQ(record("PC7").address, "192.168.0.7") << "a check-in updates nothing";
    EXPECT_EQ(record("PC7").status, ClientStatus::options);
    // Acknowledging the answers clears them and the busy mark.
    record("PC7").busy = true;
    receive("-2;admin;PC7;192.168.0.7;9023;10;1");
    EXPECT_FALSE(record("PC7").busy);
}

TEST_F(AdminTest, RemovingAClientDropsOnlyItsMessagesAndALeavingClientIsRemoved) {
    receive("-2;admin;PC7;192.168.0.7;9023;11;0");
    receive("-2;admin;PC9;192.168.0.9;9023;11;0");
    receive("-2;admin;PC8;192.168.0.8;9023;11;0");
    ASSERT_EQ(protocol.pending().size(), 3u);
    receive("-2;admin;pc9;192.168.0.9;9023;17;0");
    EXPECT_EQ(protocol.computer_table.size(), 2u);
    EXPECT_EQ(protocol.computer_table[0].name, "PC7");
    EXPECT_EQ(protocol.computer_table[1].name, "PC8");
    ASSERT_EQ(protocol.pending().size(), 2u);
    EXPECT_EQ(protocol.pending()[0].to_name, "PC7");
    EXPECT_EQ(protocol.pending()[1].to_name, "PC8");
    // A record whose program does not run is not pinged.
    record("PC8").status = ClientStatus::not_running;
    record("PC8").busy = true;
    host.sent.clear();
    protocol.ping_computer(1);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_FALSE(record("PC8").busy);
    EXPECT_EQ(record("PC8").status, ClientStatus::not_running);
    // A removed client whose 15 was lost still reports: it is back, and its report counts.
    protocol.delete_computer(0);
    receive("5;admin;PC7;192.168.0.7;9023;22;600");
    EXPECT_EQ(record("PC7").status, ClientStatus::timing);
    EXPECT_EQ(protocol.computer_table.back().name, "PC7");
}

}  // namespace
}  // namespace vardex

namespace vardex {
namespace {

TEST_F(AdminTest, TheSameCommandTwiceIsTwoMessagesAndALateAckFromAnotherClientCancelsNothing) {
    receive("-2;admin;PC7;192.168.0.7;9023;11;0");
    receive("-2;admin;PC8;192.168.0.8;9023;11;0");
    receive("-2;admin;PC7;192.168.0.7;9023;10;1");
    receive("-2;admin;PC8;192.168.0.8;9023;10;2");
    ASSERT_TRUE(protocol.pending().empty());
    // "Please log off" twice, the first acknowledged in between: two ids.
    std::int16_t first = new_queued_id;
    protocol.send_message(MessageCode::text, "Please log off", "PC7", "192.168.0.7", 9023, first);
    receive("-2;admin;PC7;192.168.0.7;9023;10;" + std::to_string(first));
    std::int16_t second = new_queued_id;
    protocol.send_message(MessageCode::text, "Please log off", "PC7", "192.168.0.7", 9023, second);
    EXPECT_NE(first, second);
    // PC7 is removed while its message waits; its late acknowledgement of that id must not
    // cancel what waits for PC8 under any id.
    std::int16_t to_pc8 = new_queued_id;
    protocol.send_message(MessageCode::start_countdown, "3600", "PC8", "192.168.0.8", 9023, to_pc8);
    protocol.delete_computer(static_cast<std::size_t>(protocol.find_computer("PC7")));
    receive("-2;admin;PC7;192.168.0.7;9023;10;" + std::to_string(to_pc8));
    ASSERT_EQ(protocol.pending().size(), 1u);
    EXPECT_EQ(protocol.pending().front().to_name, "PC8");
    receive("-2;admin;PC8;192.168.0.8;9023;10;" + std::to_string(to_pc8));
    EXPECT_TRUE(protocol.pending().empty());
}

TEST_F(ClientTest, TheSameCommandUnderANewIdIsCarriedOutAgain) {
    from_admin("1;PC7;admin;192.168.0.1;9023;50;Please log off");
    host.now += 20;
    from_admin("2;PC7;admin;192.168.0.1;9023;50;Please log off");
    EXPECT_EQ(host.shown.size(), 2u);
    from_admin("3;PC7;admin;192.168.0.1;9023;1;3600");
    from_admin("4;PC7;admin;192.168.0.1;9023;2;0");
    host.now += 25;
    from_admin("5;PC7;admin;192.168.0.1;9023;1;3600");
    EXPECT_EQ(host.started, (std::vector<std::int32_t>{3600, 3600}));
}

TEST_F(AdminTest, AFloodOfHellosKeepsTheQueueBoundedItsIdsPositiveAndItsCommands) {
    receive("-2;admin;PC7;192.168.0.7;9023;11;0");
    receive("-2;admin;PC7;192.168.0.7;9023;10;1");
    std::int16_t command = new_queued_id;
    protocol.send_message(MessageCode::start_countdown, "600", "PC7", "192.168.0.7", 9023, command);
    // 40,000 hellos, each naming another port to answer: each is answered and queued.
    for (int i = 0; i < 40000; ++i) {
        receive(std::to_string(i % 30000 + 1) + ";admin;X" + std::to_string(i % 97) + ";10.0.0.9;" +
                std::to_string(1025 + i % 60000) + ";30;0");
    }
    EXPECT_LE(protocol.pending().size(), 4096u);
    std::set<std::int16_t> ids;
    for (const PendingMessage& p : protocol.pending()) {
        EXPECT_GT(p.id, 0);
        ids.insert(p.id);
    }
    EXPECT_EQ(ids.size(), protocol.pending().size()) << "no id twice";
    EXPECT_EQ(protocol.pending().front().id, command) << "the command outlives the answers";
    // One destination's share is bounded too.
    protocol.leave_network();
    host.settings.Network_Role = NetworkRole::administrator;
    for (int i = 0; i < 500; ++i) {
        receive(std::to_string(i + 1) + ";admin;X;10.0.0.9;5000;30;0");
    }
    EXPECT_LE(protocol.pending().size(), 64u);
}

TEST_F(AdminTest, SendersNoAnswerMayGoToAreIgnoredAndAddressesAreTakenInTheirPlainForm) {
    for (const char* from : {"224.0.0.1", "239.255.255.250", "255.255.255.255", "0.0.0.0"}) {
        receive(std::string("1;admin;PC7;") + from + ";9023;30;0");
    }
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(protocol.computer_table.empty());
    EXPECT_EQ(protocol.dropped_datagrams, 4u);
    receive("-2;admin;PC7;192.168.000.007.;9023;11;0");
    EXPECT_EQ(record("PC7").address, "192.168.0.7");
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(host.sent[0].address, "192.168.0.7");
    EXPECT_EQ(canonical_ip("010.1.02.3"), "10.1.2.3");
    EXPECT_EQ(canonical_ip("1.2.3"), std::nullopt);
}

TEST_F(AdminTest, TheTableStopsAtAThousandAndWritesOnlyWhatChanged) {
    for (int i = 0; i < 1001; ++i) {
        receive("-2;admin;PC" + std::to_string(i) + ";10.0.0.9;9023;21;0");
    }
    EXPECT_EQ(protocol.computer_table.size(), max_computers);
    EXPECT_EQ(protocol.refused_names, 1u);
    EXPECT_EQ(host.saved_records.size(), max_computers) << "one write per record added";
    EXPECT_EQ(host.saved_records.back(), (FakeHost::SavedRecords{999, 1000, 999}));
    host.saved_records.clear();
    receive("-2;admin;PC500;10.0.0.10;9023;21;0");  // moved: its record alone
    protocol.remove_computer(998);                  // the last one moves up
    EXPECT_EQ(host.saved_records,
              (std::vector<FakeHost::SavedRecords>{{500, 501, 1000}, {998, 999, 1000}}));
    receive("-2;admin;PC1000;10.0.0.9;9023;21;0");
    EXPECT_EQ(protocol.find_computer("pc1000"), 999) << "room again";
}

TEST_F(AdminTest, AcknowledgementsAndCheckInsRepaintTheConsole) {
    receive("-2;admin;PC7;192.168.0.7;9023;11;0");
    EXPECT_EQ(host.repaints, 1);
    record("PC7").busy = true;
    receive("-2;admin;PC7;192.168.0.7;9023;10;1");
    EXPECT_EQ(host.repaints, 2);
    EXPECT_FALSE(record("PC7").busy);
}

// A host on a system whose code page knows "Ł" as the capital of "ł" (1250).
struct PolishHost : testing::FakeHost {
    std::string upper_text(std::string_view text) override {
        std::string out = upper_ansi(text);
        for (char& c : out) {
            if (c == '\xb3') {
                c = '\xa3';
            }
        }
        return out;
    }
};

TEST(PolishAdmin, NamesAreOneMachineByTheSystemsOwnCaseRules) {
    PolishHost host;
    NetworkProtocol protocol{host};
    host.settings.Network_Role = NetworkRole::administrator;
    host.settings.Computer_Name = "admin";
    protocol.handle_message(scramble_text("-2;admin;\xa3\xf3\x64\xbf;192.168.0.7;9023;21;0"));
    protocol.handle_message(scramble_text("-2;admin;\xb3\xf3\x64\xbf;192.168.0.7;9023;22;60"));
    ASSERT_EQ(protocol.computer_table.size(), 1u);
    EXPECT_EQ(protocol.computer_table[0].status, ClientStatus::timing);
}

}  // namespace
}  // namespace vardex
