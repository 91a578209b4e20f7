// Fuzz target: any bytes as the datagrams a machine receives. Each input is one machine, an
// administrator or a client, with or without a network key (the first byte), receiving its
// lines one after another, as typed (scrambled here, so that the fields are reached; with a
// key, signed here too when the first byte says so, or the eighth field left as typed) or as
// raw bytes. Nothing may fail unsafely, and what the machine keeps must stay sound: no empty,
// doubled or port-less client in the table, no queued message without a usable id, no
// datagram sent that a peer could not read or (with a key) check, no countdown started with
// less than nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "network/message.h"
#include "network/message_auth.h"
#include "network/protocol.h"
#include "platform/ansi.h"
#include "platform/sim/openssl_hmac.h"
#include "settings/scrambler.h"

namespace {

using namespace vardex;

struct Host : ProtocolHost {
    double now = 100;
    sim::OpenSslHmac openssl;
    SettingsRecord settings;
    double monotonic_seconds() override { return now; }
    std::int64_t unix_seconds() override { return 1'796'000'000 + static_cast<std::int64_t>(now); }
    HmacSha256& hmac() override { return openssl; }
    SettingsRecord& record() override { return settings; }
    bool send_datagram(const std::string& address, std::int32_t port,
                       const std::string& data) override {
        const std::optional<Message> m = decode_message(data);
        if (!m || is_bad_ip(address) || port < 1 || port > 65535) {
            std::abort();
        }
        if (!settings.Network_Key.empty()) {
            const std::string text = unscramble_text(data);
            const auto signed_text = split_signed(text);
            const auto auth = signed_text ? read_auth_field(signed_text->auth) : std::nullopt;
            if (!auth || !tag_is_right(signed_text->fields, *auth, settings.Network_Key, openssl)) {
                std::abort();
            }
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
    const bool keyed = (data[0] & 4) != 0;
    const bool signing = (data[0] & 8) != 0;
    r.Network_Key = keyed ? "fuzz key" : "";
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
        std::string text = line;
        if (keyed && signing) {
            const auto auth = auth_field(line, host.unix_seconds(), r.Network_Key, host.openssl);
            text += ";" + auth.value_or("");
        }
        protocol.handle_message(raw ? line : scramble_text(text));
        host.now += 3;
        protocol.tick();
        check(protocol);
    }
    return 0;
}
