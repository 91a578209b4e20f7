#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace vardex {

// The operating mode of the whole program; stored and sent as its number.
enum class ProgramMode : std::int16_t {
    blocked = 1,
    timing = 2,
    exiting = 3,
    options = 4,
    paused = 5,
    open_ended = 6,
    open_ended_paused = 7,
};

// Timing or open-ended: a countdown runs and its seconds are reported.
constexpr bool time_runs(ProgramMode mode) {
    return mode == ProgramMode::timing || mode == ProgramMode::open_ended;
}

// Why the mode changed, as far as observers care.
enum class ModeCause {
    other,
    countdown_started,  // start_timer: a new countdown or open-ended run, not a resume
};

struct ModeChange {
    ProgramMode from;
    ProgramMode to;
    ModeCause cause;
};

class OperatingMode;

// A change of mode in progress. The mode is in force at once; the observers hear of the change
// when the step that completes it calls announce(), or at the end of the scope at the latest.
class [[nodiscard]] ModeTransition {
  public:
    ModeTransition(ModeTransition&& other) noexcept : owner_(other.owner_), change_(other.change_) {
        other.owner_ = nullptr;
    }
    ModeTransition(const ModeTransition&) = delete;
    ModeTransition& operator=(const ModeTransition&) = delete;
    ModeTransition& operator=(ModeTransition&&) = delete;
    ~ModeTransition() { announce(); }

    void announce();

  private:
    friend class OperatingMode;
    ModeTransition(OperatingMode& owner, ModeChange change) : owner_(&owner), change_(change) {}
    OperatingMode* owner_;
    ModeChange change_;
};

// The one owner of the operating mode: every change goes through change_to, and every
// observer (the client's status report) hears each change.
class OperatingMode {
  public:
    using Observer = std::function<void(const ModeChange&)>;

    ProgramMode get() const { return program_mode; }
    bool is(ProgramMode mode) const { return program_mode == mode; }
    bool paused() const { return is(ProgramMode::paused) || is(ProgramMode::open_ended_paused); }
    bool open_ended() const {
        return is(ProgramMode::open_ended) || is(ProgramMode::open_ended_paused);
    }

    ModeTransition change_to(ProgramMode to, ModeCause cause = ModeCause::other);
    void observe(Observer observer) { observers_.push_back(std::move(observer)); }

  private:
    friend class ModeTransition;
    void notify(const ModeChange& change);

    ProgramMode program_mode = ProgramMode::blocked;
    std::vector<Observer> observers_;
};

}  // namespace vardex
