#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_protocol_host.h"
#include "network/message.h"
#include "network/message_auth.h"
#include "network/protocol.h"
#include "network_fixture.h"
#include "platform/sim/openssl_hmac.h"
#include "settings/options_file.h"
#include "settings/scrambler.h"
#include "settings/setting_table.h"

namespace vardex {
namespace {

using testing::FakeHost;

constexpr char key[] = "Cafe key 7";
constexpr std::int64_t december_2026 = 1'796'000'000;

TEST(MessageAuth, TheEighthFieldIsTheTimeAndTheFirstHalfOfTheHmac) {
    sim::OpenSslHmac hmac;
    const std::string fields = "-2;PC7;admin;192.168.0.1;9023;1;600";
    // As an independent HMAC-SHA256 of the fields, ";" and the time gives it.
    EXPECT_EQ(auth_field(fields, december_2026, key, hmac),
              "1796000000.269eb3b4ab828818c1f2a2f4d12a7b13");

    const auto auth = read_auth_field("1796000000.269EB3B4AB828818C1F2A2F4D12A7B13");
    ASSERT_TRUE(auth);
    EXPECT_EQ(auth->time, december_2026);
    EXPECT_TRUE(tag_is_right(fields, *auth, key, hmac));
    EXPECT_FALSE(tag_is_right(fields, *auth, "Cafe key 8", hmac));
    EXPECT_FALSE(tag_is_right("-2;PC7;admin;192.168.0.1;9023;1;6000", *auth, key, hmac));
    for (const char* broken : {"", "1796000000", "1796000000.", ".269eb3b4ab828818c1f2a2f4d12a7b13",
                               "-796000000.269eb3b4ab828818c1f2a2f4d12a7b13",
                               "1796000000.269eb3b4ab828818c1f2a2f4d12a7b1",
                               "1796000000.269eb3b4ab828818c1f2a2f4d12a7b133",
                               "1796000000.269eb3b4ab828818c1f2a2f4d12a7bxy",
                               "17960000000000000000000.269eb3b4ab828818c1f2a2f4d12a7b13"}) {
        EXPECT_FALSE(read_auth_field(broken)) << broken;
    }
}

TEST(MessageAuth, TheLongestSignedMessageStaysWholeAndAPeerWithoutAKeyReadsItsSevenFields) {
    sim::OpenSslHmac hmac;
    Message m;
    m.id = -32768;
    m.to = std::string(20, 'T');
    m.from = std::string(20, 'F');
    m.from_address = "192.168.100.200";
    m.from_port = 65535;
    m.code = MessageCode::text;
    m.param = std::string(100, 'p') + ";with;separators";
    const std::string fields = message_fields(m);
    const auto auth = auth_field(fields, 9'999'999'999, key, hmac);
    ASSERT_TRUE(auth);
    const std::string datagram = encode_message(m, *auth);
    EXPECT_LE(datagram.size(), 173u + 1 + 10 + 1 + 32 + 17);  // the parameter's own ";"s
    const std::string text = unscramble_text(datagram);
    EXPECT_EQ(text, fields + ";" + *auth);
    // The last field is the eighth, whatever the parameter holds.
    const auto split = split_signed(text);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->fields, fields);
    EXPECT_EQ(split->auth, *auth);
    const auto plain = decode_message(datagram);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->from, m.from);
    EXPECT_EQ(plain->param, std::string(100, 'p'));
    EXPECT_FALSE(split_signed("1;PC7;admin;1.2.3.4;9023;1;600"));
}

// A client with the key, and datagrams as the administrator (with or without it) or a stranger
// would make them.
struct KeyedClientTest : ::testing::Test {
    FakeHost host;
    NetworkProtocol protocol{host};
    KeyedClientTest() {
        testing::make_client_pc7(host.settings);
        host.settings.Network_Key = key;
        host.wall = december_2026;
    }
    std::string signed_datagram(const std::string& fields, std::int64_t time,
                                const std::string& with_key = key) {
        return scramble_text(fields + ";" + *auth_field(fields, time, with_key, host.openssl));
    }
    void expect_untouched() {
        EXPECT_TRUE(host.started.empty());
        EXPECT_TRUE(host.sent.empty()) << host.sent.front().text;
        EXPECT_EQ(host.settings.Admin_IP_Address, "192.168.0.1");
    }
};

TEST_F(KeyedClientTest, OnlyDatagramsMadeWithTheKeyNowAndOnceAreCarriedOut) {
    const std::string start = "3;PC7;admin;192.168.0.9;9023;1;600";
    const std::string now_signed = signed_datagram(start, december_2026);
    std::string changed = unscramble_text(now_signed);
    changed.replace(changed.find(";600;"), 5, ";6000;");
    const std::vector<std::string> refused = {
        scramble_text(start),                                        // no tag
        signed_datagram(start, december_2026, "Cafe key 8"),         // another key
        scramble_text(changed),                                      // a field changed after
        signed_datagram(start, december_2026 - 6 * 60),              // six minutes old
        signed_datagram(start, december_2026 + 6 * 60),              // six minutes ahead
        scramble_text(start + ";" + std::to_string(december_2026)),  // a time, no tag
    };
    for (const std::string& d : refused) {
        protocol.handle_message(d);
    }
    expect_untouched();
    EXPECT_EQ(protocol.dropped_datagrams, refused.size());

    // Made with the key now: carried out, acknowledged (signed), and the address learned.
    protocol.handle_message(now_signed);
    EXPECT_EQ(host.started, (std::vector<std::int32_t>{600}));
    ASSERT_EQ(host.sent.size(), 1u);
    const auto reply = split_signed(host.sent[0].text);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->fields, "-2;admin;PC7;192.168.0.7;9023;10;3");
    const auto auth = read_auth_field(reply->auth);
    ASSERT_TRUE(auth);
    EXPECT_EQ(auth->time, december_2026);
    EXPECT_TRUE(tag_is_right(reply->fields, *auth, key, host.openssl));
    EXPECT_EQ(host.settings.Admin_IP_Address, "192.168.0.9");

