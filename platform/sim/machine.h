#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_files.h"
#include "platform/sim/sim_printer.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_startup.h"

namespace vardex::sim {

class World;
class SimProcess;

// One simulated computer: its registry, files, screen, printer and clock, and the processes
// started on it.
class Machine {
  public:
    Machine(World& world, std::string name, std::string address);
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    World& world() { return world_; }
    const std::string& name() const { return name_; }
    const std::string& address() const { return address_; }

    SimRegistry& registry() { return registry_; }
    SimFiles& files() { return files_; }
    SimDesktop& desktop() { return desktop_; }
    SimPrinter& printer() { return printer_; }
    SimStartup& startup() { return startup_; }
    SimClock& clock() { return clock_; }

    // A new process of a program on this machine (a Platform for one program instance).
    SimProcess& start_process();
    // From now on, programs started here run guarded: their windows are shown by a face, the
    // files a person names are opened as the session's user, the guard's own files are kept in
    // its folder, and a default path in a drive's root (`kept_in_guard_folder`) there too.
    void set_programs_guarded(bool on, std::vector<std::string> kept_in_guard_folder = {});
    bool programs_guarded() const { return guarded_; }
    const std::vector<std::string>& kept_in_guard_folder() const { return kept_; }
    static constexpr char guard_folder[] = "C:\\ProgramData\\Vardex\\";
    int new_process_id() { return ++last_process_id_; }
    const std::vector<std::unique_ptr<SimProcess>>& processes() const { return processes_; }

    // A sleeping machine runs no timers and receives nothing; at wake-up every timer that was
    // due fires once.
    void suspend() { suspended_ = true; }
    void resume();
    bool suspended() const { return suspended_; }

    void set_host_resolves(bool on) { host_resolves_ = on; }
    bool host_resolves() const { return host_resolves_; }

  private:
    World& world_;
    std::string name_;
    std::string address_;
    SimRegistry registry_;
    SimFiles files_;
    SimDesktop desktop_;
    SimPrinter printer_;
    SimStartup startup_;
    SimClock clock_;
    std::vector<std::unique_ptr<SimProcess>> processes_;
    bool suspended_ = false;
    bool guarded_ = false;
    std::vector<std::string> kept_;
    int last_process_id_ = 0;
    bool host_resolves_ = true;
};

}  // namespace vardex::sim
