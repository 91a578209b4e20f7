// What a flood costs an administrator without a network key, per datagram: hellos that name
// ever new ports to answer (each answer queued, the queue at its bound), and status reports
// from ever new names (the table at its cap). Both must stay small and flat however long the
// flood goes on.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "network/message.h"
#include "protocol_bench_host.h"
#include "settings/scrambler.h"

namespace {

using namespace vardex;

struct Flooded {
    BenchHost host;
    NetworkProtocol protocol{host};
    Flooded() {
        host.settings.Network_Role = NetworkRole::administrator;
        host.settings.Computer_Name = "admin";
    }
};

std::vector<std::string> datagrams(int count, int code, bool new_names) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Message m;
        m.id = static_cast<std::int16_t>(i % 30000 + 1);
        m.to = "admin";
        m.from = new_names ? std::to_string(i) : std::string("X");
        m.from.insert(m.from.begin(), 'N');  // GCC 12 warns wrongly of "N" + a temporary
        m.from_address = "10.0.0.9";
        m.from_port = 1025 + i % 64000;
        m.code = static_cast<MessageCode>(code);
        out.push_back(encode_message(m));
    }
    return out;
}

// Handles one datagram of the flood per iteration; the counter says where the flood left the
// queue and the table.
void flood(benchmark::State& state, int code, bool new_names) {
    Flooded f;
    const std::vector<std::string> all =
        datagrams(static_cast<int>(state.max_iterations), code, new_names);
    std::size_t next = 0;
    for (auto _ : state) {
        f.protocol.handle_message(all[next++]);
    }
    state.counters["queued"] = static_cast<double>(f.protocol.pending().size());
    state.counters["table"] = static_cast<double>(f.protocol.computer_table.size());
}

void BM_HelloFromEverNewPorts(benchmark::State& state) {
    flood(state, 30, false);
}
BENCHMARK(BM_HelloFromEverNewPorts)->Iterations(100'000);

void BM_ReportFromEverNewNames(benchmark::State& state) {
    flood(state, 21, true);
}
BENCHMARK(BM_ReportFromEverNewNames)->Iterations(100'000);

}  // namespace

BENCHMARK_MAIN();
