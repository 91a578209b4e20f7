#pragma once

#include <memory>
#include <string>

#include "../core/program_fixture.h"

namespace vardex::testing {

// One machine of the network with a person at it.
struct Seat {
    sim::World& world;
    VardexMachine pc;
    Program* p = nullptr;
    std::unique_ptr<sim::User> user;

    Seat(sim::World& w, const std::string& name, const std::string& address)
        : world(w), pc(w, name, address) {
        pc.put_settings();
#ifdef VARDEX_TEST_NETWORK_KEY
        // The same network tests again, with the same key on every machine.
        pc.machine.registry().put_text(settings_path, "NetKey",
                                       scramble_text(VARDEX_TEST_NETWORK_KEY));
#endif
    }
    void start() {
        p = &pc.start();
        world.advance(3000);
        user = std::make_unique<sim::User>(pc.process(*p));
    }
    NetworkPage& page() {
        return p->options_dialog.network;
    }
    SettingsRecord& record() {
        return p->settings.record();
    }
    NetworkProtocol& protocol() {
        return p->network.protocol;
    }
    void open_options() {
        ASSERT_TRUE(user->click(p->vardex_dialog.options_button));
        ASSERT_TRUE(user->replace_text(p->sec_dialog.password_box, "zel"));
        ASSERT_TRUE(user->click(p->sec_dialog.ok_button));
        ASSERT_TRUE(p->options_dialog.visible());
        ASSERT_TRUE(user->select_tab(p->options_dialog.tabs, 6));
    }
    void leave_options() {
        ASSERT_TRUE(user->click(p->options_dialog.exit_button));
    }
    std::string last_message() {
        const TimeDialog& t = p->time_dialog;
        return t.message_count > 0 ? t.mess_txt[t.message_count - 1].caption() : "";
    }
    int messages_shown() {
        return p->time_dialog.message_count + p->time_dialog.message_number_offset;
    }
    // Makes this machine the administrator through its options dialog.
    void become_administrator(const std::string& port = "9023") {
        open_options();
        ASSERT_TRUE(user->click(page().administrator()));
        ASSERT_TRUE(user->replace_text(page().own_port_box, port));
        ASSERT_TRUE(user->click(page().admin_connect));
    }
    // Signs this machine in as a client, its options dialog left open.
    void connect_client(const std::string& name, const std::string& admin_address) {
        open_options();
        ASSERT_TRUE(user->click(page().client()));
        ASSERT_TRUE(user->replace_text(page().name_box, name));
        ASSERT_TRUE(user->replace_text(page().admin_address_box, admin_address));
        ASSERT_TRUE(user->click(page().client_connect));
    }
};

// Starts both machines and joins them through their options dialogs: the administrator on
// port 9023, the client as "PC7".
inline void join_pc7(Seat& admin, Seat& client) {
    admin.start();
    client.start();
    admin.become_administrator();
    admin.leave_options();
    client.connect_client("PC7", admin.pc.machine.address());
    client.leave_options();
    admin.world.advance(1000);
}

}  // namespace vardex::testing
