// Fuzz target: any bytes as the datagrams a machine receives. Each input is one machine, an
// administrator or a client (the first byte), receiving its lines one after another, as
// typed (scrambled here, so that the fields are reached) or as raw bytes. Nothing may fail
// unsafely, and what the machine keeps must stay sound: no empty, doubled or port-less client
// in the table, no queued message without a usable id, no datagram sent that a peer could not
// read, no countdown started with less than nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "network/message.h"
#include "network/protocol.h"
#include "platform/ansi.h"
#include "settings/scrambler.h"

namespace {

using namespace vardex;

struct Host : ProtocolHost {
    double now = 100;
    SettingsRecord settings;
    double monotonic_seconds() override { return now; }
    SettingsRecord& record() override { return settings; }
    bool send_datagram(const std::string& address, std::int32_t port,
                       const std::string& data) override {
        const std::optional<Message> m = decode_message(data);
        if (!m || is_bad_ip(address) || port < 1 || port > 65535) {
            std::abort();
        }
        return true;
    }
    void show_message(const std::string&) override {}
    void start_timer(std::int32_t seconds, const std::string&) override {
        if (seconds < -1) {
            std::abort();
        }
    }
    void end_timer(const std::string&) override {}
    std::int16_t program_mode() override { return 2; }
    std::int32_t remaining_seconds() override { return 600; }
    void save_settings() override {}
    void store_network_role() override {}
    void save_computer_table() override {}
    void refill_options() override {}
    void repaint_network_dialog() override {}
};

void check(const NetworkProtocol& protocol) {
    const auto& table = protocol.computer_table;
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].name.empty() || table[i].port < 1 || table[i].port > 65535 ||
            is_bad_ip(table[i].address)) {
            std::abort();
        }
        for (std::size_t j = i + 1; j < table.size(); ++j) {
            if (equal_ignoring_case(table[i].name, table[j].name)) {
                std::abort();
            }
        }
    }
    for (const PendingMessage& p : protocol.pending_messages) {
        if (p.id < 1 ||
            std::count_if(protocol.pending_messages.begin(), protocol.pending_messages.end(),
                          [&](const PendingMessage& q) { return q.id == p.id; }) != 1) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    Host host;
    SettingsRecord& r = host.settings;
    const bool admin = (data[0] & 1) != 0;
    const bool raw = (data[0] & 2) != 0;
    r.Network_Role = admin ? NetworkRole::administrator : NetworkRole::client;
    r.Computer_Name = admin ? "admin" : "PC7";
    r.Own_IP_Address = admin ? "192.168.0.1" : "192.168.0.7";
    r.Own_Port = 9023;
    r.Admin_IP_Address = "192.168.0.1";
    r.Admin_Port = 9023;
    NetworkProtocol protocol(host);
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::string line(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        protocol.handle_message(raw ? line : scramble_text(line));
        host.now += 3;
        protocol.tick();
        check(protocol);
    }
    return 0;
}
