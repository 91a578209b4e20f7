#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "network/protocol.h"

namespace vardex {

class CountdownControl;
class NetworkPage;
class OperatingMode;
class Platform;
class SettingsStore;
class Timer;
class UserMessages;
struct ModeChange;

// The machine's side of the Vardex network: the one UDP socket, the protocol, the role's
// start-up, and the client's reports of every change of mode.
class Network final : public ProtocolHost {
  public:
    Network(Platform& platform, SettingsStore& settings, OperatingMode& mode,
            CountdownControl& countdown, UserMessages& messages, NetworkPage& page, Timer& timer);

    // Binds the socket to a free port from `port` on (the port, else the ladder from 9023 in
    // steps of 700 up to 24999); the bound port, or -1.
    std::int32_t find_free_port(std::int32_t port);
    // The same, with the message when no port is free.
    std::int32_t bind_admin_port(std::int32_t port);
    // This machine's IPv4 address, or empty (and the system's message box says why).
    std::string own_ip_address();
    // At program start, in the stored role: a client greets the administrator, an
    // administrator reloads its clients and pings them.
    void network_startup();
    void leave_network();
    // A client's sign-in at the administrator, waiting up to 10 seconds for the answer.
    CheckIn check_in();
    void send_status_report(bool queued) { protocol.send_status_report(queued); }
    void send_countdown_update() { protocol.send_countdown_update(); }
    void load_computer_table();

    NetworkProtocol protocol{*this};
    // The administrator's table or a client's state in it changed: its window shows it.
    std::function<void()> on_table_changed;
    // The role's start-up is done: no ping is pending any more.
    std::function<void()> on_started;

    // The protocol's host.
    double monotonic_seconds() override;
    std::int64_t unix_seconds() override;
    HmacSha256& hmac() override;
    SettingsRecord& record() override;
    std::string upper_text(std::string_view text) override;
    bool send_datagram(const std::string& address, std::int32_t port,
                       const std::string& data) override;
    void show_message(const std::string& text) override;
    void start_timer(std::int32_t seconds, const std::string& log_text) override;
    void end_timer(const std::string& log_text) override;
    ProgramMode program_mode() override;
    std::int32_t remaining_seconds() override;
    void save_settings() override;
    void store_network_role() override;
    void save_computer_records(std::size_t first, std::size_t last, std::size_t old_count) override;
    void store_newest_stamps(const std::vector<SenderStamp>& stamps) override;
    void refill_options() override;
    void repaint_network_dialog() override;

  private:
    // Every change of the operating mode: a client tells the administrator.
    void report_mode_change(const ModeChange& change);
    void tick();
    Platform& platform_;
    SettingsStore& settings_;
    OperatingMode& mode_;
    CountdownControl& countdown_;
    UserMessages& messages_;
    NetworkPage& page_;
    Timer& timer_;
};

}  // namespace vardex