    // The same datagram captured and sent again, now and nine minutes later: nothing.
    host.sent.clear();
    protocol.handle_message(now_signed);
    host.now += 9 * 60;
    host.wall += 4 * 60;  // still within five minutes of the stamp
    protocol.handle_message(now_signed);
    EXPECT_EQ(host.started.size(), 1u);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(protocol.dropped_datagrams, refused.size() + 2);
}

TEST_F(KeyedClientTest, ClocksFourMinutesApartStillWorkAndTwoMessagesOfOneSecondAreBothTaken) {
    protocol.handle_message(
        signed_datagram("-2;PC7;admin;192.168.0.1;9023;50;early", december_2026 - 4 * 60));
    protocol.handle_message(
        signed_datagram("-2;PC7;admin;192.168.0.1;9023;50;late", december_2026 + 4 * 60));
    // Same sender, same id, same second, different messages.
    protocol.handle_message(
        signed_datagram("-2;PC7;admin;192.168.0.1;9023;50;late too", december_2026 + 4 * 60));
    EXPECT_EQ(host.shown.size(), 3u);
    EXPECT_EQ(protocol.dropped_datagrams, 0u);
}

TEST_F(KeyedClientTest, WithoutAKeyTheEighthFieldIsIgnoredAndNothingIsSigned) {
    host.settings.Network_Key.clear();
    protocol.handle_message(signed_datagram("4;PC7;admin;192.168.0.1;9023;1;60", december_2026));
    EXPECT_EQ(host.started, (std::vector<std::int32_t>{60}));
    EXPECT_EQ(host.texts(), (std::vector<std::string>{"-2;admin;PC7;192.168.0.7;9023;10;4"}));
}

