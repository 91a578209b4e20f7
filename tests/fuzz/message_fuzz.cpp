// Fuzz target: any bytes as the datagrams a machine receives. Each input is one machine, an
// administrator or a client, with or without a network key (the first byte), receiving its
// lines one after another, as typed (scrambled here, so that the fields are reached; with a
// key, signed here too when the first byte says so, or the eighth field left as typed) or as
// raw bytes. A line that begins with byte 1 lets time pass instead (the next byte in seconds)
// and runs the network tick; with byte 2 time passes without a tick, so that queues grow; with
// byte 3 the next line comes 8 times the next byte's low seven bits over, from ever new ports
// (and with its high bit from ever new names), as a flood does.
//
// Nothing may fail unsafely, and what the machine keeps must stay sound: no empty, doubled or
// port-less client in the table, no more clients than the table takes, a bounded queue of
// usable and distinct ids, no datagram sent that a peer could not read or (with a key) check,
// no countdown started with less than nothing. With a key, a line that is not signed, is
// signed for another machine or was taken before changes nothing at all: nothing sent, shown,
// started, stored or learned (a ping for another machine may still get its report).
#include <algorithm>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

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
    // Everything the machine did, counted.
    std::vector<std::string> sent;  // unscrambled
    int shown = 0;
    int timers = 0;
    int saves = 0;
    int repaints = 0;

    double monotonic_seconds() override { return now; }
    std::int64_t unix_seconds() override { return 1'796'000'000 + static_cast<std::int64_t>(now); }
    HmacSha256& hmac() override { return openssl; }
    SettingsRecord& record() override { return settings; }
    std::string upper_text(std::string_view text) override { return upper_ansi(text); }
    bool send_datagram(const std::string& address, std::int32_t port,
                       const std::string& data) override {
        const std::optional<Message> m = decode_message(data);
        if (!m || is_bad_ip(address) || is_unanswerable_ip(address) || port < 1 || port > 65535) {
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
        sent.push_back(unscramble_text(data));
        return true;
    }
    void show_message(const std::string&) override { ++shown; }
    void start_timer(std::int32_t seconds, const std::string&) override {
        if (seconds < -1) {
            std::abort();
        }
        ++timers;
    }
    void end_timer(const std::string&) override { ++timers; }
    ProgramMode program_mode() override { return ProgramMode::timing; }
    std::int32_t remaining_seconds() override { return 600; }
    void save_settings() override { ++saves; }
    void store_network_role() override { ++saves; }
    void save_computer_records(std::size_t first, std::size_t last,
                               std::size_t old_count) override {
        if (first > last || std::max(last, old_count) > max_computers + 1) {
            std::abort();
        }
        ++saves;
    }
    void store_newest_stamps(const std::vector<SenderStamp>&) override { ++saves; }
    void refill_options() override { ++repaints; }
    void repaint_network_dialog() override { ++repaints; }
};

// What a line may have changed, as seen from outside.
struct Trace {
    std::size_t sent = 0;
    int shown = 0, timers = 0, saves = 0, repaints = 0;
    std::size_t pending = 0, table = 0;
    NetworkRole role{};
    std::string admin_address;
    std::int32_t admin_port = 0;
    CheckIn check_in_answer = CheckIn::pending;

    static Trace of(const Host& h, const NetworkProtocol& p) {
        return {h.sent.size(),
                h.shown,
                h.timers,
                h.saves,
                h.repaints,
                p.pending().size(),
                p.computer_table.size(),
                h.settings.Network_Role,
                h.settings.Admin_IP_Address,
                h.settings.Admin_Port,
                p.check_in_answer};
    }
    bool same_but_sends(const Trace& o) const {
        return shown == o.shown && timers == o.timers && saves == o.saves &&
               repaints == o.repaints && table == o.table && role == o.role &&
               admin_address == o.admin_address && admin_port == o.admin_port &&
               check_in_answer == o.check_in_answer;
    }
};

void check(const NetworkProtocol& protocol) {
    const auto& table = protocol.computer_table;
    if (table.size() > max_computers) {
        std::abort();
    }
    std::unordered_set<std::string> names;
    for (const NetworkComputer& c : table) {
        if (c.name.empty() || c.port < 1 || c.port > 65535 || is_bad_ip(c.address) ||
            !names.insert(upper_ansi(c.name)).second) {
            std::abort();
        }
    }
    if (protocol.pending().size() > 4096) {
        std::abort();
    }
    std::bitset<32768> ids;
    for (const PendingMessage& p : protocol.pending()) {
        if (p.id < 1 || ids.test(static_cast<std::size_t>(p.id))) {
            std::abort();
        }
        ids.set(static_cast<std::size_t>(p.id));
    }
}

// The "to" field of a message's text: its second field.
std::string to_field(std::string_view text) {
    const std::size_t first = text.find(';');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t second = text.find(';', first + 1);
    return std::string(text.substr(
        first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1));
}

// The line with its field `index` (0-based) made `value`.
std::string with_field(const std::string& line, int index, const std::string& value) {
    std::size_t start = 0;
    for (int field = 0; field < index; ++field) {
        start = line.find(';', start);
        if (start == std::string::npos) {
            return line;
        }
        ++start;
    }
    const std::size_t end = std::min(line.find(';', start), line.size());
    return line.substr(0, start) + value + line.substr(end);
}

bool is_ping(std::string_view text) {
    std::size_t pos = 0;
    for (int field = 0; field < 5; ++field) {
        pos = text.find(';', pos);
        if (pos == std::string_view::npos) {
            return false;
        }
        ++pos;
    }
    const std::size_t end = text.find(';', pos);
    return whole_number(text.substr(pos, end == std::string_view::npos ? end : end - pos)) == 16;
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
    std::set<std::string> taken;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    int repeats = 1;
    bool new_names = false;
    std::string line;
    while (!rest.empty() || repeats > 1) {
        if (repeats > 1) {
            --repeats;
            line = with_field(line, 4, std::to_string(1025 + repeats % 64000));
            if (new_names) {
                line = with_field(line, 2, "F" + std::to_string(repeats));
            }
        } else {
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            line = std::string(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
        }
        if (!line.empty() && (line[0] == '\x01' || line[0] == '\x02')) {
            host.now += line.size() > 1 ? static_cast<std::uint8_t>(line[1]) : 1;
            if (line[0] == '\x01') {
                protocol.tick();
            }
            check(protocol);
            continue;
        }
        if (!line.empty() && line[0] == '\x03') {
            const auto count = static_cast<std::uint8_t>(line.size() > 1 ? line[1] : 1);
            const int times = 8 * (count & 0x7f);
            new_names = (count & 0x80) != 0;
            const std::size_t end = std::min(rest.find('\n'), rest.size());
            line = std::string(rest.substr(0, end));
            rest.remove_prefix(std::min(end + 1, rest.size()));
            repeats = times + 1;
            continue;
        }
        std::string text = line;
        const bool signs = keyed && signing && !raw;
        if (signs) {
            const auto auth = auth_field(line, host.unix_seconds(), r.Network_Key, host.openssl);
            text += ";" + auth.value_or("");
        }
        const bool for_another = !equal_ignoring_case(to_field(line), r.Computer_Name);
        const bool again = signs && !taken.insert(text).second;
        const Trace before = Trace::of(host, protocol);
        protocol.handle_message(raw ? line : scramble_text(text));
        if (repeats <= 1) {
            check(protocol);  // once a flood is over: it costs as much as the table is long
        }
        if (keyed && (!signs || for_another || again)) {
            const Trace after = Trace::of(host, protocol);
            // A signed ping for another machine may be answered with its report, queued.
            const bool report_only = signs && for_another && !again && is_ping(line) &&
                                     after.sent <= before.sent + 1 &&
                                     after.pending <= before.pending + 1;
            if (!after.same_but_sends(before) ||
                (!report_only && (after.sent != before.sent || after.pending != before.pending))) {
                std::abort();
            }
        }
    }
    return 0;
}
