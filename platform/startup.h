#pragma once

#include <string_view>

namespace vardex {

// How Vardex comes up with Windows beyond the values the settings write: the guard's service
// and who may use the settings key.
class Startup {
  public:
    virtual ~Startup() = default;
    // Whether the guard's service starts with Windows (early start).
    virtual bool guard_automatic() = 0;
    // Makes the service start with Windows, or only when started; false when refused (only
    // an administrator may).
    virtual bool set_guard_automatic(bool automatic) = 0;
    // Whether users may read and write the settings key (the program then runs in their
    // account); false when only SYSTEM and administrators may use it.
    virtual bool settings_key_open(std::string_view key_path) = 0;
    // Sets that for the key and every key below it; false when refused.
    virtual bool set_settings_key_open(std::string_view key_path, bool open) = 0;
};

}  // namespace vardex