TEST_F(KeyedClientTest, ADatagramSignedForAnotherMachineIsDroppedBeforeAnythingElse) {
    // The administrator's grant for PC8, captured and sent to PC7.
    protocol.handle_message(signed_datagram("3;PC8;admin;192.168.0.9;9023;1;7200", december_2026));
    protocol.handle_message(signed_datagram("4;PC8;admin;192.168.0.9;9023;2;0", december_2026));
    protocol.handle_message(signed_datagram("5;PC8;admin;192.168.0.9;9023;15;0", december_2026));
    expect_untouched();
    EXPECT_EQ(host.settings.Network_Role, NetworkRole::client);
    EXPECT_EQ(protocol.dropped_datagrams, 3u);
    // A ping for another name gets its report, and nothing else happens.
    protocol.handle_message(signed_datagram("-2;PC8;admin;192.168.0.9;9023;16;0", december_2026));
    ASSERT_EQ(host.sent.size(), 1u);
    EXPECT_EQ(split_signed(host.sent[0].text)->fields, "1;admin;PC7;192.168.0.7;9023;21;0");
    EXPECT_EQ(host.settings.Admin_IP_Address, "192.168.0.1") << "nothing learned from it";
}

TEST(KeyedAdmin, ItsOwnCommandsSentBackToItAreDropped) {
    FakeHost host;
    NetworkProtocol protocol{host};
    SettingsRecord& r = host.settings;
    r.Network_Role = NetworkRole::administrator;
    r.Computer_Name = "admin";
    r.Own_IP_Address = "192.168.0.1";
    r.Own_Port = 9023;
    r.Network_Key = key;
    const std::string fields = "7;PC7;admin;192.168.0.1;9023;1;600";
    protocol.handle_message(
        scramble_text(fields + ";" + *auth_field(fields, december_2026, key, host.openssl)));
    EXPECT_TRUE(host.started.empty());
    EXPECT_TRUE(host.sent.empty());
    EXPECT_TRUE(protocol.computer_table.empty()) << "no record \"admin\"";
    EXPECT_EQ(protocol.dropped_datagrams, 1u);
}

TEST_F(KeyedClientTest, ARestartedMachineRefusesWhatItCarriedOutBeforeButTakesWhatIsNew) {
    const std::string grant = signed_datagram("3;PC7;admin;192.168.0.1;9023;1;600", december_2026);
    protocol.handle_message(grant);
    ASSERT_EQ(host.started.size(), 1u);
    ASSERT_EQ(host.newest_stamps.size(), 1u);
    EXPECT_EQ(host.newest_stamps[0].sender, "ADMIN");
    EXPECT_EQ(host.newest_stamps[0].time, december_2026);
    // Two more in the same second store nothing new.
    protocol.handle_message(signed_datagram("-2;PC7;admin;192.168.0.1;9023;16;0", december_2026));
    EXPECT_EQ(host.stamp_stores, 1);

    // The machine restarts a minute later with what it stored.
    FakeHost restarted;
    testing::make_client_pc7(restarted.settings);
    restarted.settings.Network_Key = key;
    restarted.wall = december_2026 + 60;
    restarted.now = 5;
    NetworkProtocol again{restarted};
    again.restore_newest_stamps(host.newest_stamps);
    again.handle_message(grant);
    EXPECT_TRUE(restarted.started.empty());
    EXPECT_TRUE(restarted.sent.empty());
    // The administrator's resend is signed afresh, and its next command is new: both taken.
    again.handle_message(scramble_text("3;PC7;admin;192.168.0.1;9023;1;600;" +
                                       *auth_field("3;PC7;admin;192.168.0.1;9023;1;600",
                                                   december_2026 + 58, key, restarted.openssl)));
    again.handle_message(scramble_text("4;PC7;admin;192.168.0.1;9023;2;0;" +
                                       *auth_field("4;PC7;admin;192.168.0.1;9023;2;0",
                                                   december_2026 + 59, key, restarted.openssl)));
    EXPECT_EQ(restarted.started, (std::vector<std::int32_t>{600}));
    EXPECT_EQ(restarted.ended.size(), 1u);
}

