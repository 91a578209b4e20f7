#include "platform/sim/world.h"

#include <algorithm>

#include "platform/ansi.h"
#include "platform/sim/machine.h"

namespace vardex::sim {

World::World(CivilDate start_date, double start_seconds)
    : start_{serial_from_civil(start_date), start_seconds}, lan_(*this) {}

World::~World() = default;

Machine& World::add_machine(const std::string& name, const std::string& address) {
    machines_.push_back(std::make_unique<Machine>(*this, name, address));
    return *machines_.back();
}

Machine* World::machine_by_name(const std::string& name) {
    for (auto& m : machines_) {
        if (equal_ignoring_case(m->name(), name)) {
            return m.get();
        }
    }
    return nullptr;
}

void World::schedule(std::int64_t at_ms, std::function<void()> fn) {
    queue_.push(Event{std::max(at_ms, now_ms_), next_seq_++, std::move(fn)});
}

void World::advance(std::int64_t ms) {
    const std::int64_t target = now_ms_ + std::max<std::int64_t>(ms, 0);
    while (!queue_.empty() && queue_.top().due <= target) {
        // Take it out before running it: the handler may queue new events. Moving the
        // function leaves the ordering fields intact for the pop.
        Event event = std::move(const_cast<Event&>(queue_.top()));
        queue_.pop();
        now_ms_ = std::max(now_ms_, event.due);
        event.fn();
    }
    now_ms_ = std::max(now_ms_, target);
}

}  // namespace vardex::sim
