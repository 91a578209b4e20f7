#pragma once

#include <map>
#include <string>

#include "platform/startup.h"

namespace vardex::sim {

// A machine's guard service and settings key rights, as flags; a standard user's program is
// refused any change.
class SimStartup final : public Startup {
  public:
    bool guard_automatic() override { return guard_automatic_; }
    bool set_guard_automatic(bool automatic) override {
        if (refused_) {
            return false;
        }
        guard_automatic_ = automatic;
        return true;
    }
    bool settings_key_open(std::string_view key_path) override {
        const auto it = open_.find(std::string(key_path));
        return it != open_.end() && it->second;
    }
    bool set_settings_key_open(std::string_view key_path, bool open) override {
        if (refused_) {
            return false;
        }
        open_[std::string(key_path)] = open;
        return true;
    }
    // What a standard user's program is refused.
    void set_refused(bool refused) { refused_ = refused; }

  private:
    bool guard_automatic_ = false;
    bool refused_ = false;
    std::map<std::string, bool> open_;
};

}  // namespace vardex::sim