TEST_F(KeyedClientTest, AClockTooFarAwayIsToldOnceAndEndsACheckInWithItsOwnAnswer) {
    const std::string late = "-2;PC7;admin;192.168.0.1;9023;50;late";
    protocol.handle_message(signed_datagram(late, december_2026 - 7 * 60));
    protocol.handle_message(signed_datagram(late, december_2026 - 7 * 60 - 5));
    protocol.handle_message(signed_datagram(late, december_2026 - 6 * 60, "Cafe key 8"));
    EXPECT_EQ(host.shown,
              (std::vector<std::string>{
                  "The clock of admin differs by 7 minutes from the clock of this computer! With "
                  "a network key the clocks must not differ by more than 5 minutes. Set the "
                  "clocks right!"}));
    EXPECT_EQ(protocol.dropped_datagrams, 3u);
    // During a check-in the answer from such a clock ends the wait and says why.
    host.settings.Network_Role = NetworkRole::checking_in;
    protocol.send_check_in();
    protocol.handle_message(
        signed_datagram("1;PC7;admin;192.168.0.1;9023;12;1", december_2026 + 9 * 60 + 1));
    EXPECT_EQ(protocol.check_in_answer, CheckIn::clock_differs);
    EXPECT_EQ(protocol.clock_difference_minutes, 10);
}

TEST(NetworkKeyFile, TheKeyIsTheLastLineAndAFileWithoutItLeavesTheKey) {
    SettingsRecord r;
    for (const Setting& s : setting_table()) {
        set_first_run_value(s, r);
    }
    r.Network_Key = "a=b, \"c\"";
    const std::string text = write_options_file(r);
    EXPECT_EQ(text.substr(text.size() - 24), "\r\nNetwork_Key=a=b, \"c\"\r\n");
    const FileUsable any_file = [](const std::string&, bool) { return true; };
    SettingsRecord other;
    other.Network_Key = "kept";
    ASSERT_TRUE(take_over_options(OptionsFile("Start_Houres=2\r\n"), other, any_file));
    EXPECT_EQ(other.Network_Key, "kept");
    ASSERT_TRUE(take_over_options(OptionsFile(text), other, any_file));
    EXPECT_EQ(other.Network_Key, r.Network_Key);
    ASSERT_TRUE(take_over_options(OptionsFile("Network_Key=\r\n"), other, any_file));
    EXPECT_EQ(other.Network_Key, "");
}

// Whole machines on a simulated LAN, the key typed into the options dialog.
struct NetworkKeyTest : ::testing::Test {
    sim::World world;
    testing::Seat admin{world, "ADMINPC", "192.168.0.1"};
    testing::Seat client{world, "PC7HOST", "192.168.0.7"};

    void type_key(testing::Seat& seat, const std::string& text) {
        seat.open_options();
        ASSERT_TRUE(seat.user->replace_text(seat.page().key_box, text));
        seat.leave_options();
    }
    NetworkComputer& seen() {
        NetworkProtocol& p = admin.protocol();
        return p.computer_table.at(static_cast<std::size_t>(p.find_computer("PC7")));
    }
    // A command from the administrator to the client, and a second for it to be carried out.
    void send(MessageCode code, const std::string& param) {
        NetworkComputer& c = seen();
        std::int16_t id = new_queued_id;
        admin.protocol().send_message(code, param, c.name, c.address, c.port, id);
        world.advance(1000);
    }
};

TEST_F(NetworkKeyTest, AClientWithAKeyObeysNoAdministratorWithoutItUntilBothAgree) {
    testing::join_pc7(admin, client);
    ASSERT_EQ(seen().status, ClientStatus::locked);

    // The key typed on the client: a password box, stored scrambled.
    type_key(client, "room 3 only");
    EXPECT_EQ(client.page().key_box.password_char(), '*');
    EXPECT_EQ(client.pc.machine.registry().text(testing::settings_path, "NetKey"),
              scramble_text("room 3 only"));
    send(MessageCode::start_countdown, "600");
    world.advance(30000);  // the resends and the give-up
    EXPECT_EQ(client.p->mode.get(), ProgramMode::blocked);
    EXPECT_EQ(seen().status, ClientStatus::no_feedback) << "no feedback";
    EXPECT_GT(client.protocol().dropped_datagrams, 0u);

    // The same key on the administrator: obeyed again.
    type_key(admin, "room 3 only");
    send(MessageCode::start_countdown, "600");
    EXPECT_EQ(client.p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(seen().status, ClientStatus::timing);
    send(MessageCode::end_timer, "0");
    EXPECT_EQ(client.p->mode.get(), ProgramMode::blocked);

    // Cleared on both: the network works as it did without one, and nothing is signed.
    type_key(client, "");
    type_key(admin, "");
    world.lan().clear_log();
    send(MessageCode::start_countdown, "300");
    EXPECT_EQ(client.p->mode.get(), ProgramMode::timing);
    EXPECT_EQ(seen().status, ClientStatus::timing);
    ASSERT_FALSE(world.lan().log().empty());
    for (const sim::SentDatagram& d : world.lan().log()) {
        EXPECT_FALSE(split_signed(unscramble_text(d.data))) << unscramble_text(d.data);
    }
}

}  // namespace
}  // namespace vardex

