#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "network/protocol.h"
#include "platform/sim/openssl_hmac.h"

namespace vardex {

inline constexpr std::int64_t wall = 1'796'000'000;

// The program around the protocol, doing nothing: what a benchmark measures is the protocol.
struct BenchHost final : ProtocolHost {
    double now = 1000;
    sim::OpenSslHmac openssl;
    SettingsRecord settings;
    double monotonic_seconds() override { return now; }
    std::int64_t unix_seconds() override { return wall; }
    HmacSha256& hmac() override { return openssl; }
    SettingsRecord& record() override { return settings; }
    bool send_datagram(const std::string&, std::int32_t, const std::string&) override {
        return true;
    }
    void show_message(const std::string&) override {}
    void start_timer(std::int32_t, const std::string&) override {}
    void end_timer(const std::string&) override {}
    std::int16_t program_mode() override { return 1; }
    std::int32_t remaining_seconds() override { return 0; }
    void save_settings() override {}
    void store_network_role() override {}
    void save_computer_records(std::size_t, std::size_t, std::size_t) override {}
    void store_newest_stamps(const std::vector<SenderStamp>&) override {}
    std::string upper_text(std::string_view text) override { return upper_ansi(text); }
    void refill_options() override {}
    void repaint_network_dialog() override {}
};

}  // namespace vardex
