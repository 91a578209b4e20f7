// An administrator with 1000 clients in the simulation: each client's countdown runs and it
// reports every minute, over a LAN that loses 5% of the datagrams, for one virtual hour. The
// administrator is the whole program; the clients are the protocol alone on their machines.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "core/program.h"
#include "network/protocol.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/sim_udp.h"
#include "platform/sim/world.h"
#include "protocol_bench_host.h"
#include "settings/scrambler.h"

namespace {

using namespace vardex;

// A client machine reduced to its protocol: its countdown always runs.
struct LightClient final : QuietHost {
    LightClient(sim::Machine& m, const std::string& name) : machine(m), socket(m) {
        settings.Network_Role = NetworkRole::client;
        settings.Computer_Name = name;
        settings.Own_IP_Address = m.address();
        settings.Own_Port = 9023;
        settings.Admin_IP_Address = "10.0.0.1";
        settings.Admin_Port = 9023;
        socket.bind(9023);
        socket.set_receiver([this](const Datagram& d) { protocol.handle_message(d.data); });
    }
    double monotonic_seconds() override { return machine.clock().monotonic_seconds(); }
    std::int64_t unix_seconds() override { return machine.clock().unix_seconds(); }
    bool send_datagram(const std::string& address, std::int32_t port,
                       const std::string& data) override {
        return socket.send_to(address, port, data) == 0;
    }
    ProgramMode program_mode() override { return ProgramMode::timing; }
    std::int32_t remaining_seconds() override { return 3600; }

    sim::Machine& machine;
    sim::SimUdp socket;
    NetworkProtocol protocol{*this};
};

void tick_every_5s(sim::World& world, LightClient& client, std::int64_t at) {
    world.schedule(at, [&world, &client, at] {
        client.protocol.tick();
        tick_every_5s(world, client, at + 5000);
    });
}

sim::Machine& administrator_machine(sim::World& world) {
    sim::Machine& m = world.add_machine("ADMINPC", "10.0.0.1");
    m.files().set_program_path("C:\\Program Files\\Vardex\\vado41.exe");
    m.files().put("C:\\Program Files\\Vardex\\vado41.exe", "MZ program");
    m.registry().put_text("SOFTWARE\\Quorvane\\Vardex\\4.0", "Help_Dir",
                          "C:\\Program Files\\Vardex\\");
    m.registry().put_key("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    const std::string key = "SOFTWARE\\Morvandel4";
    for (const char* name : {"List_Anz", "l2_1", "cpanz"}) {
        m.registry().put_number(key, name, 0);
    }
    m.registry().put_number(key, "Value11", 2);
    m.registry().put_text(key, "String1", scramble_text("KOS"));
    m.registry().put_text(key, "String2", scramble_text("zel"));
    m.registry().put_text(key, "String3", scramble_text("c:\\vadolog.txt"));
    m.registry().put_text(key, "String9", scramble_text("admin"));
    m.registry().put_text(key, "String10", scramble_text("10.0.0.1"));
    return m;
}

void AdministratorOfAThousandClientsForAVirtualHour(benchmark::State& state) {
    std::int64_t handled = 0;
    double handling_seconds = 0;
    // After the first two minutes every client has joined: no more saves of the whole table.
    std::int64_t handled_later = 0;
    double later_seconds = 0;
    std::size_t table = 0;
    for (auto _ : state) {
        sim::World world;
        world.lan().keep_log(false);
        world.lan().set_faults({0.05, 0, 0, 11});
        sim::SimProcess& process = administrator_machine(world).start_process();
        Program admin(process);
        admin.start();
        world.advance(3000);
        // The administrator's receiving, timed: what its socket hands it, it handles.
        process.udp().set_receiver([&](const Datagram& d) {
            const auto started = std::chrono::steady_clock::now();
            admin.network.protocol.handle_message(d.data);
            const double took =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
            handling_seconds += took;
            ++handled;
            if (world.now_ms() > 123'000) {
                later_seconds += took;
                ++handled_later;
            }
        });
        std::vector<std::unique_ptr<LightClient>> clients;
        for (int i = 0; i < 1000; ++i) {
            const std::string address =
                "10.0." + std::to_string(1 + i / 250) + "." + std::to_string(1 + i % 250);
            sim::Machine& m = world.add_machine("HOST" + std::to_string(i), address);
            clients.push_back(std::make_unique<LightClient>(m, "PC" + std::to_string(i)));
            tick_every_5s(world, *clients.back(), world.now_ms() + 1 + (i * 5000) / 1000);
        }
        world.advance(3'600'000);
        table = admin.network.protocol.computer_table.size();
    }
    state.counters["datagrams_handled"] = static_cast<double>(handled) / state.iterations();
    state.counters["us_per_datagram"] = 1e6 * handling_seconds / static_cast<double>(handled);
    state.counters["us_per_datagram_joined"] =
        1e6 * later_seconds / static_cast<double>(handled_later);
    state.counters["clients_in_table"] = static_cast<double>(table);
}
BENCHMARK(AdministratorOfAThousandClientsForAVirtualHour)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