namespace vardex {
namespace {

TEST_F(NetworkKeyTest, ACapturedGrantReplayedAfterARestartOrToAnotherClientDoesNothing) {
    testing::join_pc7(admin, client);
    type_key(client, "room 3 only");
    type_key(admin, "room 3 only");
    testing::Seat other{world, "PC8HOST", "192.168.0.8"};
    other.pc.machine.registry().put_text(testing::settings_path, "NetKey",
                                         scramble_text("room 3 only"));
    other.start();
    other.connect_client("PC8", "192.168.0.1");
    other.leave_options();
    world.lan().clear_log();
    send(MessageCode::start_countdown, "7200");
    ASSERT_EQ(client.p->mode.get(), ProgramMode::timing);
    std::string grant;
    for (const sim::SentDatagram& d : world.lan().log()) {
        if (unscramble_text(d.data).find(";1;7200;") != std::string::npos) {
            grant = d.data;
        }
    }
    ASSERT_FALSE(grant.empty());
    // To the other client: refused, unanswered.
    world.lan().clear_log();
    world.lan().send("192.168.0.66", 9023, "192.168.0.8", 9023, grant);
    world.advance(1000);
    EXPECT_EQ(other.p->mode.get(), ProgramMode::blocked);
    EXPECT_EQ(other.protocol().dropped_datagrams, 1u);
    EXPECT_TRUE(world.lan().log().size() == 1u) << "nothing came back";
    // To the client itself after a restart: refused; the administrator's next grant works.
    send(MessageCode::end_timer, "0");
    client.p->lifecycle.exit_program();
    client.start();
    world.lan().send("192.168.0.66", 9023, "192.168.0.7", 9023, grant);
    world.advance(1000);
    EXPECT_EQ(client.p->mode.get(), ProgramMode::blocked);
    send(MessageCode::start_countdown, "600");
    EXPECT_EQ(client.p->mode.get(), ProgramMode::timing);
}

}  // namespace
}  // namespace vardex

namespace vardex {
namespace {

TEST_F(NetworkKeyTest, AClientWhoseClockIsFarFromTheAdministratorsIsToldSoWhenItConnects) {
    admin.pc.machine.registry().put_text(testing::settings_path, "NetKey", scramble_text("k"));
    client.pc.machine.registry().put_text(testing::settings_path, "NetKey", scramble_text("k"));
    admin.start();
    client.start();
    admin.become_administrator();
    admin.leave_options();
    // The administrator's clock is ten minutes ahead.
    sim::SimClock& clock = admin.pc.machine.clock();
    LocalTime t = clock.now();
    t.seconds += 10 * 60;
    clock.change_time(t);
    client.connect_client("PC7", "192.168.0.1");
    EXPECT_EQ(client.record().Network_Role, NetworkRole::none);
    EXPECT_EQ(client.last_message(),
              "The clock of admin differs by 10 minutes from the clock of this computer! With a "
              "network key the clocks must not differ by more than 5 minutes. Set the clocks "
              "right!");
    // The administrator's operator hears of it too, and nothing was signed in.
    EXPECT_NE(admin.p->time_dialog2.text_label.caption().find(
                  "The clock of PC7 differs by 10 minutes from the clock of this computer!"),
              std::string::npos);
    EXPECT_TRUE(admin.protocol().computer_table.empty());
}

}  // namespace
}  // namespace vardex
