// The cost of the network key: signing one datagram and checking one, next to handling one
// without a key. The administrator handles a client's status report; with a key every report
// is a new one (as on the wire), so the replay memory works as it does in a network.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "network/message.h"
#include "network/message_auth.h"
#include "network/protocol.h"
#include "protocol_bench_host.h"

namespace {

using namespace vardex;

constexpr char key[] = "Room 3, only ours";

Message report(int seconds) {
    Message m;
    m.to = "admin";
    m.from = "PC042";
    m.from_address = "192.168.0.42";
    m.from_port = 9023;
    m.code = status_report_code(2);  // a client in Timing mode
    m.param = std::to_string(seconds);
    return m;
}

void BM_EncodePlain(benchmark::State& state) {
    const Message m = report(3600);
    for (auto _ : state) {
        benchmark::DoNotOptimize(encode_message(m));
    }
}
BENCHMARK(BM_EncodePlain);

void BM_EncodeSigned(benchmark::State& state) {
    sim::OpenSslHmac hmac;
    const Message m = report(3600);
    for (auto _ : state) {
        const std::string fields = message_fields(m);
        benchmark::DoNotOptimize(encode_message(m, *auth_field(fields, wall, key, hmac)));
    }
}
BENCHMARK(BM_EncodeSigned);

// Handles `count` different reports, signed when `signed_reports`.
void handle_reports(benchmark::State& state, bool signed_reports) {
    BenchHost host;
    host.settings.Network_Role = NetworkRole::administrator;
    host.settings.Computer_Name = "admin";
    host.settings.Network_Key = signed_reports ? key : "";
    NetworkProtocol protocol(host);
    protocol.learn_peer("PC042", "192.168.0.42", 9023, false);
    std::vector<std::string> datagrams;
    const auto count = static_cast<int>(state.max_iterations);
    datagrams.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const Message m = report(i);
        datagrams.push_back(signed_reports ? encode_message(m, *auth_field(message_fields(m), wall,
                                                                           key, host.openssl))
                                           : encode_message(m));
    }
    std::size_t next = 0;
    for (auto _ : state) {
        protocol.handle_message(datagrams[next++]);
    }
    if (protocol.dropped_datagrams != 0) {
        state.SkipWithError("a report was dropped");
    }
}

void BM_HandlePlain(benchmark::State& state) {
    handle_reports(state, false);
}
BENCHMARK(BM_HandlePlain)->Iterations(200'000);

void BM_HandleSigned(benchmark::State& state) {
    handle_reports(state, true);
}
BENCHMARK(BM_HandleSigned)->Iterations(200'000);

}  // namespace

BENCHMARK_MAIN();
