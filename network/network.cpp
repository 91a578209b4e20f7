#include "network/network.h"

#include "network/network_page.h"
#include "platform/controls.h"
#include "platform/platform.h"
#include "settings/countdown_control.h"
#include "settings/settings_store.h"
#include "settings/user_messages.h"

namespace vardex {

namespace {
constexpr char no_free_port[] =
    "Could not find a free Winsock port for Vardex. Check network installation.";
// The client's check-in waits this long for the administrator's answer.
constexpr double check_in_wait = 10;
}  // namespace

Network::Network(Platform& platform, SettingsStore& settings, OperatingMode& mode,
                 CountdownControl& countdown, UserMessages& messages, NetworkPage& page,
                 Timer& timer)
    : platform_(platform),
      settings_(settings),
      mode_(mode),
      countdown_(countdown),
      messages_(messages),
      page_(page),
      timer_(timer) {
    mode_.observe([this](const ModeChange& change) { report_mode_change(change); });
    platform_.udp().set_receiver(
        [this](const Datagram& datagram) { protocol.handle_message(datagram.data); });
    timer_.on_tick = [this] { tick(); };
}

void Network::report_mode_change(const ModeChange& change) {
    if (settings_.record().Network_Role != NetworkRole::client) {
        return;
    }
    if (change.to == ProgramMode::exiting) {
        send_status_report(false);  // the socket closes next: nothing could be resent
    } else if (change.to == ProgramMode::timing && change.cause == ModeCause::countdown_started) {
        send_countdown_update();
    } else {
        send_status_report(true);
    }
}

void Network::tick() {
    if (settings_.record().Network_Role == NetworkRole::none) {
        timer_.set_enabled(false);
    }
    protocol.tick();
}

std::int32_t Network::find_free_port(std::int32_t port) {
    UdpSocket& ws = platform_.udp();
    bool fallback_taken = false;
    for (;;) {
        ws.close();
        // A port no socket can have fails as a busy one does.
        if (port >= 1 && port <= 65535 && ws.bind(static_cast<int>(port)) == 0) {
            settings_.record().Own_Port = port;
            return port;
        }
        if (port == default_port || fallback_taken) {
            port += 700;
            if (port > 24999) {
                return -1;
            }
        } else {
            port = default_port;
            fallback_taken = true;
        }
    }
}

std::int32_t Network::bind_admin_port(std::int32_t port) {
    const std::int32_t bound = find_free_port(port);
    if (bound == -1) {
        show_message(no_free_port);
    }
    return bound;
}

std::string Network::own_ip_address() {
    UdpSocket& ws = platform_.udp();
    const std::string host = ws.host_name();
    std::string address = host.empty() ? std::string{} : ws.first_ipv4_address(host);
    if (address.empty()) {
        platform_.desktop().message_box(
            "Could not get IP address of this machine. Probably there is a problem with the "
            "network setup (e.g. you are not using TCP/IP protocol). You can also enter the IP "
            "manually",
            "Vardex");
    }
    return address;
}

void Network::network_startup() {
    SettingsRecord& r = settings_.record();
    // Whatever was taken under the network key before this start is not taken again.
    std::vector<SenderStamp> newest;
    for (const auto& [sender, time] : settings_.load_newest_stamps()) {
        newest.push_back({sender, time});
    }
    protocol.restore_newest_stamps(newest);
    if (r.Network_Role == NetworkRole::none) {
        timer_.set_enabled(false);
        return;
    }
    const std::int32_t stored = r.Own_Port;
    const std::int32_t bound = find_free_port(stored);
    if (bound == -1) {
        r.Own_Port = stored;  // no port: the stored one stays, never -1
    } else if (bound != stored) {
        r.Own_Port = bound;
        settings_.save_settings();
    }
    if (r.Network_Role == NetworkRole::client) {
        protocol.send_hello();
    }
    timer_.set_enabled(true);
    if (r.Network_Role == NetworkRole::administrator) {
        load_computer_table();
        for (std::size_t i = 0; i < protocol.computer_table.size(); ++i) {
            protocol.ping_computer(i);
        }
    }
    if (on_started) {
        on_started();
    }
}

void Network::leave_network() {
    protocol.leave_network();
}

CheckIn Network::check_in() {
    if (find_free_port(default_port) == -1) {
        show_message(no_free_port);
        return CheckIn::no_answer;
    }
    protocol.send_check_in();
    const double started = monotonic_seconds();
    for (;;) {
        if (protocol.check_in_answer != CheckIn::pending) {
            return protocol.check_in_answer;
        }
        // The clock that no change of the time of day moves: midnight neither hangs the wait
        // nor ends it early.
        if (monotonic_seconds() - started >= check_in_wait || platform_.windows().quitting()) {
            return CheckIn::no_answer;
        }
        platform_.windows().do_events();
    }
}

void Network::load_computer_table() {
    std::vector<NetworkComputer> table;
    for (const StoredComputer& stored : settings_.load_computer_table()) {
        NetworkComputer c;
        c.name = stored.name;
        c.address = stored.address;
        c.port = stored.port;
        table.push_back(c);
    }
    protocol.set_computer_table(std::move(table));
}

double Network::monotonic_seconds() {
    return platform_.clock().monotonic_seconds();
}

std::int64_t Network::unix_seconds() {
    return platform_.clock().unix_seconds();
}

HmacSha256& Network::hmac() {
    return platform_.hmac();
}

SettingsRecord& Network::record() {
    return settings_.record();
}

bool Network::send_datagram(const std::string& address, std::int32_t port,
                            const std::string& data) {
    return platform_.udp().send_to(address, static_cast<int>(port), data) == 0;
}

void Network::show_message(const std::string& text) {
    messages_.message(text);
}

void Network::start_timer(std::int32_t seconds, const std::string& log_text) {
    countdown_.start_timer(seconds, log_text);
}

void Network::end_timer(const std::string& log_text) {
    countdown_.end_timer(log_text);
}

ProgramMode Network::program_mode() {
    return mode_.get();
}

std::int32_t Network::remaining_seconds() {
    return countdown_.seconds_left();
}

void Network::save_settings() {
    settings_.save_settings();
}

void Network::store_network_role() {
    settings_.store_network_role();
}

std::string Network::upper_text(std::string_view text) {
    return platform_.text_case().upper(text);
}

void Network::store_newest_stamps(const std::vector<SenderStamp>& stamps) {
    std::vector<std::pair<std::string, std::int64_t>> stored;
    stored.reserve(stamps.size());
    for (const SenderStamp& s : stamps) {
        stored.emplace_back(s.sender, s.time);
    }
    settings_.store_newest_stamps(stored);
}

void Network::save_computer_records(std::size_t first, std::size_t last, std::size_t old_count) {
    const std::vector<NetworkComputer>& table = protocol.computer_table;
    std::vector<StoredComputer> changed;
    for (std::size_t i = first; i < last && i < table.size(); ++i) {
        changed.push_back({table[i].name, table[i].address, table[i].port});
    }
    if (settings_.save_computer_records(first, changed, table.size(), old_count) != 0) {
        show_message(
            "Error! While writing in the Registry an error occured. Maybe the Vardex Network will "
            "have mailfunctions, start Vado again!");
    }
}

void Network::refill_options() {
    // Only the role: a reload from the store would throw away what the open dialog holds and
    // has not applied yet (a Code Page printed, a new ID, an edited title).
    page_.show_role(settings_.record());
}

void Network::repaint_network_dialog() {
    if (on_table_changed) {
        on_table_changed();
    }
}

}  // namespace vardex
