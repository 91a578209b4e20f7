#include "platform/sim/machine.h"

#include "platform/sim/sim_process.h"
#include "platform/sim/world.h"

namespace vardex::sim {

Machine::Machine(World& world, std::string name, std::string address)
    : world_(world),
      name_(std::move(name)),
      address_(std::move(address)),
      desktop_(world),
      clock_(world) {
    files_.protect_folder("C:\\WINDOWS");
    files_.protect_folder("C:\\Program Files");
    // A folder every account may write, as the one for shared documents.
    files_.put_folder("C:\\Users");
    files_.put_folder("C:\\Users\\Public");
}

void Machine::set_programs_guarded(bool on, std::vector<std::string> kept_in_guard_folder) {
    guarded_ = on;
    kept_ = std::move(kept_in_guard_folder);
    if (on) {
        files_.put_folder(guard_folder);
        files_.protect_folder(guard_folder);
        files_.set_work_folder(guard_folder);
    }
}

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
