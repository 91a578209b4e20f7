#include "settings/operating_mode.h"

namespace vardex {

void ModeTransition::announce() {
    if (owner_ != nullptr) {
        OperatingMode* owner = owner_;
        owner_ = nullptr;
        owner->notify(change_);
    }
}

ModeTransition OperatingMode::change_to(ProgramMode to, ModeCause cause) {
    const ModeChange change{program_mode, to, cause};
    program_mode = to;
    return ModeTransition(*this, change);
}

void OperatingMode::notify(const ModeChange& change) {
    for (const Observer& observer : observers_) {
        observer(change);
    }
}

}  // namespace vardex
