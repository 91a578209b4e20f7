#include "platform/sim/machine.h"

#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"

namespace vardex::sim {

Machine::Machine(World& world, std::string name, std::string address)
    : world_(world),
      name_(std::move(name)),
      address_(std::move(address)),
      desktop_(world),
      clock_(world) {}

Machine::~Machine() = default;

SimProcess& Machine::start_process() {
    processes_.push_back(std::make_unique<SimProcess>(*this, new_process_id(), guarded_));
    return *processes_.back();
}

void Machine::resume() {
    suspended_ = false;
    for (auto& p : processes_) {
        if (!p->ended()) {
            p->sim_windows().resume_timers();
        }
    }
}

}  // namespace vardex::sim
