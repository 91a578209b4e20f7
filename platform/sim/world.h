#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <queue>
#include <string>
#include <vector>

#include "platform/date.h"
#include "platform/sim/lan.h"

namespace vardex::sim {

class Machine;

// One virtual clock, one simulated LAN and any number of machines, all on one thread.
// Time moves only in advance(); every due timer and datagram runs in time order.
class World {
  public:
    explicit World(CivilDate start_date = {2026, 12, 7}, double start_seconds = 9 * 3600.0);
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    std::int64_t now_ms() const { return now_ms_; }
    // Local wall time of the world at its start, before any machine's clock was set.
    LocalTime start_time() const { return start_; }

    Machine& add_machine(const std::string& name, const std::string& address);
    Machine* machine_by_name(const std::string& name);
    Lan& lan() { return lan_; }

    // Runs every event due within the next ms milliseconds, then sets the clock to that point.
    // May be called from inside a handler (a wait loop of the program): it then runs the
    // events due within its own span.
    void advance(std::int64_t ms);

    // Queues fn to run at the given time (not before now).
    void schedule(std::int64_t at_ms, std::function<void()> fn);

  private:
    struct Event {
        std::int64_t due;
        std::uint64_t seq;
        std::function<void()> fn;
    };
    struct Later {
        bool operator()(const Event& a, const Event& b) const {
            return a.due != b.due ? a.due > b.due : a.seq > b.seq;
        }
    };

    LocalTime start_;
    std::int64_t now_ms_ = 0;
    std::uint64_t next_seq_ = 0;
    std::priority_queue<Event, std::vector<Event>, Later> queue_;
    Lan lan_;
    std::vector<std::unique_ptr<Machine>> machines_;
};

}  // namespace vardex::sim
