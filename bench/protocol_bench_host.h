#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "network/protocol.h"
#include "platform/sim/openssl_hmac.h"

namespace vardex {

inline constexpr std::int64_t wall = 1'796'000'000;

// The program around the protocol, doing nothing with what the protocol tells it: what a
// benchmark measures is the protocol.
struct QuietHost : ProtocolHost {
    sim::OpenSslHmac openssl;
    SettingsRecord settings;
    HmacSha256& hmac() override { return openssl; }
    SettingsRecord& record() override { return settings; }
    void show_message(const std::string&) override {}
    void start_timer(std::int32_t, const std::string&) override {}
    void end_timer(const std::string&) override {}
    void save_settings() override {}
    void store_network_role() override {}
    void save_computer_records(std::size_t, std::size_t, std::size_t) override {}
    void store_newest_stamps(const std::vector<SenderStamp>&) override {}
    std::string upper_text(std::string_view text) override { return upper_ansi(text); }
    void refill_options() override {}
    void repaint_network_dialog() override {}
};

// A blocked machine whose datagrams go nowhere, at a fixed time.
struct BenchHost final : QuietHost {
    double now = 1000;
    double monotonic_seconds() override { return now; }
    std::int64_t unix_seconds() override { return wall; }
    bool send_datagram(const std::string&, std::int32_t, const std::string&) override {
        return true;
    }
    ProgramMode program_mode() override { return ProgramMode::blocked; }
    std::int32_t remaining_seconds() override { return 0; }
};

}  // namespace vardex
