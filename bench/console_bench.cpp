// The administrator's console repaints its grid every second: with 1000 clients, most of them
// counting, one repaint must stay far below that second.
#include <benchmark/benchmark.h>

#include <string>

#include "core/program.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"
#include "settings/scrambler.h"

namespace {

using namespace vardex;

void RepaintOfAThousandClients(benchmark::State& state) {
    sim::World world;
    sim::Machine& m = world.add_machine("ADMINPC", "10.0.0.1");
    m.files().set_program_path("C:\\Program Files\\Vardex\\vado41.exe");
    m.files().put("C:\\Program Files\\Vardex\\vado41.exe", "MZ program");
    m.registry().put_text("SOFTWARE\\Quorvane\\Vardex\\4.0", "Help_Dir",
                          "C:\\Program Files\\Vardex\\");
    m.registry().put_key("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run");
    for (const char* name : {"List_Anz", "l2_1", "cpanz", "Value11"}) {
        m.registry().put_number("SOFTWARE\\Morvandel4", name, 0);
    }
    m.registry().put_text("SOFTWARE\\Morvandel4", "String1", scramble_text("KOS"));
    m.registry().put_text("SOFTWARE\\Morvandel4", "String2", scramble_text("zel"));
    Program admin(m.start_process());
    admin.start();
    world.advance(3000);
    std::vector<NetworkComputer>& table = admin.network.protocol.computer_table;
    for (int i = 0; i < 1000; ++i) {
        NetworkComputer c;
        c.name = "PC" + std::to_string(i);
        c.address = "10.0.1.1";
        c.port = 9023;
        c.status = i % 4 == 0   ? ClientStatus::locked
                   : i % 4 == 1 ? ClientStatus::open_ended
                                : ClientStatus::timing;
        c.countdown_total = 3600;
        c.remaining_seconds_seen = 3600 - i;
        table.push_back(c);
    }
    admin.network_dialog.show();
    admin.network_dialog.repaint_timer.set_enabled(false);
    admin.console.repaint_list();
    for (auto _ : state) {
        world.advance(1000);  // a second passes: every counting client's cells change
        admin.console.repaint_list();
    }
    state.counters["rows"] = admin.network_dialog.computer_grid.rows();
}
BENCHMARK(RepaintOfAThousandClients)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
