#pragma once

#include <string>
#include <vector>

#include "network/protocol.h"
#include "platform/sim/openssl_hmac.h"
#include "settings/scrambler.h"

namespace vardex::testing {

// The program around the protocol, as plain records of what was asked of it.
struct FakeHost : ProtocolHost {
    struct Sent {
        std::string address;
        std::int32_t port;
        std::string text;  // unscrambled
    };
    double now = 1000;
    std::int64_t wall = 1'796'000'000;  // December 2026
    sim::OpenSslHmac openssl;
    SettingsRecord settings;
    std::vector<Sent> sent;
    std::vector<std::string> shown;
    std::vector<std::int32_t> started;
    std::vector<std::string> ended;
    ProgramMode mode = ProgramMode::blocked;
    std::int32_t remaining = 0;
    int settings_saves = 0;
    int role_stores = 0;
    int table_saves = 0;
    struct SavedRecords {
        std::size_t first, last, old_count;
        bool operator==(const SavedRecords&) const = default;
    };
    std::vector<SavedRecords> saved_records;
    std::vector<SenderStamp> newest_stamps;
    int stamp_stores = 0;
    int refills = 0;
    int repaints = 0;
    int failing_sends = 0;
    int send_attempts = 0;

    double monotonic_seconds() override { return now; }
    std::int64_t unix_seconds() override { return wall; }
    HmacSha256& hmac() override { return openssl; }
    SettingsRecord& record() override { return settings; }
    bool send_datagram(const std::string& address, std::int32_t port,
                       const std::string& data) override {
        ++send_attempts;
        if (failing_sends > 0) {
            --failing_sends;
            return false;
        }
        sent.push_back({address, port, unscramble_text(data)});
        return true;
    }
    void show_message(const std::string& text) override { shown.push_back(text); }
    void start_timer(std::int32_t seconds, const std::string&) override {
        started.push_back(seconds);
    }
    void end_timer(const std::string& log_text) override { ended.push_back(log_text); }
    ProgramMode program_mode() override { return mode; }
    std::int32_t remaining_seconds() override { return remaining; }
    void save_settings() override { ++settings_saves; }
    void store_network_role() override { ++role_stores; }
    void save_computer_records(std::size_t first, std::size_t last,
                               std::size_t old_count) override {
        ++table_saves;
        saved_records.push_back({first, last, old_count});
    }
    void store_newest_stamps(const std::vector<SenderStamp>& stamps) override {
        newest_stamps = stamps;
        ++stamp_stores;
    }
    std::string upper_text(std::string_view text) override { return upper_ansi(text); }
    void refill_options() override { ++refills; }
    void repaint_network_dialog() override { ++repaints; }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Sent& s : sent) {
            out.push_back(s.text);
        }
        return out;
    }
};

// The client "PC7" at 192.168.0.7 of an administrator at 192.168.0.1, both on port 9023.
inline void make_client_pc7(SettingsRecord& r) {
    r.Network_Role = NetworkRole::client;
    r.Computer_Name = "PC7";
    r.Own_IP_Address = "192.168.0.7";
    r.Own_Port = 9023;
    r.Admin_IP_Address = "192.168.0.1";
    r.Admin_Port = 9023;
}

}  // namespace vardex::testing
