// How fast the simulated world runs timers: day-long scenarios must stay cheap.
#include <benchmark/benchmark.h>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/sim/machine.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"

namespace {

class Timers final : public vardex::Form {
  public:
    Timers() : Form("Bench_Dialog") {}
    vardex::Timer t10{*this, "Timer1", 10, true};
    vardex::Timer t30{*this, "Timer2", 30, true};
    vardex::Timer t100{*this, "Timer3", 100, true};
    vardex::Timer t1000{*this, "Timer4", 1000, true};
};

// One virtual hour of a machine with timers at 10, 30, 100 and 1000 ms.
void VirtualHourOfFourTimers(benchmark::State& state) {
    std::int64_t ticks = 0;
    for (auto _ : state) {
        vardex::sim::World world;
        auto& process = world.add_machine("PC1", "10.0.0.1").start_process();
        Timers form;
        for (vardex::Timer* t : {&form.t10, &form.t30, &form.t100, &form.t1000}) {
            t->on_tick = [&ticks] { ++ticks; };
        }
        process.windows().attach(form);
        world.advance(3'600'000);
    }
    state.counters["ticks_per_hour"] =
        benchmark::Counter(static_cast<double>(ticks) / static_cast<double>(state.iterations()));
}
BENCHMARK(VirtualHourOfFourTimers)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
