// The forbidden-window sweep runs up to a hundred times a second: its cost per tick with a
// long list and a long foreground title.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "core/program.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"

namespace {

void SweepTwoHundredEntries(benchmark::State& state) {
    vardex::sim::World world;
    vardex::sim::Machine& machine = world.add_machine("PC1", "10.0.0.1");
    machine.registry().put_text("SOFTWARE\\Quorvane\\Vardex\\4.0", "Help_Dir", "C:\\Vardex\\");
    auto program = std::make_unique<vardex::Program>(machine.start_process());
    program->start();
    world.advance(3000);
    auto& list = program->settings.record().forbidden_windows;
    for (int i = 0; i < 200; ++i) {
        // Entries that share the title's first and last characters, so every compare runs.
        list.push_back(
            {"Document " + std::to_string(i) + " - Editor", static_cast<vardex::MatchMode>(i % 4)});
    }
    const std::string title = "Document - " + std::string(180, 'x') + " Editorial";
    machine.desktop().open_window(title);
    for (auto _ : state) {
        program->forbidden.forbidden_window_sweep();
    }
}
BENCHMARK(SweepTwoHundredEntries)->Unit(benchmark::kMicrosecond);

}  // namespace
