// Making a Code Page: sixty codes of fifteen digits from a cryptographic source, and the whole
// operation on the options page of a simulated machine (codes, the printed sheet, the list).
#include <benchmark/benchmark.h>

#include <sys/random.h>

#include <memory>
#include <string>

#include "access/code_pages.h"
#include "core/program.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"

namespace {

// The system's cryptographic source as Linux offers it, for the cost of the real thing.
class LinuxSecureRandom final : public vardex::SecureRandom {
  public:
    bool fill(std::span<std::uint8_t> out) override {
        return getrandom(out.data(), out.size(), 0) == static_cast<ssize_t>(out.size());
    }
};

void GenerateCodeSetFromTheSystemSource(benchmark::State& state) {
    LinuxSecureRandom random;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vardex::generate_code_set(random));
    }
}
BENCHMARK(GenerateCodeSetFromTheSystemSource)->Unit(benchmark::kMicrosecond);

void MakeAPageInTheSimulation(benchmark::State& state) {
    vardex::sim::World world;
    vardex::sim::Machine& machine = world.add_machine("PC1", "10.0.0.1");
    machine.registry().put_text("SOFTWARE\\Quorvane\\Vardex\\4.0", "Help_Dir", "C:\\Vardex\\");
    auto program = std::make_unique<vardex::Program>(machine.start_process());
    program->start();
    world.advance(3000);
    vardex::CodePagesPage& page = program->options_dialog.code_pages;
    for (auto _ : state) {
        state.PauseTiming();
        program->settings.record().code_pages.clear();
        page.pages.clear();
        page.hours_box.set_text("1");
        page.minutes_box.set_text("30");
        page.comment_box.set_text("Room A");
        state.ResumeTiming();
        program->code_pages.create_code_page();
    }
}
BENCHMARK(MakeAPageInTheSimulation)->Unit(benchmark::kMicrosecond);

}  // namespace
