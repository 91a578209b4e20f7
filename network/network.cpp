#include "network/network.h"

#include "core/program.h"

namespace vardex {

Network::Network(Program& program) : program_(program) {
    program.mode.observe([this](const ModeChange& change) { report_mode_change(change); });
}

void Network::report_mode_change(const ModeChange& change) {
    if (program_.settings.record().Network_Role != NetworkRole::client) {
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

std::int32_t Network::find_free_port(std::int32_t port) {
    UdpSocket& ws = program_.platform.udp();
    bool fallback_taken = false;
    for (;;) {
        ws.close();
        if (ws.bind(static_cast<int>(port)) == 0) {
            program_.settings.record().Own_Port = port;
            return port;
        }
        if (port == 9023 || fallback_taken) {
            port += 700;
            if (port > 24999) {
                return -1;
            }
        } else {
            port = 9023;
            fallback_taken = true;
        }
    }
}

void Network::network_startup() {
    SettingsRecord& r = program_.settings.record();
    if (r.Network_Role == NetworkRole::none) {
        program_.vardex_dialog.network_timer.set_enabled(false);
        return;
    }
    const std::int32_t stored = r.Own_Port;
    const std::int32_t bound = find_free_port(stored);
    if (bound == -1) {
        r.Own_Port = stored;  // no port: keep the stored one rather than -1
    } else if (bound != stored) {
        r.Own_Port = bound;
        program_.settings.save_settings();
    }
    program_.vardex_dialog.network_timer.set_enabled(true);
}

void Network::leave_network() {
    program_.settings.record().Network_Role = NetworkRole::none;
}

// The protocol that carries these reports is not built yet: until it is, a client's reports go
// nowhere. Every change of mode already arrives here, through report_mode_change.
void Network::send_status_report(bool /*queued*/) {}

void Network::send_countdown_update() {}

}  // namespace vardex
